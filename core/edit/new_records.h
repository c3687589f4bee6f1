#pragma once
// Texts the editor gives new functions and arguments before the user edits them: a function
// added from a prototype, an argument row added with the add command. All Shift-JIS bytes (the
// fixed parts are ASCII).

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmap {

// Description of a value of a type: "'" + type + "' type" (‹int› gives ‹'int' type›).
std::string TypeDescription(std::string_view type);
// Heading of a function added with a return type: "function '" + name + "'".
std::string FunctionHeading(std::string_view name);

struct ArgumentTexts {
  std::string type;
  std::string name;
  std::string description;

  bool operator==(const ArgumentTexts&) const = default;
};

// The row the add command appends to an argument list of row_count rows: type "argv%d" of the
// row count (a count, not a running number: after a deletion a type may repeat), name "value "
// (with its trailing blank) and description "comment".
ArgumentTexts NewArgument(std::size_t row_count);

}  // namespace quillmap
