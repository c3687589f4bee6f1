// Commands of the structure list: add a structure defined in CStructDefDlg, delete, copy or
// edit the structure at the list's selection mark, and rename a structure by editing its label.
// Structures are never shown in the form's fields; their dialog is where they are edited.

#include <optional>
#include <string>

#include <wx/listctrl.h>

#include "core/edit/document_edits.h"
#include "core/model/struct_spec.h"
#include "ui/dialogs/struct_def_dlg.h"
#include "ui/doc/func_doc.h"
#include "ui/doc/step_label.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/view/func_view.h"
#include "ui/view/rename_check.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

constexpr int kCaptionAdd = 40008;  // "構造体ﾘｽﾄに構造体を追加\n構造体の追加"
constexpr int kCaptionDelete = 40009;  // "構造体ﾘｽﾄから構造体を削除\n構造体の削除"
constexpr int kCaptionCopy = 40010;  // "構造体をｺﾋﾟｰして追加\n構造体のｺﾋﾟｰ"
constexpr int kCaptionRename = 40015;  // "構造体名の編集\n構造体名の編集"
constexpr int kTextSelect = 40101;     // "関数を選択してください"
constexpr int kTextNothingToDelete = 40113;
constexpr int kTextEnterName = 40114;  // "構造体名を入力してください"
constexpr int kTextNameTaken = 40115;  // "すでに存在する構造体名です"

}  // namespace

void CFuncView::BindStructureCommands() {
  BindCommand(ids::kAddStructure, &CFuncView::OnAddStructure);
  BindCommand(ids::kDeleteStructure, &CFuncView::OnDeleteStructure);
  BindCommand(ids::kCopyStructure, &CFuncView::OnCopyStructure);
  // 32780 is also the HTML window's refresh command; this binding lives on this view only, so
  // in an HTML window the command still reaches the browser view alone.
  BindCommand(ids::kEditStructure, &CFuncView::OnEditStructure);
  SjisListCtrl* list = StructureList();
  BindInsertDeleteKeys(list, ids::kAddStructure, ids::kDeleteStructure);
  list->Bind(wxEVT_LIST_BEGIN_LABEL_EDIT, &CFuncView::OnBeginRenameStructure, this);
  list->Bind(wxEVT_LIST_END_LABEL_EDIT, &CFuncView::OnEndRenameStructure, this);
  // A double click anywhere in the list, on an item or on the empty space below the items,
  // edits the structure at the selection mark. Queued, as the button's command would come:
  // the dialog doesn't open inside the list's mouse handling.
  list->GetTargetWindow()->Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent& event) {
    event.Skip();
    QueueEvent(new wxCommandEvent(wxEVT_MENU, ids::kEditStructure));
  });
}

void CFuncView::OnAddStructure(wxCommandEvent&) {
  CStructDefDlg dialog(Form());
  dialog.SetStruct(quillmap::StructSpec());
  dialog.SetCandidateList(StructureList());
  if (dialog.ShowModal() != wxID_OK) return;
  // A name that is taken is refused here, after the dialog, and nothing is written.
  const quillmap::StructSpec& record = dialog.GetStruct();
  CFuncDoc* doc = GetFuncDoc();
  quillmap::edit::Result added = quillmap::edit::AddStruct(doc->EditStore(), record);
  if (!RenameAccepted(Form(), {kCaptionAdd, kTextEnterName, kTextNameTaken}, added.status)) return;
  const std::string name = record.GetRecordName();
  doc->Submit(std::move(added), StepLabel(ids::kMenuAddStructure));
  AppendStructureItemInView(name);
  AddReturnType(name);
}

void CFuncView::OnDeleteStructure(wxCommandEvent&) {
  SjisListCtrl* list = StructureList();
  if (list->GetItemCount() == 0) {
    ShowStopBox(Form(), kCaptionDelete, kTextNothingToDelete);
    return;
  }
  const long mark = list->GetSelectionMark();
  if (mark < 0 || mark >= list->GetItemCount()) {
    ShowStopBox(Form(), kCaptionDelete, kTextSelect);
    return;
  }
  const std::string name = list->GetCellBytes(mark, 0);
  if (!ConfirmDelete(Form(), kCaptionDelete, name)) return;
  CFuncDoc* doc = GetFuncDoc();
  const std::int32_t index = doc->FindStruct(name);
  if (index < 0) return;
  if (!doc->Submit(quillmap::edit::DeleteStruct(doc->EditStore(), index),
                   StepLabel(ids::kMenuDeleteStructure))) {
    return;
  }
  list->DeleteRow(mark);
  // The name stays in the return-type list: a function may still return it.
}

void CFuncView::OnCopyStructure(wxCommandEvent&) {
  SjisListCtrl* list = StructureList();
  const long mark = list->GetSelectionMark();
  if (list->GetItemCount() == 0 || mark < 0 || mark >= list->GetItemCount()) {
    ShowStopBox(Form(), kCaptionCopy, kTextSelect);
    return;
  }
  CFuncDoc* doc = GetFuncDoc();
  const std::int32_t source = doc->FindStruct(list->GetCellBytes(mark, 0));
  if (source < 0) return;
  // The copy is listed last.
  quillmap::edit::Result copied = quillmap::edit::CopyStruct(doc->EditStore(), source);
  const std::int32_t index = copied.index;
  if (!doc->Submit(std::move(copied), StepLabel(ids::kMenuCopyStructure))) return;
  const std::string name = doc->Store().GetStructName(index);
  AppendStructureItemInView(name);
  AddReturnType(name);
}

void CFuncView::OnEditStructure(wxCommandEvent&) {
  SjisListCtrl* list = StructureList();
  const long mark = list->GetSelectionMark();
  if (mark < 0 || mark >= list->GetItemCount()) return;
  const std::string old_name = list->GetCellBytes(mark, 0);
  CFuncDoc* doc = GetFuncDoc();
  const std::int32_t index = doc->FindStruct(old_name);
  quillmap::StructSpec record;
  if (index < 0 || !doc->GetStruct(index, record)) return;

  CStructDefDlg dialog(Form());
  dialog.SetStruct(record);
  dialog.SetCandidateList(list);
  // Names stay unique: another structure's name is refused while the dialog is still open, so
  // that nothing typed in it is lost. The structure's own name is fine.
  dialog.SetNameCheck([doc, index, &dialog](std::string_view name) {
    const std::int32_t found = doc->FindStruct(name);
    if (found < 0 || found == index) return false;
    ShowStopBox(&dialog, kCaptionRename, kTextNameTaken);
    return true;
  });
  if (dialog.ShowModal() != wxID_OK) return;
  const quillmap::StructFields fields = quillmap::ReadStructFields(dialog.GetStruct());
  if (!doc->Submit(quillmap::edit::StoreStruct(doc->EditStore(), index, fields),
                   LoadWxString(ids::kStrEditStructure))) {
    return;
  }
  list->SetCellBytes(mark, 0, fields.name);
  RemoveReturnType(old_name);
  AddReturnType(fields.name);
}

void CFuncView::OnBeginRenameStructure(wxListEvent& event) {
  // Allowed; the name it had is what the end of the edit renames.
  StructureEditName() = StructureList()->GetCellBytes(event.GetIndex(), 0);
}

void CFuncView::OnEndRenameStructure(wxListEvent& event) {
  // The list never takes the new label itself (not skipped, so the veto holds): a rename that
  // goes through sets the item's text.
  event.Veto();
  if (event.IsEditCancelled()) return;
  const long item = event.GetIndex();
  const wxString label = event.GetLabel();
  // The messages and the rename come after the edit control has gone.
  CallAfter([this, item, label] { RenameStructure(item, label); });
}

void CFuncView::RenameStructure(long item, const wxString& label) {
  const std::optional<std::string> typed = EncodeNewName(Form(), label);
  if (!typed) return;
  const std::string& new_name = *typed;
  const std::string old_name = StructureEditName();
  CFuncDoc* doc = GetFuncDoc();
  quillmap::edit::Result renamed =
      quillmap::edit::RenameStruct(doc->EditStore(), doc->FindStruct(old_name), new_name);
  if (!RenameAccepted(Form(), {kCaptionRename, kTextEnterName, kTextNameTaken}, renamed.status)) {
    return;
  }
  doc->Submit(std::move(renamed), StepLabel(kCaptionRename));
  SjisListCtrl* list = StructureList();
  if (item >= 0 && item < list->GetItemCount()) list->SetCellBytes(item, 0, new_name);
  RemoveReturnType(old_name);
  AddReturnType(new_name);
}
