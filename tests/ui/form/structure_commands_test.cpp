// The structure list's commands: add, delete, copy and edit from their buttons, keys and double
// clicks, renaming by label editing, and what reaches the document, the list and the return-type
// list.

#include <wx/button.h>

#include "struct_fixture.h"
#include "ui/res/ids.h"

namespace {

using StructureCommandsTest = StructTest;

// Answers CStructDefDlg: lets check look at it as it opened, lets fill change it, then answers.
DialogAnswer<CStructDefDlg> Define(std::function<void(CStructDefDlg*)> fill, int answer = wxID_OK) {
  return DialogAnswer<CStructDefDlg>([fill, answer](CStructDefDlg* dialog) {
    EXPECT_EQ(dialog->GetTitle(), U("構造体定義"));
    if (fill) fill(dialog);
    return answer;
  });
}

TEST_F(StructureCommandsTest, AddOpensWithTheDefaultsAndRefusesATakenName) {
  CFuncView* view = OpenStructs({Named("POINT")}, "add.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->StructureList();
  ClickRow(list, 0);

  // Insert in the list: the dialog opens on a new record; OK unchanged creates "default".
  wxTEST_DIALOG(PressKey(WXK_INSERT), Define([](CStructDefDlg* dialog) {
                  EXPECT_EQ(dialog->NameEdit()->GetValue(), "default");
                  EXPECT_EQ(dialog->HeadingEdit()->GetValue(), "index");
                  EXPECT_EQ(dialog->ExplanationEdit()->GetValue(), "");
                  EXPECT_EQ(dialog->MemberList()->GetItemCount(), 0);
                  EXPECT_EQ(dialog->RelatedCombo()->GetCount(), 0u);
                  EXPECT_TRUE(dialog->FindWindow(wxID_OK)->IsEnabled());
                }));
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"POINT", "default"}));
  EXPECT_EQ(StructOf(doc, "default"), StructRecord{});
  EXPECT_TRUE(OffersReturnType(view, "default"));
  EXPECT_TRUE(doc->IsModified());
  // The mark stays where it was.
  EXPECT_EQ(list->GetSelectionMark(), 0);

  // Again: the name is taken; nothing is written.
  doc->Modify(false);
  ShownMessage shown;
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddStructure)), Define(nullptr),
                RecordingMessageExpectation(shown));
  EXPECT_EQ(shown.caption, U("構造体ﾘｽﾄに構造体を追加\n構造体の追加"));
  EXPECT_EQ(shown.message, U("すでに存在する構造体名です"));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  EXPECT_EQ(doc->GetStructCount(), 2u);
  EXPECT_EQ(list->GetItemCount(), 2);
  EXPECT_FALSE(doc->IsModified());

  // Cancel ends the command.
  wxTEST_DIALOG(
      ClickOn(view->Button(ids::kAddStructure)),
      Define([](CStructDefDlg* dialog) { dialog->NameEdit()->SetValue("SIZE"); }, wxID_CANCEL));
  EXPECT_EQ(doc->GetStructCount(), 2u);
  EXPECT_FALSE(OffersReturnType(view, "SIZE"));
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(StructureCommandsTest, AddStoresEverythingTypedInTheDialog) {
  CFuncView* view = OpenStructs({Named("POINT")}, "typed.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddStructure)),
                DriveStructDlg([](CStructDefDlg* dialog) {
                  dialog->NameEdit()->SelectAll();
                  TypeText("RECT");
                  FocusOn(dialog->HeadingEdit());
                  dialog->HeadingEdit()->SelectAll();
                  TypeText("box");
                  FocusOn(dialog->MemberList());
                  PressKey(WXK_INSERT);
                  PressKey(WXK_INSERT);
                  FocusOn(dialog->ExplanationEdit());
                  TypeText("two corners");
                  ClickOn(dialog->FindWindow(wxID_OK));
                }));
  StructRecord expected = Named("RECT");
  expected.heading = "box";
  expected.explanation = "two corners";
  expected.members = {{"type", "value", "comment"}, {"type", "value", "comment"}};
  EXPECT_EQ(StructOf(doc, "RECT"), expected);
  EXPECT_EQ(ItemTexts(view->StructureList()), (std::vector<wxString>{"POINT", "RECT"}));
  EXPECT_TRUE(OffersReturnType(view, "RECT"));
  // No function was touched.
  EXPECT_EQ(view->NameEdit()->GetValue(), "");
}

TEST_F(StructureCommandsTest, DeleteAsksAndLeavesTheNameInTheReturnTypeList) {
  CFuncView* view = OpenStructs({Named("POINT"), Named("RECT")}, "delete.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->StructureList();

  // After opening the structure list has no mark.
  ShownMessage shown = ExpectMessage([&] { ClickOn(view->Button(ids::kDeleteStructure)); });
  EXPECT_EQ(shown.caption, U("構造体ﾘｽﾄから構造体を削除\n構造体の削除"));
  EXPECT_EQ(shown.message, U("関数を選択してください"));
  EXPECT_TRUE(shown.style & wxICON_STOP);

  ClickRow(list, 0);
  wxTEST_DIALOG(PressKey(WXK_DELETE), RecordingMessageExpectation(shown, wxID_NO));
  EXPECT_EQ(shown.caption, U("構造体ﾘｽﾄから構造体を削除\n構造体の削除"));
  EXPECT_EQ(shown.message, U("'POINT'\nを削除してもよろしいですか？"));
  EXPECT_TRUE(shown.style & wxICON_QUESTION);
  EXPECT_TRUE(shown.style & wxYES_NO);
  EXPECT_TRUE(shown.style & wxNO_DEFAULT);
  EXPECT_EQ(doc->GetStructCount(), 2u);
  EXPECT_FALSE(doc->IsModified());

  wxTEST_DIALOG(PressKey(WXK_DELETE), RecordingMessageExpectation(shown, wxID_YES));
  EXPECT_EQ(doc->FindStruct("POINT"), -1);
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"RECT"}));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(OffersReturnType(view, "POINT"));

  // The mark went to the item that took the deleted one's place.
  wxTEST_DIALOG(ClickOn(view->Button(ids::kDeleteStructure)),
                RecordingMessageExpectation(shown, wxID_YES));
  EXPECT_EQ(shown.message, U("'RECT'\nを削除してもよろしいですか？"));
  EXPECT_EQ(doc->GetStructCount(), 0u);
  shown = ExpectMessage([&] {
    FocusOn(list);
    PressKey(WXK_DELETE);
  });
  EXPECT_EQ(shown.caption, U("構造体ﾘｽﾄから構造体を削除\n構造体の削除"));
  EXPECT_EQ(shown.message, U("削除する構造体がありません"));
  EXPECT_TRUE(OffersReturnType(view, "RECT"));
}

TEST_F(StructureCommandsTest, CopyTakesTheSmallestFreeNumberAndCarriesTheFields) {
  StructRecord a = Named("A");
  a.heading = Sjis("構造体A");
  a.explanation = "ex";
  a.members = {{"int", "x", "first"}, {"char*", "s", ""}};
  a.links = {"A1"};
  CFuncView* view = OpenStructs({a, Named("A1"), Named("A2")}, "copy.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->StructureList();

  ShownMessage shown = ExpectMessage([&] { ClickOn(view->Button(ids::kCopyStructure)); });
  EXPECT_EQ(shown.caption, U("構造体をｺﾋﾟｰして追加\n構造体のｺﾋﾟｰ"));
  EXPECT_EQ(shown.message, U("関数を選択してください"));
  EXPECT_TRUE(shown.style & wxICON_STOP);

  ClickRow(list, 0);
  ClickOn(view->Button(ids::kCopyStructure));
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"A", "A1", "A2", "A3"}));
  StructRecord a3 = a;
  a3.name = "A3";
  EXPECT_EQ(StructOf(doc, "A3"), a3);
  EXPECT_TRUE(OffersReturnType(view, "A3"));
  EXPECT_EQ(list->GetSelectionMark(), 0);

  ClickRow(list, 1);
  ClickOn(view->Button(ids::kCopyStructure));
  EXPECT_EQ(list->GetItemText(4), "A11");
  EXPECT_EQ(StructOf(doc, "A11").name, "A11");
}

TEST_F(StructureCommandsTest, DoubleClickEditsAndRenamesInPlaceOfTheOld) {
  StructRecord point = Named("POINT");
  point.members = {{"int", "x", ""}};
  point.note = "note";
  point.history = 1;
  CFuncView* view = OpenStructs({point, Named("RECT")}, "edit.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->StructureList();
  ASSERT_TRUE(OffersReturnType(view, "POINT"));

  wxTEST_DIALOG(ClickAt(RowPoint(list, 0), true), Define([](CStructDefDlg* dialog) {
                  EXPECT_EQ(dialog->NameEdit()->GetValue(), "POINT");
                  EXPECT_EQ(MemberRows(dialog), (std::vector<Argument>{{"int", "x", ""}}));
                  dialog->NameEdit()->SetValue("POINT2D");
                  dialog->HeadingEdit()->SetValue("2D");
                }));
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"POINT2D", "RECT"}));
  EXPECT_EQ(doc->FindStruct("POINT"), -1);
  StructRecord expected = Named("POINT2D");
  expected.heading = "2D";
  expected.members = {{"int", "x", ""}};
  // The dialog rebuilds the record: the note and the history are gone.
  EXPECT_EQ(StructOf(doc, "POINT2D"), expected);
  EXPECT_EQ(doc->FindStruct("POINT2D"), 0);
  EXPECT_FALSE(OffersReturnType(view, "POINT"));
  EXPECT_TRUE(OffersReturnType(view, "POINT2D"));

  // A double click on the item that is already selected opens the dialog, not a label edit;
  // Cancel changes nothing.
  doc->Modify(false);
  ASSERT_EQ(list->GetItemState(0, wxLIST_STATE_SELECTED), wxLIST_STATE_SELECTED);
  wxMilliSleep(600);
  wxTEST_DIALOG(ClickAt(RowPoint(list, 0), true), Define(nullptr, wxID_CANCEL));
  wxMilliSleep(600);
  Settle();
  EXPECT_EQ(list->GetEditControl(), nullptr);
  // The empty space below the items edits the marked one too.
  wxTEST_DIALOG(ClickAt(RowPoint(list, list->GetItemCount()), true),
                Define(
                    [](CStructDefDlg* dialog) {
                      EXPECT_EQ(dialog->NameEdit()->GetValue(), "POINT2D");
                      dialog->HeadingEdit()->SetValue("dropped");
                    },
                    wxID_CANCEL));
  EXPECT_EQ(StructOf(doc, "POINT2D"), expected);
  EXPECT_FALSE(doc->IsModified());

  // So does the button; keeping the name is fine.
  wxTEST_DIALOG(ClickOn(view->Button(ids::kEditStructure)),
                Define([](CStructDefDlg* dialog) { dialog->HeadingEdit()->SetValue("same"); }));
  EXPECT_EQ(StructOf(doc, "POINT2D").heading, "same");
  EXPECT_TRUE(OffersReturnType(view, "POINT2D"));
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(StructureCommandsTest, EditWithoutAMarkOrAfterTheStructureVanishedDoesNothing) {
  CFuncView* view = OpenStructs({Named("POINT")}, "nothing.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->StructureList();
  // Any dialog would fail the test.
  ClickOn(view->Button(ids::kEditStructure));
  ClickAt(RowPoint(list, 1), true);
  EXPECT_EQ(list->GetSelectionMark(), -1);

  ClickRow(list, 0);
  ASSERT_TRUE(doc->RemoveStruct(0));
  doc->Modify(false);
  ClickOn(view->Button(ids::kEditStructure));
  EXPECT_EQ(doc->GetStructCount(), 0u);
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(StructureCommandsTest, EditRefusesAnotherStructuresNameAndKeepsTheDialogOpen) {
  CFuncView* view = OpenStructs({Named("POINT"), Named("RECT")}, "taken.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->StructureList();
  ClickRow(list, 0);
  doc->Modify(false);

  ShownMessage shown;
  wxTEST_DIALOG(
      ClickOn(view->Button(ids::kEditStructure)), DriveStructDlg([&](CStructDefDlg* dialog) {
        FocusOn(dialog->HeadingEdit());
        dialog->HeadingEdit()->SelectAll();
        TypeText("kept");
        FocusOn(dialog->MemberList());
        PressKey(WXK_INSERT);
        FocusOn(dialog->NameEdit());
        dialog->NameEdit()->SelectAll();
        TypeText("RECT");
        wxTEST_DIALOG(ClickOn(dialog->FindWindow(wxID_OK)), RecordingMessageExpectation(shown));
        // Still open, with everything typed.
        EXPECT_TRUE(dialog->IsShown());
        EXPECT_EQ(dialog->NameEdit()->GetValue(), "RECT");
        EXPECT_EQ(dialog->HeadingEdit()->GetValue(), "kept");
        EXPECT_EQ(dialog->MemberList()->GetItemCount(), 1);
        EXPECT_FALSE(doc->IsModified());
        // Back to its own name, OK goes through.
        FocusOn(dialog->NameEdit());
        dialog->NameEdit()->SelectAll();
        TypeText("POINT");
        PressKey(WXK_RETURN);
      }));
  EXPECT_EQ(shown.caption, U("構造体名の編集\n構造体名の編集"));
  EXPECT_EQ(shown.message, U("すでに存在する構造体名です"));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  StructRecord expected = Named("POINT");
  expected.heading = "kept";
  expected.members = {{"type", "value", "comment"}};
  EXPECT_EQ(StructOf(doc, "POINT"), expected);
  EXPECT_EQ(StructOf(doc, "RECT"), Named("RECT"));
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"POINT", "RECT"}));
}

class StructureRenameTest : public StructTest {
 protected:
  // Edits the label of a structure list item with real keys (see EditLabelWithKeys).
  static void EditLabel(CFuncView* view, long item, const char* text, int key) {
    EditLabelWithKeys(view->StructureList(), item, text, key);
  }
};

TEST_F(StructureRenameTest, RefusesItsOwnNameAnEmptyNameAndAnothersName) {
  CFuncView* view = OpenStructs({Named("POINT"), Named("RECT")}, "refuse.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->StructureList();
  ClickRow(list, 0);
  struct Case {
    const char* typed;
    const char* message;
  };
  for (const Case& c :
       {Case{nullptr, "すでに存在する構造体名です"}, Case{"", "構造体名を入力してください"},
        Case{"RECT", "すでに存在する構造体名です"}}) {
    SCOPED_TRACE(c.typed != nullptr ? c.typed : "(unchanged)");
    const ShownMessage shown = ExpectMessage([&] { EditLabel(view, 0, c.typed, WXK_RETURN); });
    EXPECT_EQ(shown.caption, U("構造体名の編集\n構造体名の編集"));
    EXPECT_EQ(shown.message, U(c.message));
    EXPECT_TRUE(shown.style & wxICON_STOP);
    EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"POINT", "RECT"}));
    EXPECT_EQ(doc->FindStruct("POINT"), 0);
  }
  EXPECT_FALSE(doc->IsModified());
  // Escape ends the edit without a word.
  EditLabel(view, 0, "Other", WXK_ESCAPE);
  EXPECT_EQ(list->GetItemText(0), "POINT");
  EXPECT_EQ(doc->FindStruct("Other"), -1);
}

TEST_F(StructureRenameTest, RenameUpdatesTheDocumentTheItemAndTheReturnTypes) {
  StructRecord point = Named("POINT");
  point.members = {{"int", "x", ""}};
  point.note = "kept by a rename";
  CFuncView* view = OpenStructs({point, Named("RECT")}, "rename.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->StructureList();
  ClickRow(list, 0);
  EditLabel(view, 0, "VEC", WXK_RETURN);
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"VEC", "RECT"}));
  EXPECT_EQ(doc->FindStruct("POINT"), -1);
  EXPECT_EQ(doc->FindStruct("VEC"), 0);
  // Only the name changes.
  point.name = "VEC";
  EXPECT_EQ(StructOf(doc, "VEC"), point);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_FALSE(OffersReturnType(view, "POINT"));
  EXPECT_TRUE(OffersReturnType(view, "VEC"));
}

}  // namespace
