#pragma once
// The program's string table: every text the editor shows, keyed by its resource id. Texts are
// kept as UTF-8 in the source and handed out as Shift-JIS bytes (what files and records hold) or
// as wxString (what controls show).

#include <string>

#include <wx/string.h>

// Shift-JIS bytes of string id; empty when the table has no such id.
std::string LoadStringSjis(int id);
// The same text for display.
wxString LoadWxString(int id);
// True when the table has the id.
bool HasString(int id);
