// Commands of the argument list: add a row, delete or copy the row at the list's selection
// mark, and edit that row in the argument dialog. Each change is stored at once.

#include <string>

#include <wx/button.h>
#include <wx/listctrl.h>

#include "core/edit/document_edits.h"
#include "core/edit/new_records.h"
#include "ui/dialogs/arg_dlg.h"
#include "ui/doc/func_doc.h"
#include "ui/doc/step_label.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/view/func_view.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

namespace {

constexpr int kCaptionAdd = 40002;     // "引数の追加"
constexpr int kCaptionDelete = 40003;  // "引数の削除"
constexpr int kCaptionCopy = 40005;    // "引数のｺﾋﾟｰ"
constexpr int kCaptionEdit = 40007;    // "引数の編集"
constexpr int kTextSelectFunction = 40101;
constexpr int kTextNothingToDelete = 40103;
constexpr int kTextSelectToDelete = 40104;
constexpr int kTextSelectToCopy = 40105;
constexpr int kTextDeclareName = 40109;  // "関数の型を宣言してください"

}  // namespace

void CFuncView::BindArgumentCommands() {
  BindCommand(ids::kAddArgument, &CFuncView::OnAddArgument);
  BindCommand(ids::kDeleteArgument, &CFuncView::OnDeleteArgument);
  BindCommand(ids::kCopyArgument, &CFuncView::OnCopyArgument);
  for (int id : {ids::kAddArgument, ids::kDeleteArgument, ids::kCopyArgument}) {
    Bind(wxEVT_UPDATE_UI, &CFuncView::OnUpdateArgumentCommand, this, id);
  }
  SjisListCtrl* list = ArgumentList();
  BindInsertDeleteKeys(list, ids::kAddArgument, ids::kDeleteArgument);
  // A double click anywhere in the list, on a row or on the empty space below the rows, edits
  // the row at the selection mark. The rows' own window sees both; the list itself reports only
  // double clicks on rows (and Return, which edits nothing).
  list->GetTargetWindow()->Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent& event) {
    event.Skip();
    CallAfter(&CFuncView::OnEditArgument);
  });
}

void CFuncView::OnUpdateArgumentCommand(wxUpdateUIEvent& event) {
  // Without this the main frame would enable every control of a command the view handles,
  // the disabled buttons of a form that shows no function included.
  if (event.GetEventObject() == Button(event.GetId())) return;
  event.Enable(true);
}

void CFuncView::OnAddArgument(wxCommandEvent&) {
  // The argument buttons are enabled exactly while a function is shown.
  if (!Button(ids::kAddArgument)->IsEnabled()) {
    ShowStopBox(Form(), kCaptionAdd, kTextSelectFunction);
    return;
  }
  const std::int32_t index = StoreShownFunction();
  const quillmap::ArgumentTexts row =
      quillmap::NewArgument(static_cast<std::size_t>(ArgumentList()->GetItemCount()));
  CFuncDoc* doc = GetFuncDoc();
  if (!doc->Submit(quillmap::edit::AddArgument(doc->EditStore(), index),
                   StepLabel(ids::kAddArgument))) {
    return;
  }
  AddArgumentRow(row.type, row.name, row.description);
}

void CFuncView::OnDeleteArgument(wxCommandEvent&) {
  if (!Button(ids::kDeleteArgument)->IsEnabled()) {
    ShowStopBox(Form(), kCaptionDelete, kTextSelectFunction);
    return;
  }
  SjisListCtrl* list = ArgumentList();
  if (list->GetItemCount() == 0) {
    ShowStopBox(Form(), kCaptionDelete, kTextNothingToDelete);
    return;
  }
  const long mark = list->GetSelectionMark();
  if (mark < 0 || mark >= list->GetItemCount()) {
    ShowStopBox(Form(), kCaptionDelete, kTextSelectToDelete);
    return;
  }
  // The question names the argument's type; the function is stored whatever the answer.
  const bool confirmed = ConfirmDelete(Form(), kCaptionDelete, list->GetCellBytes(mark, 0));
  const std::int32_t index = StoreShownFunction();
  if (!confirmed) return;
  CFuncDoc* doc = GetFuncDoc();
  if (doc->Submit(
          quillmap::edit::DeleteArgument(doc->EditStore(), index, static_cast<std::size_t>(mark)),
          StepLabel(ids::kDeleteArgument))) {
    list->DeleteRow(mark);
  }
}

void CFuncView::OnCopyArgument(wxCommandEvent&) {
  if (!Button(ids::kCopyArgument)->IsEnabled()) {
    ShowStopBox(Form(), kCaptionCopy, kTextSelectFunction);
    return;
  }
  SjisListCtrl* list = ArgumentList();
  const long mark = list->GetSelectionMark();
  if (mark < 0 || mark >= list->GetItemCount()) {
    ShowStopBox(Form(), kCaptionCopy, kTextSelectToCopy);
    return;
  }
  // The copy goes to the end of the list, not beside its original.
  const std::int32_t index = StoreShownFunction();
  CFuncDoc* doc = GetFuncDoc();
  if (doc->Submit(
          quillmap::edit::CopyArgument(doc->EditStore(), index, static_cast<std::size_t>(mark)),
          StepLabel(ids::kCopyArgument))) {
    AddArgumentRow(list->GetCellBytes(mark, 0), list->GetCellBytes(mark, 1),
                   list->GetCellBytes(mark, 2));
  }
}

void CFuncView::OnEditArgument() {
  SjisListCtrl* list = ArgumentList();
  const long mark = list->GetSelectionMark();
  if (!list->IsEnabled() || mark < 0 || mark >= list->GetItemCount()) return;
  CArgDlg dialog(Form(), LoadWxString(kCaptionEdit));
  dialog.SetTexts(
      {list->GetCellBytes(mark, 0), list->GetCellBytes(mark, 1), list->GetCellBytes(mark, 2)});
  if (dialog.ShowModal() != wxID_OK) return;
  // The name is required; the type and the description may be empty.
  const quillmap::ArgumentTexts& texts = dialog.GetTexts();
  const std::int32_t index = StoreShownFunction();
  CFuncDoc* doc = GetFuncDoc();
  quillmap::edit::Result edited =
      quillmap::edit::EditArgument(doc->EditStore(), index, static_cast<std::size_t>(mark), texts);
  if (edited.status == quillmap::edit::Status::kNoName) {
    ShowStopBox(Form(), kCaptionEdit, kTextDeclareName);
    return;
  }
  // Unchanged texts make no step; the row shows them all the same.
  doc->Submit(std::move(edited), LoadWxString(kCaptionEdit));
  list->SetCellBytes(mark, 0, texts.type);
  list->SetCellBytes(mark, 1, texts.name);
  list->SetCellBytes(mark, 2, texts.description);
}
