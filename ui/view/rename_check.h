#pragma once
// The messages of a new name typed into a list item's label, shared by the function and
// structure lists: the name must be one Shift-JIS can hold; the rename operation (core/edit)
// then refuses an empty name or one that is taken.

#include <optional>
#include <string>

#include <wx/string.h>

#include "core/edit/document_edits.h"

class wxWindow;

struct RenameMessages {
  int caption_id;
  int empty_text_id;  // the name is empty
  int taken_text_id;  // a record of the list has the name, the renamed one included
};

// The typed name as Shift-JIS bytes, or nothing after a stop message owned by parent.
std::optional<std::string> EncodeNewName(wxWindow* parent, const wxString& label);
// True when the rename was done; otherwise shows the stop message of its refusal (none for a
// record that is gone).
bool RenameAccepted(wxWindow* parent, const RenameMessages& messages,
                    quillmap::edit::Status status);
