// Commands of the function list: add a function from a typed prototype, delete or copy the
// function at the list's selection mark, and rename a function by editing its label.

#include <ctime>
#include <optional>
#include <string>

#include <wx/listctrl.h>

#include "core/edit/document_edits.h"
#include "ui/dialogs/add_func_dlg.h"
#include "ui/doc/func_doc.h"
#include "ui/doc/step_label.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/view/func_view.h"
#include "ui/view/rename_check.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

constexpr int kCaptionAdd = 40000;     // "関数の追加"
constexpr int kCaptionDelete = 40001;  // "関数の削除"
constexpr int kCaptionCopy = 40004;    // "関数のｺﾋﾟｰ"
constexpr int kCaptionRename = 40006;  // "関数名の編集"
constexpr int kTextSelect = 40101;     // "関数を選択してください"
constexpr int kTextNothingToDelete = 40102;
constexpr int kTextEnterName = 40106;     // "関数名を入力してください"
constexpr int kTextNameTaken = 40107;     // "すでに存在する関数名です"
constexpr int kTextAddNameTaken = 40100;  // "すでに存在する関数名です"

}  // namespace

void CFuncView::BindFunctionCommands() {
  BindCommand(ids::kAddFunction, &CFuncView::OnAddFunction);
  BindCommand(ids::kDeleteFunction, &CFuncView::OnDeleteFunction);
  BindCommand(ids::kCopyFunction, &CFuncView::OnCopyFunction);
  SjisListCtrl* list = FunctionList();
  BindInsertDeleteKeys(list, ids::kAddFunction, ids::kDeleteFunction);
  list->Bind(wxEVT_LIST_BEGIN_LABEL_EDIT, &CFuncView::OnBeginRenameFunction, this);
  list->Bind(wxEVT_LIST_END_LABEL_EDIT, &CFuncView::OnEndRenameFunction, this);
}

void CFuncView::OnAddFunction(wxCommandEvent&) {
  // A field typed into and not left (the command came from the menu or a key) is stored before
  // another function takes the form.
  StoreIfEdited();
  CAddFuncDlg dialog(Form());
  if (dialog.ShowModal() != wxID_OK) return;
  const std::string& text = dialog.GetText();
  if (text.empty()) return;

  // The function the add command makes of the prototype: return type, arguments and the first
  // history entry, by the rules the command line's add shares.
  CFuncDoc* doc = GetFuncDoc();
  quillmap::edit::Result added = quillmap::edit::AddFunctionFromPrototype(
      doc->EditStore(), text, std::time(nullptr), LoadStringSjis(ids::kStrNewHistory));
  switch (added.status) {
    case quillmap::edit::Status::kNoName:
      // A text without a name (only blanks or punctuation) would give a function that can
      // neither be stored from the form nor renamed: refused like an empty name.
      ShowStopBox(Form(), kCaptionAdd, kTextEnterName);
      return;
    case quillmap::edit::Status::kNameTaken:
      ShowStopBox(Form(), kCaptionAdd, kTextAddNameTaken);
      return;
    default:
      break;
  }
  const std::int32_t index = added.index;
  if (!doc->Submit(std::move(added), StepLabel(ids::kAddFunction))) return;
  AppendFunctionItemInView(doc->Store().SharedFunctionName(index));
  AddReturnType(doc->Store().GetFunctionReturnType(index));
  ShowFunction(index);
}

void CFuncView::OnDeleteFunction(wxCommandEvent&) {
  StoreIfEdited();
  SjisListCtrl* list = FunctionList();
  if (list->GetItemCount() == 0) {
    ShowStopBox(Form(), kCaptionDelete, kTextNothingToDelete);
    return;
  }
  const long mark = list->GetSelectionMark();
  if (mark < 0) {
    ShowStopBox(Form(), kCaptionDelete, kTextSelect);
    return;
  }
  const std::string name = list->GetCellBytes(mark, 0);
  if (!ConfirmDelete(Form(), kCaptionDelete, name)) return;
  CFuncDoc* doc = GetFuncDoc();
  const std::int32_t index = doc->FindFunction(name);
  if (index < 0) return;
  if (!doc->Submit(quillmap::edit::DeleteFunction(doc->EditStore(), index),
                   StepLabel(ids::kDeleteFunction))) {
    return;
  }
  list->DeleteRow(mark);

  // Show the function whose item now holds the mark; with none, the fields are emptied (and
  // disabled when the list is empty).
  const long next = list->GetSelectionMark();
  std::int32_t shown = -1;
  if (next >= 0 && next < list->GetItemCount()) {
    shown = doc->FindFunction(list->GetCellBytes(next, 0));
  }
  ShowFunction(shown);
}

void CFuncView::OnCopyFunction(wxCommandEvent&) {
  StoreIfEdited();
  SjisListCtrl* list = FunctionList();
  const long mark = list->GetSelectionMark();
  if (list->GetItemCount() == 0 || mark < 0) {
    ShowStopBox(Form(), kCaptionCopy, kTextSelect);
    return;
  }
  CFuncDoc* doc = GetFuncDoc();
  const std::int32_t source = doc->FindFunction(list->GetCellBytes(mark, 0));
  if (source < 0) return;
  // The copy is listed last and shown; the highlight stays where it was.
  quillmap::edit::Result copied = quillmap::edit::CopyFunction(doc->EditStore(), source);
  const std::int32_t index = copied.index;
  if (!doc->Submit(std::move(copied), StepLabel(ids::kCopyFunction))) return;
  AppendFunctionItemInView(doc->Store().SharedFunctionName(index));
  ShowFunction(index);
}

void CFuncView::OnBeginRenameFunction(wxListEvent& event) {
  // Allowed; the name it had is what the end of the edit renames.
  FunctionEditName() = FunctionList()->GetCellBytes(event.GetIndex(), 0);
}

void CFuncView::OnEndRenameFunction(wxListEvent& event) {
  // The list never takes the new label itself (not skipped, so the veto holds): a rename that
  // goes through sets the item's text.
  event.Veto();
  if (event.IsEditCancelled()) return;
  const long item = event.GetIndex();
  const wxString label = event.GetLabel();
  // The messages and the rename come after the edit control has gone.
  CallAfter([this, item, label] { RenameFunction(item, label); });
}

void CFuncView::RenameFunction(long item, const wxString& label) {
  const std::optional<std::string> typed = EncodeNewName(Form(), label);
  if (!typed) return;
  const std::string& new_name = *typed;
  const std::string old_name = FunctionEditName();
  CFuncDoc* doc = GetFuncDoc();
  const std::int32_t index = doc->FindFunction(old_name);
  quillmap::edit::Result renamed =
      quillmap::edit::RenameFunction(doc->EditStore(), index, new_name);
  if (!RenameAccepted(Form(), {kCaptionRename, kTextEnterName, kTextNameTaken}, renamed.status)) {
    return;
  }
  doc->Submit(std::move(renamed), StepLabel(kCaptionRename));
  SjisListCtrl* list = FunctionList();
  if (item >= 0 && item < list->GetItemCount()) list->SetCellBytes(item, 0, new_name);
  // The name field follows when it shows the renamed function. (The item edited need not be
  // the function shown: after an add the highlight stays on the old item, and writing the new
  // name over another function's fields would make the next store overwrite the renamed one.)
  if (NameEdit()->GetBytes().bytes == old_name) NameEdit()->SetBytes(new_name);
}
