// The update-history command of the form: button 1024 opens the history of the shown function
// in CHistoryListDlg; after OK the history combo is rebuilt from the dialog and the function is
// stored.

#include <ctime>
#include <string>

#include <wx/button.h>
#include <wx/scrolwin.h>

#include "ui/dialogs/history_list_dlg.h"
#include "ui/doc/step_label.h"
#include "ui/res/ids.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

void CFuncView::BindHistoryCommands() {
  form_->Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnUpdateHistory(); }, ids::kUpdateHistory);
}

void CFuncView::OnUpdateHistory() {
  // The button is enabled only while a function is shown; without one there is no history.
  if (NameEdit()->GetValue().empty()) return;
  SjisChoice* history = HistoryCombo();
  CHistoryListDlg dialog(form_);
  std::time_t date = 0;
  std::string comment;
  for (unsigned int i = 0; i < history->GetCount(); ++i) {
    if (GetHistoryItem(static_cast<int>(i), date, comment)) dialog.AddEntry(date, comment);
  }
  if (dialog.ShowModal() != wxID_OK) return;

  history->Clear();
  for (int i = 0; i < dialog.GetEntryCount(); ++i) {
    if (dialog.GetEntry(i, date, comment)) AddHistoryItem(date, comment);
  }
  if (history->GetCount() > 0) history->SetSelection(0);
  StoreFunction(FieldStepLabel("更新履歴"));
}
