// NodeTree: every walk is iterative, so a deeply nested tree read from a hostile file can't
// exhaust the stack, and appending uses the parent's last-child link instead of walking.
#include "core/model/node_tree.h"

#include <new>
#include <utility>
#include <vector>

namespace quillmap {

NodeTree::NodeTree() : root_(new PropertyNode) {
  root_->self = root_;
}

NodeTree::~NodeTree() {
  // Heirs clear the tree in their own destructors so that their ReleasePayload still runs; what
  // is left here is released with the default.
  Clear();
  root_->self = nullptr;
  delete root_;
}

PropertyNode* NodeTree::Root() const {
  return root_;
}

PropertyNode* NodeTree::FirstChild(const PropertyNode* node) const {
  return IsValid(node) ? node->first_child : nullptr;
}

PropertyNode* NodeTree::NextSibling(const PropertyNode* node) const {
  return IsValid(node) ? node->next_sibling : nullptr;
}

std::uint32_t NodeTree::ChildCount(const PropertyNode* node) const {
  if (!IsValid(node)) return 0;
  std::uint32_t count = 0;
  for (const PropertyNode* child = node->first_child; child; child = child->next_sibling) ++count;
  return count;
}

PropertyNode* NodeTree::AddNode(PropertyNode* parent) {
  if (parent == nullptr) parent = root_;
  if (!IsValid(parent)) return nullptr;
  PropertyNode* node = nodes_.New();
  if (node == nullptr) return nullptr;
  node->self = node;
  node->parent = parent;
  node->previous_sibling = parent->last_child;
  if (parent->last_child) {
    parent->last_child->next_sibling = node;
  } else {
    parent->first_child = node;
  }
  parent->last_child = node;
  return node;
}

bool NodeTree::SetPayload(PropertyNode* node, void* payload) {
  if (!IsValid(node) || node == root_) return false;
  node->payload = payload;
  return true;
}

void* NodeTree::GetPayload(const PropertyNode* node) const {
  return IsValid(node) ? node->payload : nullptr;
}

bool NodeTree::ReleasePayload(void*) {
  return true;
}

void* NodeTree::ClonePayload(const void*) {
  return nullptr;
}

// Unlinks a node from its parent and siblings, releases its payload and frees it.
void NodeTree::FreeNode(PropertyNode* node) {
  PropertyNode* parent = node->parent;
  if (node->previous_sibling) {
    node->previous_sibling->next_sibling = node->next_sibling;
  } else if (parent) {
    parent->first_child = node->next_sibling;
  }
  if (node->next_sibling) {
    node->next_sibling->previous_sibling = node->previous_sibling;
  } else if (parent) {
    parent->last_child = node->previous_sibling;
  }
  if (node->payload) ReleasePayload(node->payload);
  node->self = nullptr;
  nodes_.Delete(node);
}

// Removes every descendant of node, last child first, deepest first.
void NodeTree::RemoveSubtree(PropertyNode* node) {
  PropertyNode* current = node;
  for (;;) {
    while (current->last_child) current = current->last_child;
    if (current == node) return;
    PropertyNode* parent = current->parent;
    FreeNode(current);
    current = parent;
  }
}

bool NodeTree::RemoveNode(PropertyNode* node) {
  if (!IsValid(node) || node == root_) return false;
  RemoveSubtree(node);
  FreeNode(node);
  return true;
}

// Releases the payloads of node's subtree, children last first and each child's subtree before
// its parent, without unlinking anything.
void NodeTree::ReleaseSubtreePayloads(PropertyNode* node) {
  PropertyNode* current = node;
  for (;;) {
    while (current->last_child) current = current->last_child;
    for (;;) {
      if (current->payload) ReleasePayload(current->payload);
      if (current == node) return;
      if (current->previous_sibling) {
        current = current->previous_sibling;
        break;  // descend into the previous sibling's subtree
      }
      current = current->parent;
    }
  }
}

bool NodeTree::Clear() {
  // Every node goes, so the payloads are released in removal order and the node memory is
  // dropped at once instead of node by node.
  for (PropertyNode* child = root_->first_child; child; child = child->next_sibling) {
    ReleaseSubtreePayloads(child);
  }
  nodes_.ReleaseMemory();
  root_->previous_sibling = root_->next_sibling = root_->parent = nullptr;
  root_->first_child = root_->last_child = nullptr;
  root_->payload = nullptr;
  return true;
}

bool NodeTree::CopySubtree(const NodeTree* source, const PropertyNode* source_node,
                           PropertyNode* destination_node) {
  if (source == nullptr || !IsValid(source_node) || !IsValid(destination_node)) return false;
  // Take a pre-order snapshot first: the destination may lie inside the source subtree (the
  // same tree), and the copies must not be copied again.
  struct Item {
    const PropertyNode* node;
    std::size_t parent;  // index into created; SIZE_MAX for the destination node
  };
  std::vector<Item> order;
  std::vector<std::pair<const PropertyNode*, std::size_t>> stack;
  for (const PropertyNode* child = source_node->last_child; child;
       child = child->previous_sibling) {
    stack.push_back({child, SIZE_MAX});
  }
  while (!stack.empty()) {
    auto [node, parent] = stack.back();
    stack.pop_back();
    std::size_t index = order.size();
    order.push_back({node, parent});
    for (const PropertyNode* child = node->last_child; child; child = child->previous_sibling) {
      stack.push_back({child, index});
    }
  }
  std::vector<PropertyNode*> created;
  created.reserve(order.size());
  for (const Item& item : order) {
    PropertyNode* parent = item.parent == SIZE_MAX ? destination_node : created[item.parent];
    PropertyNode* copy = AddNode(parent);
    if (copy == nullptr) return false;
    copy->payload = item.node->payload ? ClonePayload(item.node->payload) : nullptr;
    created.push_back(copy);
  }
  return true;
}

bool NodeTree::CopyFrom(const NodeTree* source) {
  if (source == nullptr) return false;
  if (source == this) return true;  // clearing first would lose everything
  Clear();
  return CopySubtree(source, source->root_, root_);
}

}  // namespace quillmap
