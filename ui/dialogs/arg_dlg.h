#pragma once
// CArgDlg: edits the type, name and description of one argument or member variable (template
// 138). The caller names the dialog (its title), sets the three texts before showing it and reads
// them back after OK; after Cancel they keep the caller's values.

#include <wx/dialog.h>

#include "core/edit/new_records.h"

class SjisTextCtrl;

class CArgDlg : public wxDialog {
 public:
  // caption replaces the template's title "引数の入力".
  CArgDlg(wxWindow* parent, const wxString& caption);

  // Type, name and description (Shift-JIS bytes), empty until the caller sets them.
  void SetTexts(const quillmap::ArgumentTexts& texts) { texts_ = texts; }
  const quillmap::ArgumentTexts& GetTexts() const { return texts_; }

  // Puts the three texts into edits 1061, 1062 and 1063.
  bool TransferDataToWindow() override;
  // On OK: takes the three texts back (refused with a message if Shift-JIS can't hold one).
  bool TransferDataFromWindow() override;

  SjisTextCtrl* TypeEdit() const { return type_edit_; }
  SjisTextCtrl* NameEdit() const { return name_edit_; }
  SjisTextCtrl* DescriptionEdit() const { return description_edit_; }

 private:
  quillmap::ArgumentTexts texts_;
  SjisTextCtrl* type_edit_ = nullptr;
  SjisTextCtrl* name_edit_ = nullptr;
  SjisTextCtrl* description_edit_ = nullptr;
};
