#include "ui/widgets/combo_wheel.h"

#include <algorithm>

#include <wx/choice.h>
#include <wx/combo.h>
#include <wx/combobox.h>
#include <wx/scrolwin.h>

namespace {

bool IsCombo(wxWindow* window) {
  return dynamic_cast<wxChoice*>(window) != nullptr ||
         dynamic_cast<wxComboBox*>(window) != nullptr ||
         dynamic_cast<wxComboCtrl*>(window) != nullptr;
}

// Scrolls the form as the wheel would over its empty parts: a few lines of the form's scroll
// step per notch, clamped to what there is to scroll (nothing when the form fits its window).
void ScrollForm(wxScrolledWindow* form, const wxMouseEvent& event) {
  const int delta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
  const int units = -event.GetWheelRotation() * event.GetLinesPerAction() / delta;
  if (units == 0) return;
  int x = 0;
  int y = 0;
  form->GetViewStart(&x, &y);
  // As far as the scroll bars go (position plus thumb up to the range).
  const int max_x =
      std::max(0, form->GetScrollRange(wxHORIZONTAL) - form->GetScrollThumb(wxHORIZONTAL));
  const int max_y =
      std::max(0, form->GetScrollRange(wxVERTICAL) - form->GetScrollThumb(wxVERTICAL));
  // Shift or a tilt of the wheel scrolls sideways, like the scroll bars of the form do.
  if (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL || event.ShiftDown()) {
    x = std::clamp(x + units, 0, max_x);
  } else {
    y = std::clamp(y + units, 0, max_y);
  }
  form->Scroll(x, y);
}

void Redirect(wxWindow* window, wxScrolledWindow* form) {
  // Handled here and not skipped, so that neither GTK's combo box nor wx's own combo control
  // steps its selection; an open list is a window of its own and keeps its wheel.
  window->Bind(wxEVT_MOUSEWHEEL, [form](wxMouseEvent& event) { ScrollForm(form, event); });
  for (wxWindow* child : window->GetChildren()) Redirect(child, form);
}

}  // namespace

void LetWheelScrollForm(wxScrolledWindow* form) {
  for (wxWindow* child : form->GetChildren()) {
    if (IsCombo(child)) Redirect(child, form);
  }
}
