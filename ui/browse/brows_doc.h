#pragma once
// CBrowsDoc: the document of an HTML window. It holds nothing but the path it was opened with:
// opening reads none of the file's bytes, and the document is never modified or saved (saving
// it would overwrite the page with nothing).

#include <wx/docview.h>

class CBrowsDoc : public wxDocument {
 public:
  CBrowsDoc() = default;

  bool IsModified() const override { return false; }

 protected:
  // Only checks that the file can be read; the browser control reads it itself.
  bool DoOpenDocument(const wxString& file) override;
  bool DoSaveDocument(const wxString& file) override;

 private:
  void OnUpdateDisable(wxUpdateUIEvent& event);

  wxDECLARE_DYNAMIC_CLASS(CBrowsDoc);
  wxDECLARE_EVENT_TABLE();
};
