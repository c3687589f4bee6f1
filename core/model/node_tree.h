#pragma once
// NodeTree: a generic ordered tree whose nodes carry an opaque payload. Children keep insertion
// order. Every operation that takes a node checks it (a node is valid when its self field points
// back to it) and fails on a null or invalid one.

#include <cstdint>

#include "core/model/object_pool.h"

namespace quillmap {

struct PropertyNode {
  PropertyNode* self = nullptr;
  PropertyNode* previous_sibling = nullptr;
  PropertyNode* next_sibling = nullptr;
  PropertyNode* parent = nullptr;
  PropertyNode* first_child = nullptr;
  void* payload = nullptr;
  // Not part of the node's meaning: lets appending a child skip the walk along the siblings.
  PropertyNode* last_child = nullptr;
};

class NodeTree {
 public:
  NodeTree();
  virtual ~NodeTree();
  NodeTree(const NodeTree&) = delete;
  NodeTree& operator=(const NodeTree&) = delete;

  PropertyNode* Root() const;
  PropertyNode* FirstChild(const PropertyNode* node) const;
  PropertyNode* NextSibling(const PropertyNode* node) const;
  std::uint32_t ChildCount(const PropertyNode* node) const;

  bool RemoveNode(PropertyNode* node);
  bool Clear();
  bool CopySubtree(const NodeTree* source, const PropertyNode* source_node,
                   PropertyNode* destination_node);
  bool CopyFrom(const NodeTree* source);

  static bool IsValid(const PropertyNode* node) { return node != nullptr && node->self == node; }

 protected:
  // Releases a payload; the default does nothing and reports success.
  virtual bool ReleasePayload(void* payload);
  // Clones a payload for this tree; the default returns null.
  virtual void* ClonePayload(const void* payload);

  // Appends a node without payload as the last child of parent (null = root). Null on failure.
  PropertyNode* AddNode(PropertyNode* parent);
  // Fails for an invalid node and for the root.
  bool SetPayload(PropertyNode* node, void* payload);
  void* GetPayload(const PropertyNode* node) const;

 private:
  void RemoveSubtree(PropertyNode* node);
  void FreeNode(PropertyNode* node);
  void ReleaseSubtreePayloads(PropertyNode* node);
  PropertyNode* root_;
  ObjectPool<PropertyNode> nodes_;  // every node but the root
};

}  // namespace quillmap
