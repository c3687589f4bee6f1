#pragma once
// The description of one function as a C comment block, ready to be pasted above the
// function's definition. All texts are Shift-JIS; column widths count bytes.

#include <string>
#include <string_view>

#include "core/output/profile.h"

namespace quillmap {

class FunctionSpec;

// Replaces out with the comment block of the record; flags choose the sections (clip_flag).
// Always true.
bool ClipboardSpecText(std::string& out, const FunctionSpec& record, ClipboardSpecSettings flags);

// Puts prefix at the start of text and after every line feed, the last one included. A carriage
// return before a line feed stays where it is.
void PrefixLines(std::string& text, std::string_view prefix);

}  // namespace quillmap
