#pragma once
// Why a file could not be opened or written, in words the program's Japanese messages can show.

#include <string_view>

namespace quillmap {

// A short Japanese sentence (UTF-8) for the common reasons a file operation fails (no such
// file, access denied, a folder, no space left...), to follow the message that names the file.
// Empty for any other error number: the message then says only what failed, never the system's
// own (English) text.
std::string_view FileErrorPhrase(int error_number);

}  // namespace quillmap
