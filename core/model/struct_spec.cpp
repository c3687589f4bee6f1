// StructSpec: a SpecRecord with a "memberlist" of (type, variable name, description) members.
#include "core/model/struct_spec.h"

namespace quillmap {

StructSpec::StructSpec() {
  StructSpec::InitDefaults();
}

StructSpec::~StructSpec() {
  Clear();
}

void StructSpec::InitDefaults() {
  SpecRecord::InitDefaults();
  if (FindTop(key::kMemberList) == nullptr) AddChild(nullptr, key::kMemberList);
}

bool StructSpec::AddMember(std::string_view type, std::string_view name,
                           std::string_view description) {
  return AddTriple(key::kMemberList, key::kMember, type, name, description);
}

bool StructSpec::GetMember(std::uint32_t index, std::string& type, std::string& name,
                           std::string& description) const {
  return GetTriple(key::kMemberList, index, type, name, description);
}

std::uint32_t StructSpec::GetMemberCount() const {
  return TopChildCount(key::kMemberList);
}

}  // namespace quillmap
