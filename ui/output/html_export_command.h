#pragma once
// The HTML export of a function document: asks for the page's file, then for the attribute
// filter, then writes the page. Cancel in either dialog writes nothing; an existing file is
// replaced only after both dialogs said OK, and only whole: a failed write leaves it as it was
// and is reported in a message box naming the page.

#include <optional>
#include <vector>

#include <wx/string.h>

#include "core/output/html_export_file.h"

namespace quillmap {
class SpecStore;
}

// The save-file dialog of the export: title string 32774, the htm/html/all-files filter,
// initial name "*.htm", overwrite prompt, starting in folder (empty: the current folder). A
// name typed without an extension gets that of the chosen filter (".htm" for all files), with
// its own overwrite question when the completed name exists. Empty when the user cancelled.
std::optional<wxString> AskExportPath(const wxString& folder);

// Runs the whole command for a document whose file is document_path (empty while untitled).
// An export onto that file, or onto the file of another open function document (other_documents),
// is refused with a message: the page would replace a document the user is editing. The path
// of the page written, or nothing when none was.
std::optional<wxString> RunHtmlExport(const quillmap::SpecStore& store,
                                      const wxString& document_path,
                                      const std::vector<wxString>& other_documents = {});

// Writes the page; a failure is reported in a message box naming path. True when written.
bool WriteHtmlPage(const quillmap::SpecStore& store, const quillmap::AttributeFlags& flags,
                   const wxString& path);
