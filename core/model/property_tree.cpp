// PropertyTree: named nodes with data blocks, path lookup, and one tree record of a .dcm file.
#include "core/model/property_tree.h"

#include <cstring>
#include <new>
#include <vector>

#include "core/model/byte_order.h"
#include "core/model/file.h"
#include "core/model/load_budget.h"

namespace quillmap {

namespace {

PropertyEntry* EntryOf(const PropertyNode* node) {
  return NodeTree::IsValid(node) ? static_cast<PropertyEntry*>(node->payload) : nullptr;
}

}  // namespace

PropertyTree::~PropertyTree() {
  Clear();
}

PropertyNode* PropertyTree::AddChild(PropertyNode* parent, std::string_view name) {
  PropertyNode* node = AddNode(parent);
  if (node == nullptr) return nullptr;
  PropertyEntry* entry = entries_.New();
  if (entry != nullptr) {
    try {
      entry->name.assign(name);
    } catch (const std::bad_alloc&) {
      entries_.Delete(entry);
      entry = nullptr;
    }
  }
  if (entry == nullptr) {
    RemoveNode(node);  // the tree stays as it was
    return nullptr;
  }
  SetPayload(node, entry);
  return node;
}

bool PropertyTree::GetName(const PropertyNode* node, std::string& out) const {
  const PropertyEntry* entry = EntryOf(node);
  if (entry == nullptr) return false;
  out = entry->name;
  return true;
}

bool PropertyTree::SetName(PropertyNode* node, std::string_view name) {
  PropertyEntry* entry = EntryOf(node);
  if (entry == nullptr) return false;
  entry->name.assign(name);
  return true;
}

const unsigned char* PropertyTree::GetData(const PropertyNode* node) const {
  const PropertyEntry* entry = EntryOf(node);
  return entry ? entry->data : nullptr;
}

std::uint32_t PropertyTree::GetDataLength(const PropertyNode* node) const {
  const PropertyEntry* entry = EntryOf(node);
  return entry ? entry->data_length : 0;
}

bool PropertyTree::SetData(PropertyNode* node, unsigned char* block, std::uint32_t length) {
  PropertyEntry* entry = EntryOf(node);
  if (entry == nullptr) {
    if (block) ReleaseData(block);
    return false;
  }
  if (entry->data && entry->data != block) ReleaseData(entry->data);
  entry->data = block;
  entry->data_length = block ? length : 0;
  return true;
}

bool PropertyTree::ReleasePayload(void* payload) {
  auto* entry = static_cast<PropertyEntry*>(payload);
  if (entry == nullptr) return true;
  if (entry->data) ReleaseData(entry->data);
  entries_.Delete(entry);
  return true;
}

void* PropertyTree::ClonePayload(const void* payload) {
  const auto* source = static_cast<const PropertyEntry*>(payload);
  if (source == nullptr) return nullptr;
  PropertyEntry* entry = entries_.New();
  if (entry == nullptr) return nullptr;
  try {
    entry->name = source->name;
  } catch (const std::bad_alloc&) {
    entries_.Delete(entry);
    return nullptr;
  }
  if (source->data && source->data_length > 0) {
    entry->data = new (std::nothrow) unsigned char[source->data_length];
    if (entry->data == nullptr) {
      entries_.Delete(entry);
      return nullptr;
    }
    std::memcpy(entry->data, source->data, source->data_length);
    entry->data_length = source->data_length;
  }
  return entry;
}

bool PropertyTree::ReleaseData(unsigned char* block) {
  delete[] block;
  return true;
}

// A path is "/" followed by segments separated by "/". At each level the children are visited
// in order; a node without payload ends the search. A child whose name equals the segment ends
// the search when the segment is the last one; otherwise, if it has children, the search goes
// on below it and that result is final; a same-named child without children is passed over.
PropertyNode* PropertyTree::FindPath(std::string_view path) const {
  if (path.empty() || path.front() != '/') return nullptr;
  const PropertyNode* node = Root();
  std::string_view rest = path.substr(1);
  for (;;) {
    std::size_t slash = rest.find('/');
    bool last = slash == std::string_view::npos;
    std::string_view segment = last ? rest : rest.substr(0, slash);
    const PropertyNode* next = nullptr;
    for (PropertyNode* child = node->first_child; child; child = child->next_sibling) {
      const PropertyEntry* entry = EntryOf(child);
      if (entry == nullptr) return nullptr;
      if (entry->name != segment) continue;
      if (last) return child;
      if (child->first_child) {
        next = child;
        break;
      }
    }
    if (next == nullptr) return nullptr;
    node = next;
    rest = rest.substr(slash + 1);
  }
}

PropertyNode* PropertyTree::FindTop(std::string_view key) const {
  std::string path;
  path.reserve(key.size() + 1);
  path.push_back('/');
  path.append(key);
  return FindPath(path);
}

PropertyNode* PropertyTree::FindTopChild(std::string_view key, std::string_view child) const {
  for (PropertyNode* top = Root()->first_child; top; top = top->next_sibling) {
    const PropertyEntry* entry = EntryOf(top);
    if (entry == nullptr) return nullptr;
    if (entry->name != key || top->first_child == nullptr) continue;
    for (PropertyNode* node = top->first_child; node; node = node->next_sibling) {
      const PropertyEntry* child_entry = EntryOf(node);
      if (child_entry == nullptr) return nullptr;
      if (child_entry->name == child) return node;
    }
    return nullptr;  // like FindPath: the first key with children decides
  }
  return nullptr;
}

std::string PropertyTree::GetValue(std::string_view key) const {
  const PropertyEntry* entry = EntryOf(FirstChild(FindTop(key)));
  return entry ? entry->name : std::string();
}

bool PropertyTree::SetValue(std::string_view key, std::string_view value) {
  return SetName(FirstChild(FindTop(key)), value);
}

std::string PropertyTree::ChildName(const PropertyNode* node, std::uint32_t index) const {
  PropertyNode* child = FirstChild(node);
  for (std::uint32_t i = 0; child && i < index; ++i) child = child->next_sibling;
  const PropertyEntry* entry = EntryOf(child);
  return entry ? entry->name : std::string();
}

// Writes the tree in pre-order: per node the header {child count, name length, data length, 0},
// the name bytes and the data bytes, then the children.
bool PropertyTree::SaveTree(File* file) const {
  if (file == nullptr) return false;
  std::vector<const PropertyNode*> stack{Root()};
  while (!stack.empty()) {
    const PropertyNode* node = stack.back();
    stack.pop_back();
    const PropertyEntry* entry = static_cast<const PropertyEntry*>(node->payload);
    std::uint32_t name_length = entry ? static_cast<std::uint32_t>(entry->name.size()) : 0;
    std::uint32_t data_length = entry && entry->data ? entry->data_length : 0;
    unsigned char header[16] = {};
    WriteLittleEndian32(header, ChildCount(node));
    WriteLittleEndian32(header + 4, name_length);
    WriteLittleEndian32(header + 8, data_length);
    file->Write(header, sizeof header);
    if (name_length) file->Write(entry->name.data(), name_length);
    if (data_length) file->Write(entry->data, data_length);
    for (const PropertyNode* child = node->last_child; child; child = child->previous_sibling) {
      stack.push_back(child);
    }
  }
  return true;
}

void PropertyTree::Visit(TreeVisitor& visitor) const {
  // Iterative pre-order: the next child to visit at every open level.
  std::vector<const PropertyNode*> open{Root()->first_child};
  while (!open.empty()) {
    const PropertyNode* node = open.back();
    if (node == nullptr) {
      open.pop_back();
      if (!open.empty()) visitor.Close();
      continue;
    }
    open.back() = node->next_sibling;
    const PropertyEntry* entry = EntryOf(node);
    const bool go_on = entry ? visitor.Open(entry->name, entry->data,
                                            entry->data ? entry->data_length : 0, ChildCount(node))
                             : visitor.Open(std::string_view(), nullptr, 0, ChildCount(node));
    if (!go_on) {
      visitor.Close();
      for (std::size_t level = open.size(); level > 1; --level) visitor.Close();
      return;
    }
    if (node->first_child) {
      open.push_back(node->first_child);
    } else {
      visitor.Close();
    }
  }
}

bool PropertyTree::LoadTree(File* file) {
  if (file == nullptr) return false;
  LoadBudget budget(file->Remaining());
  return LoadTree(file, budget);
}

bool PropertyTree::LoadTree(File* file, LoadBudget& budget) {
  if (file == nullptr) return false;
  Clear();
  TreeBuilder builder(*this);
  ReadTree(*file, budget, builder);
  return true;
}

TreeBuilder::TreeBuilder(PropertyTree& tree) : tree_(tree) {
  parents_.push_back(tree.Root());
}

bool TreeBuilder::Open(std::string_view name, const unsigned char* data, std::uint32_t data_length,
                       std::uint32_t) {
  PropertyNode* node = tree_.AddChild(parents_.back(), name);
  parents_.push_back(node);
  if (node == nullptr) return false;
  if (data != nullptr && data_length != 0) {
    auto* block = new unsigned char[data_length];
    std::memcpy(block, data, data_length);
    tree_.SetData(node, block, data_length);
  }
  return true;
}

}  // namespace quillmap
