#include "core/model/flat_tree.h"

#include <utility>

#include "core/model/property_tree.h"
#include "core/model/stored_tree.h"
#include "core/model/tree_reader.h"

namespace quillmap {

// Appends the nodes of a stored tree as the reader hands them out.
class FlatTreeBuilder : public TreeVisitor {
 public:
  explicit FlatTreeBuilder(FlatTree& tree) : tree_(tree) { open_.push_back({FlatTree::kRoot}); }

  bool Open(std::string_view name, const unsigned char*, std::uint32_t, std::uint32_t) override {
    Level& parent = open_.back();
    // A tree of four billion nodes can't be numbered: it ends there.
    if (tree_.nodes_.size() >= FlatTree::kNone - 1) {
      open_.push_back({FlatTree::kNone});
      return false;
    }
    const std::uint32_t node = tree_.Append(parent.node, parent.last, name, true);
    parent.last = node;
    open_.push_back({node});
    return true;
  }
  void Close() override { open_.pop_back(); }

 private:
  struct Level {
    std::uint32_t node;
    std::uint32_t last = FlatTree::kNone;  // the level's last child so far
  };
  FlatTree& tree_;
  std::vector<Level> open_;
};

void FlatTree::Reset() {
  nodes_.clear();
  nodes_.push_back(Node{});
}

std::uint32_t FlatTree::Append(std::uint32_t parent, std::uint32_t last, std::string_view name,
                               bool has_name) {
  const auto node = static_cast<std::uint32_t>(nodes_.size());
  Node entry;
  entry.name = name.data();
  entry.name_length = static_cast<std::uint32_t>(name.size());
  entry.has_name = has_name;
  nodes_.push_back(entry);
  if (last == kNone) {
    nodes_[parent].first_child = node;
  } else {
    nodes_[last].next_sibling = node;
  }
  return node;
}

void FlatTree::Assign(const StoredTree& tree) {
  Reset();
  FlatTreeBuilder builder(*this);
  tree.Read(builder);
}

void FlatTree::Assign(const PropertyTree& tree) {
  Reset();
  // Pre-order with an explicit stack of (source node, flat parent, flat last child).
  struct Level {
    const PropertyNode* next;  // next source child to copy
    std::uint32_t parent;
    std::uint32_t last;
  };
  std::vector<Level> open{{tree.FirstChild(tree.Root()), kRoot, kNone}};
  while (!open.empty()) {
    Level& level = open.back();
    const PropertyNode* source = level.next;
    if (source == nullptr) {
      open.pop_back();
      continue;
    }
    level.next = tree.NextSibling(source);
    const auto* entry = static_cast<const PropertyEntry*>(source->payload);
    const std::uint32_t node = Append(level.parent, level.last,
                                      entry ? entry->name : std::string_view(), entry != nullptr);
    level.last = node;
    if (const PropertyNode* child = tree.FirstChild(source)) open.push_back({child, node, kNone});
  }
}

}  // namespace quillmap
