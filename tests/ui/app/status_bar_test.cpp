// The status bar: message pane with "ﾚﾃﾞｨ" and command prompts, and the lock indicators.

#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "tests/ui/app/app_fixture.h"

namespace {

TEST_F(AppTest, StatusBarHasMessagePaneAndFourIndicators) {
  ASSERT_TRUE(Start());
  wxStatusBar* bar = Frame()->GetStatusBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->GetId(), 59393);
  ASSERT_EQ(bar->GetFieldsCount(), 5);
  EXPECT_EQ(bar->GetStatusText(0), U("ﾚﾃﾞｨ"));
  EXPECT_EQ(bar->GetStatusWidth(0), -1);
  for (int pane = 1; pane < 5; ++pane) EXPECT_GT(bar->GetStatusWidth(pane), 0) << pane;
  EXPECT_EQ((std::array<int, 4>{59142, 59137, 59138, 59139}), CMainFrame::kIndicators);
}

TEST_F(AppTest, HighlightedMenuItemShowsFirstLineOfItsPromptThenReady) {
  ASSERT_TRUE(Start());
  wxStatusBar* bar = Frame()->GetStatusBar();
  wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, wxID_OPEN, Frame()->GetMenuBar()->GetMenu(0));
  Frame()->GetEventHandler()->ProcessEvent(highlight);
  EXPECT_EQ(bar->GetStatusText(0), U("既存のﾌｧｲﾙを開く"));
  wxMenuEvent close(wxEVT_MENU_CLOSE, 0, Frame()->GetMenuBar()->GetMenu(0));
  Frame()->GetEventHandler()->ProcessEvent(close);
  EXPECT_EQ(bar->GetStatusText(0), U("ﾚﾃﾞｨ"));
}

TEST_F(AppTest, ChildFrameMenuPromptsShowInMainStatusBar) {
  const wxString path = Path(wxS("page.htm"));
  WriteBytes(path, "<html><body>page</body></html>");
  ASSERT_TRUE(Start(path));
  auto* child = static_cast<wxFrame*>(Documents()[0]->GetFirstView()->GetFrame());
  wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, 32780, child->GetMenuBar()->GetMenu(1));
  child->GetEventHandler()->ProcessEvent(highlight);
  EXPECT_EQ(Frame()->GetStatusBar()->GetStatusText(0), U("ﾄﾞｷｭﾒﾝﾄを最新の情報に更新する"));
  child->DoGiveHelp(wxString(), false);
  EXPECT_EQ(Frame()->GetStatusBar()->GetStatusText(0), U("ﾚﾃﾞｨ"));
}

TEST_F(AppTest, ToolButtonUnderPointerShowsItsPrompt) {
  ASSERT_TRUE(Start());
  wxToolBar* bar = Frame()->GetToolBar();
  bar->OnMouseEnter(wxID_SAVE);
  EXPECT_EQ(Frame()->GetStatusBar()->GetStatusText(0), U("作業中のﾌｧｲﾙを上書きして保存"));
  bar->OnMouseEnter(wxID_ANY);
  EXPECT_EQ(Frame()->GetStatusBar()->GetStatusText(0), U("ﾚﾃﾞｨ"));
}

TEST_F(AppTest, IndicatorsShowTheirLabelWhileTheirLockIsOn) {
  ASSERT_TRUE(Start());
  wxStatusBar* bar = Frame()->GetStatusBar();
  Frame()->UpdateIndicators([](int) { return true; });
  EXPECT_EQ(bar->GetStatusText(1), U("ｶﾅ"));
  EXPECT_EQ(bar->GetStatusText(2), U("CAP"));
  EXPECT_EQ(bar->GetStatusText(3), U("NUM"));
  EXPECT_EQ(bar->GetStatusText(4), U("SCRL"));
  Frame()->UpdateIndicators([](int indicator) { return indicator == 59138; });
  EXPECT_EQ(bar->GetStatusText(1), wxString());
  EXPECT_EQ(bar->GetStatusText(2), wxString());
  EXPECT_EQ(bar->GetStatusText(3), U("NUM"));
  EXPECT_EQ(bar->GetStatusText(4), wxString());
  EXPECT_EQ(bar->GetStatusText(0), U("ﾚﾃﾞｨ"));
  // The keyboard's own state: kana lock is never on here; caps lock is what wx reads.
  EXPECT_FALSE(CMainFrame::KeyboardLockIsOn(59142));
  Frame()->UpdateIndicators();
  EXPECT_EQ(bar->GetStatusText(2), wxGetKeyState(WXK_CAPITAL) ? U("CAP") : wxString());
}

}  // namespace
