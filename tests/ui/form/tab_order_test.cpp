// The form's keyboard order: real Tab and Shift+Tab presses walk the controls in the template's
// tab order, pass over disabled ones, wrap around and never let the focus leave the form.

#include <gtest/gtest.h>

#include <vector>

#include <wx/button.h>
#include <wx/scrolwin.h>
#include <wx/uiaction.h>

#include "form_fixture.h"
#include "ui/res/ids.h"
#include "ui/widgets/sjis_field.h"

namespace {

const std::vector<int> kTabOrder = {1025, 1026, 32778, 1001, 1030, 1027, 1031,  1005,
                                    1006, 1007, 1014,  1040, 1041, 1016, 1017,  1023,
                                    1021, 1024, 1022,  1002, 1028, 1029, 32779, 32780};

class TabOrderTest : public FormTest {
 protected:
  CFuncView* OpenAndRaise(bool show_function) {
    quillmap::SpecStore store;
    AddFunctions(store, {"f", "g"});
    CFuncView* view = ViewOf(OpenDocument(WriteDocument(store, "tab.dcm")));
    if (view == nullptr) return nullptr;
    if (show_function && !view->ShowFunction(0)) return nullptr;
    frame_->Raise();
    Settle();
    // The display gives the keyboard to the window under the pointer.
    wxUIActionSimulator().MouseMove(frame_->GetScreenPosition() + wxPoint(400, 300));
    Settle();
    return view;
  }

  static void Settle() {
    for (int i = 0; i < 8; ++i) {
      wxMilliSleep(15);
      Pump();
    }
  }

  // Id of the form control that holds the focus (a list's focus is in an inner window); 0 when
  // the focus is outside the form.
  static int FocusedControl(CFuncView* view) {
    for (wxWindow* window = wxWindow::FindFocus(); window != nullptr;
         window = window->GetParent()) {
      if (window->GetParent() == view->Form()) return window->GetId();
    }
    return 0;
  }

  // Presses the key `count` times and records the control focused after each press.
  static std::vector<int> Walk(CFuncView* view, int count, int modifiers = wxMOD_NONE) {
    std::vector<int> seen;
    wxUIActionSimulator keyboard;
    for (int i = 0; i < count; ++i) {
      keyboard.Char(WXK_TAB, modifiers);
      Pump();
      seen.push_back(FocusedControl(view));
    }
    return seen;
  }
};

TEST_F(TabOrderTest, TabWalksEveryControlInOrderAndWrapsAround) {
  CFuncView* view = OpenAndRaise(true);
  ASSERT_NE(view, nullptr);
  view->Button(ids::kAddFunction)->SetFocus();
  Settle();
  ASSERT_EQ(FocusedControl(view), 1025);

  std::vector<int> expected(kTabOrder.begin() + 1, kTabOrder.end());
  expected.push_back(kTabOrder.front());
  expected.push_back(kTabOrder[1]);
  EXPECT_EQ(Walk(view, static_cast<int>(expected.size())), expected);

  // Backwards from the second control: the first, then around to the last and on down.
  const std::vector<int> back = {1025, 32780, 32779, 1029, 1028, 1002, 1022};
  EXPECT_EQ(Walk(view, static_cast<int>(back.size()), wxMOD_SHIFT), back);
}

TEST_F(TabOrderTest, DisabledControlsArePassedOver) {
  CFuncView* view = OpenAndRaise(false);
  ASSERT_NE(view, nullptr);
  // No function shown: the fields are disabled; only the lists and their buttons remain.
  view->Button(ids::kCopyFunction)->SetFocus();
  Settle();
  ASSERT_EQ(FocusedControl(view), 32778);
  EXPECT_EQ(Walk(view, 8), (std::vector<int>{1001, 1002, 1028, 1029, 32779, 32780, 1025, 1026}));
  EXPECT_EQ(Walk(view, 3, wxMOD_SHIFT), (std::vector<int>{1025, 32780, 32779}));

  view->Button(ids::kDeleteStructure)->Disable();
  EXPECT_EQ(Walk(view, 2, wxMOD_SHIFT), (std::vector<int>{1028, 1002}));
}

TEST_F(TabOrderTest, MultiLineEditsPassTabOnAndCtrlTabTypesATab) {
  CFuncView* view = OpenAndRaise(true);
  ASSERT_NE(view, nullptr);
  view->ExplanationEdit()->SetFocus();
  Settle();
  ASSERT_EQ(FocusedControl(view), 1016);
  EXPECT_EQ(Walk(view, 1), (std::vector<int>{1017}));
  EXPECT_EQ(Walk(view, 2, wxMOD_SHIFT), (std::vector<int>{1016, 1041}));
  EXPECT_EQ(view->ExplanationEdit()->GetValue(), wxString());

  view->ReturnTextEdit()->ChangeValue(wxS("ab"));
  view->ReturnTextEdit()->SetInsertionPointEnd();
  wxUIActionSimulator keyboard;
  keyboard.Char(WXK_TAB, wxMOD_CONTROL);
  Pump();
  EXPECT_EQ(view->ReturnTextEdit()->GetValue(), wxS("ab\t"));
  EXPECT_EQ(FocusedControl(view), 1041);
}

}  // namespace
