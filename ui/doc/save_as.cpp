#include "ui/doc/save_as.h"

#include <wx/docview.h>
#include <wx/filedlg.h>
#include <wx/filename.h>

#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/message_box.h"

wxString TemplateFilters(const std::vector<wxDocTemplate*>& templates) {
  wxString filter;
  for (const wxDocTemplate* temp : templates) {
    if (!temp->IsVisible()) continue;
    filter << temp->GetDescription() << wxS('|') << temp->GetFileFilter() << wxS('|');
  }
  return filter << LoadWxString(ids::kStrAllFilesFilter) << wxS("|*");
}

std::vector<wxDocTemplate*> SaveAsTemplates(const wxDocument& doc) {
  wxDocTemplate* own = doc.GetDocumentTemplate();
  if (own == nullptr) return {};
  std::vector<wxDocTemplate*> templates = {own};
  for (wxDocTemplate* temp : own->GetDocumentManager()->GetTemplatesVector()) {
    if (temp != own && temp->IsVisible() && temp->GetDocClassInfo() == own->GetDocClassInfo() &&
        temp->GetViewClassInfo() == own->GetViewClassInfo()) {
      templates.push_back(temp);
    }
  }
  return templates;
}

std::unique_ptr<wxFileDialog> MakeSaveAsDialog(wxWindow* parent, const wxDocument& doc) {
  const wxDocTemplate* temp = doc.GetDocumentTemplate();
  // A new document's file name is only its title until it was saved once.
  const wxFileName current(doc.GetDocumentSaved() ? doc.GetFilename() : wxString());
  wxString folder = temp != nullptr ? temp->GetDirectory() : wxString();
  if (folder.empty()) folder = current.GetPath();
  if (folder.empty() && doc.GetDocumentManager() != nullptr) {
    folder = doc.GetDocumentManager()->GetLastDirectory();
  }
  wxString name = current.GetFullName();
  if (name.empty()) {
    name = doc.GetUserReadableName();
    if (temp != nullptr && !temp->GetDefaultExtension().empty()) {
      name << wxS('.') << temp->GetDefaultExtension();
    }
  }
  return std::make_unique<wxFileDialog>(parent, LoadWxString(ids::kStrSaveAsTitle), folder, name,
                                        TemplateFilters(SaveAsTemplates(doc)), wxFD_SAVE);
}

namespace {

// The path the user chose, with the document template's extension when the name has none.
wxString ChosenPath(const wxFileDialog& dialog, const wxDocTemplate* temp) {
  wxFileName path(dialog.GetPath());
  if (!path.HasExt() && temp != nullptr && !temp->GetDefaultExtension().empty()) {
    path.SetExt(temp->GetDefaultExtension());
  }
  return path.GetFullPath();
}

// True when the path is free, or names a file the user agreed to replace.
bool MayWrite(wxWindow* parent, const wxString& path) {
  // Anything at that name counts, a link that leads nowhere included.
  if (!wxFileName::Exists(path, wxFILE_EXISTS_ANY | wxFILE_EXISTS_NO_FOLLOW)) return true;
  return ShowMessageBox(parent, LoadWxString(ids::kStrAskReplace, path),
                        LoadWxString(ids::kStrSaveAsTitle),
                        wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION) == wxID_YES;
}

}  // namespace

bool SaveDocumentAs(wxDocument* doc) {
  wxDocTemplate* temp = doc->GetDocumentTemplate();
  if (temp == nullptr) return false;
  wxWindow* parent = doc->GetDocumentWindow();
  const std::unique_ptr<wxFileDialog> dialog = MakeSaveAsDialog(parent, *doc);
  wxString path;
  // A refusal to replace a file brings the dialog back, as it was left.
  while (path.empty()) {
    if (dialog->ShowModal() != wxID_OK || dialog->GetPath().empty()) return false;
    path = ChosenPath(*dialog, temp);
    if (!MayWrite(parent, path)) path.clear();
  }
  if (!doc->OnSaveDocument(path)) return false;

  // What wx's own Save As does once the file is written: the new title, and the views told of
  // the new name (their frames' tabs show it at once).
  doc->SetTitle(wxFileNameFromPath(path));
  doc->SetFilename(path, true);
  if (wxDocManager* manager = doc->GetDocumentManager()) {
    manager->SetLastDirectory(wxFileName(path).GetPath());
    if (temp->FileMatchesTemplate(path)) manager->AddFileToHistory(path);
  }
  return true;
}
