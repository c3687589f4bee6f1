#pragma once
// CDocInfoDlg: edits a copy of the document's title and copyright (template 131).

#include <string>
#include <string_view>

#include <wx/dialog.h>

#include "core/model/document_info.h"

class SjisTextCtrl;

class CDocInfoDlg : public wxDialog {
 public:
  explicit CDocInfoDlg(wxWindow* parent = nullptr);

  // The dialog's working copy, before and after it runs.
  std::string GetDocInfo(int kind) const { return info_.GetDocInfo(kind); }
  bool SetDocInfo(int kind, std::string_view text) { return info_.SetDocInfo(kind, text); }

  // Puts kind 0 into edit 1046 and kind 1 into edit 1047.
  bool TransferDataToWindow() override;
  // Copies the edits back into the working copy (on OK).
  bool TransferDataFromWindow() override;

  SjisTextCtrl* TitleEdit() const { return title_; }
  SjisTextCtrl* CopyrightEdit() const { return copyright_; }

 private:
  quillmap::DocumentInfo info_;
  SjisTextCtrl* title_ = nullptr;
  SjisTextCtrl* copyright_ = nullptr;
};
