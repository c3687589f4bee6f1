#include "ui/widgets/dialog_keys.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

namespace {

// Clicks a button as the user would: nothing when it is disabled.
void Press(wxButton* button) {
  if (button == nullptr || !button->IsEnabled()) return;
  wxCommandEvent click(wxEVT_BUTTON, button->GetId());
  click.SetEventObject(button);
  button->GetEventHandler()->ProcessEvent(click);
}

}  // namespace

void PressDefaultOnReturn(wxDialog* dialog) {
  dialog->Bind(wxEVT_CHAR_HOOK, [dialog](wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if ((key != WXK_RETURN && key != WXK_NUMPAD_ENTER) || event.HasAnyModifiers()) {
      event.Skip();
      return;
    }
    wxWindow* focus = wxWindow::FindFocus();
    if (auto* edit = dynamic_cast<wxTextCtrl*>(focus); edit != nullptr && edit->IsMultiLine()) {
      event.Skip();
      return;
    }
    if (auto* button = dynamic_cast<wxButton*>(focus); button != nullptr && button->IsEnabled()) {
      Press(button);
      return;
    }
    Press(dynamic_cast<wxButton*>(dialog->GetDefaultItem()));
  });
}
