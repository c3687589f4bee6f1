// The Edit menu's function and argument items and the form's buttons under the main frame's
// enabling of commands: the argument items always run, the argument buttons follow whether a
// function is shown, and the structure items stay off while nothing handles them.

#include <wx/button.h>
#include <wx/menu.h>

#include "tests/ui/app/app_fixture.h"
#include "ui/res/ids.h"
#include "ui/view/func_view.h"

namespace {

TEST_F(AppTest, ArgumentItemsRunWhileTheirButtonsFollowTheShownFunction) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  ASSERT_EQ(Documents().size(), 1u);
  auto* view = wxDynamicCast(Documents()[0]->GetFirstView(), CFuncView);
  ASSERT_NE(view, nullptr);
  auto* child = static_cast<wxFrame*>(view->GetFrame());
  const int argument_ids[] = {ids::kAddArgument, ids::kDeleteArgument, ids::kCopyArgument};

  // Idle passes run every window's update; the disabled buttons stay disabled.
  Pump();
  Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  child->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  for (int id : argument_ids) {
    EXPECT_TRUE(MenuItemEnabled(child, id)) << id;
    EXPECT_FALSE(view->Button(id)->IsEnabled()) << id;
  }
  for (int id : {ids::kAddFunction, ids::kDeleteFunction, ids::kCopyFunction}) {
    EXPECT_TRUE(MenuItemEnabled(child, id)) << id;
    EXPECT_TRUE(view->Button(id)->IsEnabled()) << id;
  }
  for (int id : {ids::kMenuAddStructure, ids::kMenuDeleteStructure, ids::kMenuCopyStructure}) {
    EXPECT_FALSE(MenuItemEnabled(child, id)) << id;
  }

  // With a function shown the buttons are on, and idle passes keep them on.
  ASSERT_TRUE(view->CreateFunction("int", "Calc"));
  Pump();
  child->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  for (int id : argument_ids) {
    EXPECT_TRUE(view->Button(id)->IsEnabled()) << id;
    EXPECT_TRUE(MenuItemEnabled(child, id)) << id;
  }
  view->EnableFunctionFields(false);
  Pump();
  for (int id : argument_ids) EXPECT_FALSE(view->Button(id)->IsEnabled()) << id;
}

}  // namespace
