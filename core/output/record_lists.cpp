#include "core/output/record_lists.h"

#include "core/model/spec_record.h"

namespace quillmap {
namespace {

constexpr std::array<std::string_view, 9> kKeys = {
    key::kName,     key::kIndex,    key::kExplanation, key::kNote,       key::kLink,
    key::kFuncAttr, key::kArgvList, key::kReturn,      key::kMemberList,
};

std::size_t KeySlot(std::string_view key) {
  for (std::size_t slot = 0; slot < kKeys.size(); ++slot) {
    if (kKeys[slot] == key) return slot;
  }
  return kKeys.size();
}

const PropertyNode* FirstChildOf(const PropertyNode* node) {
  return NodeTree::IsValid(node) ? node->first_child : nullptr;
}

const PropertyNode* NextOf(const PropertyNode* node) {
  return NodeTree::IsValid(node) ? node->next_sibling : nullptr;
}

}  // namespace

std::string_view RecordKeys::NameOf(const PropertyNode* node) {
  // Every payload of a PropertyTree is a PropertyEntry.
  if (!NodeTree::IsValid(node) || node->payload == nullptr) return {};
  return static_cast<const PropertyEntry*>(node->payload)->name;
}

RecordKeys::RecordKeys(const PropertyTree& record) {
  static_assert(kKeys.size() == kKeyCount);
  for (const PropertyNode* node = FirstChildOf(record.Root()); node != nullptr;
       node = NextOf(node)) {
    // A path lookup stops at a node without name: keys after it are not found.
    if (!NodeTree::IsValid(node) || node->payload == nullptr) break;
    const std::size_t slot = KeySlot(NameOf(node));
    if (slot < kKeyCount && nodes_[slot] == nullptr) nodes_[slot] = node;
  }
}

const PropertyNode* RecordKeys::Node(std::string_view key) const {
  const std::size_t slot = KeySlot(key);
  return slot < kKeyCount ? nodes_[slot] : nullptr;
}

std::string_view RecordKeys::Value(std::string_view key, std::size_t position) const {
  const PropertyNode* child = FirstChildOf(Node(key));
  for (std::size_t i = 0; child != nullptr && i < position; ++i) child = NextOf(child);
  return NameOf(child);
}

int RecordKeys::Attribute() const {
  const std::string_view word = Value(key::kFuncAttr);
  for (int code = 0; code < kFuncAttributeCount; ++code) {
    if (word == FuncAttributeWord(code)) return code;
  }
  return kAttrPublic;
}

void RecordKeys::ReadEntries(std::string_view list_key, std::vector<ListEntry>& entries) const {
  entries.clear();
  for (const PropertyNode* item = FirstChildOf(Node(list_key)); item != nullptr;
       item = NextOf(item)) {
    const PropertyNode* type = FirstChildOf(item);
    const PropertyNode* name = NextOf(type);
    entries.push_back({NameOf(type), NameOf(name), NameOf(NextOf(name))});
  }
}

void RecordKeys::ReadNames(std::string_view list_key, std::vector<std::string_view>& names) const {
  names.clear();
  for (const PropertyNode* item = FirstChildOf(Node(list_key)); item != nullptr;
       item = NextOf(item)) {
    names.push_back(NameOf(item));
  }
}

}  // namespace quillmap
