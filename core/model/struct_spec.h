#pragma once
// StructSpec: a SpecRecord with a "memberlist" of members (type, variable name, description).

#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/spec_record.h"

namespace quillmap {

class StructSpec : public SpecRecord {
 public:
  StructSpec();
  explicit StructSpec(EmptyRecordTag) {}
  ~StructSpec() override;

  void InitDefaults() override;

  bool AddMember(std::string_view type, std::string_view name, std::string_view description);
  bool GetMember(std::uint32_t index, std::string& type, std::string& name,
                 std::string& description) const;
  std::uint32_t GetMemberCount() const;
};

}  // namespace quillmap
