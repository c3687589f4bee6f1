#pragma once
// The fields of a structure as its definition dialog edits them: name, heading, explanation, the
// members (type, variable name, description) in order and the related entries. Read from a
// record to fill the dialog, and written back by rebuilding the record as a whole, so a rebuilt
// structure holds exactly these fields (an empty note and no history).

#include <string>
#include <vector>

#include "core/edit/new_records.h"
#include "core/model/struct_spec.h"

namespace quillmap {

struct StructFields {
  std::string name;
  std::string heading;
  std::string explanation;
  std::vector<ArgumentTexts> members;
  std::vector<std::string> links;

  bool operator==(const StructFields& other) const;
};

// The member row that the add command appends: "type", "value" and "comment".
ArgumentTexts NewMember();

StructFields ReadStructFields(const StructSpec& record);
// Resets record to a new structure's defaults, then sets the fields, members and links in
// their order.
void RebuildStruct(StructSpec& record, const StructFields& fields);

}  // namespace quillmap
