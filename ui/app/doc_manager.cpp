#include "ui/app/doc_manager.h"

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/filename.h>

#include "ui/app/recent_files.h"
#include "ui/doc/save_as.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/message_box.h"

wxBEGIN_EVENT_TABLE(CDocManager, wxDocManager)
    EVT_UPDATE_UI(wxID_SAVE, CDocManager::OnUpdateFileSave) wxEND_EVENT_TABLE()

        CDocManager::CDocManager()
    : wxDocManager(0, false) {
  // Initialised here, not by the base constructor, so that our recent-file list is the one made.
  Initialize();
}

wxDocument* CDocManager::OpenFile(const wxString& path) {
  // The document keeps the full path: a relative one would name another file once the working
  // folder changed.
  wxFileName absolute(path);
  absolute.MakeAbsolute();
  return CreateDocument(absolute.GetFullPath(), wxDOC_SILENT);
}

wxFileHistory* CDocManager::OnCreateFileHistory() {
  return new CRecentFiles;
}

wxDocTemplate* CDocManager::FindTemplateForPath(const wxString& path) {
  // The extension decides, without regard to case; anything else is the first template's, whose
  // document then refuses the file if it isn't one.
  const wxString ext = wxFileName(path).GetExt().Lower();
  wxDocTemplate* first = nullptr;
  for (wxList::compatibility_iterator node = GetTemplates().GetFirst(); node;
       node = node->GetNext()) {
    auto* temp = static_cast<wxDocTemplate*>(node->GetData());
    if (!temp->IsVisible()) continue;
    if (first == nullptr) first = temp;
    if (!ext.empty() && temp->GetDefaultExtension().Lower() == ext) return temp;
  }
  return first;
}

wxDocTemplate* CDocManager::SelectDocumentType(wxDocTemplate** templates, int count,
                                               bool /*sort*/) {
  // Only File New asks for a type: it is always the first template, never a choice.
  return count > 0 ? templates[0] : nullptr;
}

wxDocTemplate* CDocManager::SelectDocumentPath(wxDocTemplate** templates, int count, wxString& path,
                                               long /*flags*/, bool /*save*/) {
  // "dcm ﾌｧｲﾙ (*.dcm)|*.dcm|html ﾌｧｲﾙ (*.htm)|*.htm|すべてのﾌｧｲﾙ (*.*)|*"
  const wxString filter =
      TemplateFilters(std::vector<wxDocTemplate*>(templates, templates + count));
  wxFileDialog dialog(wxTheApp->GetTopWindow(), LoadWxString(ids::kStrOpenTitle),
                      GetLastDirectory(), wxString(), filter, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) {
    path.clear();
    return nullptr;
  }
  path = dialog.GetPath();
  SetLastDirectory(wxFileName(path).GetPath());
  return FindTemplateForPath(path);
}

wxString CDocManager::MakeNewDocumentName() {
  // The first template's document name with a running number, as the title of a new document.
  wxString name;
  if (wxList::compatibility_iterator node = GetTemplates().GetFirst()) {
    name = static_cast<wxDocTemplate*>(node->GetData())->GetDocumentName();
  }
  return wxString::Format(wxS("%s%d"), name, ++untitled_count_);
}

void CDocManager::OnMRUFileNotExist(unsigned n, const wxString& filename) {
  // The file has gone: say so and drop it from the list.
  RemoveFileFromHistory(n);
  ShowMessageBox(wxTheApp->GetTopWindow(), LoadWxString(ids::kStrCannotOpen, filename),
                 wxTheApp->GetAppDisplayName(), wxOK | wxICON_EXCLAMATION);
}

void CDocManager::OnUpdateFileSave(wxUpdateUIEvent& event) {
  // Any document may be saved at any time; documents that can't be saved disable it themselves.
  event.Enable(GetCurrentDocument() != nullptr);
}
