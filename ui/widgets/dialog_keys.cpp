#include "ui/widgets/dialog_keys.h"

#include <wx/button.h>
#include <wx/dialog.h>

namespace {

bool IsWithin(const wxWindow* window, const wxWindow* control) {
  for (; window != nullptr; window = window->GetParent()) {
    if (window == control) return true;
    if (window->IsTopLevel()) return false;
  }
  return false;
}

}  // namespace

void ReturnPressesDefaultButton(wxDialog* dialog, wxWindow* control) {
  // The dialog hears of every key before the focused control does.
  dialog->Bind(wxEVT_CHAR_HOOK, [dialog, control](wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    const bool enter = (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && !event.HasModifiers();
    auto* button = wxDynamicCast(dialog->GetDefaultItem(), wxButton);
    if (!enter || button == nullptr || !button->IsEnabled() ||
        !IsWithin(wxWindow::FindFocus(), control)) {
      event.Skip();
      return;
    }
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
  });
}
