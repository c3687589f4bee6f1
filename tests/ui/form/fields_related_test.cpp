// Stores on leaving a field, the growing return-type list, the attribute written by the next
// store, and the related functions chosen in the related dialog.

#include <algorithm>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listbox.h>

#include "edit_fixture.h"
#include "ui/dialogs/related_func_dlg.h"
#include "ui/res/ids.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

class FieldsTest : public EditTest {
 protected:
  // Opens functions "Calc", "Init", "Draw" with Calc's related "Init" and "Gone" (a function that
  // no longer exists), and shows Calc.
  CFuncView* ShowCalc(const std::string& file) {
    quillmap::SpecStore store;
    AddFunctions(store, {"Calc", "Init", "Draw"});
    quillmap::FunctionSpec calc;
    store.GetFunction(0, calc);
    calc.AddLink("Init");
    calc.AddLink("Gone");
    store.PutFunction(0, calc);
    CFuncView* view = Open(store, file);
    if (view != nullptr) ClickRow(view->FunctionList(), 0);
    return view;
  }

  // Clicks into a field for real, at its left end.
  static void ClickInto(wxWindow* field) {
    ClickAt(field->GetScreenPosition() + wxPoint(6, field->GetSize().y / 2));
  }
};

TEST_F(FieldsTest, TypingStoresNothingUntilTheFieldIsLeft) {
  CFuncView* view = ShowCalc("typing.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  ClickInto(view->ExplanationEdit());
  ASSERT_EQ(wxWindow::FindFocus(), view->ExplanationEdit());
  TypeText("explained");
  EXPECT_EQ(view->ExplanationEdit()->GetValue(), "explained");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(RecordOf(doc, "Calc").explanation, "");

  ClickInto(view->NoteEdit());
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(RecordOf(doc, "Calc").explanation, "explained");

  // Only moving through the fields stores the same texts: no step, the mark stays as it is.
  doc->Modify(false);
  ClickInto(view->HeadingEdit());
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(FieldsTest, AFieldTypedIntoIsStoredBeforeAMenuCommandShowsAnotherFunction) {
  CFuncView* view = ShowCalc("menu.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  // The focus stays in the heading while the menu command runs.
  ClickInto(view->HeadingEdit());
  view->HeadingEdit()->SelectAll();
  TypeText("typed");
  SendMenu(view, ids::kCopyFunction);
  EXPECT_EQ(view->NameEdit()->GetValue(), "Calc1");
  EXPECT_EQ(RecordOf(doc, "Calc").heading, "typed");
  EXPECT_EQ(RecordOf(doc, "Calc1").heading, "typed");
}

TEST_F(FieldsTest, NewReturnTypeJoinsTheListOnce) {
  CFuncView* view = ShowCalc("dword.dcm");
  ASSERT_NE(view, nullptr);
  SjisComboBox* combo = view->ReturnTypeCombo();
  auto count_dword = [combo] {
    const std::vector<wxString> entries = EntryTexts(combo);
    return std::count(entries.begin(), entries.end(), wxString("DWORD"));
  };
  ClickInto(combo);
  combo->SelectAll();
  TypeText("DWORD");
  EXPECT_EQ(count_dword(), 0);
  ClickInto(view->NoteEdit());
  EXPECT_EQ(RecordOf(view->GetFuncDoc(), "Calc").return_type, "DWORD");
  EXPECT_EQ(count_dword(), 1);

  // Typed again for another function: nothing new.
  ClickRow(view->FunctionList(), 1);
  ClickInto(combo);
  combo->SelectAll();
  TypeText("DWORD");
  ClickInto(view->NoteEdit());
  EXPECT_EQ(RecordOf(view->GetFuncDoc(), "Init").return_type, "DWORD");
  EXPECT_EQ(count_dword(), 1);
}

TEST_F(FieldsTest, AttributeIsWrittenByTheNextStore) {
  CFuncView* view = ShowCalc("attribute.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  view->AttributeCombo()->SetSelection(quillmap::kAttrPrivate);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(RecordOf(doc, "Calc").attribute, quillmap::kAttrPublic);
  ClickRow(view->FunctionList(), 2);
  EXPECT_EQ(RecordOf(doc, "Calc").attribute, quillmap::kAttrPrivate);
}

// Answers the related dialog: checks both lists, moves `moved` to the right, answers.
DialogAnswer<CRelatedFuncDlg> ChooseRelated(std::vector<wxString> left, std::vector<wxString> right,
                                            const char* moved, int answer) {
  return DialogAnswer<CRelatedFuncDlg>([=](CRelatedFuncDlg* dialog) {
    EXPECT_EQ(EntryTexts(dialog->Candidates()), left);
    EXPECT_EQ(EntryTexts(dialog->Chosen()), right);
    if (moved != nullptr) {
      dialog->Candidates()->SetSelection(dialog->Candidates()->FindString(moved, true));
      wxCommandEvent click(wxEVT_BUTTON, ids::kRelatedMove);
      click.SetEventObject(dialog->MoveButton());
      dialog->MoveButton()->GetEventHandler()->ProcessEvent(click);
    }
    return answer;
  });
}

TEST_F(FieldsTest, RelatedDialogOffersEveryFunctionAndStoresTheChoiceSorted) {
  CFuncView* view = ShowCalc("related.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  EXPECT_EQ(EntryTexts(view->RelatedCombo()), (std::vector<wxString>{"Gone", "Init"}));

  // Cancel changes nothing.
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddRelated)),
                ChooseRelated({"Calc", "Draw"}, {"Gone", "Init"}, "Draw", wxID_CANCEL));
  EXPECT_EQ(EntryTexts(view->RelatedCombo()), (std::vector<wxString>{"Gone", "Init"}));
  EXPECT_FALSE(doc->IsModified());

  // The shown function itself is a candidate too; the choice is stored in sorted order.
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddRelated)),
                ChooseRelated({"Calc", "Draw"}, {"Gone", "Init"}, "Calc", wxID_OK));
  EXPECT_EQ(EntryTexts(view->RelatedCombo()), (std::vector<wxString>{"Calc", "Gone", "Init"}));
  EXPECT_EQ(view->RelatedCombo()->GetSelection(), 0);
  EXPECT_EQ(RecordOf(doc, "Calc").links, (std::vector<std::string>{"Calc", "Gone", "Init"}));
  EXPECT_TRUE(doc->IsModified());

  // OK without a change stores the same texts: no step, the mark stays as it is.
  doc->Modify(false);
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddRelated)),
                ChooseRelated({"Draw"}, {"Calc", "Gone", "Init"}, nullptr, wxID_OK));
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(FieldsTest, FunctionWithoutRelatedOpensWithEveryFunctionLeft) {
  CFuncView* view = ShowCalc("empty.dcm");
  ASSERT_NE(view, nullptr);
  ClickRow(view->FunctionList(), 2);
  ASSERT_EQ(view->NameEdit()->GetValue(), "Draw");
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddRelated)),
                ChooseRelated({"Calc", "Draw", "Init"}, {}, nullptr, wxID_CANCEL));
}

}  // namespace
