#pragma once
// The fields of a function as the form edits them: name, heading, attribute, the arguments
// (type, name, description) in order, return type and its description, explanation, note,
// related functions and the update history. Read from a record to compare or change it, and
// written back by rebuilding the record as a whole in the default key order.

#include <string>
#include <vector>

#include "core/edit/new_records.h"
#include "core/model/history.h"
#include "core/model/spec_record.h"

namespace quillmap {

struct FunctionFields {
  std::string name;
  std::string heading;
  int attribute = kAttrPublic;
  std::vector<ArgumentTexts> arguments;
  std::string return_type;
  std::string return_text;
  std::string explanation;
  std::string note;
  std::vector<std::string> links;
  std::vector<HistoryEntry> history;
};

// The history's dates compare as the record keeps them: only the day counts.
bool operator==(const FunctionFields& a, const FunctionFields& b);

FunctionFields ReadFunctionFields(const FunctionSpec& record);
// Resets record to a new function's defaults, then sets every field in the form's order.
void RebuildFunction(FunctionSpec& record, const FunctionFields& fields);

}  // namespace quillmap
