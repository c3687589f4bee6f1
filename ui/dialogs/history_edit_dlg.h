#pragma once
// CHistoryEditDlg: one update-history entry, a date and a comment (template 145). The caller
// sets the values before the dialog opens and reads them after OK; Cancel leaves them as set.

#include <ctime>
#include <string>
#include <string_view>

#include <wx/dialog.h>

class wxDatePickerCtrl;
class SjisTextCtrl;

class CHistoryEditDlg : public wxDialog {
 public:
  explicit CHistoryEditDlg(wxWindow* parent = nullptr);

  void SetValues(std::time_t date, std::string_view comment);
  // The picker's day (local midnight) and the comment's bytes, after OK.
  std::time_t GetDate() const { return date_; }
  const std::string& GetComment() const { return comment_; }

  // Shows the values: the date in picker 1056, the comment in edit 1081.
  bool TransferDataToWindow() override;
  // Takes the picker's date and the comment as they are (OK).
  bool TransferDataFromWindow() override;

  wxDatePickerCtrl* DatePicker() const { return picker_; }
  SjisTextCtrl* CommentEdit() const { return comment_edit_; }

 private:
  std::time_t date_ = 0;
  std::string comment_;
  wxDatePickerCtrl* picker_ = nullptr;
  SjisTextCtrl* comment_edit_ = nullptr;
};
