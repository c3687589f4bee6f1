#pragma once
// CAddFuncDlg: asks for the prototype (or the bare name) of a new function (template 102). Its
// OK button is enabled only while the entry holds text.

#include <string>

#include <wx/dialog.h>

class wxButton;
class SjisTextCtrl;

class CAddFuncDlg : public wxDialog {
 public:
  explicit CAddFuncDlg(wxWindow* parent);

  // The text entered, as Shift-JIS bytes; empty until the dialog ends with OK.
  const std::string& GetText() const { return text_; }

  // On OK: keeps the entry's text (refused with a message if Shift-JIS can't hold it).
  bool TransferDataFromWindow() override;

  SjisTextCtrl* Entry() const { return entry_; }
  wxButton* OkButton() const { return ok_; }

 private:
  void OnEntryChanged(wxCommandEvent& event);

  SjisTextCtrl* entry_ = nullptr;
  wxButton* ok_ = nullptr;
  std::string text_;
};
