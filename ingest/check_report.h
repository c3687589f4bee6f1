#pragma once
// Compares a document with the declarations read from C files: functions and structures that
// only one side has, and functions or structures whose types, arguments or members differ.

#include <string>
#include <vector>

#include "ingest/code_model.h"

namespace quillmap {
class SpecStore;
}

namespace quillmap::ingest {

// The differences, one finding each: those found in the files first, file by file in line
// order, then those of records that only the document has (at document_path, line 0), in
// document order. Types are compared with blanks and pointer spacing made uniform, and a
// name's array or bit-field suffix counts as part of the type. Empty when the two agree.
std::vector<Finding> CheckDocument(const SpecStore& store, const std::string& document_path,
                                   const std::vector<CodeFile>& files);

}  // namespace quillmap::ingest
