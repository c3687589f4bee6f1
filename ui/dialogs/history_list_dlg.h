#pragma once
// CHistoryListDlg: the update history of one function (template 136). The caller adds the
// entries before the dialog opens; the list shows them newest first and entries are added,
// edited and deleted in it; OK replaces the entries with the list's rows from top to bottom,
// which the caller reads afterwards. Cancel leaves the entries as they were added.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include <wx/dialog.h>

class SjisListCtrl;

class CHistoryListDlg : public wxDialog {
 public:
  explicit CHistoryListDlg(wxWindow* parent = nullptr);

  // Appends an entry; its date is kept as its date text, so only the day survives.
  void AddEntry(std::time_t date, std::string_view comment);
  int GetEntryCount() const { return static_cast<int>(dates_.size()); }
  // Entry i (0 <= i < count): local midnight of its day and its comment; false otherwise.
  bool GetEntry(int i, std::time_t& date, std::string& comment) const;

  // Fills list 1067 with the entries, newest first, and marks its first row.
  bool TransferDataToWindow() override;
  // OK: the entries become the list's rows, top to bottom.
  bool TransferDataFromWindow() override;

  // Button 1080 and the Insert key: a new entry from CHistoryEditDlg.
  void OnAddHistory();
  // Button 1081 and the Delete key: the marked row, after a confirmation.
  void OnDeleteHistory();
  // Button 1082 and a double click: the marked row in CHistoryEditDlg.
  void OnEditHistory();

  SjisListCtrl* HistoryList() const { return list_; }

 private:
  void InsertColumns();
  void AppendRow(std::string_view date_text, std::string_view comment);
  // Sorts the rows by their date texts, newest first.
  void SortRows();
  // The marked row, or -1 when the list is empty or no row is marked.
  long MarkedRow() const;

  std::vector<std::string> dates_;  // date texts, "%04d/%02d/%02d"
  std::vector<std::string> comments_;
  SjisListCtrl* list_ = nullptr;
};
