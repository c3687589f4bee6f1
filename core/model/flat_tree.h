#pragma once
// FlatTree: the shape and names of one tree in a single array, for readers that walk a record
// many times (the writers of pages and comment blocks). Nodes are numbered in pre-order, the root
// is node 0; names are views into the bytes of a StoredTree or the names of a PropertyTree, valid
// as long as those are alive and unchanged. Reusing one FlatTree for many records allocates
// nothing once it has grown.

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillmap {

class PropertyTree;
class StoredTree;

class FlatTree {
 public:
  static constexpr std::uint32_t kRoot = 0;
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  void Assign(const StoredTree& tree);
  void Assign(const PropertyTree& tree);

  std::uint32_t FirstChild(std::uint32_t node) const {
    return node < nodes_.size() ? nodes_[node].first_child : kNone;
  }
  std::uint32_t NextSibling(std::uint32_t node) const {
    return node < nodes_.size() ? nodes_[node].next_sibling : kNone;
  }
  // False for the root, kNone and a node without payload (which ends a path lookup).
  bool HasName(std::uint32_t node) const { return node < nodes_.size() && nodes_[node].has_name; }
  std::string_view Name(std::uint32_t node) const {
    return HasName(node) ? std::string_view(nodes_[node].name, nodes_[node].name_length)
                         : std::string_view();
  }
  std::size_t NodeCount() const { return nodes_.size(); }

 private:
  friend class FlatTreeBuilder;
  struct Node {
    const char* name = nullptr;
    std::uint32_t name_length = 0;
    std::uint32_t first_child = kNone;
    std::uint32_t next_sibling = kNone;
    bool has_name = false;
  };
  // Appends a node under parent after last (kNone: parent's first child); returns its number.
  std::uint32_t Append(std::uint32_t parent, std::uint32_t last, std::string_view name,
                       bool has_name);
  void Reset();

  std::vector<Node> nodes_;
};

}  // namespace quillmap
