#pragma once
// CHtmlFormatDlg: the options of one HTML export (template 139). Five check boxes choose the
// attributes whose functions the page holds; all five start checked on every export, and
// nothing of the dialog is kept between exports. The frame buttons are disabled and the sort
// boxes are never read: a page is always one file without frames, with its records in document
// order.

#include <array>

#include <wx/dialog.h>

#include "core/model/spec_record.h"

class wxCheckBox;
class wxRadioButton;

class CHtmlFormatDlg : public wxDialog {
 public:
  explicit CHtmlFormatDlg(wxWindow* parent = nullptr);

  // Checks the five attribute boxes.
  bool TransferDataToWindow() override;
  // Reads the five attribute boxes into the flags (on OK): checked 1, anything else 0.
  bool TransferDataFromWindow() override;

  // The flag read at OK for an attribute slot (0 public, 1 static, 2 protected, 3 private,
  // 4 inline); 0 for any other slot and before OK.
  int GetAttributeFlag(unsigned slot) const;

  // The check box of an attribute slot (null for a slot above 4).
  wxCheckBox* AttributeBox(unsigned slot) const;
  wxCheckBox* SortByNameBox() const { return sort_by_name_; }
  wxCheckBox* SortByAttributeBox() const { return sort_by_attribute_; }
  wxRadioButton* NoFramesButton() const { return no_frames_; }
  wxRadioButton* FramesButton() const { return frames_; }

 private:
  std::array<wxCheckBox*, quillmap::kFuncAttributeCount> attribute_boxes_{};
  std::array<int, quillmap::kFuncAttributeCount> attribute_flags_{};
  wxCheckBox* sort_by_name_ = nullptr;
  wxCheckBox* sort_by_attribute_ = nullptr;
  wxRadioButton* no_frames_ = nullptr;
  wxRadioButton* frames_ = nullptr;
};
