#pragma once
// CHistoryEditDlg: one update-history entry, a date and a comment (template 145). The caller
// sets the values before the dialog opens and reads them after OK; Cancel leaves them as set.

#include <ctime>
#include <string>
#include <string_view>

#include <wx/dialog.h>

class DateField;
class SjisTextCtrl;

class CHistoryEditDlg : public wxDialog {
 public:
  explicit CHistoryEditDlg(wxWindow* parent = nullptr);

  void SetValues(std::time_t date, std::string_view comment);
  // The field's day (local midnight) and the comment's bytes, after OK.
  std::time_t GetDate() const { return date_; }
  const std::string& GetComment() const { return comment_; }

  // Shows the values: the date in field 1056 as YYYY/MM/DD, the comment in edit 1081.
  bool TransferDataToWindow() override;
  // Takes the field's day and the comment (OK). A date text that is no day is refused with a
  // message and the dialog stays open, the text as the user left it.
  bool TransferDataFromWindow() override;

  DateField* DateEdit() const { return date_field_; }
  SjisTextCtrl* CommentEdit() const { return comment_edit_; }

 private:
  std::time_t date_ = 0;
  std::string comment_;
  DateField* date_field_ = nullptr;
  SjisTextCtrl* comment_edit_ = nullptr;
};
