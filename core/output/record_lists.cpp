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

}  // namespace

RecordKeys::RecordKeys(const PropertyTree& record) : record_(record) {
  static_assert(kKeys.size() == kKeyCount);
  std::string name;
  for (const PropertyNode* node = record.FirstChild(record.Root()); node != nullptr;
       node = record.NextSibling(node)) {
    // A path lookup stops at a node without name: keys after it are not found.
    if (!record.GetName(node, name)) break;
    const std::size_t slot = KeySlot(name);
    if (slot < kKeyCount && nodes_[slot] == nullptr) nodes_[slot] = node;
  }
}

const PropertyNode* RecordKeys::Node(std::string_view key) const {
  const std::size_t slot = KeySlot(key);
  return slot < kKeyCount ? nodes_[slot] : nullptr;
}

std::string RecordKeys::Value(std::string_view key, std::size_t position) const {
  const PropertyNode* child = record_.FirstChild(Node(key));
  for (std::size_t i = 0; child != nullptr && i < position; ++i) child = record_.NextSibling(child);
  std::string value;
  record_.GetName(child, value);
  return value;
}

int RecordKeys::Attribute() const {
  const std::string word = Value(key::kFuncAttr);
  for (int code = 0; code < kFuncAttributeCount; ++code) {
    if (word == FuncAttributeWord(code)) return code;
  }
  return kAttrPublic;
}

void RecordKeys::ReadEntries(std::string_view list_key, std::vector<ListEntry>& entries) const {
  std::size_t count = 0;
  for (const PropertyNode* item = record_.FirstChild(Node(list_key)); item != nullptr;
       item = record_.NextSibling(item)) {
    if (count == entries.size()) entries.emplace_back();
    ListEntry& entry = entries[count++];
    entry.type.clear();
    entry.name.clear();
    entry.description.clear();
    const PropertyNode* value = record_.FirstChild(item);
    record_.GetName(value, entry.type);
    value = record_.NextSibling(value);
    record_.GetName(value, entry.name);
    record_.GetName(record_.NextSibling(value), entry.description);
  }
  entries.resize(count);
}

void RecordKeys::ReadNames(std::string_view list_key, std::vector<std::string>& names) const {
  std::size_t count = 0;
  for (const PropertyNode* item = record_.FirstChild(Node(list_key)); item != nullptr;
       item = record_.NextSibling(item)) {
    if (count == names.size()) names.emplace_back();
    std::string& name = names[count++];
    name.clear();
    record_.GetName(item, name);
  }
  names.resize(count);
}

}  // namespace quillmap
