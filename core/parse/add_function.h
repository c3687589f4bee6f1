#pragma once
// Adding a function from a typed C prototype: what the editor's add command does to the
// document, shared by the editor and the command line.

#include <cstdint>
#include <ctime>
#include <string_view>

namespace quillmap {

class SpecStore;

enum class AddFunctionResult {
  kAdded,      // the function was appended as the store's last function
  kNameTaken,  // the store has a function of that name; nothing changed
  kEmptyText,  // the prototype text is empty; nothing changed
  kFailed,     // the store could not take another function; nothing changed
};

// Parses the prototype (Shift-JIS) and appends the function it names: the return type with the
// description "'T' type" and the heading "function 'N'" (both only when the prototype has a
// return type), the arguments with descriptions "'T' type", and one history entry of date and
// comment. The stored record has the default key order, exactly as the editor stores a function
// rebuilt from its form. On kAdded, *index (when given) is the new function's index.
AddFunctionResult AddFunctionFromPrototype(SpecStore& store, std::string_view prototype,
                                           std::time_t date, std::string_view comment,
                                           std::int32_t* index = nullptr);

}  // namespace quillmap
