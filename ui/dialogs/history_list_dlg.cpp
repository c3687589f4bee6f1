#include "ui/dialogs/history_list_dlg.h"

#include <wx/button.h>
#include <wx/statbox.h>

#include "core/model/history.h"
#include "ui/dialogs/history_edit_dlg.h"
#include "ui/res/ids.h"
#include "ui/widgets/dialog_keys.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

constexpr int kDateColumnWidth = 120;         // pixels
constexpr int kCaptionDeleteHistory = 40016;  // "履歴の削除"

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

CHistoryListDlg::CHistoryListDlg(wxWindow* parent)
    : wxDialog(parent, ids::kHistoryListDialog, U("ﾊﾞｰｼﾞｮﾝ履歴"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  // Layout in dialog units, in tab order: the framed list with its three buttons under it, then
  // OK and Cancel.
  new wxStaticBox(this, wxID_ANY, U("履歴リスト"), du.Point(7, 7), du.Size(242, 133));
  list_ = new SjisListCtrl(this, ids::kHistoryList, du.Point(14, 19), du.Size(228, 97),
                           wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_NO_SORT_HEADER | wxBORDER_SUNKEN);
  new wxButton(this, ids::kHistoryAdd, U("追加"), du.Point(14, 120), du.Size(40, 14));
  new wxButton(this, ids::kHistoryDelete, U("削除"), du.Point(58, 120), du.Size(40, 14));
  new wxButton(this, ids::kHistoryEdit, U("編集"), du.Point(102, 120), du.Size(40, 14));
  auto* ok = new wxButton(this, wxID_OK, U("OK"), du.Point(145, 146), du.Size(50, 14));
  new wxButton(this, wxID_CANCEL, U("ｷｬﾝｾﾙ"), du.Point(199, 146), du.Size(50, 14));
  ok->SetDefault();
  SetClientSize(du.Size(256, 166));
  InsertColumns();

  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnAddHistory(); }, ids::kHistoryAdd);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnDeleteHistory(); }, ids::kHistoryDelete);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnEditHistory(); }, ids::kHistoryEdit);
  list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { OnEditHistory(); });
  list_->Bind(wxEVT_LIST_KEY_DOWN, [this](wxListEvent& event) {
    switch (event.GetKeyCode()) {
      case WXK_INSERT:
        OnAddHistory();
        break;
      case WXK_DELETE:
        OnDeleteHistory();
        break;
      default:
        event.Skip();
    }
  });
  ReturnPressesDefaultButton(this, list_);
  list_->SetFocus();
}

void CHistoryListDlg::InsertColumns() {
  list_->InsertColumn(0, U("更新日"), wxLIST_FORMAT_LEFT, kDateColumnWidth);
  list_->InsertColumn(1, U("更新内容"), wxLIST_FORMAT_LEFT,
                      list_->GetClientSize().x - kDateColumnWidth);
}

// ---- entries ----------------------------------------------------------------------------------

void CHistoryListDlg::AddEntry(std::time_t date, std::string_view comment) {
  dates_.push_back(quillmap::FormatHistoryDate(date));
  comments_.emplace_back(comment);
}

bool CHistoryListDlg::GetEntry(int i, std::time_t& date, std::string& comment) const {
  if (i < 0 || i >= GetEntryCount()) return false;
  date = quillmap::ParseHistoryDate(dates_[static_cast<std::size_t>(i)]);
  comment = comments_[static_cast<std::size_t>(i)];
  return true;
}

bool CHistoryListDlg::TransferDataToWindow() {
  list_->DeleteAllRows();
  for (std::size_t i = 0; i < dates_.size(); ++i) {
    // Through the time value and back: a text like 2001/1/5 shows as 2001/01/05.
    AppendRow(quillmap::FormatHistoryDate(quillmap::ParseHistoryDate(dates_[i])), comments_[i]);
    SortRows();
  }
  list_->SetSelectionMark(0);
  return true;
}

bool CHistoryListDlg::TransferDataFromWindow() {
  dates_.clear();
  comments_.clear();
  const long rows = list_->GetItemCount();
  for (long row = 0; row < rows; ++row) {
    AddEntry(quillmap::ParseHistoryDate(list_->GetCellBytes(row, 0)), list_->GetCellBytes(row, 1));
  }
  return true;
}

// ---- rows -------------------------------------------------------------------------------------

void CHistoryListDlg::AppendRow(std::string_view date_text, std::string_view comment) {
  const bool had_mark = MarkedRow() >= 0;
  const long row = list_->AppendRow({date_text, comment});
  // A list that had no marked row (it was empty) marks the new one, so that Delete and Edit
  // reach it without a click first.
  if (!had_mark) list_->SetSelectionMark(row);
}

void CHistoryListDlg::SortRows() {
  std::vector<std::string> texts;
  const long rows = list_->GetItemCount();
  texts.reserve(static_cast<std::size_t>(rows));
  for (long row = 0; row < rows; ++row) texts.push_back(list_->GetCellBytes(row, 0));
  list_->ReorderRows(quillmap::NewestFirstOrder(texts));
}

long CHistoryListDlg::MarkedRow() const {
  const long mark = list_->GetSelectionMark();
  return mark >= 0 && mark < list_->GetItemCount() ? mark : -1;
}

// ---- commands ---------------------------------------------------------------------------------

void CHistoryListDlg::OnAddHistory() {
  CHistoryEditDlg dialog(this);
  dialog.SetValues(std::time(nullptr), {});
  if (dialog.ShowModal() != wxID_OK) return;
  AppendRow(quillmap::FormatHistoryDate(dialog.GetDate()), dialog.GetComment());
  SortRows();
}

void CHistoryListDlg::OnDeleteHistory() {
  const long row = MarkedRow();
  if (row < 0) return;
  if (!ConfirmDelete(this, kCaptionDeleteHistory, list_->GetCellBytes(row, 0))) return;
  list_->DeleteRow(row);
}

void CHistoryListDlg::OnEditHistory() {
  const long row = MarkedRow();
  if (row < 0) return;
  CHistoryEditDlg dialog(this);
  dialog.SetValues(quillmap::ParseHistoryDate(list_->GetCellBytes(row, 0)),
                   list_->GetCellBytes(row, 1));
  if (dialog.ShowModal() != wxID_OK) return;
  list_->SetCellBytes(row, 0, quillmap::FormatHistoryDate(dialog.GetDate()));
  list_->SetCellBytes(row, 1, dialog.GetComment());
  SortRows();
}
