// The add-function, argument and related-functions dialogs on their own, shown for real and
// driven by real keys and clicks: layout from their templates, Tab order, Return and Escape.

#include <memory>

#include <wx/button.h>
#include <wx/listbox.h>

#include "edit_fixture.h"
#include "ui/dialogs/add_func_dlg.h"
#include "ui/dialogs/arg_dlg.h"
#include "ui/dialogs/related_func_dlg.h"
#include "ui/res/ids.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/sjis_field.h"

namespace {

class EditDialogsTest : public EditTest {
 protected:
  // Shows a dialog modelessly (a modal loop would leave no room for the test's input), with the
  // focus on first, and records the buttons that get clicked.
  void ShowForInput(wxDialog* dialog, wxWindow* first) {
    dialog->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
      clicked_.push_back(event.GetId());
      event.Skip();
    });
    dialog->InitDialog();
    dialog->Show();
    dialog->Raise();
    Settle(10);
    FocusOn(first);
  }

  // The ids of the controls that Tab visits from the focused one, count times.
  static std::vector<int> TabWalk(int count, int modifiers = wxMOD_NONE) {
    std::vector<int> ids;
    for (int i = 0; i < count; ++i) {
      PressKey(WXK_TAB, modifiers);
      wxWindow* focus = wxWindow::FindFocus();
      ids.push_back(focus != nullptr ? focus->GetId() : 0);
    }
    return ids;
  }

  static void ExpectPlaced(wxDialog* dialog, int id, int x, int y, int width, int height) {
    const DialogUnits du(dialog);
    wxWindow* window = dialog->FindWindow(id);
    ASSERT_NE(window, nullptr) << id;
    EXPECT_EQ(window->GetPosition(), du.Point(x, y)) << id;
    EXPECT_EQ(window->GetSize(), du.Size(width, height)) << id;
  }

  std::vector<int> clicked_;
};

TEST_F(EditDialogsTest, AddFunctionDialogEnablesOkWithTheEntryAndAnswersReturnAndEscape) {
  auto dialog = std::make_unique<CAddFuncDlg>(frame_);
  EXPECT_EQ(dialog->GetTitle(), U("関数の追加"));
  EXPECT_EQ(dialog->GetClientSize(), DialogUnits(dialog.get()).Size(169, 51));
  ExpectPlaced(dialog.get(), ids::kAddFuncEdit, 7, 21, 111, 13);
  ExpectPlaced(dialog.get(), wxID_OK, 123, 10, 36, 14);
  ExpectPlaced(dialog.get(), wxID_CANCEL, 123, 26, 36, 14);
  EXPECT_EQ(dialog->FindWindow(wxID_CANCEL)->GetLabel(), "CANCEL");
  ShowForInput(dialog.get(), dialog->Entry());
  EXPECT_FALSE(dialog->OkButton()->IsEnabled());

  // Return does nothing while OK is disabled; Tab skips it.
  PressKey(WXK_RETURN);
  EXPECT_TRUE(dialog->IsShown());
  EXPECT_EQ(TabWalk(1), (std::vector<int>{wxID_CANCEL}));
  EXPECT_EQ(TabWalk(1, wxMOD_SHIFT), (std::vector<int>{ids::kAddFuncEdit}));

  TypeText("x");
  EXPECT_TRUE(dialog->OkButton()->IsEnabled());
  PressKey(WXK_BACK);
  EXPECT_FALSE(dialog->OkButton()->IsEnabled());
  TypeText("int f(void)");
  EXPECT_TRUE(dialog->OkButton()->IsEnabled());
  EXPECT_EQ(TabWalk(3), (std::vector<int>{wxID_OK, wxID_CANCEL, ids::kAddFuncEdit}));

  PressKey(WXK_RETURN);
  EXPECT_EQ(clicked_, (std::vector<int>{wxID_OK}));
  EXPECT_FALSE(dialog->IsShown());
  EXPECT_EQ(dialog->GetText(), "int f(void)");

  // Escape cancels, and the text is dropped.
  dialog = std::make_unique<CAddFuncDlg>(frame_);
  clicked_.clear();
  ShowForInput(dialog.get(), dialog->Entry());
  TypeText("g");
  PressKey(WXK_ESCAPE);
  EXPECT_EQ(clicked_, (std::vector<int>{wxID_CANCEL}));
  EXPECT_FALSE(dialog->IsShown());
  EXPECT_EQ(dialog->GetText(), "");
}

TEST_F(EditDialogsTest, ArgumentDialogShowsTheCallersTextsUnderItsCaption) {
  auto dialog = std::make_unique<CArgDlg>(frame_, U("ﾒﾝﾊﾞ変数の編集"));
  EXPECT_EQ(dialog->GetTitle(), U("ﾒﾝﾊﾞ変数の編集"));
  EXPECT_EQ(dialog->GetClientSize(), DialogUnits(dialog.get()).Size(171, 85));
  ExpectPlaced(dialog.get(), ids::kArgType, 27, 10, 136, 12);
  ExpectPlaced(dialog.get(), ids::kArgName, 27, 26, 136, 12);
  ExpectPlaced(dialog.get(), ids::kArgDescription, 27, 42, 136, 12);
  ExpectPlaced(dialog.get(), wxID_OK, 38, 59, 50, 14);
  ExpectPlaced(dialog.get(), wxID_CANCEL, 90, 59, 50, 14);
  const quillmap::ArgumentTexts preset{"int", "count", Sjis("個数")};
  dialog->SetTexts(preset);
  ShowForInput(dialog.get(), dialog->TypeEdit());
  EXPECT_EQ(dialog->TypeEdit()->GetValue(), "int");
  EXPECT_EQ(dialog->DescriptionEdit()->GetValue(), U("個数"));
  EXPECT_EQ(TabWalk(5), (std::vector<int>{ids::kArgName, ids::kArgDescription, wxID_OK, wxID_CANCEL,
                                          ids::kArgType}));

  // Typed into the name, then Return: OK takes the three texts.
  FocusOn(dialog->NameEdit());
  dialog->NameEdit()->SelectAll();
  TypeText("n");
  PressKey(WXK_RETURN);
  EXPECT_EQ(clicked_, (std::vector<int>{wxID_OK}));
  EXPECT_EQ(dialog->GetTexts().type, "int");
  EXPECT_EQ(dialog->GetTexts().name, "n");
  EXPECT_EQ(dialog->GetTexts().description, Sjis("個数"));

  // After Escape the texts are the caller's.
  dialog = std::make_unique<CArgDlg>(frame_, U("引数の編集"));
  dialog->SetTexts(preset);
  clicked_.clear();
  ShowForInput(dialog.get(), dialog->TypeEdit());
  TypeText("changed");
  PressKey(WXK_ESCAPE);
  EXPECT_EQ(clicked_, (std::vector<int>{wxID_CANCEL}));
  EXPECT_EQ(dialog->GetTexts().type, "int");
}

class RelatedDialogTest : public EditDialogsTest {
 protected:
  void SetUp() override {
    EditDialogsTest::SetUp();
    // The candidates come from a list of the caller, here a function list in its own order.
    candidates_ = new SjisListCtrl(frame_, wxID_ANY, wxDefaultPosition, wxSize(100, 100),
                                   wxLC_REPORT | wxLC_NO_HEADER);
    candidates_->InsertColumn(0, "FUNCTION");
    for (const char* name : {"zeta", "Alpha", "Calc", "beta", "Draw"}) {
      candidates_->AppendRow({name});
    }
  }

  // A real double click on an entry of a list box.
  static void DoubleClickEntry(wxListBox* box, const wxString& text) {
    const int n = box->FindString(text, true);
    ASSERT_NE(n, wxNOT_FOUND) << text;
    // The middle of the entry's row, found by hit testing down the box.
    int first = -1, last = -1;
    for (int y = 0; y < box->GetClientSize().y; ++y) {
      if (box->HitTest(wxPoint(20, y)) != n) continue;
      if (first < 0) first = y;
      last = y;
    }
    ASSERT_GE(first, 0) << text;
    ClickAt(box->ClientToScreen(wxPoint(20, (first + last) / 2)), true);
  }

  SjisListCtrl* candidates_ = nullptr;
};

TEST_F(RelatedDialogTest, OpensWithCandidatesLeftAndTheChoiceRightBothSorted) {
  auto dialog = std::make_unique<CRelatedFuncDlg>(frame_);
  EXPECT_FALSE(dialog->SetCandidateList(nullptr));
  ASSERT_TRUE(dialog->SetCandidateList(candidates_));
  dialog->AddInitialChoice("Draw");
  dialog->AddInitialChoice("Gone");  // no candidate has it: listed all the same
  EXPECT_EQ(dialog->GetTitle(), U("関連関数追加"));
  EXPECT_EQ(dialog->GetClientSize(), DialogUnits(dialog.get()).Size(259, 221));
  ExpectPlaced(dialog.get(), ids::kRelatedCandidates, 7, 23, 109, 169);
  ExpectPlaced(dialog.get(), ids::kRelatedMove, 119, 63, 20, 22);
  ExpectPlaced(dialog.get(), ids::kRelatedChosen, 143, 23, 109, 170);
  ShowForInput(dialog.get(), dialog->Candidates());

  EXPECT_EQ(EntryTexts(dialog->Candidates()),
            (std::vector<wxString>{"Alpha", "beta", "Calc", "zeta"}));
  EXPECT_EQ(EntryTexts(dialog->Chosen()), (std::vector<wxString>{"Draw", "Gone"}));
  EXPECT_EQ(TabWalk(4),
            (std::vector<int>{ids::kRelatedMove, ids::kRelatedChosen, wxID_OK, wxID_CANCEL}));

  // Cancel leaves the result empty.
  PressKey(WXK_ESCAPE);
  EXPECT_EQ(clicked_, (std::vector<int>{wxID_CANCEL}));
  EXPECT_EQ(dialog->GetResultCount(), 0);
  EXPECT_EQ(dialog->GetResult(0), "");
}

TEST_F(RelatedDialogTest, MovesEntriesBothWaysAndReturnsThemSorted) {
  auto dialog = std::make_unique<CRelatedFuncDlg>(frame_);
  ASSERT_TRUE(dialog->SetCandidateList(candidates_));
  dialog->AddInitialChoice("Gone");
  ShowForInput(dialog.get(), dialog->Candidates());

  // ">>" with nothing selected moves nothing; with a selection it moves that entry.
  dialog->Candidates()->SetSelection(wxNOT_FOUND);
  ClickOn(dialog->MoveButton());
  EXPECT_EQ(dialog->Chosen()->GetCount(), 1u);
  dialog->Candidates()->SetSelection(dialog->Candidates()->FindString("zeta", true));
  ClickOn(dialog->MoveButton());
  EXPECT_EQ(EntryTexts(dialog->Chosen()), (std::vector<wxString>{"Gone", "zeta"}));

  DoubleClickEntry(dialog->Candidates(), "Alpha");
  EXPECT_EQ(EntryTexts(dialog->Candidates()), (std::vector<wxString>{"beta", "Calc", "Draw"}));
  EXPECT_EQ(EntryTexts(dialog->Chosen()), (std::vector<wxString>{"Alpha", "Gone", "zeta"}));
  // A name without a candidate moves to the left like any other.
  DoubleClickEntry(dialog->Chosen(), "Gone");
  EXPECT_EQ(EntryTexts(dialog->Candidates()),
            (std::vector<wxString>{"beta", "Calc", "Draw", "Gone"}));
  EXPECT_EQ(EntryTexts(dialog->Chosen()), (std::vector<wxString>{"Alpha", "zeta"}));

  // Return in a list is OK, not a move.
  FocusOn(dialog->Chosen());
  PressKey(WXK_RETURN);
  EXPECT_EQ(clicked_.back(), wxID_OK);
  EXPECT_FALSE(dialog->IsShown());
  ASSERT_EQ(dialog->GetResultCount(), 2);
  EXPECT_EQ(dialog->GetResult(0), "Alpha");
  EXPECT_EQ(dialog->GetResult(1), "zeta");
  EXPECT_EQ(dialog->GetResult(2), "");
  EXPECT_EQ(dialog->GetResult(-1), "");
}

}  // namespace
