#pragma once
// File dialogs of documents: the filter list that the Open and Save As dialogs share, and Save
// As itself, with the program's own title and filters (wx's own Save As has an English title and
// shows each filter's pattern twice).

#include <memory>
#include <vector>

#include <wx/string.h>

class wxDocTemplate;
class wxDocument;
class wxFileDialog;
class wxWindow;

// "description|pattern" of each visible template, in order, then the all-files filter:
// "dcm ﾌｧｲﾙ (*.dcm)|*.dcm|...|すべてのﾌｧｲﾙ (*.*)|*".
wxString TemplateFilters(const std::vector<wxDocTemplate*>& templates);

// The templates a document can be saved as: its own, then any other visible template that makes
// the same document and view classes (wx's rule for Save As).
std::vector<wxDocTemplate*> SaveAsTemplates(const wxDocument& doc);

// The Save As dialog of a document: title "名前を付けて保存", the filters of SaveAsTemplates then
// all files; opens in the document's folder with its file name (a new document: its title and
// the template's extension).
std::unique_ptr<wxFileDialog> MakeSaveAsDialog(wxWindow* parent, const wxDocument& doc);

// Save As: asks for a name (a name without extension gets the template's; an existing file is
// replaced only after the user agreed), saves the document there and names it after the file.
// False when the user cancelled or the save failed.
bool SaveDocumentAs(wxDocument* doc);
