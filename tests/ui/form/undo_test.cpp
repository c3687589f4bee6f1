// Undo and redo in the form: the Edit menu's items and keys, typing given back before a step is
// undone, the record a step touched shown again, the prompts that name the step, and the
// modified mark that follows the steps.

#include <wx/frame.h>
#include <wx/menu.h>

#include "core/edit/document_edits.h"
#include "edit_fixture.h"
#include "ui/app/menu_builder.h"
#include "ui/res/ids.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

class UndoTest : public EditTest {
 protected:
  CFuncView* OpenThree(const std::string& file) {
    // The main frame's keys, as the editor gives them (Ctrl+Shift+Z has no menu item).
    frame_->SetAcceleratorTable(BuildAccelerators());
    CFuncView* view = OpenWith({"qf_open", "qf_read", "qf_close"}, file);
    if (view != nullptr) ClickRow(view->FunctionList(), 0);
    return view;
  }

  static void ClickInto(wxWindow* field) {
    ClickAt(field->GetScreenPosition() + wxPoint(6, field->GetSize().y / 2));
  }

  // Types text into a field and stores it by moving to another field, as a user does.
  static void TypeAndLeave(SjisTextCtrl* field, const char* text, wxWindow* next) {
    ClickInto(field);
    field->SelectAll();
    TypeText(text);
    ClickInto(next);
  }

  static wxMenuItem* EditItem(CFuncView* view, int id) {
    wxFrame* frame = wxDynamicCast(view->GetFrame(), wxFrame);
    return frame != nullptr ? frame->GetMenuBar()->FindItem(id) : nullptr;
  }

  // The item's state and prompt as the menu shows them when it opens.
  static void UpdateMenu(CFuncView* view) {
    view->GetFrame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    Settle(2);
  }

  static bool Marked(CFuncView* view) {
    return view->GetFrame()->GetLabel().EndsWith("*") && view->GetFuncDoc()->IsModified();
  }
};

TEST_F(UndoTest, EditMenuStartsWithUndoAndRedoNamingTheStep) {
  CFuncView* view = OpenThree("menu.dcm");
  ASSERT_NE(view, nullptr);
  wxFrame* frame = wxDynamicCast(view->GetFrame(), wxFrame);
  wxMenu* edit = frame->GetMenuBar()->GetMenu(1);
  ASSERT_GE(edit->GetMenuItemCount(), 4u);
  EXPECT_EQ(edit->FindItemByPosition(0)->GetId(), wxID_UNDO);
  EXPECT_EQ(edit->FindItemByPosition(0)->GetItemLabel(), U("元に戻す(&U)\tCtrl+Z"));
  EXPECT_EQ(edit->FindItemByPosition(1)->GetId(), wxID_REDO);
  EXPECT_EQ(edit->FindItemByPosition(1)->GetItemLabel(), U("やり直し(&Y)\tCtrl+Y"));
  EXPECT_TRUE(edit->FindItemByPosition(2)->IsSeparator());
  EXPECT_EQ(edit->FindItemByPosition(3)->GetId(), ids::kAddFunction);

  UpdateMenu(view);
  EXPECT_FALSE(EditItem(view, wxID_UNDO)->IsEnabled());
  EXPECT_FALSE(EditItem(view, wxID_REDO)->IsEnabled());

  TypeAndLeave(view->HeadingEdit(), "h", view->NoteEdit());
  UpdateMenu(view);
  EXPECT_TRUE(EditItem(view, wxID_UNDO)->IsEnabled());
  EXPECT_EQ(EditItem(view, wxID_UNDO)->GetHelp(), U("見出しの変更 'qf_open' を元に戻す"));
  // The texts stay the program's own.
  EXPECT_EQ(EditItem(view, wxID_UNDO)->GetItemLabel(), U("元に戻す(&U)\tCtrl+Z"));

  ShownMessage shown;
  ClickRow(view->FunctionList(), 1);
  wxTEST_DIALOG(SendMenu(view, ids::kDeleteFunction), RecordingMessageExpectation(shown, wxID_YES));
  UpdateMenu(view);
  EXPECT_EQ(EditItem(view, wxID_UNDO)->GetHelp(), U("関数の削除 'qf_read' を元に戻す"));
  SendMenu(view, wxID_UNDO);
  UpdateMenu(view);
  EXPECT_EQ(EditItem(view, wxID_REDO)->GetHelp(), U("関数の削除 'qf_read' をやり直す"));
  EXPECT_EQ(EditItem(view, wxID_REDO)->GetItemLabel(), U("やり直し(&Y)\tCtrl+Y"));
}

TEST_F(UndoTest, KeysUndoTypingFirstThenSteps) {
  CFuncView* view = OpenThree("keys.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  const std::string original = RecordOf(doc, "qf_open").heading;
  TypeAndLeave(view->HeadingEdit(), "stored", view->NoteEdit());
  ASSERT_EQ(RecordOf(doc, "qf_open").heading, "stored");

  // Typing not stored yet: Ctrl+Z gives the field its stored text back, and is no step.
  TypeText("typed");
  ASSERT_EQ(view->NoteEdit()->GetValue(), "typed");
  PressKey('Z', wxMOD_CONTROL);
  EXPECT_EQ(view->NoteEdit()->GetValue(), "");
  EXPECT_EQ(RecordOf(doc, "qf_open").heading, "stored");
  // Ctrl+Y doesn't bring the typing back (nothing was undone yet).
  PressKey('Y', wxMOD_CONTROL);
  EXPECT_EQ(view->NoteEdit()->GetValue(), "");

  // The next Ctrl+Z undoes the document's last step, and the form shows it.
  PressKey('Z', wxMOD_CONTROL);
  EXPECT_EQ(RecordOf(doc, "qf_open").heading, original);
  EXPECT_EQ(view->HeadingEdit()->GetValue(), original);
  EXPECT_FALSE(doc->IsModified());

  struct Redo {
    const char* what;
    int key;
    int modifiers;
  };
  for (const Redo& redo : {Redo{"Ctrl+Y", 'Y', wxMOD_CONTROL},
                           Redo{"Ctrl+Shift+Z", 'Z', wxMOD_CONTROL | wxMOD_SHIFT}}) {
    PressKey(redo.key, redo.modifiers);
    EXPECT_EQ(RecordOf(doc, "qf_open").heading, "stored") << redo.what;
    EXPECT_EQ(view->HeadingEdit()->GetValue(), "stored") << redo.what;
    EXPECT_TRUE(doc->IsModified()) << redo.what;
    PressKey('Z', wxMOD_CONTROL);
    EXPECT_EQ(RecordOf(doc, "qf_open").heading, original) << redo.what;
  }
}

TEST_F(UndoTest, UndoAndRedoSelectAndShowTheRecordTheyTouched) {
  CFuncView* view = OpenThree("show.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  SjisListCtrl* list = view->FunctionList();
  ShownMessage shown;
  ClickRow(list, 1);
  wxTEST_DIALOG(SendMenu(view, ids::kDeleteFunction), RecordingMessageExpectation(shown, wxID_YES));
  ClickRow(list, 1);  // qf_close shown
  ASSERT_EQ(view->NameEdit()->GetValue(), "qf_close");

  SendMenu(view, wxID_UNDO);
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"qf_open", "qf_read", "qf_close"}));
  EXPECT_EQ(list->GetSelectionMark(), 1);
  EXPECT_TRUE(list->GetItemState(1, wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED);
  EXPECT_EQ(view->NameEdit()->GetValue(), "qf_read");
  EXPECT_EQ(doc->FindFunction("qf_read"), 1);

  SendMenu(view, wxID_REDO);
  EXPECT_EQ(ItemTexts(list), (std::vector<wxString>{"qf_open", "qf_close"}));
  EXPECT_EQ(view->NameEdit()->GetValue(), "qf_close");

  // A renamed structure's name is back in its list item after undo.
  quillmap::SpecStore& store = doc->EditStore();
  quillmap::StructSpec point;
  point.SetRecordName("POINT");
  ASSERT_TRUE(doc->Submit(quillmap::edit::AddStruct(store, point), "add"));
  view->StructureList()->AppendRow({"POINT"});
  ASSERT_TRUE(doc->Submit(quillmap::edit::RenameStruct(store, 0, "SIZE"), "rename"));
  view->StructureList()->SetCellBytes(0, 0, "SIZE");
  SendMenu(view, wxID_UNDO);
  EXPECT_EQ(ItemTexts(view->StructureList()), (std::vector<wxString>{"POINT"}));
  EXPECT_EQ(view->StructureList()->GetSelectionMark(), 0);
  // Undoing the addition leaves the return-type list as it was.
  const unsigned int return_types = view->ReturnTypeCombo()->GetCount();
  SendMenu(view, wxID_UNDO);
  EXPECT_EQ(view->StructureList()->GetItemCount(), 0);
  EXPECT_EQ(view->ReturnTypeCombo()->GetCount(), return_types);
}

TEST_F(UndoTest, ModifiedMarkFollowsTheSavedStep) {
  CFuncView* view = OpenThree("mark.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  quillmap::SpecStore& store = doc->EditStore();
  const auto heading = [&](const std::string& text) {
    quillmap::FunctionSpec record;
    store.GetFunction(0, record);
    quillmap::FunctionFields fields = quillmap::ReadFunctionFields(record);
    fields.heading = text;
    return doc->Submit(quillmap::edit::StoreFunction(store, 0, fields), "h");
  };
  const auto undo = [&](int times) {
    for (int i = 0; i < times; ++i) doc->UndoStep();
    Settle(2);
  };
  // A store that changes nothing leaves the mark as it is.
  EXPECT_FALSE(heading(RecordOf(doc, "qf_open").heading));
  EXPECT_FALSE(Marked(view));

  for (const char* text : {"a", "b", "c"}) ASSERT_TRUE(heading(text));
  ASSERT_TRUE(doc->Save());
  Settle(2);
  EXPECT_FALSE(Marked(view));
  undo(1);
  EXPECT_TRUE(Marked(view));
  doc->RedoStep();
  Settle(2);
  EXPECT_FALSE(Marked(view)) << "back at the saved step";

  // Undo two steps and make a new one: the saved step is cut off, the mark stays until a save.
  undo(2);
  ASSERT_TRUE(heading("new"));
  undo(10);
  EXPECT_FALSE(doc->CanUndoStep());
  EXPECT_TRUE(Marked(view));
  ASSERT_TRUE(doc->Save());
  Settle(2);
  EXPECT_FALSE(Marked(view));

  // 1,001 steps: the oldest is dropped, and undoing all of them doesn't reach the saved state.
  for (int i = 0; i < 1001; ++i) ASSERT_TRUE(heading("step " + std::to_string(i)));
  undo(1001);
  EXPECT_FALSE(doc->CanUndoStep());
  EXPECT_EQ(RecordOf(doc, "qf_open").heading, "step 0");
  EXPECT_TRUE(Marked(view));
}

}  // namespace
