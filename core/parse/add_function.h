#pragma once
// Adding a function the way the editor's add command does, shared by the editor, the add command
// of the command line and the import of declarations from C code.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmap {

class FunctionSpec;
class SpecStore;

enum class AddFunctionResult {
  kAdded,      // the function was appended as the store's last function
  kNameTaken,  // the store has a function of that name; nothing changed
  kEmptyText,  // the prototype text is empty; nothing changed
  kNoName,     // the text names no function (only blanks or punctuation); nothing changed
  kFailed,     // the store could not take another function; nothing changed
};

// What a new function is made of: return type, name and the arguments as (type, name) pairs,
// all Shift-JIS. The names are taken as they are: an unnamed argument has been given its default
// name by whoever split the declaration.
struct FunctionParts {
  std::string return_type;
  std::string name;
  std::vector<std::pair<std::string, std::string>> arguments;
};

// Resets record to the function the add command makes of the parts: the return type with the
// description "'T' type" and the heading "function 'N'" (both only when there is a return
// type), the arguments with descriptions "'T' type", and one history entry of date and comment.
// The record has the default key order, exactly as the editor stores a function rebuilt from its
// form.
void BuildNewFunction(const FunctionParts& parts, std::time_t date, std::string_view comment,
                      FunctionSpec& record);

// Appends record as the store's last function unless a function of its name exists or it has
// no name (the editor's rules, core/edit). On kAdded, *index (when given) is the new function's
// index.
AddFunctionResult AppendNewFunction(SpecStore& store, const FunctionSpec& record,
                                    std::int32_t* index = nullptr);

// Parses the prototype (Shift-JIS) and appends the function it names, built by BuildNewFunction
// from the parser's split.
AddFunctionResult AddFunctionFromPrototype(SpecStore& store, std::string_view prototype,
                                           std::time_t date, std::string_view comment,
                                           std::int32_t* index = nullptr);

}  // namespace quillmap
