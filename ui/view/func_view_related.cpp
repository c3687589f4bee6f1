// The related functions of the shown function, chosen in the related dialog among the
// functions of the document.

#include <wx/choice.h>

#include "ui/dialogs/related_func_dlg.h"
#include "ui/doc/step_label.h"
#include "ui/res/ids.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

void CFuncView::BindRelatedCommands() {
  Form()->Bind(wxEVT_BUTTON, &CFuncView::OnAddRelatedFunction, this, ids::kAddRelated);
}

void CFuncView::OnAddRelatedFunction(wxCommandEvent&) {
  CRelatedFuncDlg dialog(Form());
  dialog.SetCandidateList(FunctionList());
  SjisChoice* related = RelatedCombo();
  for (unsigned int i = 0; i < related->GetCount(); ++i) {
    dialog.AddInitialChoice(related->EntryBytes(i));
  }
  if (dialog.ShowModal() != wxID_OK) return;
  related->Clear();
  for (int i = 0; i < dialog.GetResultCount(); ++i) related->AppendBytes(dialog.GetResult(i));
  if (related->GetCount() > 0) related->SetSelection(0);
  StoreFunction(FieldStepLabel("関連"));
}
