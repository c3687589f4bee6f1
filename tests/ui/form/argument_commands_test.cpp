// The argument list's commands: add, delete and copy from their buttons, menu items and keys,
// and editing a row in the argument dialog on a double click.

#include <wx/button.h>

#include "edit_fixture.h"
#include "ui/dialogs/arg_dlg.h"
#include "ui/res/ids.h"
#include "ui/widgets/sjis_field.h"

namespace {

class ArgumentCommandsTest : public EditTest {
 protected:
  // Opens a document with one function "f" with these argument rows and shows it.
  CFuncView* ShowWithArguments(const std::vector<Argument>& arguments, const std::string& file) {
    quillmap::SpecStore store;
    AddFunctions(store, {"f"});
    quillmap::FunctionSpec f;
    store.GetFunction(0, f);
    for (const Argument& a : arguments) f.AddArgument(a.type, a.name, a.description);
    store.PutFunction(0, f);
    CFuncView* view = Open(store, file);
    if (view != nullptr) ClickRow(view->FunctionList(), 0);
    return view;
  }

  static std::vector<Argument> Rows(CFuncView* view) {
    std::vector<Argument> rows;
    SjisListCtrl* list = view->ArgumentList();
    for (long i = 0; i < list->GetItemCount(); ++i) {
      rows.push_back(
          {list->GetCellBytes(i, 0), list->GetCellBytes(i, 1), list->GetCellBytes(i, 2)});
    }
    return rows;
  }

  static std::vector<Argument> Stored(CFuncView* view) {
    return RecordOf(view->GetFuncDoc(), "f").arguments;
  }
};

const Argument kInt{"int", "a", "first"};
const Argument kChar{"char*", "s", "second"};
const Argument kLong{"long", "n", "third"};

TEST_F(ArgumentCommandsTest, InsertKeyAddsRowsNumberedByTheRowCount) {
  CFuncView* view = ShowWithArguments({}, "insert.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  FocusOn(view->ArgumentList());
  for (int i = 0; i < 3; ++i) {
    doc->Modify(false);
    PressKey(WXK_INSERT);
    EXPECT_TRUE(doc->IsModified()) << i;
  }
  const std::vector<Argument> three = {{"argv0", "value ", "comment"},
                                       {"argv1", "value ", "comment"},
                                       {"argv2", "value ", "comment"}};
  EXPECT_EQ(Rows(view), three);
  EXPECT_EQ(Stored(view), three);

  // Deleting the middle row and adding again repeats a type.
  ClickRow(view->ArgumentList(), 1);
  wxTEST_DIALOG(PressKey(WXK_DELETE), wxExpectModal<wxMessageDialog>(wxYES));
  ClickOn(view->Button(ids::kAddArgument));
  EXPECT_EQ(ItemTexts(view->ArgumentList()), (std::vector<wxString>{"argv0", "argv2", "argv2"}));
}

TEST_F(ArgumentCommandsTest, DeleteAsksWithTheTypeAndStoresWhateverTheAnswer) {
  CFuncView* view = ShowWithArguments({kInt, kChar, kLong}, "delete.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  ClickRow(view->ArgumentList(), 1);
  doc->Modify(false);

  ShownMessage shown;
  wxTEST_DIALOG(PressKey(WXK_DELETE), RecordingMessageExpectation(shown, wxID_NO));
  EXPECT_EQ(shown.caption, U("引数の削除"));
  EXPECT_EQ(shown.message, U("'char*'\nを削除してもよろしいですか？"));
  EXPECT_TRUE(shown.style & wxICON_QUESTION);
  EXPECT_TRUE(shown.style & wxNO_DEFAULT);
  EXPECT_EQ(Rows(view), (std::vector<Argument>{kInt, kChar, kLong}));
  // Stored after No too; the texts are those stored, so that is no change.
  EXPECT_FALSE(doc->IsModified());

  wxTEST_DIALOG(ClickOn(view->Button(ids::kDeleteArgument)),
                RecordingMessageExpectation(shown, wxID_YES));
  EXPECT_EQ(Rows(view), (std::vector<Argument>{kInt, kLong}));
  EXPECT_EQ(Stored(view), (std::vector<Argument>{kInt, kLong}));
}

TEST_F(ArgumentCommandsTest, DeleteAndCopyWithoutRowsOrMarkAreRefused) {
  CFuncView* view = ShowWithArguments({kInt}, "refuse.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  doc->Modify(false);
  // A shown function's rows have no mark until one is clicked.
  ShownMessage shown = ExpectMessage([&] { SendMenu(view, ids::kDeleteArgument); });
  EXPECT_EQ(shown.caption, U("引数の削除"));
  EXPECT_EQ(shown.message, U("削除する引数を選択してください"));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  shown = ExpectMessage([&] { SendMenu(view, ids::kCopyArgument); });
  EXPECT_EQ(shown.caption, U("引数のｺﾋﾟｰ"));
  EXPECT_EQ(shown.message, U("ｺﾋﾟｰする引数を選択してください"));
  EXPECT_FALSE(doc->IsModified());

  ClickRow(view->ArgumentList(), 0);
  wxTEST_DIALOG(SendMenu(view, ids::kDeleteArgument), wxExpectModal<wxMessageDialog>(wxYES));
  ASSERT_EQ(view->ArgumentList()->GetItemCount(), 0);
  shown = ExpectMessage([&] { ClickOn(view->Button(ids::kDeleteArgument)); });
  EXPECT_EQ(shown.message, U("削除する引数がありません"));
  shown = ExpectMessage([&] { ClickOn(view->Button(ids::kCopyArgument)); });
  EXPECT_EQ(shown.message, U("ｺﾋﾟｰする引数を選択してください"));
}

TEST_F(ArgumentCommandsTest, CopyAppendsTheMarkedRowLast) {
  CFuncView* view = ShowWithArguments({kInt, kChar, kLong}, "copy.dcm");
  ASSERT_NE(view, nullptr);
  ClickRow(view->ArgumentList(), 0);
  ClickOn(view->Button(ids::kCopyArgument));
  const std::vector<Argument> expected = {kInt, kChar, kLong, kInt};
  EXPECT_EQ(Rows(view), expected);
  EXPECT_EQ(Stored(view), expected);
  // The mark stays on the row copied.
  EXPECT_EQ(view->ArgumentList()->GetSelectionMark(), 0);
}

TEST_F(ArgumentCommandsTest, WithNoFunctionShownTheMenuItemsSaySoAndTheButtonsStayOff) {
  CFuncView* view = OpenWith({"f"}, "none.dcm");
  ASSERT_NE(view, nullptr);
  Settle();  // idle passes update the form's buttons
  for (int id : {ids::kAddArgument, ids::kDeleteArgument, ids::kCopyArgument}) {
    EXPECT_FALSE(view->Button(id)->IsEnabled()) << id;
  }
  EXPECT_FALSE(view->ArgumentList()->IsEnabled());
  struct Case {
    int id;
    const char* caption;
  };
  for (const Case& c :
       {Case{ids::kAddArgument, "引数の追加"}, Case{ids::kDeleteArgument, "引数の削除"},
        Case{ids::kCopyArgument, "引数のｺﾋﾟｰ"}}) {
    const ShownMessage shown = ExpectMessage([&] { SendMenu(view, c.id); });
    EXPECT_EQ(shown.caption, U(c.caption));
    EXPECT_EQ(shown.message, U("関数を選択してください"));
    EXPECT_TRUE(shown.style & wxICON_STOP);
  }
  EXPECT_FALSE(view->GetFuncDoc()->IsModified());
}

// Answers the argument dialog: checks its title and texts, then sets new ones.
DialogAnswer<CArgDlg> EditTo(const Argument& shown, const Argument& typed, int answer = wxID_OK) {
  return DialogAnswer<CArgDlg>([shown, typed, answer](CArgDlg* dialog) {
    EXPECT_EQ(dialog->GetTitle(), U("引数の編集"));
    EXPECT_EQ(dialog->TypeEdit()->GetBytes().bytes, shown.type);
    EXPECT_EQ(dialog->NameEdit()->GetBytes().bytes, shown.name);
    EXPECT_EQ(dialog->DescriptionEdit()->GetBytes().bytes, shown.description);
    dialog->TypeEdit()->SetBytes(typed.type);
    dialog->NameEdit()->SetBytes(typed.name);
    dialog->DescriptionEdit()->SetBytes(typed.description);
    return answer;
  });
}

TEST_F(ArgumentCommandsTest, DoubleClickEditsTheRowAtTheMark) {
  CFuncView* view = ShowWithArguments({kInt, kChar}, "edit.dcm");
  ASSERT_NE(view, nullptr);
  SjisListCtrl* list = view->ArgumentList();
  const Argument edited{"const char*", "text", Sjis("文字列")};
  wxTEST_DIALOG(ClickAt(RowPoint(list, 1), true), EditTo(kChar, edited));
  EXPECT_EQ(Rows(view), (std::vector<Argument>{kInt, edited}));
  EXPECT_EQ(Stored(view), (std::vector<Argument>{kInt, edited}));

  // The empty space below the rows edits the marked row too; type and description may be empty.
  const Argument bare{"", "x", ""};
  wxTEST_DIALOG(ClickAt(RowPoint(list, list->GetItemCount()), true), EditTo(edited, bare));
  EXPECT_EQ(Stored(view), (std::vector<Argument>{kInt, bare}));

  // Cancel changes nothing.
  view->GetFuncDoc()->Modify(false);
  wxTEST_DIALOG(ClickAt(RowPoint(list, 0), true), EditTo(kInt, kLong, wxID_CANCEL));
  EXPECT_EQ(Rows(view), (std::vector<Argument>{kInt, bare}));
  EXPECT_FALSE(view->GetFuncDoc()->IsModified());
}

TEST_F(ArgumentCommandsTest, EmptyNameIsRefusedAndTheRowKept) {
  CFuncView* view = ShowWithArguments({kInt}, "noname.dcm");
  ASSERT_NE(view, nullptr);
  view->GetFuncDoc()->Modify(false);
  // Without a mark a double click (here below the rows) opens nothing.
  ClickAt(RowPoint(view->ArgumentList(), 1), true);
  EXPECT_EQ(view->ArgumentList()->GetSelectionMark(), -1);
  ShownMessage shown;
  wxTEST_DIALOG(ClickAt(RowPoint(view->ArgumentList(), 0), true),
                EditTo(kInt, {"short", "", "changed"}), RecordingMessageExpectation(shown));
  EXPECT_EQ(shown.caption, U("引数の編集"));
  EXPECT_EQ(shown.message, U("関数の型を宣言してください"));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  EXPECT_EQ(Rows(view), (std::vector<Argument>{kInt}));
  EXPECT_FALSE(view->GetFuncDoc()->IsModified());

  // Return in the list edits nothing: only a double click does.
  FocusOn(view->ArgumentList());
  PressKey(WXK_RETURN);
}

}  // namespace
