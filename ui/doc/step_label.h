#pragma once
// Names of edit steps, as the Edit menu's undo and redo prompts show them.

#include <string_view>

#include <wx/string.h>

// The text of the command's Edit menu item without its mnemonic and key ("関数の削除(&R)" gives
// "関数の削除"); for a command without an item, the last line of its string ("構造体名の編集").
wxString StepLabel(int command);
// A change of one field of the form: "見出しの変更" for the label "見出し" (UTF-8).
wxString FieldStepLabel(std::string_view label);
