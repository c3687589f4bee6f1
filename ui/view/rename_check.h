#pragma once
// The check of a new name typed into a list item's label, shared by the function and structure
// lists: the name must be one Shift-JIS can hold, not empty and not taken.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <wx/string.h>

class wxWindow;

struct RenameMessages {
  int caption_id;
  int empty_text_id;  // the name is empty
  int taken_text_id;  // a record of the list has the name, the renamed one included
};

// The typed name as Shift-JIS bytes, or nothing after a stop message owned by parent.
std::optional<std::string> CheckNewName(wxWindow* parent, const wxString& label,
                                        const RenameMessages& messages,
                                        const std::function<bool(std::string_view)>& taken);
