// The update history: button 1024, CHistoryListDlg and CHistoryEditDlg, driven with real clicks
// and keys, and what reaches the function record and the saved file.

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/calctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "core/model/history.h"
#include "form_fixture.h"
#include "testing_hook.h"
#include "ui/dialogs/history_edit_dlg.h"
#include "ui/dialogs/history_list_dlg.h"
#include "ui/res/ids.h"
#include "ui/widgets/date_field.h"
#include "ui/widgets/sjis_field.h"

namespace {

using Entries = std::vector<std::pair<std::time_t, std::string>>;

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

// Lets windows come up, take the focus and handle the input sent to them.
void Settle() {
  for (int i = 0; i < 8; ++i) {
    wxMilliSleep(15);
    Pump();
  }
}

void Click(wxWindow* window, wxPoint at) {
  wxUIActionSimulator mouse;
  mouse.MouseMove(window->ClientToScreen(at));
  mouse.MouseClick();
  Settle();
}

void ClickButton(wxWindow* button) {
  Click(button, wxPoint(button->GetClientSize().x / 2, button->GetClientSize().y / 2));
}

wxPoint RowPoint(wxListCtrl* list, long row) {
  wxRect rect;
  EXPECT_TRUE(list->GetItemRect(row, rect));
  return rect.GetPosition() + wxPoint(8, rect.height / 2);
}

void Key(int key, int modifiers = wxMOD_NONE) {
  wxUIActionSimulator keyboard;
  keyboard.Char(key, modifiers);
  Settle();
}

void TypeText(const char* text) {
  wxUIActionSimulator keyboard;
  keyboard.Text(text);
  Settle();
}

// Shows a dialog as an ordinary window, filled and active with the focus on one of its
// controls; *ended becomes the id of the OK or Cancel button once one of them is pressed.
void ShowModeless(wxDialog* dialog, wxWindow* focus, int* ended) {
  *ended = wxID_NONE;
  dialog->Bind(wxEVT_BUTTON, [ended](wxCommandEvent& event) {
    if (event.GetId() == wxID_OK || event.GetId() == wxID_CANCEL) *ended = event.GetId();
    event.Skip();
  });
  dialog->Show();
  dialog->TransferDataToWindow();
  dialog->Raise();
  Settle();
  focus->SetFocus();
  Settle();
}

std::vector<std::string> Rows(const SjisListCtrl* list) {
  std::vector<std::string> rows;
  for (long row = 0; row < list->GetItemCount(); ++row) {
    rows.push_back(list->GetCellBytes(row, 0) + "|" + list->GetCellBytes(row, 1));
  }
  return rows;
}

std::vector<std::string> ComboEntries(const SjisChoice* combo) {
  std::vector<std::string> entries;
  for (unsigned int i = 0; i < combo->GetCount(); ++i) entries.push_back(combo->EntryBytes(i));
  return entries;
}

Entries RecordHistory(CFuncDoc* doc, int index = 0) {
  quillmap::FunctionSpec function;
  EXPECT_TRUE(doc->GetFunction(index, function));
  Entries entries;
  for (std::uint32_t i = 0; i < function.GetHistoryCount(); ++i) {
    quillmap::HistoryEntry entry;
    function.GetHistory(i, entry);
    entries.emplace_back(entry.date, entry.comment);
  }
  return entries;
}

wxDateTime Day(int year, wxDateTime::Month month, int day, int hour = 0, int minute = 0) {
  return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), month, year,
                    static_cast<wxDateTime::wxDateTime_t>(hour),
                    static_cast<wxDateTime::wxDateTime_t>(minute));
}

// What CHistoryEditDlg was opened with.
struct EditPreset {
  std::time_t date = 0;
  std::string comment;
  wxString date_shown;
  wxString comment_shown;
};

// Answers CHistoryEditDlg: records its preset values, types the date and the comment, and
// ends it with OK (taking the values as the dialog's OK does) or Cancel.
class EditAnswer : public wxExpectModalBase<CHistoryEditDlg> {
 public:
  EditAnswer(wxDateTime date, wxString comment, int answer = wxID_OK, EditPreset* preset = nullptr)
      : date_(date), comment_(std::move(comment)), answer_(answer), preset_(preset) {}

 protected:
  int OnInvoked(CHistoryEditDlg* dialog) const override {
    EXPECT_EQ(dialog->GetTitle(), U("履歴の編集"));
    EXPECT_EQ(dialog->FindWindow(ids::kHistoryDate), dialog->DateEdit()->Text());
    EXPECT_EQ(dialog->FindWindow(ids::kHistoryComment), dialog->CommentEdit());
    dialog->TransferDataToWindow();
    if (preset_ != nullptr) {
      preset_->date = dialog->GetDate();
      preset_->comment = dialog->GetComment();
      preset_->date_shown = dialog->DateEdit()->Text()->GetValue();
      preset_->comment_shown = dialog->CommentEdit()->GetValue();
    }
    dialog->DateEdit()->Text()->ChangeValue(date_.Format(wxS("%Y/%m/%d")));
    dialog->CommentEdit()->ChangeValue(comment_);
    if (answer_ == wxID_OK && !dialog->TransferDataFromWindow()) return wxID_CANCEL;
    return answer_;
  }

 private:
  wxDateTime date_;
  wxString comment_;
  int answer_;
  EditPreset* preset_;
};

// Answers CHistoryListDlg by showing it as an ordinary window and running steps of real input
// on it; returns the button (OK or Cancel) that the steps ended it with.
class DriveList : public wxExpectModalBase<CHistoryListDlg> {
 public:
  explicit DriveList(std::function<void(CHistoryListDlg*)> steps) : steps_(std::move(steps)) {}

 protected:
  int OnInvoked(CHistoryListDlg* dialog) const override {
    int ended = wxID_NONE;
    ShowModeless(dialog, dialog->HistoryList(), &ended);
    steps_(dialog);
    Settle();
    if (dialog->IsShown()) {
      ADD_FAILURE() << "the history dialog is still open";
      dialog->Hide();
      return wxID_CANCEL;
    }
    return ended;
  }

 private:
  std::function<void(CHistoryListDlg*)> steps_;
};

class HistoryTest : public FormTest {
 protected:
  // Opens a document whose function "f" has the given history, and shows "f".
  CFuncView* ShowHistory(const Entries& history, const std::string& file_name) {
    quillmap::SpecStore store;
    AddFunctions(store, {"f"});
    quillmap::FunctionSpec function;
    store.GetFunction(0, function);
    for (const auto& [date, comment] : history) function.AddHistory(date, comment);
    store.PutFunction(0, function);
    path_ = WriteDocument(store, file_name);
    CFuncView* view = ViewOf(OpenDocument(path_));
    if (view == nullptr || !view->ShowFunction(0)) return nullptr;
    frame_->Raise();
    Settle();
    return view;
  }

  // Clicks button 1024 and drives the dialog it opens.
  static void UpdateHistory(CFuncView* view, std::function<void(CHistoryListDlg*)> steps) {
    wxTEST_DIALOG(ClickButton(view->Button(ids::kUpdateHistory)), DriveList(std::move(steps)));
  }

  std::string path_;
};

const std::time_t k19991231 = LocalMidnight(1999, 12, 31);
const std::time_t k20000331 = LocalMidnight(2000, 3, 31);
const std::time_t k20010105 = LocalMidnight(2001, 1, 5);

TEST_F(HistoryTest, UpdateButtonIsEnabledOnlyWhileAFunctionIsShown) {
  CFuncDoc* doc = NewDocument();
  CFuncView* view = ViewOf(doc);
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->Button(ids::kUpdateHistory)->IsEnabled());
  ASSERT_TRUE(view->CreateFunction("int", "f"));
  EXPECT_TRUE(view->Button(ids::kUpdateHistory)->IsEnabled());
  view->EnableFunctionFields(false);
  EXPECT_FALSE(view->Button(ids::kUpdateHistory)->IsEnabled());
}

TEST_F(HistoryTest, EntriesComeNewestFirstInTheDialogAndInTheComboAfterOk) {
  CFuncView* view =
      ShowHistory({{k20000331, "b"}, {k20010105 + 3600 * 13, "c"}, {k19991231, "a"}}, "order.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  doc->Modify(false);
  EditPreset added;
  const std::time_t before = std::time(nullptr);
  UpdateHistory(view, [&](CHistoryListDlg* dialog) {
    EXPECT_EQ(dialog->GetTitle(), U("ﾊﾞｰｼﾞｮﾝ履歴"));
    SjisListCtrl* list = dialog->HistoryList();
    EXPECT_EQ(dialog->FindWindow(ids::kHistoryList), list);
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
    ASSERT_TRUE(list->GetColumn(0, column));
    EXPECT_EQ(column.GetText(), U("更新日"));
    EXPECT_EQ(column.GetWidth(), 120);
    ASSERT_TRUE(list->GetColumn(1, column));
    EXPECT_EQ(column.GetText(), U("更新内容"));
    EXPECT_EQ(column.GetWidth(), list->GetClientSize().x - 120);
    EXPECT_EQ(Rows(list),
              (std::vector<std::string>{"2001/01/05|c", "2000/03/31|b", "1999/12/31|a"}));
    EXPECT_EQ(list->GetSelectionMark(), 0);

    // Insert in the list adds an entry preset with the current time and no comment.
    wxTEST_DIALOG(Key(WXK_INSERT),
                  EditAnswer(Day(2000, wxDateTime::Jun, 15), "d", wxID_OK, &added));
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"2001/01/05|c", "2000/06/15|d", "2000/03/31|b",
                                                    "1999/12/31|a"}));
    // So does the button; an older entry (before 1970 too) goes to the end, a newer one to the
    // top.
    wxTEST_DIALOG(ClickButton(dialog->FindWindow(ids::kHistoryAdd)),
                  EditAnswer(Day(1960, wxDateTime::Jan, 1), "oldest"));
    wxTEST_DIALOG(ClickButton(dialog->FindWindow(ids::kHistoryAdd)),
                  EditAnswer(Day(2002, wxDateTime::Dec, 24), "newest"));
    EXPECT_EQ(Rows(list),
              (std::vector<std::string>{"2002/12/24|newest", "2001/01/05|c", "2000/06/15|d",
                                        "2000/03/31|b", "1999/12/31|a", "1960/01/01|oldest"}));
    // Return in the list is OK, also on a clicked row (where a report list would take it for a
    // double click).
    Click(list, RowPoint(list, 2));
    EXPECT_EQ(list->GetSelectionMark(), 2);
    Key(WXK_RETURN);
  });
  EXPECT_GE(added.date, before);
  EXPECT_LE(added.date, std::time(nullptr));
  EXPECT_EQ(added.comment, "");
  EXPECT_EQ(added.comment_shown, "");

  EXPECT_EQ(ComboEntries(view->HistoryCombo()),
            (std::vector<std::string>{"2002/12/24 newest", "2001/01/05 c", "2000/06/15 d",
                                      "2000/03/31 b", "1999/12/31 a", "1960/01/01 oldest"}));
  EXPECT_EQ(view->HistoryCombo()->GetSelection(), 0);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(RecordHistory(doc), (Entries{{LocalMidnight(2002, 12, 24), "newest"},
                                         {k20010105, "c"},
                                         {LocalMidnight(2000, 6, 15), "d"},
                                         {k20000331, "b"},
                                         {k19991231, "a"},
                                         {LocalMidnight(1960, 1, 1), "oldest"}}));
}

TEST_F(HistoryTest, TwoEntriesOfTheSameDayBothStay) {
  CFuncView* view = ShowHistory({{k20000331, "first"}}, "sameday.dcm");
  ASSERT_NE(view, nullptr);
  UpdateHistory(view, [&](CHistoryListDlg* dialog) {
    wxTEST_DIALOG(Key(WXK_INSERT), EditAnswer(Day(2000, wxDateTime::Mar, 31, 9), "second"));
    wxTEST_DIALOG(Key(WXK_INSERT), EditAnswer(Day(2000, wxDateTime::Apr, 1), "later"));
    const std::vector<std::string> rows = Rows(dialog->HistoryList());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "2000/04/01|later");
    // The two rows of one day, in either order.
    EXPECT_TRUE((rows[1] == "2000/03/31|first" && rows[2] == "2000/03/31|second") ||
                (rows[1] == "2000/03/31|second" && rows[2] == "2000/03/31|first"));
    ClickButton(dialog->FindWindow(wxID_OK));
  });
  const Entries stored = RecordHistory(view->GetFuncDoc());
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[1].first, k20000331);
  EXPECT_EQ(stored[2].first, k20000331);
  EXPECT_NE(stored[1].second, stored[2].second);
}

TEST_F(HistoryTest, CommentsWithLineBreaksAndBlanksSurviveStoreSaveAndReopen) {
  CFuncView* view = ShowHistory({}, "comments.dcm");
  ASSERT_NE(view, nullptr);
  UpdateHistory(view, [&](CHistoryListDlg* dialog) {
    wxTEST_DIALOG(Key(WXK_INSERT),
                  EditAnswer(Day(2003, wxDateTime::May, 6), U("一行目 と 空白\n二行目\n\n四行目")));
    wxTEST_DIALOG(Key(WXK_INSERT), EditAnswer(Day(2003, wxDateTime::May, 5), U("  前後に空白  ")));
    wxTEST_DIALOG(Key(WXK_INSERT), EditAnswer(Day(2003, wxDateTime::May, 4), wxString()));
    EXPECT_EQ(dialog->HistoryList()->GetItemCount(), 3);
    ClickButton(dialog->FindWindow(wxID_OK));
  });
  const Entries expected = {{LocalMidnight(2003, 5, 6), Sjis("一行目 と 空白\n二行目\n\n四行目")},
                            {LocalMidnight(2003, 5, 5), Sjis("  前後に空白  ")},
                            {LocalMidnight(2003, 5, 4), ""}};
  CFuncDoc* doc = view->GetFuncDoc();
  EXPECT_EQ(RecordHistory(doc), expected);
  ASSERT_TRUE(doc->Save());
  view->ClearFunctionFields();
  doc->Modify(false);
  ASSERT_TRUE(manager_->CloseDocument(doc));
  Pump();

  CFuncDoc* reopened = OpenDocument(path_);
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(RecordHistory(reopened), expected);
  CFuncView* again = ViewOf(reopened);
  ASSERT_TRUE(again->ShowFunction(0));
  // Read back from the combo, as every store does: the blanks and line breaks stay.
  std::time_t date = 0;
  std::string comment;
  ASSERT_TRUE(again->GetHistoryItem(1, date, comment));
  EXPECT_EQ(comment, Sjis("  前後に空白  "));
  ASSERT_TRUE(again->StoreFunction());
  EXPECT_EQ(RecordHistory(reopened), expected);
}

TEST_F(HistoryTest, EditingByDoubleClickKeepsOnlyTheDayAndSortsAgain) {
  CFuncView* view = ShowHistory({{k20010105, "newer"}, {k20000331, "old"}}, "edit.dcm");
  ASSERT_NE(view, nullptr);
  EditPreset preset;
  UpdateHistory(view, [&](CHistoryListDlg* dialog) {
    SjisListCtrl* list = dialog->HistoryList();
    const wxPoint row1 = RowPoint(list, 1);
    wxTEST_DIALOG(
        {
          wxUIActionSimulator mouse;
          mouse.MouseMove(list->ClientToScreen(row1));
          mouse.MouseDblClick();
          Settle();
        },
        EditAnswer(Day(2002, wxDateTime::Feb, 3, 23, 59), "edited", wxID_OK, &preset));
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"2002/02/03|edited", "2001/01/05|newer"}));
    // The mark went with the edited row.
    EXPECT_EQ(list->GetSelectionMark(), 0);
    // The edit button with Cancel changes nothing.
    wxTEST_DIALOG(ClickButton(dialog->FindWindow(ids::kHistoryEdit)),
                  EditAnswer(Day(1990, wxDateTime::Jan, 1), "dropped", wxID_CANCEL));
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"2002/02/03|edited", "2001/01/05|newer"}));
    ClickButton(dialog->FindWindow(wxID_OK));
  });
  EXPECT_EQ(preset.date, k20000331);
  EXPECT_EQ(preset.comment, "old");
  EXPECT_EQ(preset.date_shown, "2000/03/31");
  EXPECT_EQ(preset.comment_shown, "old");
  EXPECT_EQ(RecordHistory(view->GetFuncDoc()),
            (Entries{{LocalMidnight(2002, 2, 3), "edited"}, {k20010105, "newer"}}));
}

TEST_F(HistoryTest, DeleteAsksWithTheDateTextAndNoKeepsTheRow) {
  CFuncView* view =
      ShowHistory({{k20010105, "newer"}, {k20000331, "old"}, {k19991231, "oldest"}}, "del.dcm");
  ASSERT_NE(view, nullptr);
  UpdateHistory(view, [&](CHistoryListDlg* dialog) {
    SjisListCtrl* list = dialog->HistoryList();
    Click(list, RowPoint(list, 1));
    ASSERT_EQ(list->GetSelectionMark(), 1);
    ShownMessage asked = ExpectMessage([] { Key(WXK_DELETE); }, wxID_NO);
    EXPECT_EQ(asked.caption, U("履歴の削除"));
    EXPECT_EQ(asked.message, U("'2000/03/31'\nを削除してもよろしいですか？"));
    EXPECT_EQ(asked.style & (wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION),
              wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
    EXPECT_EQ(list->GetItemCount(), 3);

    asked = ExpectMessage([] { Key(WXK_DELETE); }, wxID_YES);
    EXPECT_EQ(asked.message, U("'2000/03/31'\nを削除してもよろしいですか？"));
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"2001/01/05|newer", "1999/12/31|oldest"}));
    // The button deletes the row that took the deleted one's place.
    asked = ExpectMessage([&] { ClickButton(dialog->FindWindow(ids::kHistoryDelete)); }, wxID_YES);
    EXPECT_EQ(asked.message, U("'1999/12/31'\nを削除してもよろしいですか？"));
    ClickButton(dialog->FindWindow(wxID_OK));
  });
  EXPECT_EQ(RecordHistory(view->GetFuncDoc()), (Entries{{k20010105, "newer"}}));
  EXPECT_EQ(ComboEntries(view->HistoryCombo()), std::vector<std::string>{"2001/01/05 newer"});
}

TEST_F(HistoryTest, OkWithAnUnchangedListStoresNewestFirstAndMarksModified) {
  // Stored oldest first.
  CFuncView* view = ShowHistory({{k19991231, "a"}, {k20010105, "c"}}, "unchanged.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  doc->Modify(false);
  UpdateHistory(view, [](CHistoryListDlg* dialog) { ClickButton(dialog->FindWindow(wxID_OK)); });
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(RecordHistory(doc), (Entries{{k20010105, "c"}, {k19991231, "a"}}));
  EXPECT_EQ(ComboEntries(view->HistoryCombo()),
            (std::vector<std::string>{"2001/01/05 c", "1999/12/31 a"}));
}

TEST_F(HistoryTest, CancelAfterAdditionsAndDeletionsLeavesComboAndDocumentAlone) {
  CFuncView* view = ShowHistory({{k20000331, "b"}, {k20010105, "c"}}, "cancel.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  doc->Modify(false);
  const std::vector<std::string> combo_before = ComboEntries(view->HistoryCombo());
  const Entries record_before = RecordHistory(doc);
  UpdateHistory(view, [](CHistoryListDlg* dialog) {
    wxTEST_DIALOG(Key(WXK_INSERT), EditAnswer(Day(2005, wxDateTime::Jul, 7), "added"));
    ExpectMessage([] { Key(WXK_DELETE); }, wxID_YES);
    ExpectMessage([] { Key(WXK_DELETE); }, wxID_YES);
    EXPECT_EQ(dialog->HistoryList()->GetItemCount(), 1);
    Key(WXK_ESCAPE);
  });
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(ComboEntries(view->HistoryCombo()), combo_before);
  EXPECT_EQ(RecordHistory(doc), record_before);

  // The Cancel button too.
  UpdateHistory(view, [](CHistoryListDlg* dialog) {
    ExpectMessage([] { Key(WXK_DELETE); }, wxID_YES);
    ClickButton(dialog->FindWindow(wxID_CANCEL));
  });
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(ComboEntries(view->HistoryCombo()), combo_before);
}

TEST_F(HistoryTest, EmptyListIgnoresDeleteAndEditAndOkStoresNoHistory) {
  CFuncView* view = ShowHistory({}, "empty.dcm");
  ASSERT_NE(view, nullptr);
  CFuncDoc* doc = view->GetFuncDoc();
  doc->Modify(false);
  // No dialog may come up (the test program fails on any unexpected one).
  UpdateHistory(view, [](CHistoryListDlg* dialog) {
    Key(WXK_DELETE);
    ClickButton(dialog->FindWindow(ids::kHistoryDelete));
    ClickButton(dialog->FindWindow(ids::kHistoryEdit));
    dialog->HistoryList()->SetFocus();
    Settle();
    Key(WXK_RETURN);
  });
  // OK stores the same, empty history: no change.
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(RecordHistory(doc).empty());
  EXPECT_EQ(view->HistoryCombo()->GetCount(), 0u);
}

TEST_F(HistoryTest, FirstEntryOfAnEmptyListCanBeDeletedAtOnce) {
  CFuncView* view = ShowHistory({}, "first.dcm");
  ASSERT_NE(view, nullptr);
  UpdateHistory(view, [](CHistoryListDlg* dialog) {
    wxTEST_DIALOG(Key(WXK_INSERT), EditAnswer(Day(2004, wxDateTime::Aug, 8), "only"));
    const ShownMessage asked = ExpectMessage([] { Key(WXK_DELETE); }, wxID_YES);
    EXPECT_EQ(asked.message, U("'2004/08/08'\nを削除してもよろしいですか？"));
    EXPECT_EQ(dialog->HistoryList()->GetItemCount(), 0);
    ClickButton(dialog->FindWindow(wxID_OK));
  });
  EXPECT_TRUE(RecordHistory(view->GetFuncDoc()).empty());
}

// ---- keyboard of the dialogs ------------------------------------------------------------------

using HistoryDialogTest = FormTest;

// The window that has the focus, or the control it belongs to (a composite control's part).
wxWindow* FocusedControl(const std::vector<wxWindow*>& controls) {
  for (wxWindow* focus = wxWindow::FindFocus(); focus != nullptr; focus = focus->GetParent()) {
    for (wxWindow* control : controls) {
      if (focus == control) return control;
    }
  }
  return nullptr;
}

TEST_F(HistoryDialogTest, ListDialogTabOrderFollowsItsControls) {
  CHistoryListDlg dialog(frame_);
  dialog.AddEntry(k20000331, "x");
  int ended = wxID_NONE;
  ShowModeless(&dialog, dialog.HistoryList(), &ended);
  const std::vector<wxWindow*> order = {dialog.HistoryList(),
                                        dialog.FindWindow(ids::kHistoryAdd),
                                        dialog.FindWindow(ids::kHistoryDelete),
                                        dialog.FindWindow(ids::kHistoryEdit),
                                        dialog.FindWindow(wxID_OK),
                                        dialog.FindWindow(wxID_CANCEL)};
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(FocusedControl(order), order[i]) << "stop " << i;
    Key(WXK_TAB);
  }
  EXPECT_EQ(FocusedControl(order), order[0]);
  dialog.Hide();
}

TEST_F(HistoryDialogTest, EntryDialogTakesEnterAsALineBreakAndHasItsTabOrder) {
  CHistoryEditDlg dialog(frame_);
  dialog.SetValues(k20000331, "");
  int ended = wxID_NONE;
  ShowModeless(&dialog, dialog.DateEdit()->Text(), &ended);
  wxWindow* ok = dialog.FindWindow(wxID_OK);
  wxWindow* cancel = dialog.FindWindow(wxID_CANCEL);
  const std::vector<wxWindow*> all = {dialog.DateEdit()->Text(), dialog.CommentEdit(), ok, cancel};
  EXPECT_EQ(FocusedControl(all), dialog.DateEdit()->Text());
  Key(WXK_TAB);
  EXPECT_EQ(FocusedControl(all), dialog.CommentEdit());
  Key('a');
  Key(WXK_RETURN);
  Key('b');
  EXPECT_EQ(dialog.CommentEdit()->GetValue(), "a\nb");
  EXPECT_TRUE(dialog.IsShown());
  EXPECT_EQ(ended, wxID_NONE);
  Key(WXK_TAB);
  EXPECT_EQ(FocusedControl(all), ok);
  Key(WXK_TAB);
  EXPECT_EQ(FocusedControl(all), cancel);

  // Return in the date field is OK, and OK takes the comment with its line break.
  dialog.DateEdit()->Text()->SetFocus();
  Settle();
  Key(WXK_RETURN);
  EXPECT_EQ(ended, wxID_OK);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(dialog.GetComment(), "a\nb");
  EXPECT_EQ(dialog.GetDate(), k20000331);
}

// Answers the calendar of the date field by showing it as an ordinary window and pressing real
// keys in it; returns the button (OK or Cancel) the keys ended it with.
class CalendarKeys : public wxExpectModalBase<DayCalendarDialog> {
 public:
  explicit CalendarKeys(std::vector<int> keys, wxString* title = nullptr)
      : keys_(std::move(keys)), title_(title) {}

 protected:
  int OnInvoked(DayCalendarDialog* calendar) const override {
    if (title_ != nullptr) *title_ = calendar->GetTitle();
    int ended = wxID_NONE;
    ShowModeless(calendar, calendar->Calendar(), &ended);
    for (int key : keys_) Key(key);
    EXPECT_FALSE(calendar->IsShown()) << "the calendar is still open";
    calendar->Hide();
    return ended;
  }

 private:
  std::vector<int> keys_;
  wxString* title_;
};

TEST_F(HistoryDialogTest, TheDateFieldShowsAndReadsYearMonthDayAndRefusesOtherText) {
  struct Case {
    const char* typed;
    std::time_t stored;  // 0: refused
  };
  const Case cases[] = {
      {"2026/12/20", LocalMidnight(2026, 12, 20)},
      {" 1960/1/2 ", LocalMidnight(1960, 1, 2)},
      {"12/20/2026", 0},
      {"2026/02/30", 0},
      {"", 0},
      {"\xe4\xbb\x8a\xe6\x97\xa5", 0},  // a word, not a day
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    CHistoryEditDlg dialog(frame_);
    dialog.SetValues(k20000331, "comment");
    int ended = wxID_NONE;
    ShowModeless(&dialog, dialog.DateEdit()->Text(), &ended);
    EXPECT_EQ(dialog.DateEdit()->Text()->GetValue(), "2000/03/31");
    dialog.DateEdit()->Text()->SelectAll();
    if (*c.typed == '\0') {
      Key(WXK_DELETE);
    } else if (wxString::FromUTF8(c.typed).IsAscii()) {
      TypeText(c.typed);
    } else {
      // What an input method would hand over.
      dialog.DateEdit()->Text()->WriteText(wxString::FromUTF8(c.typed));
      Settle();
    }
    const wxString typed = dialog.DateEdit()->Text()->GetValue();
    if (c.stored != 0) {
      Key(WXK_RETURN);
      EXPECT_EQ(ended, wxID_OK);
      EXPECT_EQ(dialog.GetDate(), c.stored);
      EXPECT_EQ(dialog.GetComment(), "comment");
      continue;
    }
    const ShownMessage refusal = ExpectMessage([] { Key(WXK_RETURN); });
    EXPECT_EQ(refusal.message, wxS("'") + typed +
                                   U("' は日付として読めません。\n日付は YYYY/MM/DD "
                                     "の形で入力してください。"));
    EXPECT_EQ(refusal.caption, "Quillmap");
    EXPECT_TRUE(refusal.style & wxICON_STOP);
    // Still open, nothing replaced: the text stays for the user to mend.
    EXPECT_TRUE(dialog.IsShown());
    EXPECT_EQ(dialog.DateEdit()->Text()->GetValue(), typed);
    EXPECT_EQ(dialog.GetDate(), k20000331);
    dialog.Hide();
  }
}

TEST_F(HistoryDialogTest, EscapeInTheCalendarClosesOnlyTheCalendar) {
  CHistoryEditDlg dialog(frame_);
  dialog.SetValues(k20000331, "");
  int ended = wxID_NONE;
  ShowModeless(&dialog, dialog.CommentEdit(), &ended);
  TypeText("typed so far");
  wxString title;
  wxTEST_DIALOG(ClickButton(dialog.DateEdit()->CalendarButton()),
                CalendarKeys({WXK_ESCAPE}, &title));
  EXPECT_EQ(title, U("カレンダー"));
  EXPECT_TRUE(dialog.IsShown());
  EXPECT_EQ(ended, wxID_NONE);
  EXPECT_EQ(dialog.CommentEdit()->GetValue(), "typed so far");
  EXPECT_EQ(dialog.DateEdit()->Text()->GetValue(), "2000/03/31");

  // A day picked in the calendar (the next one, chosen with the keyboard) replaces the text.
  wxTEST_DIALOG(ClickButton(dialog.DateEdit()->CalendarButton()),
                CalendarKeys({WXK_RIGHT, WXK_RETURN}));
  EXPECT_EQ(dialog.DateEdit()->Text()->GetValue(), "2000/04/01");
  EXPECT_TRUE(dialog.IsShown());
  Key(WXK_RETURN);
  EXPECT_EQ(ended, wxID_OK);
  EXPECT_EQ(dialog.GetDate(), LocalMidnight(2000, 4, 1));
  EXPECT_EQ(dialog.GetComment(), "typed so far");
}

TEST_F(HistoryDialogTest, EscapeCancelsTheEntryDialogAndKeepsItsValues) {
  CHistoryEditDlg dialog(frame_);
  dialog.SetValues(k20000331, "kept");
  int ended = wxID_NONE;
  ShowModeless(&dialog, dialog.CommentEdit(), &ended);
  Key('z');
  Key(WXK_ESCAPE);
  EXPECT_EQ(ended, wxID_CANCEL);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(dialog.GetComment(), "kept");
  EXPECT_EQ(dialog.GetDate(), k20000331);
}

}  // namespace
