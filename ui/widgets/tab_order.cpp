#include "ui/widgets/tab_order.h"

#include <algorithm>
#include <memory>

#include <wx/event.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/window.h>

namespace {

class TabOrder {
 public:
  TabOrder(wxWindow* form, std::vector<wxWindow*> order) : form_(form), order_(std::move(order)) {}

  void OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_TAB || event.AltDown() || event.MetaDown()) {
      event.Skip();
      return;
    }
    wxWindow* focus = wxWindow::FindFocus();
    const auto current = IndexOf(focus);
    if (event.ControlDown()) {
      // Ctrl+Tab types a tab in a multi-line edit; elsewhere it is not the form's key.
      auto* edit = dynamic_cast<wxTextCtrl*>(focus);
      if (edit != nullptr && edit->IsMultiLine() && edit->IsEditable() && !event.ShiftDown()) {
        edit->WriteText(wxS("\t"));
      } else {
        event.Skip();
      }
      return;
    }
    if (current < 0 && !IsInside(focus)) {
      event.Skip();
      return;
    }
    if (IsEditingLabel(current)) {
      // A list's in-place label editor keeps its keys.
      event.Skip();
      return;
    }
    MoveFrom(current, event.ShiftDown() ? -1 : 1);
  }

 private:
  // Position in the order of the control that holds the window (a control may be made of
  // several windows, such as a list with its header); -1 when none does.
  int IndexOf(wxWindow* window) const {
    for (; window != nullptr && window != form_; window = window->GetParent()) {
      const auto it = std::find(order_.begin(), order_.end(), window);
      if (it != order_.end()) return static_cast<int>(it - order_.begin());
    }
    return -1;
  }

  bool IsInside(wxWindow* window) const {
    for (; window != nullptr; window = window->GetParent()) {
      if (window == form_) return true;
    }
    return false;
  }

  bool IsEditingLabel(int index) const {
    if (index < 0) return false;
    auto* list = dynamic_cast<wxListCtrl*>(order_[index]);
    return list != nullptr && list->GetEditControl() != nullptr;
  }

  static bool CanTakeFocus(wxWindow* window) {
    return window->IsEnabled() && window->IsShownOnScreen() && window->AcceptsFocusFromKeyboard();
  }

  // Gives the focus to the next control that can take it, counted from `from` (-1: before the
  // first) in the given direction, wrapping around; the focus stays put when none can.
  void MoveFrom(int from, int step) {
    const int count = static_cast<int>(order_.size());
    if (count == 0) return;
    int index = from;
    if (index < 0) index = step > 0 ? -1 : count;
    for (int tried = 0; tried < count; ++tried) {
      index = (index + step + count) % count;
      if (index == from) break;
      if (CanTakeFocus(order_[index])) {
        order_[index]->SetFocus();
        return;
      }
    }
  }

  wxWindow* form_;
  std::vector<wxWindow*> order_;
};

}  // namespace

void UseTabOrder(wxWindow* form, std::vector<wxWindow*> order) {
  // The character hook reaches the form from whichever of its controls has the focus, before
  // the control or GTK acts on the key.
  auto tab_order = std::make_shared<TabOrder>(form, std::move(order));
  form->Bind(wxEVT_CHAR_HOOK, [tab_order](wxKeyEvent& event) { tab_order->OnCharHook(event); });
}
