#pragma once
// The edit operations on a document, shared by the editor and the command line: adding (from a
// prototype or a whole record), copying under a numbered name, renaming, deleting and storing
// functions and structures, the operations on a function's arguments, related functions and
// history, and the document information. Each checks its rules, changes the store, and returns
// the step that undoes it; a refused operation changes nothing.
//
// Records are found by index; a name is checked by its bytes: empty, or only blanks, tabs and
// line breaks, is no name; a name that another record of the same list has is taken (for a
// rename the record's own name counts too, as the editor's label editing refuses it).

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "core/edit/edit_step.h"
#include "core/edit/function_fields.h"
#include "core/edit/struct_fields.h"
#include "core/model/spec_store.h"

namespace quillmap::edit {

enum class Status {
  kDone,       // the store changed; the result's step undoes it
  kUnchanged,  // the operation would change nothing: no step
  kNoName,     // the name is empty or only blanks
  kNameTaken,  // another record (or, renaming, the record itself) has the name
  kNotFound,   // no record at that index, or no argument at that row
  kFull,       // the list can take no more records
};

struct Result {
  Status status = Status::kNotFound;
  EditStep step;  // done on the store when status is kDone
  // The index of the record the operation touched (the new one for an addition or a copy).
  std::int32_t index = -1;
  bool done() const { return status == Status::kDone; }
};

// True when the name is empty or holds only blanks, tabs and line breaks.
bool IsBlankName(std::string_view name);

// ---- functions
// Appends record as the last function.
Result AddFunction(SpecStore& store, const FunctionSpec& record);
// Parses the prototype and appends the function the add command makes of it (BuildNewFunction),
// its history begun with date and comment. A text without a name gives kNoName.
Result AddFunctionFromPrototype(SpecStore& store, std::string_view prototype, std::time_t date,
                                std::string_view comment);
// Appends a copy of the function at index named "%s%d" with the smallest free number.
Result CopyFunction(SpecStore& store, std::int32_t index);
Result RenameFunction(SpecStore& store, std::int32_t index, std::string_view new_name);
Result DeleteFunction(SpecStore& store, std::int32_t index);
// Rebuilds the function at index from fields; kUnchanged (the record's bytes kept) when its
// fields are those already. The name must be the record's own (renaming is RenameFunction).
Result StoreFunction(SpecStore& store, std::int32_t index, const FunctionFields& fields);

// ---- arguments, related functions and history of the function at index
// Appends the argument row the add command makes (NewArgument of the row count).
Result AddArgument(SpecStore& store, std::int32_t index);
// Appends a copy of the argument at row, as the last row.
Result CopyArgument(SpecStore& store, std::int32_t index, std::size_t row);
Result DeleteArgument(SpecStore& store, std::int32_t index, std::size_t row);
// Sets the argument at row; the argument's name is required (kNoName), its type and
// description may be empty.
Result EditArgument(SpecStore& store, std::int32_t index, std::size_t row,
                    const ArgumentTexts& texts);
Result SetRelated(SpecStore& store, std::int32_t index, const std::vector<std::string>& links);
// Sets the history, newest date first (entries of the same day keep their given order).
Result SetHistory(SpecStore& store, std::int32_t index, const std::vector<HistoryEntry>& history);

// ---- structures
// Appends record as the last structure.
Result AddStruct(SpecStore& store, const StructSpec& record);
Result CopyStruct(SpecStore& store, std::int32_t index);
Result RenameStruct(SpecStore& store, std::int32_t index, std::string_view new_name);
Result DeleteStruct(SpecStore& store, std::int32_t index);
// Rebuilds the structure at index from fields (the definition dialog's OK). The name may stay
// or become one no other structure has.
Result StoreStruct(SpecStore& store, std::int32_t index, const StructFields& fields);

// ---- document information
// Sets the title and the copyright text (nodes are never created: a missing one stays missing).
Result SetDocInfo(SpecStore& store, std::string_view title, std::string_view copyright);

}  // namespace quillmap::edit
