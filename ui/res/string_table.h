#pragma once
// The program's string table: every text the editor shows, keyed by its resource id. Texts are
// kept as UTF-8 in the source and handed out as Shift-JIS bytes (what files and records hold) or
// as wxString (what controls show).

#include <string>
#include <string_view>

#include <wx/string.h>

// Shift-JIS bytes of string id; empty when the table has no such id.
std::string LoadStringSjis(int id);
// The same text for display.
wxString LoadWxString(int id);
// The text of string id with every "%1" in it replaced by argument (a file name, a printer).
wxString LoadWxString(int id, const wxString& argument);
// A command's status-bar prompt: the first line of its string.
wxString LoadPrompt(int id);
// A command's tool tip: the text after the first line feed; empty when there is none.
wxString LoadToolTip(int id);
// A text of the program's own resources (UTF-8 in the source, e.g. a menu text) as it is shown:
// through its Shift-JIS bytes, like every other text on the screen.
wxString ResourceText(std::string_view utf8);
// True when the table has the id.
bool HasString(int id);
