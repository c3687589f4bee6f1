// The mouse wheel over the form's combo boxes, sent as real X button presses (4 up, 5 down):
// it scrolls the form and never changes a combo's value.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <wx/choice.h>
#include <wx/scrolwin.h>

#include "edit_helpers.h"
#include "form_fixture.h"
#include "ui/res/ids.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

// Last: Xlib defines macros (Status, None, Bool) that would rename names of the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

// One notch of the wheel at a screen point, through the X server's test extension: the event
// reaches the window under the pointer as a real wheel does.
void Wheel(const wxPoint& at, bool down) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  XTestFakeMotionEvent(display, -1, at.x, at.y, CurrentTime);
  XSync(display, False);
  Settle(2);
  const unsigned int button = down ? 5 : 4;
  XTestFakeButtonEvent(display, button, True, CurrentTime);
  XTestFakeButtonEvent(display, button, False, CurrentTime);
  XSync(display, False);
  XCloseDisplay(display);
  Settle();
}

class ComboWheelTest : public FormTest {
 protected:
  CFuncView* ShowFunction() {
    quillmap::SpecStore store;
    AddFunctions(store, {"first", "second"});
    quillmap::FunctionSpec function;
    store.GetFunction(0, function);
    function.SetAttribute(1);
    function.SetReturnType("long");
    function.AddLink("alpha");
    function.AddLink("beta");
    function.AddHistory(LocalMidnight(2001, 2, 3), "b");
    function.AddHistory(LocalMidnight(2000, 1, 2), "a");
    store.PutFunction(0, function);
    store.GetFunction(1, function);
    function.SetReturnType("char");
    store.PutFunction(1, function);
    CFuncView* view = ViewOf(OpenDocument(WriteDocument(store, "wheel.dcm")));
    EXPECT_NE(view, nullptr);
    if (view == nullptr) return nullptr;
    frame_->Raise();
    ClickItem(view->FunctionList(), 0);
    Settle();
    return view;
  }

  // Scrolls the form so that the window lies in the middle of its visible part, as far as the
  // form scrolls.
  static void CentreOn(wxScrolledWindow* form, wxWindow* window) {
    form->Scroll(0, 0);
    Settle(2);
    int unit_x = 0, unit_y = 0;
    form->GetScrollPixelsPerUnit(&unit_x, &unit_y);
    const int y = window->GetPosition().y - form->GetClientSize().y / 2;
    form->Scroll(0, std::max(0, y / unit_y));
    Settle(2);
  }
};

// A combo's value as the user sees it: its selection and its text.
std::string Value(wxWindow* combo) {
  if (auto* choice = dynamic_cast<wxChoice*>(combo)) {
    return std::to_string(choice->GetSelection()) + " " +
           choice->GetStringSelection().ToStdString();
  }
  auto* type = dynamic_cast<SjisComboBox*>(combo);
  return type != nullptr ? type->GetValue().ToStdString() : "?";
}

struct WheelCase {
  const char* name;
  int combo;
  bool focused;
};

TEST_F(ComboWheelTest, WheelOverAComboScrollsTheFormAndLeavesTheValue) {
  const WheelCase cases[] = {
      {"attribute", ids::kAttributeCombo, false},
      {"attribute focused", ids::kAttributeCombo, true},
      {"return type", ids::kReturnTypeCombo, false},
      {"return type focused", ids::kReturnTypeCombo, true},
      {"related", ids::kRelatedCombo, false},
      {"history focused", ids::kHistoryCombo, true},
  };
  CFuncView* view = ShowFunction();
  ASSERT_NE(view, nullptr);
  wxScrolledWindow* form = view->Form();
  for (const wxSize frame_size : {wxSize(700, 330), wxSize(1000, 800)}) {
    frame_->SetSize(frame_size);
    Settle(8);
    const bool fits = form->GetClientSize().y >= form->GetVirtualSize().y;
    for (const WheelCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (fits ? ", form fits" : ", form scrolls"));
      wxWindow* combo = form->FindWindow(c.combo);
      ASSERT_NE(combo, nullptr);
      if (c.focused) FocusOn(combo);
      CentreOn(form, combo);
      const std::string before = Value(combo);
      const int start = form->GetViewStart().y;
      const wxPoint over =
          combo->GetScreenRect().GetPosition() + wxPoint(10, combo->GetSize().y / 2);

      Wheel(over, true);
      EXPECT_EQ(Value(combo), before);
      const int after_down = form->GetViewStart().y;
      const int last = form->GetScrollRange(wxVERTICAL) - form->GetScrollThumb(wxVERTICAL);
      if (fits) {
        EXPECT_EQ(after_down, 0);
      } else if (start < last) {
        EXPECT_GT(after_down, start);
      } else {
        EXPECT_EQ(after_down, start);  // at the end already
      }
      // The combo moved with the form: the way back starts from its new place.
      Wheel(combo->GetScreenRect().GetPosition() + wxPoint(10, combo->GetSize().y / 2), false);
      EXPECT_EQ(Value(combo), before);
      if (fits) {
        EXPECT_EQ(form->GetViewStart().y, 0);
      } else {
        EXPECT_LT(form->GetViewStart().y, after_down);
      }
    }
  }
  // Nothing the wheel did reaches the record.
  ClickItem(view->FunctionList(), 1);
  Settle();
  EXPECT_EQ(RecordOf(dynamic_cast<CFuncDoc*>(view->GetDocument()), "first").attribute, 1);
  EXPECT_EQ(RecordOf(dynamic_cast<CFuncDoc*>(view->GetDocument()), "first").return_type, "long");
}

}  // namespace
