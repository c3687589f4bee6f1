#pragma once
// The program's message boxes. Each has a caption and a text (usually from the string table), a
// kind (stop, question, exclamation) and buttons whose labels are Japanese on every machine,
// whatever locale the desktop runs under.

#include <string_view>

#include <wx/string.h>

#include "core/text/sjis.h"

class wxWindow;

// Shows a modal message box; style takes wxOK, wxYES_NO, wxCANCEL, wxNO_DEFAULT and an icon
// flag. Returns the button's id (wxID_OK, wxID_YES, wxID_NO, wxID_CANCEL).
int ShowMessageBox(wxWindow* parent, const wxString& text, const wxString& caption, long style);

// A refusal: stop icon and an OK button, caption and text from the string table.
void ShowStopBox(wxWindow* parent, int caption_id, int text_id);

// The confirmation before a list entry is deleted: string 40200 formatted with the entry's text
// (Shift-JIS bytes), question icon, Yes and No with No as the default. True for Yes.
bool ConfirmDelete(wxWindow* parent, int caption_id, std::string_view entry);

// Tells that a typed text holds a character Shift-JIS can't hold (stop box, the program's name as
// caption); the text stays where it was typed.
void ShowUnencodable(wxWindow* parent, const quillmap::text::EncodeResult& result);
