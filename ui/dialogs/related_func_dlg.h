#pragma once
// CRelatedFuncDlg: chooses related entries (template 130). The left list offers the item texts
// of a list of the caller (the form's function list, or its structure list); the right list holds
// the chosen names. ">>" or a double click on the left moves an entry to the right, a double click
// on the right moves it back. Both lists keep their entries sorted; after OK the result is the
// right list in its order.

#include <string>
#include <string_view>
#include <vector>

#include <wx/dialog.h>

class wxButton;
class wxListBox;
class SjisListCtrl;

class CRelatedFuncDlg : public wxDialog {
 public:
  explicit CRelatedFuncDlg(wxWindow* parent);

  // The list whose column-0 texts are the candidates; it must outlive the dialog. False (and
  // nothing set) for none.
  bool SetCandidateList(const SjisListCtrl* list);
  // Adds a name (Shift-JIS) to the entries chosen when the dialog opens.
  void AddInitialChoice(std::string_view name) { initial_.emplace_back(name); }

  // The chosen names after OK, in list order; empty after Cancel.
  int GetResultCount() const { return static_cast<int>(result_.size()); }
  // Name i of the result; empty for a position outside it.
  std::string GetResult(int i) const;

  // Fills both lists: every candidate on the left, then each initial name on the right, taking
  // its candidate off the left.
  bool TransferDataToWindow() override;
  // On OK: the result becomes the right list's entries.
  bool TransferDataFromWindow() override;

  wxListBox* Candidates() const { return candidates_; }
  wxListBox* Chosen() const { return chosen_; }
  wxButton* MoveButton() const { return move_; }

 private:
  // Moves the selected entry of from into to; nothing without a selection.
  static void MoveSelected(wxListBox* from, wxListBox* to);

  const SjisListCtrl* candidate_list_ = nullptr;
  std::vector<std::string> initial_;
  std::vector<std::string> result_;
  wxListBox* candidates_ = nullptr;
  wxListBox* chosen_ = nullptr;
  wxButton* move_ = nullptr;
};
