#pragma once
// Joins pieces of text into one string.
//
// Messages are built from literals and texts; with `"literal" + std::string(...)` GCC 12 at -O3
// inlines string::insert and reports a false overlap (-Wrestrict) on the copy. Appending every
// piece to one string, reserved once, gives the same text without that path.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quillmap::text {

inline std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (std::string_view piece : pieces) text.append(piece);
  return text;
}

}  // namespace quillmap::text
