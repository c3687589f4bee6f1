#pragma once
// CStructDefDlg: defines one structure (template 141): its name, heading, member variables,
// explanation and related entries. The caller copies a record in before the dialog opens and
// copies it out after OK; OK rebuilds the record from the controls. Related entries are chosen
// among the item texts of a list of the caller (the form's structure list).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <wx/dialog.h>

#include "core/model/struct_spec.h"

class wxButton;
class SjisChoice;
class SjisListCtrl;
class SjisTextCtrl;

class CStructDefDlg : public wxDialog {
 public:
  explicit CStructDefDlg(wxWindow* parent);

  // The working record (copy in before the dialog opens, copy out after OK).
  void SetStruct(const quillmap::StructSpec& record);
  const quillmap::StructSpec& GetStruct() const { return record_; }
  // The list whose column-0 texts the related dialog offers; it must outlive the dialog.
  void SetCandidateList(const SjisListCtrl* list) { candidate_list_ = list; }
  // Asked on OK with the typed name: true refuses it, after the caller has said why; the dialog
  // then stays open with everything as typed.
  void SetNameCheck(std::function<bool(std::string_view)> refuses) {
    name_refused_ = std::move(refuses);
  }

  // Fills the controls from the working record.
  bool TransferDataToWindow() override;
  // OK: rebuilds the working record from the controls.
  bool TransferDataFromWindow() override;

  // Button 1074 and the Insert key: a new member row.
  void OnAddMember();
  // Button 1075 and the Delete key: the marked member, after a confirmation.
  void OnDeleteMember();
  // Button 1076: a copy of the marked member, appended.
  void OnCopyMember();
  // A double click in the member list: the marked member in the argument dialog.
  void OnEditMember();
  // Edit 1073's text changed: the controls that need a name follow whether one is typed.
  void OnNameChange();
  // Button 1023: the related entries in the related dialog.
  void OnAddRelated();

  SjisTextCtrl* NameEdit() const { return name_; }
  SjisTextCtrl* HeadingEdit() const { return heading_; }
  SjisTextCtrl* ExplanationEdit() const { return explanation_; }
  SjisListCtrl* MemberList() const { return members_; }
  SjisChoice* RelatedCombo() const { return related_; }

 private:
  void InsertColumns();
  void AppendMember(std::string_view type, std::string_view name, std::string_view description);
  // The marked member row, or -1 when no row is marked.
  long MarkedRow() const;
  void ShowStop(int caption_id, int text_id);

  quillmap::StructSpec record_;
  const SjisListCtrl* candidate_list_ = nullptr;
  std::function<bool(std::string_view)> name_refused_;
  SjisTextCtrl* name_ = nullptr;
  SjisTextCtrl* heading_ = nullptr;
  SjisListCtrl* members_ = nullptr;
  SjisTextCtrl* explanation_ = nullptr;
  SjisChoice* related_ = nullptr;
  // Enabled only while a name is typed: the member buttons, OK, the member list, explanation,
  // heading and both related controls.
  std::vector<wxWindow*> needs_name_;
};
