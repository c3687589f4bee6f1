#include "ui/widgets/form_scrolling.h"

#include <wx/scrolwin.h>

namespace {

constexpr int kScrollBarRoom = 64;  // pixels

}  // namespace

void UseFormScrolling(wxScrolledWindow* form, int step_x, int step_y) {
  form->SetScrollRate(step_x, step_y);
  // Where the first control lies when the form is not scrolled: the mark that tells how far the
  // controls are really moved.
  wxWindow* mark = form->GetChildren().empty() ? nullptr : form->GetChildren().front();
  const wxPoint mark_origin = mark != nullptr ? mark->GetPosition() : wxPoint();

  form->Bind(wxEVT_SIZE, [form, mark, mark_origin](wxSizeEvent& event) {
    event.Skip();
    // A scroll bar in a window smaller than the scroll bar itself upsets GTK, which is what the
    // form is before its frame is laid out: show the scroll bars only once there is room.
    const wxSize size = event.GetSize();
    const wxScrollbarVisibility shown =
        size.x >= kScrollBarRoom && size.y >= kScrollBarRoom ? wxSHOW_SB_DEFAULT : wxSHOW_SB_NEVER;
    form->ShowScrollbars(shown, shown);
    if (mark == nullptr) return;
    // When the window grows enough for the form, wxGTK sets the scroll position back to the
    // origin without moving the controls back, which would leave part of the form out of
    // reach. Once the size is dealt with, the controls are put where the position says.
    form->CallAfter([form, mark, mark_origin] {
      const wxPoint expected = form->CalcScrolledPosition(mark_origin);
      const wxPoint actual = mark->GetPosition();
      if (actual != expected) form->ScrollWindow(expected.x - actual.x, expected.y - actual.y);
    });
  });
  form->ShowScrollbars(wxSHOW_SB_NEVER, wxSHOW_SB_NEVER);
}
