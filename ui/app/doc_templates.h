#pragma once
// The two document templates of the editor, registered in this order: function documents
// (resource 129: CFuncDoc, CChildFrame, CFuncView, ".dcm") and HTML documents (resource 130:
// CBrowsDoc, CChildFrame, CBrowsView, ".htm"). Each takes its names, filter and extension from
// its document string in the string table.

#include <wx/string.h>

class wxDocManager;

// The seven "\n"-separated fields of a document string.
struct DocString {
  wxString window_title;
  wxString doc_name;
  wxString new_file_name;
  wxString filter_name;
  wxString filter_ext;
  wxString file_type_id;
  wxString file_type_name;
};

DocString LoadDocString(int resource_id);

// Adds both templates to the manager, which owns them from then on.
void RegisterDocTemplates(wxDocManager* manager);
