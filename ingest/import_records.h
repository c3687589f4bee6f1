#pragma once
// Adds the declarations read from C files to a document: a function record for each function
// the document doesn't have, made as the editor's add command makes one, and a structure record
// for each structure it doesn't have. Records already in the document are never changed.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "ingest/code_model.h"

namespace quillmap {
class SpecStore;
}

namespace quillmap::ingest {

struct ImportSummary {
  std::uint32_t functions_added = 0;
  std::uint32_t structs_added = 0;
  std::uint32_t functions_present = 0;  // already in the document (or named twice)
  std::uint32_t structs_present = 0;
  // One per record added: "function 'int f(int a)'", "structure 'point' (2 members)".
  std::vector<Finding> added;
  // One per record left out because Shift-JIS can't hold one of its characters.
  std::vector<Finding> skipped;
};

// Adds the records of the files to the store, in file order, each function dated date with the
// history comment (Shift-JIS) the add command gives. The store is changed only by appending.
// The files' texts are UTF-8; a file written in Shift-JIS (text that is not UTF-8 but valid
// Shift-JIS) is taken as it is.
ImportSummary ImportDeclarations(SpecStore& store, const std::vector<CodeFile>& files,
                                 std::time_t date, const std::string& history_comment);

}  // namespace quillmap::ingest
