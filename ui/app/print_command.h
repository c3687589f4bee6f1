#pragma once
// Printing without a dialog, for the print switches of the command line: the document's pages
// (the view's printout) go to the default printer or to a named one.

#include <wx/string.h>

class wxView;

// The printer a job without a dialog can go to: `wanted` when the desktop has a printer of that
// name; with an empty `wanted` its default printer, else its first one. Empty when there is none
// (a printer that only writes files needs a dialog, so it does not count), or when the desktop's
// printer list does not come within `timeout_ms` (a print service that doesn't answer).
wxString FindPrinter(const wxString& wanted, int timeout_ms);

// Prints every page of the view's printout on the named printer (empty: the default one) without
// a dialog. False, after a message, when no such printer can be reached or printing fails.
bool PrintViewDirect(wxView* view, const wxString& printer_name, int timeout_ms = 10000);
