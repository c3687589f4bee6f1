// CFuncView: the initial update, showing and storing functions, the lists, the refusals and the
// form's geometry.

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <memory>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dcmemory.h>
#include <wx/mdi.h>
#include <wx/print.h>
#include <wx/scrolwin.h>
#include <wx/uiaction.h>

#include "core/model/history.h"
#include "form_fixture.h"
#include "testing_hook.h"
#include "ui/res/ids.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

class FuncViewTest : public FormTest {
 protected:
  // Opens a document with the one function "f" and shows it.
  CFuncView* ShowOneFunction(const std::string& file_name) {
    quillmap::SpecStore store;
    AddFunctions(store, {"f"});
    CFuncView* view = ViewOf(OpenDocument(WriteDocument(store, file_name)));
    return view != nullptr && view->ShowFunction(0) ? view : nullptr;
  }
};

std::vector<wxString> ListTexts(wxListCtrl* list) {
  std::vector<wxString> texts;
  for (long i = 0; i < list->GetItemCount(); ++i) texts.push_back(list->GetItemText(i));
  return texts;
}

std::vector<wxString> Entries(const wxItemContainerImmutable* box) {
  std::vector<wxString> texts;
  for (unsigned int i = 0; i < box->GetCount(); ++i) texts.push_back(box->GetString(i));
  return texts;
}

// Changes a record of a store in place.
template <typename Change>
void EditFunction(quillmap::SpecStore& store, const std::string& name, Change change) {
  const std::int32_t index = store.FindFunction(name);
  quillmap::FunctionSpec function;
  ASSERT_TRUE(store.GetFunction(index, function));
  change(function);
  ASSERT_TRUE(store.PutFunction(index, function));
}

TEST_F(FuncViewTest, InitialUpdateListsInDocumentOrderWithFieldsDisabled) {
  quillmap::SpecStore store;
  AddFunctions(store, {"zeta", "alpha", Sjis("計算")});
  AddStructs(store, {"POINT", "RECT"});
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "order.dcm"));
  ASSERT_NE(doc, nullptr);
  CFuncView* view = ViewOf(doc);
  ASSERT_NE(view, nullptr);

  EXPECT_EQ(ListTexts(view->FunctionList()),
            (std::vector<wxString>{"zeta", "alpha", wxString::FromUTF8("計算")}));
  EXPECT_EQ(ListTexts(view->StructureList()), (std::vector<wxString>{"POINT", "RECT"}));
  // Every function was copied out in turn: the last one is the current function.
  EXPECT_EQ(doc->GetCurrentFunction(), 2);
  EXPECT_FALSE(doc->IsModified());

  // Nothing shown, nothing selected, the mark on the first item.
  EXPECT_EQ(view->NameEdit()->GetValue(), "");
  EXPECT_EQ(view->FunctionList()->GetSelectedItemCount(), 0);
  EXPECT_EQ(view->FunctionList()->GetSelectionMark(), 0);
  for (wxWindow* field : std::initializer_list<wxWindow*>{
           view->NameEdit(), view->HeadingEdit(), view->AttributeCombo(), view->ArgumentList(),
           view->ReturnTypeCombo(), view->ReturnTextEdit(), view->ExplanationEdit(),
           view->NoteEdit(), view->RelatedCombo(), view->HistoryCombo(),
           view->Button(ids::kAddArgument), view->Button(ids::kDeleteArgument),
           view->Button(ids::kCopyArgument), view->Button(ids::kAddRelated),
           view->Button(ids::kUpdateHistory)}) {
    EXPECT_FALSE(field->IsEnabled()) << field->GetId();
  }
  for (int id : {ids::kAddFunction, ids::kDeleteFunction, ids::kCopyFunction, ids::kAddStructure,
                 ids::kDeleteStructure, ids::kCopyStructure, ids::kEditStructure}) {
    EXPECT_TRUE(view->Button(id)->IsEnabled()) << id;
  }
  EXPECT_TRUE(view->FunctionList()->IsEnabled());

  EXPECT_EQ(Entries(view->AttributeCombo()),
            (std::vector<wxString>{"public", "static", "protected", "private", "inline"}));
  // Return types of the functions and the structure names, sorted without regard to case.
  EXPECT_EQ(Entries(view->ReturnTypeCombo()), (std::vector<wxString>{"int", "POINT", "RECT"}));

  // Columns: a single full-width one in the name lists, three in the argument list.
  wxListCtrl* arguments = view->ArgumentList();
  EXPECT_EQ(view->FunctionList()->GetColumnCount(), 1);
  EXPECT_EQ(view->FunctionList()->GetColumnWidth(0), view->FunctionList()->GetClientSize().x);
  ASSERT_EQ(arguments->GetColumnCount(), 3);
  EXPECT_EQ(arguments->GetColumnWidth(0), 120);
  EXPECT_EQ(arguments->GetColumnWidth(1), 120);
  EXPECT_EQ(arguments->GetColumnWidth(2), arguments->GetClientSize().x - 240);
  wxListItem column;
  column.SetMask(wxLIST_MASK_TEXT);
  arguments->GetColumn(1, column);
  EXPECT_EQ(column.GetText(), wxString::FromUTF8("変数名"));
}

TEST_F(FuncViewTest, NewDocumentShowsEmptyListsAndDisabledFields) {
  CFuncDoc* doc = NewDocument();
  CFuncView* view = ViewOf(doc);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->FunctionList()->GetItemCount(), 0);
  EXPECT_EQ(view->StructureList()->GetItemCount(), 0);
  EXPECT_FALSE(view->HeadingEdit()->IsEnabled());
  EXPECT_EQ(view->AttributeCombo()->GetCount(), 5u);
  EXPECT_FALSE(view->ShowFunction(0));
}

TEST_F(FuncViewTest, ClickingBackAndForthStoresTheShownFunctionEachTime) {
  quillmap::SpecStore store;
  AddFunctions(store, {"first", "second"});
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "click.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_NE(view, nullptr);

  // Nothing is shown yet, so the first click stores nothing.
  ClickItem(view->FunctionList(), 1);
  EXPECT_EQ(view->NameEdit()->GetValue(), "second");
  EXPECT_TRUE(view->HeadingEdit()->IsEnabled());
  EXPECT_EQ(doc->GetCurrentFunction(), 1);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(view->FunctionList()->GetSelectionMark(), 1);

  // Leaving an unedited function stores its texts unchanged: no step, no mark.
  ClickItem(view->FunctionList(), 0);
  EXPECT_EQ(view->NameEdit()->GetValue(), "first");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(doc->GetCurrentFunction(), 0);

  view->HeadingEdit()->ChangeValue(wxString::FromUTF8("最初の関数"));
  view->NoteEdit()->ChangeValue("line 1\nline 2");
  ClickItem(view->FunctionList(), 1);
  quillmap::FunctionSpec first;
  ASSERT_TRUE(doc->GetFunction(0, first));
  EXPECT_EQ(first.GetIndex(), Sjis("最初の関数"));
  EXPECT_EQ(first.GetNote(), "line 1\nline 2");

  // Back again: the stored texts come back.
  ClickItem(view->FunctionList(), 0);
  EXPECT_EQ(view->HeadingEdit()->GetValue(), wxString::FromUTF8("最初の関数"));
}

TEST_F(FuncViewTest, RealClicksShowAFunctionAndEmptySpaceKeepsIt) {
  quillmap::SpecStore store;
  AddFunctions(store, {"one", "two"});
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "mouse.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_NE(view, nullptr);
  frame_->Raise();
  // Let the child frame's menu bar and layout settle before reading screen positions.
  for (int i = 0; i < 10; ++i) {
    wxMilliSleep(20);
    Pump();
  }

  SjisListCtrl* list = view->FunctionList();
  wxRect item;
  ASSERT_TRUE(list->GetItemRect(1, item));
  wxUIActionSimulator mouse;
  mouse.MouseMove(list->ClientToScreen(item.GetPosition() + wxPoint(5, item.height / 2)));
  mouse.MouseClick();
  Pump();
  EXPECT_EQ(view->NameEdit()->GetValue(), "two");

  mouse.MouseMove(list->ClientToScreen(wxPoint(10, list->GetClientSize().y - 8)));
  mouse.MouseClick();
  Pump();
  EXPECT_EQ(view->NameEdit()->GetValue(), "two");
  EXPECT_TRUE(view->HeadingEdit()->IsEnabled());
  EXPECT_EQ(list->GetSelectionMark(), 1);

  // The keyboard moves the mark and shows the function reached.
  list->SetFocus();
  Pump();
  mouse.Char(WXK_UP);
  Pump();
  EXPECT_EQ(view->NameEdit()->GetValue(), "one");
  EXPECT_EQ(list->GetSelectionMark(), 0);
}

TEST_F(FuncViewTest, LeavingAFieldStoresTheFunction) {
  CFuncView* view = ShowOneFunction("focus.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  EXPECT_FALSE(doc->IsModified());

  view->ExplanationEdit()->ChangeValue("explained");
  view->AttributeCombo()->SetSelection(4);
  wxFocusEvent leave(wxEVT_KILL_FOCUS, view->ExplanationEdit()->GetId());
  leave.SetEventObject(view->ExplanationEdit());
  view->ExplanationEdit()->GetEventHandler()->ProcessEvent(leave);

  EXPECT_TRUE(doc->IsModified());
  quillmap::FunctionSpec stored;
  ASSERT_TRUE(doc->GetFunction(0, stored));
  EXPECT_EQ(stored.GetExplanation(), "explained");
  EXPECT_EQ(stored.GetAttribute(), quillmap::kAttrInline);
}

TEST_F(FuncViewTest, MovingTheFocusOnStoresTheFieldsLeft) {
  CFuncView* view = ShowOneFunction("realfocus.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  frame_->Raise();
  auto move_focus = [](wxWindow* to) {
    to->SetFocus();
    for (int i = 0; i < 5; ++i) {
      wxMilliSleep(10);
      Pump();
    }
  };
  move_focus(view->HeadingEdit());
  ASSERT_EQ(wxWindow::FindFocus(), view->HeadingEdit());
  view->HeadingEdit()->ChangeValue("from the heading");
  move_focus(view->ReturnTypeCombo());
  quillmap::FunctionSpec stored;
  ASSERT_TRUE(doc->GetFunction(0, stored));
  EXPECT_EQ(stored.GetIndex(), "from the heading");

  view->ReturnTypeCombo()->ChangeValue("double");
  move_focus(view->NoteEdit());
  ASSERT_TRUE(doc->GetFunction(0, stored));
  EXPECT_EQ(stored.GetReturnType(), "double");
}

TEST_F(FuncViewTest, TypedTextIsStoredBeforeSaving) {
  quillmap::SpecStore store;
  AddFunctions(store, {"f"});
  const std::string path = WriteDocument(store, "typed.dcm");
  CFuncDoc* doc = OpenDocument(path);
  CFuncView* view = ViewOf(doc);
  ASSERT_TRUE(view->ShowFunction(0));
  view->HeadingEdit()->ChangeValue("typed, never left");
  ASSERT_TRUE(doc->Save());
  EXPECT_FALSE(doc->IsModified());

  quillmap::SpecStore saved;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(saved, path));
  quillmap::FunctionSpec function;
  ASSERT_TRUE(saved.GetFunction(0, function));
  EXPECT_EQ(function.GetIndex(), "typed, never left");
  // Nothing is left to store: closing asks nothing.
  EXPECT_TRUE(manager_->CloseDocument(doc));
}

TEST_F(FuncViewTest, ShowFunctionFillsEveryField) {
  quillmap::SpecStore store;
  AddFunctions(store, {"Calc", "other"});
  const std::time_t day = LocalMidnight(2001, 1, 5);
  EditFunction(store, "Calc", [&](quillmap::FunctionSpec& f) {
    f.SetIndex(Sjis("計算する"));
    f.SetAttribute(quillmap::kAttrStatic);
    f.AddArgument("int", "a", Sjis("左辺"));
    f.AddArgument("int", "b", Sjis("右辺"));
    f.SetReturnType("long");
    f.SetReturnText("sum");
    f.SetExplanation("adds\r\ntwo numbers");
    f.SetNote("none");
    f.AddHistory(day, Sjis("作成  (draft 1)"));
  });
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "show.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_TRUE(view->ShowFunction(0));

  EXPECT_EQ(view->HeadingEdit()->GetValue(), wxString::FromUTF8("計算する"));
  EXPECT_EQ(view->AttributeCombo()->GetStringSelection(), "static");
  ASSERT_EQ(view->ArgumentList()->GetItemCount(), 2);
  EXPECT_EQ(view->ArgumentList()->GetItemText(1, 0), "int");
  EXPECT_EQ(view->ArgumentList()->GetItemText(1, 1), "b");
  EXPECT_EQ(view->ArgumentList()->GetItemText(1, 2), wxString::FromUTF8("右辺"));
  EXPECT_EQ(view->ReturnTypeCombo()->GetValue(), "long");
  EXPECT_EQ(view->ReturnTextEdit()->GetValue(), "sum");
  EXPECT_EQ(view->NoteEdit()->GetValue(), "none");
  ASSERT_EQ(view->HistoryCombo()->GetCount(), 1u);
  EXPECT_EQ(view->HistoryCombo()->GetString(0), wxString::FromUTF8("2001/01/05 作成  (draft 1)"));
  EXPECT_EQ(view->HistoryCombo()->GetSelection(), 0);

  // The history comment reads back whole, blanks included, with the day's midnight.
  std::time_t date = 0;
  std::string comment;
  ASSERT_TRUE(view->GetHistoryItem(0, date, comment));
  EXPECT_EQ(comment, Sjis("作成  (draft 1)"));
  EXPECT_EQ(date, day);
  EXPECT_FALSE(view->GetHistoryItem(1, date, comment));

  // An index outside the list empties the fields but keeps them enabled.
  EXPECT_FALSE(view->ShowFunction(2));
  EXPECT_EQ(view->HeadingEdit()->GetValue(), "");
  EXPECT_EQ(view->ArgumentList()->GetItemCount(), 0);
  EXPECT_TRUE(view->HeadingEdit()->IsEnabled());
  EXPECT_FALSE(view->StoreFunction());
}

TEST_F(FuncViewTest, StoredRecordHoldsExactlyWhatTheFormShows) {
  quillmap::SpecStore store;
  AddFunctions(store, {"f"});
  EditFunction(store, "f", [](quillmap::FunctionSpec& f) {
    f.AddLink("zeta");
    f.AddLink("Alpha");
    f.AddLink("beta");
    f.AddHistory(LocalMidnight(2020, 2, 29), "leap  day ");
    f.AddChild(nullptr, "extra");  // a key the form doesn't show
  });
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "store.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_TRUE(view->ShowFunction(0));

  // The related list sorts its entries and shows the first.
  EXPECT_EQ(Entries(view->RelatedCombo()), (std::vector<wxString>{"Alpha", "beta", "zeta"}));
  EXPECT_EQ(view->RelatedCombo()->GetSelection(), 0);

  ASSERT_TRUE(view->StoreFunction());
  quillmap::FunctionSpec stored;
  ASSERT_TRUE(doc->GetFunction(0, stored));
  ASSERT_EQ(stored.GetLinkCount(), 3u);
  EXPECT_EQ(stored.GetLink(0), "Alpha");
  EXPECT_EQ(stored.GetLink(1), "beta");
  EXPECT_EQ(stored.GetLink(2), "zeta");
  std::time_t date = 0;
  std::string comment;
  ASSERT_TRUE(stored.GetHistory(0, date, comment));
  EXPECT_EQ(comment, "leap  day ");
  EXPECT_EQ(quillmap::FormatHistoryDate(date), "2020/02/29");
  EXPECT_EQ(stored.FindTop("extra"), nullptr);
}

TEST_F(FuncViewTest, FunctionWithoutAttributeShowsPublic) {
  quillmap::SpecStore store;
  AddFunctions(store, {"plain", "inl"});
  EditFunction(store, "plain",
               [](quillmap::FunctionSpec& f) { f.RemoveNode(f.FindTop("funcattr")); });
  EditFunction(store, "inl",
               [](quillmap::FunctionSpec& f) { f.SetAttribute(quillmap::kAttrInline); });
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "attr.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_TRUE(view->ShowFunction(1));
  EXPECT_EQ(view->AttributeCombo()->GetSelection(), quillmap::kAttrInline);
  ASSERT_TRUE(view->ShowFunction(0));
  EXPECT_EQ(view->AttributeCombo()->GetSelection(), quillmap::kAttrPublic);
  EXPECT_EQ(view->AttributeCombo()->GetStringSelection(), "public");
}

TEST_F(FuncViewTest, ReturnTypeListIgnoresLetterCase) {
  quillmap::SpecStore store;
  AddFunctions(store, {"a", "b", "c"});
  EditFunction(store, "a", [](quillmap::FunctionSpec& f) { f.SetReturnType("char*"); });
  EditFunction(store, "b", [](quillmap::FunctionSpec& f) { f.SetReturnType("CHAR*"); });
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "types.dcm"));
  CFuncView* view = ViewOf(doc);
  auto count_char = [&] {
    const std::vector<wxString> entries = Entries(view->ReturnTypeCombo());
    return std::count_if(entries.begin(), entries.end(),
                         [](const wxString& e) { return e.IsSameAs("char*", false); });
  };
  EXPECT_EQ(count_char(), 1);
  const unsigned int before = view->ReturnTypeCombo()->GetCount();

  ASSERT_TRUE(view->ShowFunction(0));
  ASSERT_TRUE(view->StoreFunction());
  view->AddReturnType("Char*");
  EXPECT_EQ(view->ReturnTypeCombo()->GetCount(), before);

  view->ReturnTypeCombo()->ChangeValue("size_t");
  ASSERT_TRUE(view->StoreFunction());
  EXPECT_EQ(view->ReturnTypeCombo()->GetCount(), before + 1);
  EXPECT_NE(view->ReturnTypeCombo()->FindString("size_t", true), wxNOT_FOUND);

  view->RemoveReturnType("cHaR*");
  EXPECT_EQ(count_char(), 0);
  view->AddReturnType("CHAR*");
  EXPECT_EQ(count_char(), 1);
}

TEST_F(FuncViewTest, CreateFunctionRefusesATakenName) {
  quillmap::SpecStore store;
  AddFunctions(store, {"Calc"});
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "create.dcm"));
  CFuncView* view = ViewOf(doc);
  bool created = true;
  const ShownMessage shown = ExpectMessage([&] { created = view->CreateFunction("int", "Calc"); });
  EXPECT_FALSE(created);
  EXPECT_EQ(shown.caption, wxString::FromUTF8("関数の追加"));
  EXPECT_EQ(shown.message, wxString::FromUTF8("すでに存在する関数名です"));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  EXPECT_TRUE(shown.style & wxOK);
  EXPECT_FALSE(shown.style & wxCANCEL);
  EXPECT_EQ(doc->GetFunctionCount(), 1u);
  EXPECT_EQ(view->FunctionList()->GetItemCount(), 1);
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(FuncViewTest, CreateFunctionListsAndShowsTheNewFunction) {
  quillmap::SpecStore store;
  AddFunctions(store, {"Init"});
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "create2.dcm"));
  CFuncView* view = ViewOf(doc);
  ASSERT_TRUE(view->CreateFunction("int", "Calc"));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(ListTexts(view->FunctionList()), (std::vector<wxString>{"Init", "Calc"}));
  EXPECT_EQ(view->NameEdit()->GetValue(), "Calc");
  EXPECT_EQ(view->HeadingEdit()->GetValue(), "function 'Calc'");
  EXPECT_EQ(view->ReturnTextEdit()->GetValue(), "'int' type");
  EXPECT_EQ(view->ReturnTypeCombo()->GetValue(), "int");
  // The highlight stays where it was: nothing in the list was selected by the program.
  EXPECT_EQ(view->FunctionList()->GetSelectedItemCount(), 0);

  // Without a return type the record keeps its defaults.
  ASSERT_TRUE(view->CreateFunction("", "Bare"));
  EXPECT_EQ(view->HeadingEdit()->GetValue(), "index");
  EXPECT_EQ(view->ReturnTypeCombo()->GetValue(), "void");
}

TEST_F(FuncViewTest, CreateStructureRefusesATakenNameAndListsANewOne) {
  quillmap::SpecStore store;
  AddStructs(store, {"POINT"});
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "struct.dcm"));
  CFuncView* view = ViewOf(doc);
  bool created = true;
  const ShownMessage shown = ExpectMessage([&] { created = view->CreateStructure("POINT"); });
  EXPECT_FALSE(created);
  EXPECT_EQ(shown.caption, wxString::FromUTF8("構造体ﾘｽﾄに構造体を追加\n構造体の追加"));
  EXPECT_EQ(shown.message, wxString::FromUTF8("すでに存在する構造体名です"));
  EXPECT_TRUE(shown.style & wxICON_STOP);

  ASSERT_TRUE(view->CreateStructure("SIZE"));
  EXPECT_EQ(ListTexts(view->StructureList()), (std::vector<wxString>{"POINT", "SIZE"}));
  EXPECT_NE(view->ReturnTypeCombo()->FindString("SIZE", true), wxNOT_FOUND);
  EXPECT_EQ(doc->FindStruct("SIZE"), 1);
}

TEST_F(FuncViewTest, TypingACharacterShiftJisCannotHoldIsRefused) {
  CFuncView* view = ShowOneFunction("refuse.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  view->HeadingEdit()->SetValue(wxString::FromUTF8("見出し"));
  const ShownMessage shown = ExpectMessage([&] {
    view->HeadingEdit()->SetValue(wxString::FromUTF8("見出し\u2603"));
    PumpFor(SjisTypingGuard::kMessagePauseMs + 200);
  });
  EXPECT_TRUE(shown.message.Contains(wxString::FromUTF8("\u2603"))) << shown.message.utf8_str();
  EXPECT_TRUE(shown.message.Contains("U+2603"));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  EXPECT_EQ(view->HeadingEdit()->GetValue(), wxString::FromUTF8("見出し"));

  // Text set behind the guard's back is refused at store time, leaving the document alone.
  view->NoteEdit()->ChangeValue(wxString::FromUTF8("\U0001F600"));
  doc->Modify(false);
  bool stored = true;
  ExpectMessage([&] { stored = view->StoreFunction(); });
  EXPECT_FALSE(stored);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(view->NoteEdit()->GetValue(), wxString::FromUTF8("\U0001F600"));
}

TEST_F(FuncViewTest, PastingACharacterShiftJisCannotHoldIsRefused) {
  CFuncView* view = ShowOneFunction("paste.dcm");
  ASSERT_NE(view, nullptr);
  frame_->Raise();
  for (SjisTextCtrl* edit : {view->NoteEdit(), view->HeadingEdit()}) {
    edit->SetBytes("kept");
    edit->SetFocus();
    edit->SetInsertionPointEnd();
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(" \u2603 snow")));
    wxTheClipboard->Close();
    const ShownMessage shown = ExpectMessage([&] {
      edit->Paste();
      PumpFor(SjisTypingGuard::kMessagePauseMs + 200);
    });
    EXPECT_TRUE(shown.message.Contains("U+2603")) << edit->GetId();
    EXPECT_EQ(edit->GetValue(), "kept") << edit->GetId();
  }
}

// Keys typed right after a refused paste reach the field, not the refusal's message: the message
// waits until the typing pauses.
TEST_F(FuncViewTest, KeysTypedAfterARefusalGoToTheFieldBeforeTheMessage) {
  CFuncView* view = ShowOneFunction("type-ahead.dcm");
  ASSERT_NE(view, nullptr);
  frame_->Raise();
  SjisTextCtrl* edit = view->HeadingEdit();
  edit->SetBytes("ab");
  edit->SetFocus();
  edit->SetInsertionPointEnd();
  PumpFor(50);
  ASSERT_TRUE(wxTheClipboard->Open());
  wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8("\u2603")));
  wxTheClipboard->Close();
  ShownMessage shown;
  wxString shown_before_pause;
  wxString typed;
  wxTEST_DIALOG(
      {
        wxUIActionSimulator keys;
        keys.Char('v', wxMOD_CONTROL);
        PumpFor(60);  // refused and put back
        keys.Text("xy");
        PumpFor(60);
        shown_before_pause = shown.message;
        typed = edit->GetValue();
        PumpFor(SjisTypingGuard::kMessagePauseMs + 200);
      },
      RecordingMessageExpectation(shown));
  EXPECT_EQ(shown_before_pause, "");
  EXPECT_EQ(typed, "abxy");
  EXPECT_TRUE(shown.message.Contains("U+2603"));
  EXPECT_EQ(edit->GetValue(), "abxy");
}

TEST_F(FuncViewTest, SelectionMarkFollowsRowsInsertedAndDeleted) {
  CFuncDoc* doc = NewDocument();
  CFuncView* view = ViewOf(doc);
  SjisListCtrl* list = view->StructureList();
  for (const char* name : {"a", "b", "c", "d"}) list->AppendRow({name});
  ClickItem(list, 2);
  EXPECT_EQ(list->GetSelectionMark(), 2);
  list->InsertRow(0, {"first"});
  EXPECT_EQ(list->GetSelectionMark(), 3);
  // The highlight moves with its row too.
  EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 3);
  EXPECT_EQ(list->GetItemText(3), "c");
  list->DeleteRow(0);
  EXPECT_EQ(list->GetSelectionMark(), 2);
  EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 2);
  list->DeleteRow(2);  // the marked row: the mark stays on the row that moves up
  EXPECT_EQ(list->GetSelectionMark(), 2);
  EXPECT_EQ(list->GetItemText(2), "d");
  list->DeleteRow(2);  // the last row: the mark moves to the new last row
  EXPECT_EQ(list->GetSelectionMark(), 1);
  list->DeleteAllRows();
  EXPECT_EQ(list->GetSelectionMark(), -1);
}

TEST_F(FuncViewTest, FormMatchesItsTemplate) {
  CFuncDoc* doc = NewDocument();
  CFuncView* view = ViewOf(doc);
  wxScrolledWindow* form = view->Form();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->GetFont().GetPointSize(), 9);
  const DialogUnits du(form);

  struct Expected {
    int id;
    int x, y, width, height;  // height 0: natural height of a combo box
    const char* label;
  };
  const Expected expected[] = {
      {1025, 18, 18, 26, 14, "追加"},     {1026, 45, 18, 26, 14, "削除"},
      {32778, 72, 18, 26, 14, "ｺﾋﾟｰ"},    {1001, 8, 33, 99, 108, nullptr},
      {1030, 146, 18, 103, 14, nullptr},  {1027, 271, 18, 103, 0, nullptr},
      {1031, 146, 33, 227, 14, nullptr},  {1005, 116, 60, 24, 14, "追加"},
      {1006, 116, 75, 24, 14, "削除"},    {1007, 116, 91, 24, 14, "ｺﾋﾟｰ"},
      {1014, 147, 50, 227, 57, nullptr},  {1040, 146, 109, 164, 0, nullptr},
      {1041, 146, 124, 228, 22, nullptr}, {1016, 146, 148, 228, 31, nullptr},
      {1017, 146, 181, 228, 29, nullptr}, {1023, 147, 215, 32, 13, "追加"},
      {1021, 180, 215, 194, 0, nullptr},  {1024, 147, 233, 32, 13, "更新"},
      {1022, 180, 234, 194, 0, nullptr},  {1002, 8, 172, 99, 75, nullptr},
      {1028, 13, 156, 23, 14, "追加"},    {1029, 36, 156, 23, 14, "削除"},
      {32779, 59, 156, 23, 14, "ｺﾋﾟｰ"},   {32780, 82, 156, 23, 14, "編集"},
  };
  std::vector<int> tab_order;
  for (wxWindow* child : form->GetChildren()) {
    // Group boxes and labels have no id of their own.
    if (child->GetId() > 0) tab_order.push_back(child->GetId());
  }
  std::vector<int> expected_order;
  for (const Expected& e : expected) {
    expected_order.push_back(e.id);
    wxWindow* window = form->FindWindow(e.id);
    ASSERT_NE(window, nullptr) << e.id;
    EXPECT_EQ(window->GetPosition(), du.Point(e.x, e.y)) << e.id;
    if (e.height != 0) {
      EXPECT_EQ(window->GetSize(), du.Size(e.width, e.height)) << e.id;
    } else {
      EXPECT_EQ(window->GetSize().x, du.X(e.width)) << e.id;
    }
    if (e.label != nullptr) {
      EXPECT_EQ(window->GetLabel(), wxString::FromUTF8(e.label)) << e.id;
    }
  }
  EXPECT_EQ(tab_order, expected_order);
  EXPECT_TRUE(view->FunctionList()->HasFlag(wxLC_EDIT_LABELS));
  EXPECT_TRUE(view->FunctionList()->HasFlag(wxLC_NO_HEADER));
  EXPECT_FALSE(view->ArgumentList()->HasFlag(wxLC_EDIT_LABELS));
  EXPECT_TRUE(view->ExplanationEdit()->IsMultiLine());
  EXPECT_FALSE(view->NameEdit()->IsEditable());
  EXPECT_TRUE(view->RelatedCombo()->HasFlag(wxCB_SORT));
  EXPECT_FALSE(view->HistoryCombo()->HasFlag(wxCB_SORT));
}

TEST_F(FuncViewTest, SmallFrameScrollsTheFormAndALargeOneShowsItAtItsOrigin) {
  CFuncDoc* doc = NewDocument();
  CFuncView* view = ViewOf(doc);
  wxScrolledWindow* form = view->Form();
  wxWindow* note = form->FindWindow(ids::kNote);
  const wxPoint placed = note->GetPosition();
  const wxSize full = DialogUnits(form).Size(384, 259);
  int unit_x = 0, unit_y = 0;
  form->GetScrollPixelsPerUnit(&unit_x, &unit_y);
  // The controls lie where the scroll position says, and a form that fits is not scrolled.
  auto settle_at = [&](const wxSize& frame_size) {
    frame_->SetSize(frame_size);
    for (int i = 0; i < 10; ++i) {
      wxMilliSleep(10);
      Pump();
    }
    const wxPoint start = form->GetViewStart();
    EXPECT_EQ(note->GetPosition(), placed - wxPoint(start.x * unit_x, start.y * unit_y));
    if (form->GetClientSize().x >= full.x) {
      EXPECT_EQ(start.x, 0);
    }
    if (form->GetClientSize().y >= full.y) {
      EXPECT_EQ(start.y, 0);
    }
    return start;
  };

  // Smaller than the form: scroll bars, the controls in their places.
  settle_at(wxSize(300, 250));
  ASSERT_LT(form->GetClientSize().x, full.x);
  ASSERT_LT(form->GetClientSize().y, full.y);
  EXPECT_EQ(form->GetVirtualSize(), full);
  EXPECT_GT(form->GetScrollRange(wxVERTICAL), form->GetScrollThumb(wxVERTICAL));
  EXPECT_GT(form->GetScrollRange(wxHORIZONTAL), form->GetScrollThumb(wxHORIZONTAL));
  EXPECT_EQ(note->GetPosition(), placed);
  form->Scroll(4, 15);
  Pump();
  EXPECT_EQ(note->GetPosition(), placed - wxPoint(4 * unit_x, 15 * unit_y));
  {
    SCOPED_TRACE("wide enough, still too low");
    const wxPoint start = settle_at(wxSize(1000, 300));
    ASSERT_LT(form->GetClientSize().y, full.y);
    EXPECT_GT(start.y, 0);
  }
  {
    SCOPED_TRACE("large enough");
    settle_at(wxSize(1000, 800));
    ASSERT_GE(form->GetClientSize().y, full.y);
    EXPECT_EQ(note->GetPosition(), placed);
  }
}

TEST_F(FuncViewTest, PrintedPagesAreEmpty) {
  CFuncDoc* doc = NewDocument();
  CFuncView* view = ViewOf(doc);
  std::unique_ptr<wxPrintout> printout(view->OnCreatePrintout());
  ASSERT_NE(printout, nullptr);
  wxBitmap page(200, 200);
  wxMemoryDC dc(page);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  printout->SetDC(&dc);
  printout->SetPageSizePixels(200, 200);
  EXPECT_TRUE(printout->OnPrintPage(1));
  dc.SelectObject(wxNullBitmap);
  const wxImage image = page.ConvertToImage();
  for (int y = 0; y < 200; y += 7) {
    for (int x = 0; x < 200; x += 7) {
      ASSERT_EQ(image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y), 3 * 255);
    }
  }
}

}  // namespace
