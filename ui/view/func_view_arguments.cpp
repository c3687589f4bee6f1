// Commands of the argument list: add a row, delete or copy the row at the list's selection
// mark, and edit that row in the argument dialog. Each change is stored at once.

#include <string>

#include <wx/button.h>
#include <wx/listctrl.h>

#include "core/edit/new_records.h"
#include "ui/dialogs/arg_dlg.h"
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
  const quillmap::ArgumentTexts row =
      quillmap::NewArgument(static_cast<std::size_t>(ArgumentList()->GetItemCount()));
  AddArgumentRow(row.type, row.name, row.description);
  StoreFunction();
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
  if (ConfirmDelete(Form(), kCaptionDelete, list->GetCellBytes(mark, 0))) list->DeleteRow(mark);
  StoreFunction();
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
  AddArgumentRow(list->GetCellBytes(mark, 0), list->GetCellBytes(mark, 1),
                 list->GetCellBytes(mark, 2));
  StoreFunction();
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
  if (texts.name.empty()) {
    ShowStopBox(Form(), kCaptionEdit, kTextDeclareName);
    return;
  }
  list->SetCellBytes(mark, 0, texts.type);
  list->SetCellBytes(mark, 1, texts.name);
  list->SetCellBytes(mark, 2, texts.description);
  StoreFunction();
}
