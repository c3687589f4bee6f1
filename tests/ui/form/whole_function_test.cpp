// A whole function built in the form with the keyboard, mouse and dialogs, saved, and read back
// from the file.

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listbox.h>

#include "edit_fixture.h"
#include "ui/dialogs/add_func_dlg.h"
#include "ui/dialogs/arg_dlg.h"
#include "ui/dialogs/related_func_dlg.h"
#include "ui/res/ids.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

using WholeFunctionTest = EditTest;

DialogAnswer<CAddFuncDlg> Prototype(const char* text) {
  return DialogAnswer<CAddFuncDlg>([text](CAddFuncDlg* dialog) {
    dialog->Entry()->SetValue(U(text));
    return wxID_OK;
  });
}

// Types into a field for real: clicks into it, selects what it holds, types.
void TypeInto(wxWindow* field, wxTextEntry* entry, const char* text) {
  ClickAt(field->GetScreenPosition() + wxPoint(6, 8));
  entry->SelectAll();
  TypeText(text);
}

TEST_F(WholeFunctionTest, EveryFieldSurvivesSavingAndReopening) {
  CFuncView* view = OpenWith({}, "whole.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();

  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddFunction)), Prototype("void Helper(void)"));
  wxTEST_DIALOG(SendMenu(view, ids::kAddFunction), Prototype("int Calc(int a, int b)"));
  ASSERT_EQ(view->NameEdit()->GetValue(), "Calc");

  TypeInto(view->HeadingEdit(), view->HeadingEdit(), "adds two numbers");
  view->AttributeCombo()->SetSelection(quillmap::kAttrStatic);

  // Arguments: add one, edit it in the dialog, delete the first, copy the second.
  FocusOn(view->ArgumentList());
  PressKey(WXK_INSERT);
  wxTEST_DIALOG(ClickAt(RowPoint(view->ArgumentList(), 2), true),
                DialogAnswer<CArgDlg>([](CArgDlg* dialog) {
                  dialog->TypeEdit()->SetValue("const char*");
                  dialog->NameEdit()->SetValue("label");
                  dialog->DescriptionEdit()->SetValue(U("表示する文字列"));
                  return wxID_OK;
                }));
  ClickAt(RowPoint(view->ArgumentList(), 0));
  wxTEST_DIALOG(PressKey(WXK_DELETE), wxExpectModal<wxMessageDialog>(wxYES));
  // The mark stays on the first row, now the second argument.
  ClickOn(view->Button(ids::kCopyArgument));

  TypeInto(view->ReturnTypeCombo(), view->ReturnTypeCombo(), "long");
  TypeInto(view->ReturnTextEdit(), view->ReturnTextEdit(), "the sum");
  TypeInto(view->ExplanationEdit(), view->ExplanationEdit(), "first line");
  PressKey(WXK_RETURN);
  TypeText("second line");
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddRelated)),
                DialogAnswer<CRelatedFuncDlg>([](CRelatedFuncDlg* dialog) {
                  dialog->Candidates()->SetSelection(dialog->Candidates()->FindString("Helper"));
                  wxCommandEvent click(wxEVT_BUTTON, ids::kRelatedMove);
                  dialog->MoveButton()->GetEventHandler()->ProcessEvent(click);
                  return wxID_OK;
                }));
  // The note is typed and never left: saving stores it.
  TypeInto(view->NoteEdit(), view->NoteEdit(), "see also Helper");
  SendMenu(view, wxID_SAVE);
  EXPECT_FALSE(doc->IsModified());

  FunctionRecord expected;
  expected.heading = "adds two numbers";
  expected.attribute = quillmap::kAttrStatic;
  expected.arguments = {{"int", "b", "'int' type"},
                        {"const char*", "label", Sjis("表示する文字列")},
                        {"int", "b", "'int' type"}};
  expected.return_type = "long";
  expected.return_text = "the sum";
  expected.explanation = "first line\nsecond line";
  expected.note = "see also Helper";
  expected.links = {"Helper"};
  expected.history = {Today() + " " + Sjis("新規作成")};
  EXPECT_EQ(RecordOf(doc, "Calc"), expected);

  ASSERT_TRUE(manager_->CloseDocument(doc));
  Pump();
  CFuncDoc* reopened = OpenDocument(TempPath("whole.dcm"));
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(RecordOf(reopened, "Calc"), expected);
  CFuncView* shown = ViewOf(reopened);
  EXPECT_EQ(ItemTexts(shown->FunctionList()), (std::vector<wxString>{"Helper", "Calc"}));
  ASSERT_TRUE(shown->ShowFunction(1));
  EXPECT_EQ(shown->HeadingEdit()->GetValue(), "adds two numbers");
  EXPECT_EQ(shown->AttributeCombo()->GetStringSelection(), "static");
  EXPECT_EQ(ItemTexts(shown->ArgumentList(), 1), (std::vector<wxString>{"b", "label", "b"}));
  EXPECT_EQ(shown->ArgumentList()->GetItemText(1, 2), U("表示する文字列"));
  EXPECT_EQ(shown->ReturnTypeCombo()->GetValue(), "long");
  EXPECT_EQ(shown->ExplanationEdit()->GetValue(), "first line\nsecond line");
  EXPECT_EQ(shown->NoteEdit()->GetValue(), "see also Helper");
  EXPECT_EQ(EntryTexts(shown->RelatedCombo()), (std::vector<wxString>{"Helper"}));
  EXPECT_EQ(shown->HistoryCombo()->GetString(0), U(Today().c_str()) + U(" 新規作成"));
}

}  // namespace
