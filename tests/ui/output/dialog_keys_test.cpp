// The two dialogs from the keyboard, with real key events: Space toggles the focused box,
// Return on the focused OK button takes the boxes, Escape cancels.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "tests/ui/output/output_fixture.h"
#include "ui/dialogs/func_spec_settings_dlg.h"

namespace {

using DialogKeysTest = OutputTest;

// Shows a dialog without a modal loop of its own and lets it come up and take the focus.
void ShowForTyping(wxDialog& dialog, wxWindow* focus) {
  dialog.Show();
  dialog.Raise();
  PumpUntil([&] { return dialog.IsShownOnScreen(); }, 2000);
  focus->SetFocus();
  for (int i = 0; i < 10; ++i) {
    wxMilliSleep(20);
    Pump();
  }
}

void Type(int key) {
  wxUIActionSimulator keys;
  keys.Char(key);
  for (int i = 0; i < 10; ++i) {
    wxMilliSleep(20);
    Pump();
  }
}

TEST_F(DialogKeysTest, OptionsDialogTakesSpaceReturnAndEscape) {
  ASSERT_TRUE(Start());
  {
    CHtmlFormatDlg dialog(Frame());
    ShowForTyping(dialog, dialog.AttributeBox(quillmap::kAttrStatic));
    Type(' ');
    EXPECT_FALSE(dialog.AttributeBox(quillmap::kAttrStatic)->IsChecked());
    dialog.FindWindow(wxID_OK)->SetFocus();
    Type(WXK_RETURN);
    // Closed through OK: the boxes were read.
    EXPECT_FALSE(dialog.IsShown());
    for (unsigned slot = 0; slot < quillmap::kFuncAttributeCount; ++slot) {
      EXPECT_EQ(dialog.GetAttributeFlag(slot), slot == quillmap::kAttrStatic ? 0 : 1) << slot;
    }
  }
  {
    CHtmlFormatDlg dialog(Frame());
    ShowForTyping(dialog, dialog.AttributeBox(quillmap::kAttrPublic));
    Type(WXK_ESCAPE);
    // Closed without reading a box.
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_EQ(dialog.GetAttributeFlag(quillmap::kAttrPublic), 0);
  }
}

TEST_F(DialogKeysTest, SettingsDialogTakesSpaceReturnAndEscape) {
  ASSERT_TRUE(Start());
  {
    CFuncSpecSettingsDlg dialog(Frame());
    dialog.SetFlags(-1);
    ShowForTyping(dialog, dialog.BoxOf(quillmap::clip_flag::kNote));
    Type(' ');
    dialog.FindWindow(wxID_OK)->SetFocus();
    Type(WXK_RETURN);
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_EQ(dialog.GetFlags(), 0x0E);
  }
  {
    CFuncSpecSettingsDlg dialog(Frame());
    dialog.SetFlags(0x04);
    ShowForTyping(dialog, dialog.BoxOf(quillmap::clip_flag::kArguments));
    Type(' ');
    Type(WXK_ESCAPE);
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_TRUE(dialog.BoxOf(quillmap::clip_flag::kArguments)->IsChecked());
    EXPECT_EQ(dialog.GetFlags(), 0x04);
  }
}

}  // namespace
