#pragma once
// CDocManager: wx's document manager with the editor's rules. File New always makes a
// function document (the first template) named "Quillmap1", "Quillmap2", …; a file is
// opened by the template of its extension, and a file that matches none goes to the first
// template; the recent-file list holds four files.

#include <wx/docview.h>

class CDocManager : public wxDocManager {
 public:
  CDocManager();

  // Opens a file as File Open does once its dialog is answered. nullptr when it can't be opened
  // (the document has said why).
  wxDocument* OpenFile(const wxString& path);

  wxFileHistory* OnCreateFileHistory() override;
  wxDocTemplate* FindTemplateForPath(const wxString& path) override;
  wxDocTemplate* SelectDocumentType(wxDocTemplate** templates, int count, bool sort) override;
  wxDocTemplate* SelectDocumentPath(wxDocTemplate** templates, int count, wxString& path,
                                    long flags, bool save) override;
  wxString MakeNewDocumentName() override;
  void OnMRUFileNotExist(unsigned n, const wxString& filename) override;

 private:
  void OnUpdateFileSave(wxUpdateUIEvent& event);

  int untitled_count_ = 0;

  wxDECLARE_EVENT_TABLE();
};
