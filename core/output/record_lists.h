#pragma once
// Fast read-only access to a record for the writers: the top-level keys found in one walk, the
// lists (arguments, members, related items) read in one walk each, and values handed out as
// views of the names stored in the record instead of copies. The values are those that the
// record's accessors give (GetRecordName, GetArgument, GetLink, ...). A long list costs linear
// time. Views stay valid while the record (a FlatTree and what it views, or a PropertyTree) is
// alive and unchanged.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/model/flat_tree.h"
#include "core/model/property_tree.h"

namespace quillmap {

// An argument of a function or a member of a structure.
struct ListEntry {
  std::string_view type;
  std::string_view name;
  std::string_view description;
};

class RecordKeys {
 public:
  // Finds, for every key of function and structure records, the first top-level node of that
  // name, as FindTop does.
  explicit RecordKeys(const FlatTree& record);
  explicit RecordKeys(const PropertyTree& record);
  RecordKeys(const RecordKeys&) = delete;
  RecordKeys& operator=(const RecordKeys&) = delete;

  // The key's node; FlatTree::kNone when the record has no such key.
  std::uint32_t Node(std::string_view key) const;
  // The name of the key's child at position (0: the value); empty when missing.
  std::string_view Value(std::string_view key, std::size_t position = 0) const;
  // The function attribute code (0 "public" ... 4 "inline"); 0 for any other word.
  int Attribute() const;

  // The entries under a list key ("argvlist" or "memberlist"); missing values are empty.
  void ReadEntries(std::string_view list_key, std::vector<ListEntry>& entries) const;
  // The names of the children of a list key ("link").
  void ReadNames(std::string_view list_key, std::vector<std::string_view>& names) const;

  // The name of a node of the record; empty for kNone or a node without name.
  std::string_view NameOf(std::uint32_t node) const { return tree_->Name(node); }

 private:
  void FindKeys();

  static constexpr std::size_t kKeyCount = 10;
  FlatTree own_;  // the shape of a PropertyTree given to the constructor
  const FlatTree* tree_;
  std::array<std::uint32_t, kKeyCount> nodes_;
};

}  // namespace quillmap
