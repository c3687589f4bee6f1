#pragma once
// CFuncSpecSettingsDlg: which sections the clipboard comment block holds (template 146). One
// check box per bit of the flag word: arguments, return value, explanation and note.

#include <wx/dialog.h>

#include "core/output/profile.h"

class wxCheckBox;

class CFuncSpecSettingsDlg : public wxDialog {
 public:
  explicit CFuncSpecSettingsDlg(wxWindow* parent = nullptr);

  // The flag word. Set it before the dialog runs: each box whose bit is set is checked (all
  // four for -1). After OK it holds exactly the bits of the checked boxes; after Cancel it is
  // the word that was set.
  void SetFlags(quillmap::ClipboardSpecSettings flags);
  quillmap::ClipboardSpecSettings GetFlags() const { return flags_; }

  // Checks the boxes from the flag word.
  bool TransferDataToWindow() override;
  // Makes the flag word of the checked boxes (on OK).
  bool TransferDataFromWindow() override;

  // The box of one flag bit (clip_flag::kArguments ... kNote); null for any other value.
  wxCheckBox* BoxOf(quillmap::ClipboardSpecSettings bit) const;

 private:
  struct Box {
    quillmap::ClipboardSpecSettings bit;
    wxCheckBox* control;
  };
  Box boxes_[4] = {};
  quillmap::ClipboardSpecSettings flags_ = quillmap::clip_flag::kAll;
};
