#include "ui/browse/brows_doc.h"

#include <wx/app.h>
#include <wx/file.h>

#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/message_box.h"

wxIMPLEMENT_DYNAMIC_CLASS(CBrowsDoc, wxDocument);

wxBEGIN_EVENT_TABLE(CBrowsDoc, wxDocument) EVT_UPDATE_UI(wxID_SAVE, CBrowsDoc::OnUpdateDisable)
    EVT_UPDATE_UI(wxID_SAVEAS, CBrowsDoc::OnUpdateDisable) wxEND_EVENT_TABLE()

        bool CBrowsDoc::DoOpenDocument(const wxString& file) {
  if (wxFile::Access(file, wxFile::read)) return true;
  ShowMessageBox(wxTheApp->GetTopWindow(), LoadWxString(ids::kStrCannotOpen, file),
                 wxTheApp->GetAppDisplayName(), wxOK | wxICON_EXCLAMATION);
  return false;
}

bool CBrowsDoc::DoSaveDocument(const wxString& /*file*/) {
  // Save and Save As are disabled for this document; should one arrive anyway, write nothing.
  return false;
}

void CBrowsDoc::OnUpdateDisable(wxUpdateUIEvent& event) {
  event.Enable(false);
}
