#pragma once
// The clipboard commands of a function document: the comment block of one function on the
// clipboard, and the dialog that chooses the block's sections.

#include <cstdint>

namespace quillmap {
class SpecStore;
}
class wxWindow;

// The clipboard format that carries the block's exact Shift-JIS bytes, zero-terminated.
inline constexpr char kShiftJisTextFormat[] = "text/plain;charset=Shift_JIS";

// Puts the comment block of the function at index on the clipboard, with the sections that the
// profile names at this moment: as text (UTF-8, what other programs paste) and as its exact
// zero-terminated Shift-JIS bytes. When index names no function (none was shown yet, or it was
// deleted since) or the clipboard is busy, nothing is copied and the clipboard keeps what it
// held. True when the block was placed.
bool CopySpecToClipboard(const quillmap::SpecStore& store, std::int32_t index);

// Runs the settings dialog on the profile's flag word. OK stores the word of the checked boxes;
// Cancel stores the word as it was loaded (so a missing entry is written as -1).
void EditClipboardSpecSettings(wxWindow* parent);
