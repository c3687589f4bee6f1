// The clipboard commands: the current function's comment block in both formats, the cases that
// copy nothing, and the settings dialog with the flag word in the profile.
#include <algorithm>

#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/config.h>

#include "core/output/ini_profile.h"
#include "core/text/sjis.h"
#include "tests/ui/output/output_fixture.h"
#include "ui/dialogs/func_spec_settings_dlg.h"
#include "ui/doc/func_doc.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

namespace {

using ClipboardTest = OutputTest;

const std::string kRule = "//" + std::string(76, '-') + "\n";

// The worked example: "add" with two arguments, return text and explanation, all sections on.
std::string WorkedExample() {
  return kRule +
         quillmap::text::Sjis(
             "//  関数名\n"
             "//    add\n"
             "//  引数\n"
             "//    int  a  ( first )\n"
             "//    int  b  ( second )\n"
             "//  戻り値\n"
             "//    sum\n"
             "//  説明\n"
             "//    adds\n"
             "//  \n") +
         kRule;
}

long StoredFlags() {
  long value = 12345;
  wxConfigBase::Get()->Read(wxS("/ToClipFcunSpec/FuncSpec"), &value);
  return value;
}

TEST_F(ClipboardTest, CopyPutsTheWorkedExampleAsTextAndAsShiftJisBytes) {
  ASSERT_NE(OpenExample(), nullptr);
  ASSERT_TRUE(View()->ShowFunction(0));
  PutTextOnClipboard(wxS("before"));
  EXPECT_TRUE(Copy());

  const std::string expected = WorkedExample();
  EXPECT_EQ(ClipboardShiftJis(), expected + '\0');
  EXPECT_EQ(ClipboardText(), wxString::FromUTF8(quillmap::text::SjisToUtf8(expected)));
  EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 12);
  EXPECT_FALSE(doc_->IsModified());
}

TEST_F(ClipboardTest, ADeletedOrNoCurrentFunctionLeavesTheClipboardAsItWas) {
  ASSERT_NE(OpenExample(), nullptr);
  PutTextOnClipboard(wxS("before"));
  // Listing the functions made the last one current; it is deleted, and its index now names
  // no function.
  ASSERT_EQ(doc_->GetCurrentFunction(), 4);
  ASSERT_TRUE(doc_->RemoveFunction(4));
  EXPECT_TRUE(Copy());
  EXPECT_EQ(ClipboardText(), wxS("before"));
  EXPECT_EQ(ClipboardShiftJis(), std::string());

  // A new document has no current function until one is fetched.
  ASSERT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  doc_ = wxDynamicCast(Documents().at(1), CFuncDoc);
  ASSERT_NE(doc_, nullptr);
  doc_->AddFunction("never_shown");
  EXPECT_EQ(doc_->GetCurrentFunction(), -1);
  EXPECT_TRUE(Copy());
  EXPECT_EQ(ClipboardText(), wxS("before"));
}

TEST_F(ClipboardTest, AnEditStillInTheFormIsStoredAndCopied) {
  ASSERT_NE(OpenExample(), nullptr);
  ASSERT_TRUE(View()->ShowFunction(0));
  // Typed into the explanation, the focus still there: the copy holds what the form shows.
  View()->ExplanationEdit()->ChangeValue(wxS("adds two numbers"));
  EXPECT_TRUE(Copy());
  EXPECT_NE(ClipboardShiftJis().find("//    adds two numbers\n"), std::string::npos);
  EXPECT_TRUE(doc_->IsModified());
}

TEST_F(ClipboardTest, ABusyClipboardIsLeftAlone) {
  ASSERT_NE(OpenExample(), nullptr);
  ASSERT_TRUE(View()->ShowFunction(0));
  PutTextOnClipboard(wxS("before"));
  ASSERT_TRUE(wxTheClipboard->Open());
  EXPECT_TRUE(Copy());
  wxTheClipboard->Close();
  EXPECT_EQ(ClipboardText(), wxS("before"));
}

TEST_F(ClipboardTest, TheFlagWordIsReadFromTheProfileAtEveryCopy) {
  ASSERT_NE(OpenExample(), nullptr);
  ASSERT_TRUE(View()->ShowFunction(0));
  wxConfigBase::Get()->Write(wxS("/ToClipFcunSpec/FuncSpec"), 0L);
  Copy();
  EXPECT_EQ(ClipboardShiftJis(),
            kRule + quillmap::text::Sjis("//  関数名\n//    add\n//  \n") + kRule + '\0');

  wxConfigBase::Get()->Write(wxS("/ToClipFcunSpec/FuncSpec"), 0x08L);
  Copy();
  EXPECT_EQ(ClipboardShiftJis(),
            kRule + quillmap::text::Sjis("//  関数名\n//    add\n//  説明\n//    adds\n//  \n") +
                kRule + '\0');
}

// Answers the settings dialog: records the boxes as shown, checks those of `bits`, and presses
// OK or Cancel.
class SettingsAnswer : public wxExpectModalBase<CFuncSpecSettingsDlg, SettingsAnswer> {
 public:
  SettingsAnswer(int bits, int answer, int* shown) : bits_(bits), answer_(answer), shown_(shown) {}

 protected:
  int OnInvoked(CFuncSpecSettingsDlg* dialog) const override {
    *shown_ = 0;
    for (int bit : {0x02, 0x04, 0x08, 0x10}) {
      if (dialog->BoxOf(bit)->IsChecked()) *shown_ |= bit;
      dialog->BoxOf(bit)->SetValue((bits_ & bit) != 0);
    }
    if (answer_ == wxID_OK) dialog->TransferDataFromWindow();
    return answer_;
  }

 private:
  int bits_;
  int answer_;
  int* shown_;
};

TEST_F(ClipboardTest, SettingsShowFourBoxesWithoutAnEntryAndOkStoresTheChoice) {
  ASSERT_NE(OpenExample(), nullptr);
  int shown = -1;
  wxTEST_DIALOG(EXPECT_TRUE(SendCommand(Child(), 32783)),
                SettingsAnswer(0x02 | 0x08, wxID_OK, &shown));
  EXPECT_EQ(shown, 0x1E);
  EXPECT_EQ(StoredFlags(), 0x0A);
  // The file the command line reads holds it too.
  const quillmap::IniProfile file(ProfilePath().utf8_string());
  EXPECT_EQ(quillmap::LoadClipboardSpecSettings(&file), 0x0A);

  // The next copy holds the arguments and the explanation, not the return value.
  ASSERT_TRUE(View()->ShowFunction(0));
  Copy();
  const std::string block = ClipboardShiftJis();
  EXPECT_NE(block.find(quillmap::text::Sjis("//  引数\n")), std::string::npos);
  EXPECT_NE(block.find(quillmap::text::Sjis("//  説明\n")), std::string::npos);
  EXPECT_EQ(block.find(quillmap::text::Sjis("戻り値")), std::string::npos);
}

TEST_F(ClipboardTest, SettingsCancelKeepsTheStoredWord) {
  ASSERT_NE(OpenExample(), nullptr);
  // Without an entry, Cancel writes the word it loaded: -1.
  int shown = 0;
  wxTEST_DIALOG(SendCommand(Child(), 32783), SettingsAnswer(0, wxID_CANCEL, &shown));
  EXPECT_EQ(StoredFlags(), -1);

  wxConfigBase::Get()->Write(wxS("/ToClipFcunSpec/FuncSpec"), 0x0CL);
  wxTEST_DIALOG(SendCommand(Child(), 32783), SettingsAnswer(0x12, wxID_CANCEL, &shown));
  EXPECT_EQ(shown, 0x0C);
  EXPECT_EQ(StoredFlags(), 0x0C);
}

}  // namespace
