#pragma once
// Fast read-only access to a record for the writers: the top-level keys found in one walk, and
// the lists (arguments, members, related items) read in one walk each. The values are those
// that the record's accessors give (GetRecordName, GetArgument, GetLink, ...), without a path
// lookup per value or a walk from the list's start per entry, so a long list costs linear time.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/property_tree.h"

namespace quillmap {

// An argument of a function or a member of a structure.
struct ListEntry {
  std::string type;
  std::string name;
  std::string description;
};

class RecordKeys {
 public:
  // Finds, for every key of function and structure records, the first top-level node of that
  // name, as FindTop does.
  explicit RecordKeys(const PropertyTree& record);

  // The key's node; null when the record has no such key.
  const PropertyNode* Node(std::string_view key) const;
  // The name of the key's child at position (0: the value); empty when missing.
  std::string Value(std::string_view key, std::size_t position = 0) const;
  // The function attribute code (0 "public" ... 4 "inline"); 0 for any other word.
  int Attribute() const;

  // The entries under a list key ("argvlist" or "memberlist"); missing values are empty.
  // entries is reused storage: its strings keep their capacity from call to call.
  void ReadEntries(std::string_view list_key, std::vector<ListEntry>& entries) const;
  // The names of the children of a list key ("link"), into reused storage.
  void ReadNames(std::string_view list_key, std::vector<std::string>& names) const;

 private:
  static constexpr std::size_t kKeyCount = 9;
  const PropertyTree& record_;
  std::array<const PropertyNode*, kKeyCount> nodes_{};
};

}  // namespace quillmap
