// Find in a function document as a user does it: real keys for Ctrl+F, typing, Return,
// Shift+Return, F3 and Escape, checked against the form's lists, fields, selections and the
// status bar.
#include "tests/ui/app/app_fixture.h"

#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "core/model/spec_store.h"
#include "core/text/sjis.h"
#include "ui/dialogs/find_dlg.h"
#include "ui/view/func_view.h"
#include "ui/view/view_find.h"
#include "ui/widgets/sjis_field.h"

namespace {

using quillmap::text::Sjis;

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

// Answers a message box with OK and keeps its text.
class MessageAnswer : public wxExpectModalBase<wxMessageDialog> {
 public:
  explicit MessageAnswer(wxString& seen) : seen_(seen) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override {
    seen_ = dialog->GetMessage();
    return wxID_OK;
  }

 private:
  wxString& seen_;
};

class FindTest : public AppTest {
 protected:
  // "count" lies in alpha's heading, beta's explanation (second line), gamma's first argument
  // and the name of structure COUNTER; delta holds it nowhere.
  void StartOnDocument() {
    quillmap::SpecStore store;
    const char* names[] = {"alpha", "beta", "gamma", "delta"};
    for (const char* name : names) store.AddFunction(name);
    quillmap::FunctionSpec function;
    store.GetFunction(0, function);
    function.SetIndex("count items");
    store.PutFunction(0, function);
    store.GetFunction(1, function);
    function.SetExplanation(Sjis("一行目\r\nthe COUNT here"));
    store.PutFunction(1, function);
    store.GetFunction(2, function);
    function.AddArgument("int", "n", "first");
    function.AddArgument("int", "m", Sjis("ｶｳﾝﾄ count"));
    store.PutFunction(2, function);
    store.AddStruct("COUNTER");
    const wxString path = Path(wxS("find.dcm"));
    quillmap::SaveStoreToPath(store, path.utf8_string());
    ASSERT_TRUE(Start(path));
    view_ = wxDynamicCast(Documents().at(0)->GetFirstView(), CFuncView);
    ASSERT_NE(view_, nullptr);
    Frame()->Raise();
    view_->FunctionList()->SetFocus();
    Settle();
  }

  static void Settle() {
    for (int i = 0; i < 10; ++i) {
      wxMilliSleep(20);
      Pump();
    }
  }

  // Presses a key and waits until the editor has done what it does for it.
  void Press(int key, int modifiers = wxMOD_NONE) {
    keys_.Char(key, modifiers);
    Settle();
  }

  CFindDlg* Window() const { return view_->Find()->Window(); }
  wxString Shown() const { return view_->NameEdit()->GetValue(); }
  static long Selected(wxListCtrl* list) {
    return list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  }
  wxString Status() const { return Frame()->GetStatusBar()->GetStatusText(0); }
  bool FocusInWindow() const {
    return Window() != nullptr && wxWindow::FindFocus() == Window()->Entry();
  }

  CFuncView* view_ = nullptr;
  wxUIActionSimulator keys_;
};

TEST_F(FindTest, StepsThroughMatchesFromTheKeyboard) {
  StartOnDocument();
  // F3 with no text yet opens the window, with the focus in its text.
  Press(WXK_F3);
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(Window()->IsShown());
  EXPECT_TRUE(FocusInWindow());
  keys_.Text("count");
  Settle();
  EXPECT_EQ(Window()->Entry()->GetValue(), wxS("count"));

  // Return: alpha's heading, its word selected; the focus stays in the window.
  Press(WXK_RETURN);
  EXPECT_EQ(Shown(), wxS("alpha"));
  EXPECT_EQ(Selected(view_->FunctionList()), 0);
  EXPECT_EQ(view_->HeadingEdit()->GetStringSelection(), wxS("count"));
  EXPECT_TRUE(FocusInWindow());
  Press(WXK_RETURN);
  EXPECT_EQ(Shown(), wxS("beta"));
  EXPECT_EQ(Selected(view_->FunctionList()), 1);
  EXPECT_EQ(view_->ExplanationEdit()->GetStringSelection(), wxS("COUNT"));
  // gamma: ｶｳﾝﾄ is katakana, not the word; "count" after it is in the second argument row.
  Press(WXK_RETURN);
  EXPECT_EQ(Shown(), wxS("gamma"));
  EXPECT_EQ(Selected(view_->ArgumentList()), 1);
  Press(WXK_RETURN);
  EXPECT_EQ(Selected(view_->StructureList()), 0);
  EXPECT_EQ(Shown(), wxS("gamma"));  // a structure is not shown in the fields
  EXPECT_EQ(Status(), U("ﾚﾃﾞｨ"));
  // Past the end: from the top again, with a note.
  Press(WXK_RETURN);
  EXPECT_EQ(Shown(), wxS("alpha"));
  EXPECT_EQ(Status(), U("先頭から検索しました"));
  // Shift+Return goes back, wrapping at the start.
  Press(WXK_RETURN, wxMOD_SHIFT);
  EXPECT_EQ(Selected(view_->StructureList()), 0);
  EXPECT_EQ(Status(), U("末尾から検索しました"));
  Press(WXK_RETURN, wxMOD_SHIFT);
  EXPECT_EQ(Shown(), wxS("gamma"));
  EXPECT_TRUE(FocusInWindow());

  // Escape closes the window and puts the focus on the control of the last match.
  Press(WXK_ESCAPE);
  EXPECT_FALSE(Window()->IsShown());
  EXPECT_EQ(wxWindow::FindFocus(), view_->ArgumentList());
  // F3 and Shift+F3 from the form step on without the window.
  Press(WXK_F3);
  EXPECT_EQ(Selected(view_->StructureList()), 0);
  EXPECT_FALSE(Window()->IsShown());
  Press(WXK_F3, wxMOD_SHIFT);
  EXPECT_EQ(Shown(), wxS("gamma"));
}

TEST_F(FindTest, NoMatchSaysSoAndMovesNothing) {
  StartOnDocument();
  Press('f', wxMOD_CONTROL);
  ASSERT_NE(Window(), nullptr);
  ASSERT_TRUE(FocusInWindow());
  keys_.Text("beta");
  Settle();
  Press(WXK_RETURN);
  ASSERT_EQ(Shown(), wxS("beta"));
  // Names only: "count" is in no name of a function, only in the structure's.
  Window()->NamesOnlyButton()->SetValue(true);
  Press('f', wxMOD_CONTROL);  // the whole text is selected again: typing replaces it
  keys_.Text("zzz");
  Settle();
  wxString seen;
  wxTEST_DIALOG(Press(WXK_RETURN), MessageAnswer(seen));
  EXPECT_EQ(seen, U("'zzz' が見つかりません。"));
  EXPECT_EQ(Shown(), wxS("beta"));
  EXPECT_EQ(Selected(view_->FunctionList()), 1);
  Press('f', wxMOD_CONTROL);
  keys_.Text("count");
  Settle();
  Press(WXK_RETURN);
  EXPECT_EQ(Selected(view_->StructureList()), 0);
  EXPECT_EQ(Shown(), wxS("beta"));
}

}  // namespace
