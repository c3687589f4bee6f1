#include "core/output/record_lists.h"

#include "core/model/spec_record.h"

namespace quillmap {
namespace {

constexpr std::array<std::string_view, 10> kKeys = {
    key::kName,     key::kIndex,    key::kExplanation, key::kNote,       key::kLink,
    key::kFuncAttr, key::kArgvList, key::kReturn,      key::kMemberList, key::kHistory,
};

std::size_t KeySlot(std::string_view key) {
  for (std::size_t slot = 0; slot < kKeys.size(); ++slot) {
    if (kKeys[slot] == key) return slot;
  }
  return kKeys.size();
}

}  // namespace

RecordKeys::RecordKeys(const FlatTree& record) : tree_(&record) {
  FindKeys();
}

RecordKeys::RecordKeys(const PropertyTree& record) : tree_(&own_) {
  own_.Assign(record);
  FindKeys();
}

void RecordKeys::FindKeys() {
  static_assert(kKeys.size() == kKeyCount);
  nodes_.fill(FlatTree::kNone);
  for (std::uint32_t node = tree_->FirstChild(FlatTree::kRoot); node != FlatTree::kNone;
       node = tree_->NextSibling(node)) {
    // A path lookup stops at a node without name: keys after it are not found.
    if (!tree_->HasName(node)) break;
    const std::size_t slot = KeySlot(tree_->Name(node));
    if (slot < kKeyCount && nodes_[slot] == FlatTree::kNone) nodes_[slot] = node;
  }
}

std::uint32_t RecordKeys::Node(std::string_view key) const {
  const std::size_t slot = KeySlot(key);
  return slot < kKeyCount ? nodes_[slot] : FlatTree::kNone;
}

std::string_view RecordKeys::Value(std::string_view key, std::size_t position) const {
  std::uint32_t child = tree_->FirstChild(Node(key));
  for (std::size_t i = 0; child != FlatTree::kNone && i < position; ++i) {
    child = tree_->NextSibling(child);
  }
  return NameOf(child);
}

int RecordKeys::Attribute() const {
  return FuncAttributeCode(Value(key::kFuncAttr));
}

void RecordKeys::ReadEntries(std::string_view list_key, std::vector<ListEntry>& entries) const {
  entries.clear();
  for (std::uint32_t item = tree_->FirstChild(Node(list_key)); item != FlatTree::kNone;
       item = tree_->NextSibling(item)) {
    const std::uint32_t type = tree_->FirstChild(item);
    const std::uint32_t name = tree_->NextSibling(type);
    entries.push_back({NameOf(type), NameOf(name), NameOf(tree_->NextSibling(name))});
  }
}

void RecordKeys::ReadNames(std::string_view list_key, std::vector<std::string_view>& names) const {
  names.clear();
  for (std::uint32_t item = tree_->FirstChild(Node(list_key)); item != FlatTree::kNone;
       item = tree_->NextSibling(item)) {
    names.push_back(NameOf(item));
  }
}

}  // namespace quillmap
