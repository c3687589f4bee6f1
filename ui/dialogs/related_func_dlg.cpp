#include "ui/dialogs/related_func_dlg.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/stattext.h>

#include "core/edit/related_choice.h"
#include "ui/res/ids.h"
#include "ui/widgets/dialog_keys.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/sjis_field.h"

namespace {

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

CRelatedFuncDlg::CRelatedFuncDlg(wxWindow* parent)
    : wxDialog(parent, ids::kRelatedDialog, U("関連関数追加"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  const long list_style = wxLB_SINGLE | wxLB_SORT | wxLB_NEEDED_SB | wxBORDER_SUNKEN;
  // Created in the template's order, which is also the Tab order.
  new wxStaticText(this, wxID_ANY, U("関数ﾘｽﾄ"), du.Point(39, 11), du.Size(35, 8),
                   wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
  candidates_ = new wxListBox(this, ids::kRelatedCandidates, du.Point(7, 23), du.Size(109, 169), 0,
                              nullptr, list_style);
  move_ = new wxButton(this, ids::kRelatedMove, U(">>"), du.Point(119, 63), du.Size(20, 22));
  new wxStaticText(this, wxID_ANY, U("関連関数"), du.Point(177, 11), du.Size(35, 8),
                   wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
  chosen_ = new wxListBox(this, ids::kRelatedChosen, du.Point(143, 23), du.Size(109, 170), 0,
                          nullptr, list_style);
  auto* ok = new wxButton(this, wxID_OK, U("OK"), du.Point(75, 199), du.Size(50, 14));
  new wxButton(this, wxID_CANCEL, U("ｷｬﾝｾﾙ"), du.Point(132, 199), du.Size(50, 14));
  ok->SetDefault();
  // A list box would take Return for a double click: here only the mouse moves entries.
  ReturnPressesDefaultButton(this, candidates_);
  ReturnPressesDefaultButton(this, chosen_);
  SetClientSize(du.Size(259, 221));

  move_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { MoveSelected(candidates_, chosen_); });
  candidates_->Bind(wxEVT_LISTBOX_DCLICK,
                    [this](wxCommandEvent&) { MoveSelected(candidates_, chosen_); });
  chosen_->Bind(wxEVT_LISTBOX_DCLICK,
                [this](wxCommandEvent&) { MoveSelected(chosen_, candidates_); });
  candidates_->SetFocus();
}

bool CRelatedFuncDlg::SetCandidateList(const SjisListCtrl* list) {
  if (list == nullptr) return false;
  candidate_list_ = list;
  return true;
}

std::string CRelatedFuncDlg::GetResult(int i) const {
  if (i < 0 || i >= GetResultCount()) return std::string();
  return result_[static_cast<std::size_t>(i)];
}

bool CRelatedFuncDlg::TransferDataToWindow() {
  std::vector<std::string> offered;
  if (candidate_list_ != nullptr) {
    const long count = candidate_list_->GetItemCount();
    offered.reserve(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) offered.push_back(candidate_list_->GetCellBytes(i, 0));
  }
  const quillmap::RelatedLists lists = quillmap::SplitRelated(std::move(offered), initial_);
  candidates_->Clear();
  chosen_->Clear();
  for (const std::string& name : lists.candidates) AppendSjisEntry(*candidates_, name);
  for (const std::string& name : lists.chosen) AppendSjisEntry(*chosen_, name);
  return true;
}

bool CRelatedFuncDlg::TransferDataFromWindow() {
  result_.clear();
  for (unsigned int i = 0; i < chosen_->GetCount(); ++i) {
    result_.push_back(SjisEntryBytes(*chosen_, i));
  }
  return true;
}

void CRelatedFuncDlg::MoveSelected(wxListBox* from, wxListBox* to) {
  const int selected = from->GetSelection();
  if (selected == wxNOT_FOUND) return;
  const std::string name = SjisEntryBytes(*from, static_cast<unsigned int>(selected));
  AppendSjisEntry(*to, name);
  from->Delete(static_cast<unsigned int>(selected));
}
