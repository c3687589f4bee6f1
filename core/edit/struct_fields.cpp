#include "core/edit/struct_fields.h"

namespace quillmap {

bool StructFields::operator==(const StructFields& other) const {
  return name == other.name && heading == other.heading && explanation == other.explanation &&
         members == other.members && links == other.links;
}

ArgumentTexts NewMember() {
  return ArgumentTexts{"type", "value", "comment"};
}

StructFields ReadStructFields(const StructSpec& record) {
  StructFields fields;
  fields.name = record.GetRecordName();
  fields.heading = record.GetIndex();
  fields.explanation = record.GetExplanation();
  const std::uint32_t members = record.GetMemberCount();
  fields.members.reserve(members);
  for (std::uint32_t i = 0; i < members; ++i) {
    ArgumentTexts member;
    // A member node without children yields nothing; its row stays empty rather than lost.
    record.GetMember(i, member.type, member.name, member.description);
    fields.members.push_back(std::move(member));
  }
  const std::uint32_t links = record.GetLinkCount();
  fields.links.reserve(links);
  for (std::uint32_t i = 0; i < links; ++i) fields.links.push_back(record.GetLink(i));
  return fields;
}

void RebuildStruct(StructSpec& record, const StructFields& fields) {
  // InitDefaults clears the tree first: note, history, old members and links are gone.
  record.InitDefaults();
  record.SetRecordName(fields.name);
  record.SetIndex(fields.heading);
  record.SetExplanation(fields.explanation);
  for (const ArgumentTexts& member : fields.members) {
    record.AddMember(member.type, member.name, member.description);
  }
  for (const std::string& link : fields.links) record.AddLink(link);
}

}  // namespace quillmap
