// The function list's commands: add from a prototype, delete, copy and rename, from their
// buttons, menu items and keys.

#include <ctime>

#include <wx/button.h>

#include "core/model/history.h"
#include "core/model/spec_store.h"
#include "core/parse/add_function.h"
#include "core/text/concat.h"
#include "edit_fixture.h"
#include "ui/dialogs/add_func_dlg.h"
#include "ui/res/ids.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

using FunctionCommandsTest = EditTest;

// Answers the add dialog with a typed text.
DialogAnswer<CAddFuncDlg> Enter(const char* text) {
  return DialogAnswer<CAddFuncDlg>([text](CAddFuncDlg* dialog) {
    EXPECT_FALSE(dialog->OkButton()->IsEnabled());
    dialog->Entry()->SetValue(U(text));
    EXPECT_TRUE(dialog->OkButton()->IsEnabled());
    return wxID_OK;
  });
}

long SelectedRow(wxListCtrl* list) {
  return list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

TEST_F(FunctionCommandsTest, InsertKeyAddsTheWorkedExample) {
  CFuncView* view = OpenWith({"Init", "Exit"}, "add.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->FunctionList();
  ClickRow(list, 1);
  ASSERT_EQ(view->NameEdit()->GetValue(), "Exit");

  wxTEST_DIALOG(PressKey(WXK_INSERT), Enter("unsigned long Calc(unsigned int n, char *p)"));

  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"Init", "Exit", "Calc"}));
  const FunctionRecord calc = RecordOf(doc, "Calc");
  EXPECT_EQ(calc.return_type, "unsigned long");
  EXPECT_EQ(calc.return_text, "'unsigned long' type");
  EXPECT_EQ(calc.heading, "function 'Calc'");
  EXPECT_EQ(calc.arguments, (std::vector<Argument>{{"unsigned int", "n", "'unsigned int' type"},
                                                   {"char*", "p", "'char*' type"}}));
  EXPECT_EQ(calc.history, (std::vector<std::string>{Today() + " " + Sjis("新規作成")}));

  // The new function is shown, while the mark and the highlight stay on the item clicked before.
  EXPECT_EQ(view->NameEdit()->GetValue(), "Calc");
  EXPECT_EQ(ItemTexts(view->ArgumentList(), 2),
            (std::vector<wxString>{"'unsigned int' type", "'char*' type"}));
  EXPECT_EQ(view->HistoryCombo()->GetString(0), U(Today().c_str()) + U(" 新規作成"));
  EXPECT_EQ(list->GetSelectionMark(), 1);
  EXPECT_EQ(SelectedRow(list), 1);

  // Selecting the highlighted item again changes no state, so it shows nothing (a real click
  // there would start editing its label); clicking another one shows it.
  ClickItem(list, 1);
  EXPECT_EQ(view->NameEdit()->GetValue(), "Calc");
  ClickRow(list, 0);
  EXPECT_EQ(view->NameEdit()->GetValue(), "Init");
}

TEST_F(FunctionCommandsTest, AddedFunctionIsStoredAsTheCoreAddsIt) {
  const char* prototype = "int main(int argc, char *argv[])";
  CFuncView* view = OpenWith({"Init"}, "same.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddFunction)), Enter(prototype));
  ASSERT_EQ(doc->FindFunction("main"), 1);
  EXPECT_EQ(ItemTexts(view->ArgumentList(), 2),
            (std::vector<wxString>{"'int' type", "'char*' type"}));
  ASSERT_TRUE(doc->Save());

  // The command line's add job writes the same bytes.
  quillmap::SpecStore expected;
  AddFunctions(expected, {"Init"});
  ASSERT_EQ(
      quillmap::AddFunctionFromPrototype(expected, prototype, std::time(nullptr), Sjis("新規作成")),
      quillmap::AddFunctionResult::kAdded);
  const std::string expected_path = WriteDocument(expected, "expected.dcm");
  EXPECT_EQ(ReadFile(TempPath("same.dcm")), ReadFile(expected_path));
}

TEST_F(FunctionCommandsTest, AddRefusesATakenNameAndEndsQuietlyOnCancelOrNoName) {
  CFuncView* view = OpenWith({"Calc"}, "taken.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();

  ShownMessage shown;
  wxTEST_DIALOG(SendMenu(view, ids::kAddFunction), Enter("int Calc(void)"),
                RecordingMessageExpectation(shown));
  EXPECT_EQ(shown.caption, U("関数の追加"));
  EXPECT_EQ(shown.message, U("すでに存在する関数名です"));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  EXPECT_EQ(doc->GetFunctionCount(), 1u);
  EXPECT_EQ(view->FunctionList()->GetItemCount(), 1);
  EXPECT_FALSE(doc->IsModified());

  wxTEST_DIALOG(SendMenu(view, ids::kAddFunction),
                DialogAnswer<CAddFuncDlg>([](CAddFuncDlg* dialog) {
                  dialog->Entry()->SetValue("int Other(void)");
                  return wxID_CANCEL;
                }));
  EXPECT_EQ(doc->GetFunctionCount(), 1u);

  // A text that names nothing would give a function that can't be stored or renamed.
  wxTEST_DIALOG(SendMenu(view, ids::kAddFunction), Enter("   "),
                RecordingMessageExpectation(shown));
  EXPECT_EQ(shown.caption, U("関数の追加"));
  EXPECT_EQ(shown.message, U("関数名を入力してください"));
  EXPECT_EQ(doc->GetFunctionCount(), 1u);
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(FunctionCommandsTest, BareNameKeepsTheDefaults) {
  CFuncView* view = OpenWith({}, "bare.dcm");
  ASSERT_NE(view, nullptr);
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddFunction)), Enter("Calc"));
  const FunctionRecord calc = RecordOf(view->GetFuncDoc(), "Calc");
  EXPECT_EQ(calc.return_type, "void");
  EXPECT_EQ(calc.heading, "index");
  EXPECT_TRUE(calc.arguments.empty());
  EXPECT_EQ(calc.history.size(), 1u);
  EXPECT_TRUE(view->HeadingEdit()->IsEnabled());
}

TEST_F(FunctionCommandsTest, DeleteKeyAsksThenDeletesTheFunctionAtTheMark) {
  CFuncView* view = OpenWith({"First", "Second", "Third"}, "delete.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->FunctionList();
  ClickRow(list, 1);

  ShownMessage shown;
  wxTEST_DIALOG(PressKey(WXK_DELETE), RecordingMessageExpectation(shown, wxID_NO));
  EXPECT_EQ(shown.caption, U("関数の削除"));
  EXPECT_EQ(shown.message, U("'Second'\nを削除してもよろしいですか？"));
  EXPECT_TRUE(shown.style & wxICON_QUESTION);
  EXPECT_TRUE(shown.style & wxYES_NO);
  EXPECT_TRUE(shown.style & wxNO_DEFAULT);
  EXPECT_EQ(doc->GetFunctionCount(), 3u);
  EXPECT_FALSE(doc->IsModified());

  wxTEST_DIALOG(PressKey(WXK_DELETE), RecordingMessageExpectation(shown, wxID_YES));
  EXPECT_EQ(doc->FindFunction("Second"), -1);
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"First", "Third"}));
  EXPECT_TRUE(doc->IsModified());
  // The item that took the mark's place is shown.
  EXPECT_EQ(list->GetSelectionMark(), 1);
  EXPECT_EQ(view->NameEdit()->GetValue(), "Third");
}

TEST_F(FunctionCommandsTest, RightAfterOpeningDeleteAndCopyActOnTheFirstFunction) {
  CFuncView* view = OpenWith({"Alpha", "Beta"}, "first.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  EXPECT_EQ(view->NameEdit()->GetValue(), "");
  ClickOn(view->Button(ids::kCopyFunction));
  EXPECT_EQ(ItemTexts(view->FunctionList()), (std::vector<wxString>{"Alpha", "Beta", "Alpha1"}));
  EXPECT_EQ(view->NameEdit()->GetValue(), "Alpha1");

  ShownMessage shown;
  wxTEST_DIALOG(ClickOn(view->Button(ids::kDeleteFunction)),
                RecordingMessageExpectation(shown, wxID_YES));
  EXPECT_EQ(shown.message, U("'Alpha'\nを削除してもよろしいですか？"));
  EXPECT_EQ(doc->FindFunction("Alpha"), -1);
}

TEST_F(FunctionCommandsTest, DeletingTheLastFunctionDisablesTheFields) {
  CFuncView* view = OpenWith({"Only"}, "last.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  ClickRow(view->FunctionList(), 0);
  ASSERT_TRUE(view->HeadingEdit()->IsEnabled());
  ShownMessage shown;
  wxTEST_DIALOG(SendMenu(view, ids::kDeleteFunction), RecordingMessageExpectation(shown, wxID_YES));
  EXPECT_EQ(doc->GetFunctionCount(), 0u);
  EXPECT_EQ(view->NameEdit()->GetValue(), "");
  for (wxWindow* field : std::initializer_list<wxWindow*>{
           view->HeadingEdit(), view->ArgumentList(), view->ReturnTypeCombo(),
           view->Button(ids::kAddArgument), view->Button(ids::kAddRelated)}) {
    EXPECT_FALSE(field->IsEnabled()) << field->GetId();
  }

  // Nothing is left to delete, or to copy.
  shown = ExpectMessage([&] { SendMenu(view, ids::kDeleteFunction); });
  EXPECT_EQ(shown.caption, U("関数の削除"));
  EXPECT_EQ(shown.message, U("削除する関数がありません"));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  shown = ExpectMessage([&] { SendMenu(view, ids::kCopyFunction); });
  EXPECT_EQ(shown.caption, U("関数のｺﾋﾟｰ"));
  EXPECT_EQ(shown.message, U("関数を選択してください"));
  EXPECT_TRUE(shown.style & wxICON_STOP);

  // The list had lost its mark with its last item: a new function has none to act on.
  wxTEST_DIALOG(SendMenu(view, ids::kAddFunction), Enter("void Again(void)"));
  ASSERT_EQ(view->FunctionList()->GetItemCount(), 1);
  shown = ExpectMessage([&] { SendMenu(view, ids::kDeleteFunction); });
  EXPECT_EQ(shown.caption, U("関数の削除"));
  EXPECT_EQ(shown.message, U("関数を選択してください"));
  EXPECT_EQ(doc->GetFunctionCount(), 1u);
}

TEST_F(FunctionCommandsTest, CopyTakesTheSmallestFreeNumberAndCarriesEveryField) {
  quillmap::SpecStore store;
  AddFunctions(store, {"Calc", "Calc1", "Calc2"});
  {
    const std::int32_t index = store.FindFunction("Calc");
    quillmap::FunctionSpec calc;
    store.GetFunction(index, calc);
    calc.SetIndex(Sjis("計算"));
    calc.SetAttribute(quillmap::kAttrStatic);
    calc.AddArgument("int", "a", "left");
    calc.SetExplanation("adds");
    calc.SetNote("note");
    calc.AddLink("Calc1");
    calc.AddHistory(LocalMidnight(2003, 4, 5), "made");
    store.PutFunction(index, calc);
  }
  CFuncView* view = Open(store, "copy.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->FunctionList();
  ClickRow(list, 0);

  SendMenu(view, ids::kCopyFunction);
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"Calc", "Calc1", "Calc2", "Calc3"}));
  EXPECT_EQ(view->NameEdit()->GetValue(), "Calc3");
  EXPECT_EQ(view->HeadingEdit()->GetValue(), U("計算"));
  // Every field is the source's; no history entry is added.
  const FunctionRecord copy = RecordOf(doc, "Calc3");
  EXPECT_EQ(copy, RecordOf(doc, "Calc"));
  EXPECT_EQ(copy.attribute, quillmap::kAttrStatic);
  EXPECT_EQ(copy.links, (std::vector<std::string>{"Calc1"}));
  EXPECT_EQ(copy.history, (std::vector<std::string>{"2003/04/05 made"}));
  // The mark and the highlight stay on the source.
  EXPECT_EQ(list->GetSelectionMark(), 0);
  EXPECT_EQ(SelectedRow(list), 0);

  ClickRow(list, 1);
  ClickOn(view->Button(ids::kCopyFunction));
  EXPECT_EQ(list->GetItemText(4), "Calc11");
  EXPECT_EQ(view->NameEdit()->GetValue(), "Calc11");
}

TEST_F(FunctionCommandsTest, ACopyAtTheEndOfALongListIsScrolledIntoView) {
  quillmap::SpecStore store;
  std::vector<std::string> functions;
  std::vector<std::string> structures;
  for (int i = 0; i < 80; ++i) {
    functions.push_back(quillmap::text::Concat({"f", std::to_string(i)}));
    structures.push_back(quillmap::text::Concat({"S", std::to_string(i)}));
  }
  AddFunctions(store, functions);
  AddStructs(store, structures);
  CFuncView* view = Open(store, "long.dcm");
  ASSERT_NE(view, nullptr);
  for (const auto& [list, copy] : {std::pair{view->FunctionList(), ids::kCopyFunction},
                                   std::pair{view->StructureList(), ids::kCopyStructure}}) {
    ClickRow(list, 0);
    ASSERT_EQ(list->GetTopItem(), 0);
    ClickOn(view->Button(copy));
    Pump();
    ASSERT_EQ(list->GetItemCount(), 81);
    // The new last item lies within the rows the list shows.
    EXPECT_GE(list->GetTopItem() + list->GetCountPerPage(), 81) << copy;
  }
}

class RenameTest : public EditTest {
 protected:
  // Edits the label of a function list item with real keys (see EditLabelWithKeys).
  static void EditLabel(CFuncView* view, long item, const char* text, int key) {
    EditLabelWithKeys(view->FunctionList(), item, text, key);
  }
};

TEST_F(RenameTest, RefusesItsOwnNameAnEmptyNameAndAnothersName) {
  CFuncView* view = OpenWith({"Calc", "Init"}, "refuse.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->FunctionList();
  ClickRow(list, 0);

  struct Case {
    const char* typed;
    const char* message;
  };
  for (const Case& c :
       {Case{nullptr, "すでに存在する関数名です"}, Case{"", "関数名を入力してください"},
        Case{"Init", "すでに存在する関数名です"}}) {
    SCOPED_TRACE(c.typed != nullptr ? c.typed : "(unchanged)");
    const ShownMessage shown = ExpectMessage([&] { EditLabel(view, 0, c.typed, WXK_RETURN); });
    EXPECT_EQ(shown.caption, U("関数名の編集"));
    EXPECT_EQ(shown.message, U(c.message));
    EXPECT_TRUE(shown.style & wxICON_STOP);
    EXPECT_EQ(list->GetItemText(0), "Calc");
    EXPECT_EQ(doc->FindFunction("Calc"), 0);
    EXPECT_EQ(view->NameEdit()->GetValue(), "Calc");
  }
  // Escape ends the edit without a word.
  EditLabel(view, 0, "Other", WXK_ESCAPE);
  EXPECT_EQ(list->GetItemText(0), "Calc");
  EXPECT_EQ(doc->FindFunction("Other"), -1);
}

TEST_F(RenameTest, AClickOnTheShownItemStartsTheEditAndTheTypedNameIsKept) {
  CFuncView* view = OpenWith({"Calc", "Init"}, "click.dcm");
  ASSERT_NE(view, nullptr);
  SjisListCtrl* list = view->FunctionList();
  ClickRow(list, 1);
  // A second click on the selected item, after the double-click time, starts the edit.
  wxMilliSleep(600);
  ClickRow(list, 1);
  wxMilliSleep(600);
  Settle();
  wxTextCtrl* editor = list->GetEditControl();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->GetValue(), "Init");
  editor->SelectAll();
  TypeText("Start");
  PressKey(WXK_RETURN);
  EXPECT_EQ(list->GetItemText(1), "Start");
  EXPECT_EQ(view->GetFuncDoc()->FindFunction("Start"), 1);

  EXPECT_EQ(view->NameEdit()->GetValue(), "Start");
}

TEST_F(RenameTest, ACharacterShiftJisCannotHoldIsRefused) {
  CFuncView* view = OpenWith({"Calc"}, "snow.dcm");
  ASSERT_NE(view, nullptr);
  ClickRow(view->FunctionList(), 0);
  wxTextCtrl* editor = view->FunctionList()->EditLabel(0);
  ASSERT_NE(editor, nullptr);
  Settle();
  editor->SetFocus();
  editor->ChangeValue(U("Calc\u2603"));
  const ShownMessage shown = ExpectMessage([&] { PressKey(WXK_RETURN); });
  EXPECT_TRUE(shown.message.Contains("U+2603")) << shown.message.utf8_str();
  EXPECT_TRUE(shown.style & wxICON_STOP);
  EXPECT_EQ(view->FunctionList()->GetItemText(0), "Calc");
  EXPECT_EQ(view->GetFuncDoc()->FindFunction("Calc"), 0);
}

TEST_F(RenameTest, RenamedFunctionTakesTheNextStore) {
  CFuncView* view = OpenWith({"Calc", "Init"}, "rename.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->FunctionList();
  ClickRow(list, 0);
  EditLabel(view, 0, "Compute", WXK_RETURN);
  EXPECT_EQ(list->GetItemText(0), "Compute");
  EXPECT_EQ(view->NameEdit()->GetValue(), "Compute");
  EXPECT_EQ(doc->FindFunction("Calc"), -1);
  EXPECT_EQ(doc->FindFunction("Compute"), 0);
  EXPECT_TRUE(doc->IsModified());
  // Only the name changed; the heading still names the old one.
  EXPECT_EQ(RecordOf(doc, "Compute").heading, "index");

  view->HeadingEdit()->ChangeValue("renamed");
  ASSERT_TRUE(view->StoreFunction());
  EXPECT_EQ(RecordOf(doc, "Compute").heading, "renamed");
  EXPECT_EQ(doc->GetFunctionCount(), 2u);
}

TEST_F(RenameTest, RenamingAnItemThatIsNotShownLeavesTheShownFunctionAlone) {
  CFuncView* view = OpenWith({"Calc", "Init"}, "other.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  ClickRow(view->FunctionList(), 0);
  // After an add the highlight stays on Calc while Added is shown.
  wxTEST_DIALOG(ClickOn(view->Button(ids::kAddFunction)), Enter("int Added(void)"));
  ASSERT_EQ(view->NameEdit()->GetValue(), "Added");
  EditLabel(view, 0, "Renamed", WXK_RETURN);
  EXPECT_EQ(view->FunctionList()->GetItemText(0), "Renamed");
  EXPECT_EQ(view->NameEdit()->GetValue(), "Added");
  view->HeadingEdit()->ChangeValue("added's heading");
  ASSERT_TRUE(view->StoreFunction());
  EXPECT_EQ(RecordOf(doc, "Added").heading, "added's heading");
  EXPECT_EQ(RecordOf(doc, "Renamed").heading, "index");
}

}  // namespace
