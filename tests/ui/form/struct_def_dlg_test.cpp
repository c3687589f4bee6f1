// CStructDefDlg on its own, shown for real and driven by real keys and clicks: its layout, Tab
// order, Return and Escape, the controls that follow the name, the member commands and the
// related entries, and the record that OK rebuilds.

#include <memory>

#include <gtk/gtk.h>

#include <wx/button.h>
#include <wx/listbox.h>

#include "struct_fixture.h"
#include "ui/dialogs/arg_dlg.h"
#include "ui/dialogs/related_func_dlg.h"
#include "ui/res/ids.h"
#include "ui/widgets/dialog_units.h"

namespace {

class StructDefDlgTest : public StructTest {
 protected:
  void SetUp() override {
    StructTest::SetUp();
    // The candidates of related entries: a structure list in its own order.
    candidates_ = new SjisListCtrl(frame_, wxID_ANY, wxDefaultPosition, wxSize(100, 100),
                                   wxLC_REPORT | wxLC_NO_HEADER);
    candidates_->InsertColumn(0, "STRUCTURE");
    for (const char* name : {"SIZE", "POINT", "RECT"}) candidates_->AppendRow({name});
  }

  // A dialog for the record, shown for input with the focus in the name.
  std::unique_ptr<CStructDefDlg> Show(const StructRecord& record) {
    auto dialog = std::make_unique<CStructDefDlg>(frame_);
    quillmap::StructSpec spec;
    FillStruct(spec, record);
    dialog->SetStruct(spec);
    dialog->SetCandidateList(candidates_);
    ShowStructDlgForInput(dialog.get(), dialog->NameEdit(), &ended_);
    return dialog;
  }

  // The nine controls that need a name.
  static std::vector<wxWindow*> NeedName(CStructDefDlg* dialog) {
    std::vector<wxWindow*> windows;
    for (int id : {ids::kStructAddMember, ids::kStructCopyMember, ids::kStructDeleteMember,
                   static_cast<int>(wxID_OK), ids::kStructMembers, ids::kStructExplanation,
                   ids::kStructHeading, ids::kStructRelated, ids::kStructAddRelated}) {
      windows.push_back(dialog->FindWindow(id));
    }
    return windows;
  }

  // The ids of the dialog's controls that Tab visits from the focused one, count times. Read
  // from GTK's own focus: inside a drop-down list it lies on a part that wx doesn't know.
  static std::vector<int> TabWalk(wxDialog* dialog, int count, int modifiers = wxMOD_NONE) {
    std::vector<int> ids;
    for (int i = 0; i < count; ++i) {
      PressKey(WXK_TAB, modifiers);
      GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog->GetHandle()));
      int id = 0;
      for (wxWindow* child : dialog->GetChildren()) {
        GtkWidget* widget = child->GetHandle();
        if (focus != nullptr && (focus == widget || gtk_widget_is_ancestor(focus, widget))) {
          id = child->GetId();
        }
      }
      ids.push_back(id);
    }
    return ids;
  }

  SjisListCtrl* candidates_ = nullptr;
  int ended_ = wxID_NONE;
};

TEST_F(StructDefDlgTest, LaidOutWhollyInsideWithItsColumnsAndTabOrder) {
  StructRecord point = Named("POINT");
  point.members = {{"int", "x", Sjis("横")}};
  point.links = {"SIZE"};
  auto dialog = Show(point);
  EXPECT_EQ(dialog->GetTitle(), U("構造体定義"));
  EXPECT_EQ(dialog->GetId(), ids::kStructDefDialog);
  // Every control lies wholly inside the dialog and no two overlap.
  const wxRect client(wxPoint(0, 0), dialog->GetClientSize());
  std::vector<wxRect> rects;
  for (wxWindow* child : dialog->GetChildren()) {
    const wxRect rect = child->GetRect();
    EXPECT_TRUE(client.Contains(rect)) << child->GetId() << " " << child->GetLabel().utf8_str();
    for (const wxRect& other : rects) {
      EXPECT_FALSE(other.Intersects(rect)) << child->GetLabel().utf8_str();
    }
    rects.push_back(rect);
  }
  for (int id : {ids::kStructAddMember, ids::kStructDeleteMember, ids::kStructCopyMember,
                 ids::kStructAddRelated}) {
    auto* button = wxDynamicCast(dialog->FindWindow(id), wxButton);
    ASSERT_NE(button, nullptr) << id;
    // The label fits its button.
    EXPECT_LT(button->GetTextExtent(button->GetLabel()).x, button->GetSize().x) << id;
  }
  EXPECT_EQ(dialog->FindWindow(ids::kStructAddMember)->GetLabel(), U("追加"));
  EXPECT_EQ(dialog->FindWindow(ids::kStructDeleteMember)->GetLabel(), U("削除"));
  EXPECT_EQ(dialog->FindWindow(ids::kStructCopyMember)->GetLabel(), U("ｺﾋﾟｰ"));
  EXPECT_EQ(dialog->FindWindow(ids::kStructAddRelated)->GetLabel(), U("追加"));
  EXPECT_EQ(dialog->FindWindow(wxID_CANCEL)->GetLabel(), U("ｷｬﾝｾﾙ"));

  SjisListCtrl* list = dialog->MemberList();
  EXPECT_EQ(dialog->FindWindow(ids::kStructMembers), list);
  EXPECT_TRUE(list->HasFlag(wxLC_SINGLE_SEL));
  EXPECT_TRUE(list->HasFlag(wxLC_NO_SORT_HEADER));
  EXPECT_FALSE(list->HasFlag(wxLC_EDIT_LABELS));
  EXPECT_TRUE(dialog->RelatedCombo()->HasFlag(wxCB_SORT));
  EXPECT_TRUE(dialog->ExplanationEdit()->IsMultiLine());
  const char* titles[] = {"型", "変数名", "説明"};
  const int widths[] = {120, 120, list->GetClientSize().x - 240};
  for (int column = 0; column < 3; ++column) {
    wxListItem item;
    item.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
    ASSERT_TRUE(list->GetColumn(column, item));
    EXPECT_EQ(item.GetText(), U(titles[column]));
    EXPECT_EQ(item.GetWidth(), widths[column]);
  }
  EXPECT_EQ(MemberRows(dialog.get()), (std::vector<Argument>{{"int", "x", Sjis("横")}}));

  EXPECT_EQ(TabWalk(dialog.get(), 11),
            (std::vector<int>{ids::kStructHeading, ids::kStructMembers, ids::kStructAddMember,
                              ids::kStructDeleteMember, ids::kStructCopyMember,
                              ids::kStructExplanation, ids::kStructAddRelated, ids::kStructRelated,
                              wxID_OK, wxID_CANCEL, ids::kStructName}));
  EXPECT_EQ(TabWalk(dialog.get(), 1, wxMOD_SHIFT), (std::vector<int>{wxID_CANCEL}));
  PressKey(WXK_ESCAPE);
  EXPECT_EQ(ended_, wxID_CANCEL);
}

TEST_F(StructDefDlgTest, ReturnIsOkButBreaksTheLineInTheExplanationAndEscapeCancels) {
  auto dialog = Show(Named("POINT"));
  FocusOn(dialog->ExplanationEdit());
  TypeText("one");
  PressKey(WXK_RETURN);
  TypeText("two");
  EXPECT_TRUE(dialog->IsShown());
  EXPECT_EQ(dialog->ExplanationEdit()->GetValue(), "one\ntwo");
  // Escape drops everything typed.
  PressKey(WXK_ESCAPE);
  EXPECT_EQ(ended_, wxID_CANCEL);
  EXPECT_EQ(Fields(dialog->GetStruct()), Named("POINT"));

  for (wxWindow* (*where)(CStructDefDlg*) :
       {+[](CStructDefDlg* d) -> wxWindow* { return d->NameEdit(); },
        +[](CStructDefDlg* d) -> wxWindow* { return d->HeadingEdit(); },
        +[](CStructDefDlg* d) -> wxWindow* { return d->MemberList(); }}) {
    dialog = Show(Named("POINT"));
    FocusOn(where(dialog.get()));
    FocusOn(dialog->ExplanationEdit());
    TypeText("typed");
    FocusOn(where(dialog.get()));
    PressKey(WXK_RETURN);
    EXPECT_EQ(ended_, wxID_OK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(dialog->GetStruct().GetExplanation(), "typed");
  }
}

TEST_F(StructDefDlgTest, NineControlsFollowTheName) {
  StructRecord empty = Named("");
  auto dialog = Show(empty);
  // The dialog's own set-up set an empty name: only the name and Cancel work.
  for (wxWindow* window : NeedName(dialog.get()))
    EXPECT_FALSE(window->IsEnabled()) << window->GetId();
  EXPECT_TRUE(dialog->NameEdit()->IsEnabled());
  EXPECT_TRUE(dialog->FindWindow(wxID_CANCEL)->IsEnabled());
  TypeText("S");
  for (wxWindow* window : NeedName(dialog.get()))
    EXPECT_TRUE(window->IsEnabled()) << window->GetId();
  PressKey(WXK_ESCAPE);

  dialog = Show(Named("POINT"));
  for (wxWindow* window : NeedName(dialog.get()))
    EXPECT_TRUE(window->IsEnabled()) << window->GetId();
  // Clearing the name disables them all again; OK can be neither pressed nor reached by Return.
  dialog->NameEdit()->SelectAll();
  PressKey(WXK_DELETE);
  EXPECT_EQ(dialog->NameEdit()->GetValue(), "");
  for (wxWindow* window : NeedName(dialog.get()))
    EXPECT_FALSE(window->IsEnabled()) << window->GetId();
  PressKey(WXK_RETURN);
  ClickOn(dialog->FindWindow(wxID_OK));
  EXPECT_TRUE(dialog->IsShown());
  EXPECT_EQ(ended_, wxID_NONE);
  TypeText("RECT");
  PressKey(WXK_RETURN);
  EXPECT_EQ(ended_, wxID_OK);
  EXPECT_EQ(dialog->GetStruct().GetRecordName(), "RECT");
}

TEST_F(StructDefDlgTest, MemberRowsByKeysButtonsAndDoubleClicks) {
  auto dialog = Show(Named("POINT"));
  SjisListCtrl* list = dialog->MemberList();
  const Argument added{"type", "value", "comment"};

  // Nothing to delete or copy yet.
  FocusOn(list);
  ShownMessage shown = ExpectMessage([&] { PressKey(WXK_DELETE); });
  EXPECT_EQ(shown.caption, U("ﾒﾝﾊﾞ変数の削除"));
  EXPECT_EQ(shown.message, U("削除するﾒﾝﾊﾞがありません"));
  EXPECT_TRUE(shown.style & wxICON_STOP);
  shown = ExpectMessage([&] { ClickOn(dialog->FindWindow(ids::kStructCopyMember)); });
  EXPECT_EQ(shown.caption, U("構造体をｺﾋﾟｰして追加\n構造体のｺﾋﾟｰ"));
  EXPECT_EQ(shown.message, U("ｺﾋﾟｰするﾒﾝﾊﾞがありません"));
  EXPECT_TRUE(shown.style & wxICON_STOP);

  // Insert and the button add the same row; no row is marked yet.
  FocusOn(list);
  PressKey(WXK_INSERT);
  ClickOn(dialog->FindWindow(ids::kStructAddMember));
  EXPECT_EQ(MemberRows(dialog.get()), (std::vector<Argument>{added, added}));
  shown = ExpectMessage([&] { ClickOn(dialog->FindWindow(ids::kStructDeleteMember)); });
  EXPECT_EQ(shown.caption, U("ﾒﾝﾊﾞ変数の削除"));
  EXPECT_EQ(shown.message, U("削除するﾒﾝﾊﾞを選択してください"));
  shown = ExpectMessage([&] { ClickOn(dialog->FindWindow(ids::kStructCopyMember)); });
  EXPECT_EQ(shown.message, U("ｺﾋﾟｰするﾒﾝﾊﾞがありません"));
  // A double click below the rows opens nothing without a mark.
  ClickAt(RowPoint(list, list->GetItemCount()), true);

  // A double click on a row edits it in the argument dialog, titled for members; whatever is
  // typed goes back unchecked, an empty name included.
  const Argument edited{"int", "", Sjis("横の位置")};
  wxTEST_DIALOG(ClickAt(RowPoint(list, 1), true), DialogAnswer<CArgDlg>([&](CArgDlg* arg) {
                  EXPECT_EQ(arg->GetTitle(), U("ﾒﾝﾊﾞ変数の編集"));
                  EXPECT_EQ(arg->TypeEdit()->GetValue(), "type");
                  EXPECT_EQ(arg->NameEdit()->GetValue(), "value");
                  EXPECT_EQ(arg->DescriptionEdit()->GetValue(), "comment");
                  arg->TypeEdit()->SetBytes(edited.type);
                  arg->NameEdit()->SetBytes(edited.name);
                  arg->DescriptionEdit()->SetBytes(edited.description);
                  return wxID_OK;
                }));
  EXPECT_EQ(MemberRows(dialog.get()), (std::vector<Argument>{added, edited}));
  EXPECT_EQ(list->GetSelectionMark(), 1);
  // Cancel there changes nothing; the empty space below the rows edits the marked row too.
  wxTEST_DIALOG(ClickAt(RowPoint(list, list->GetItemCount()), true),
                DialogAnswer<CArgDlg>([&](CArgDlg* arg) {
                  EXPECT_EQ(arg->TypeEdit()->GetValue(), "int");
                  arg->TypeEdit()->SetBytes("long");
                  return wxID_CANCEL;
                }));
  EXPECT_EQ(MemberRows(dialog.get()), (std::vector<Argument>{added, edited}));

  // The copy of the marked row goes last.
  ClickOn(dialog->FindWindow(ids::kStructCopyMember));
  EXPECT_EQ(MemberRows(dialog.get()), (std::vector<Argument>{added, edited, edited}));

  // Delete asks with the member's type; No keeps the row, Yes deletes it.
  ClickRow(list, 0);
  wxTEST_DIALOG(PressKey(WXK_DELETE), RecordingMessageExpectation(shown, wxID_NO));
  EXPECT_EQ(shown.caption, U("ﾒﾝﾊﾞ変数の削除"));
  EXPECT_EQ(shown.message, U("'type'\nを削除してもよろしいですか？"));
  EXPECT_TRUE(shown.style & wxICON_QUESTION);
  EXPECT_TRUE(shown.style & wxYES_NO);
  EXPECT_TRUE(shown.style & wxNO_DEFAULT);
  EXPECT_EQ(list->GetItemCount(), 3);
  wxTEST_DIALOG(ClickOn(dialog->FindWindow(ids::kStructDeleteMember)),
                RecordingMessageExpectation(shown, wxID_YES));
  EXPECT_EQ(MemberRows(dialog.get()), (std::vector<Argument>{edited, edited}));

  // OK stores the rows top to bottom.
  ClickOn(dialog->FindWindow(wxID_OK));
  EXPECT_EQ(ended_, wxID_OK);
  EXPECT_EQ(Fields(dialog->GetStruct()).members, (std::vector<Argument>{edited, edited}));
}

TEST_F(StructDefDlgTest, RelatedEntriesAreStoredSortedAndOkRebuildsTheWholeRecord) {
  StructRecord rect = Named("RECT");
  rect.heading = Sjis("矩形");
  rect.explanation = "four sides";
  rect.members = {{"POINT", "lt", ""}, {"POINT", "rb", ""}};
  rect.links = {"SIZE", "POINT"};
  rect.note = "a note";
  rect.history = 2;
  auto dialog = Show(rect);
  EXPECT_EQ(dialog->NameEdit()->GetValue(), "RECT");
  EXPECT_EQ(dialog->HeadingEdit()->GetValue(), U("矩形"));
  EXPECT_EQ(dialog->ExplanationEdit()->GetValue(), "four sides");
  EXPECT_EQ(ComboBytes(dialog->RelatedCombo()), (std::vector<std::string>{"POINT", "SIZE"}));
  EXPECT_EQ(dialog->RelatedCombo()->GetSelection(), 0);

  // The related dialog offers the caller's list, with the combo's entries already chosen.
  wxTEST_DIALOG(
      ClickOn(dialog->FindWindow(ids::kStructAddRelated)),
      DialogAnswer<CRelatedFuncDlg>([](CRelatedFuncDlg* related) {
        EXPECT_EQ(EntryTexts(related->Candidates()), (std::vector<wxString>{"RECT"}));
        EXPECT_EQ(EntryTexts(related->Chosen()), (std::vector<wxString>{"POINT", "SIZE"}));
        related->Candidates()->SetSelection(0);
        wxCommandEvent click(wxEVT_BUTTON, ids::kRelatedMove);
        related->MoveButton()->GetEventHandler()->ProcessEvent(click);
        return wxID_OK;
      }));
  EXPECT_EQ(ComboBytes(dialog->RelatedCombo()),
            (std::vector<std::string>{"POINT", "RECT", "SIZE"}));
  EXPECT_EQ(dialog->RelatedCombo()->GetSelection(), 0);

  ClickOn(dialog->FindWindow(wxID_OK));
  ASSERT_EQ(ended_, wxID_OK);
  StructRecord expected = rect;
  expected.links = {"POINT", "RECT", "SIZE"};
  // Rebuilt from the dialog: no note and no history.
  expected.note = "";
  expected.history = 0;
  EXPECT_EQ(Fields(dialog->GetStruct()), expected);

  // Links of a record that were out of order come back sorted after OK, even untouched.
  rect.links = {"Zeta", "alpha", "Mid"};
  dialog = Show(rect);
  ClickOn(dialog->FindWindow(wxID_OK));
  EXPECT_EQ(Fields(dialog->GetStruct()).links, (std::vector<std::string>{"alpha", "Mid", "Zeta"}));
}

}  // namespace
