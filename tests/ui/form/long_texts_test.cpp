// Texts no person types: a list draws a long name cut with "…" and edits it whole, and a field
// over 4 MB shows its first 64 KB read-only while a store keeps its bytes.

#include <string>

#include "edit_fixture.h"
#include "ui/widgets/sjis_field.h"

namespace {

class LongTextsTest : public EditTest {};

TEST_F(LongTextsTest, LongTextsAreDrawnCutAndKeptWhole) {
  const std::string label(3000, 'l');                  // over the list's bound only
  const std::string name = std::string(5 << 20, 'n');  // over the field's bound too
  const std::string explanation = Sjis("説明") + std::string(5 << 20, 'e') + "\n";
  quillmap::SpecStore store;
  AddFunctions(store, {"small", label, name});
  quillmap::FunctionSpec function;
  ASSERT_TRUE(store.GetFunction(2, function));
  function.SetExplanation(explanation);
  ASSERT_TRUE(store.PutFunction(2, function));
  CFuncView* view = Open(store, "long.dcm");
  ASSERT_NE(view, nullptr);
  SjisListCtrl* list = view->FunctionList();

  // Rows draw a bounded prefix; the cells and every lookup keep the whole name.
  for (long row : {1L, 2L}) {
    const char letter = row == 1 ? 'l' : 'n';
    EXPECT_EQ(list->GetItemText(row), wxString(kListLabelBytes, letter) + wxString::FromUTF8("…"))
        << row;
  }
  EXPECT_EQ(list->GetItemText(0), wxS("small"));
  EXPECT_EQ(list->GetCellBytes(1, 0), label);
  EXPECT_EQ(list->GetCellBytes(2, 0), name);

  // Editing a cut label starts from the whole name.
  wxTextCtrl* editor = list->EditLabel(1);
  ASSERT_NE(editor, nullptr);
  Settle();
  EXPECT_EQ(editor->GetValue(), wxString(label));
  PressKey(WXK_ESCAPE);

  ClickRow(list, 2);
  SjisTextCtrl* name_field = view->NameEdit();
  SjisTextCtrl* explanation_field = view->ExplanationEdit();
  const wxString note = wxString::FromUTF8(
      "(4 MB を超えるため先頭の 64 KB だけを表示しています。編集はできません。)");
  EXPECT_TRUE(name_field->IsCut());
  EXPECT_EQ(name_field->GetValue(), wxString(kFieldShownBytes - 1024, 'n') + wxS(" ") + note);
  EXPECT_FALSE(name_field->IsEditable());
  EXPECT_TRUE(explanation_field->IsCut());
  EXPECT_FALSE(explanation_field->IsEditable());
  EXPECT_EQ(explanation_field->GetValue(),
            wxString::FromUTF8("説明") + wxString(kFieldShownBytes - 4, 'e') + wxS("\n") + note);
  EXPECT_EQ(name_field->GetBytes().bytes, name);

  // A store writes the original bytes, never the cut copy.
  CFuncDoc* doc = view->GetFuncDoc();
  ASSERT_TRUE(view->StoreFunction());
  quillmap::FunctionSpec stored;
  ASSERT_TRUE(doc->GetFunction(2, stored));
  EXPECT_EQ(stored.GetRecordName(), name);
  EXPECT_EQ(stored.GetExplanation(), explanation);

  // A function of ordinary texts can be edited again.
  ClickRow(list, 0);
  EXPECT_FALSE(explanation_field->IsCut());
  EXPECT_TRUE(explanation_field->IsEditable());
  EXPECT_EQ(explanation_field->GetValue(), wxString());
}

}  // namespace
