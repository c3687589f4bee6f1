#pragma once
// PropertyTree: a NodeTree whose payloads are PropertyEntry objects (a name and a block of data
// bytes). Adds naming, path lookup and reading and writing one tree record of a .dcm file.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/node_tree.h"
#include "core/model/object_pool.h"
#include "core/model/tree_reader.h"

namespace quillmap {

class File;
class LoadBudget;

struct PropertyEntry {
  std::string name;               // Shift-JIS bytes; may be empty
  unsigned char* data = nullptr;  // owned block (new[]), or null
  std::uint32_t data_length = 0;  // 0 when there is no block
};

class PropertyTree : public NodeTree {
 public:
  PropertyTree() = default;
  ~PropertyTree() override;

  // Appends a new last child under parent (null = root) named name. Null on failure.
  PropertyNode* AddChild(PropertyNode* parent, std::string_view name);
  bool GetName(const PropertyNode* node, std::string& out) const;
  bool SetName(PropertyNode* node, std::string_view name);
  const unsigned char* GetData(const PropertyNode* node) const;
  std::uint32_t GetDataLength(const PropertyNode* node) const;
  // Takes the block over (it must come from new[]). False when the node has no payload; the
  // block is then released.
  bool SetData(PropertyNode* node, unsigned char* block, std::uint32_t length);

  // Path lookup: "/key/child/..." from the root (see the .cpp for the exact rules).
  PropertyNode* FindPath(std::string_view path) const;
  // FindPath of "/" + key.
  PropertyNode* FindTop(std::string_view key) const;
  // The first top-level node named key that has children, then its first child named exactly
  // child. Unlike FindPath("/key/child") this also finds names that contain "/".
  PropertyNode* FindTopChild(std::string_view key, std::string_view child) const;

  // Hands every node to a visitor in pre-order, as reading the tree's record would.
  void Visit(TreeVisitor& visitor) const;

  // One tree record of a .dcm file. Both fail only for a missing file. A file error raises.
  bool SaveTree(File* file) const;
  bool LoadTree(File* file);
  // Loading with a shared budget that bounds the work of a whole document load.
  bool LoadTree(File* file, LoadBudget& budget);

 protected:
  bool ReleasePayload(void* payload) override;
  void* ClonePayload(const void* payload) override;
  virtual bool ReleaseData(unsigned char* block);

  // Name of the first child of the top-level key; empty when missing.
  std::string GetValue(std::string_view key) const;
  // Renames the first child of the top-level key; false when missing.
  bool SetValue(std::string_view key, std::string_view value);
  // Name of node's child number index (from 0); empty when missing.
  std::string ChildName(const PropertyNode* node, std::uint32_t index) const;

 private:
  ObjectPool<PropertyEntry> entries_;
};

// Adds the nodes a tree reader hands out to a tree, under its root. A node that can't be added
// stops the reading.
class TreeBuilder : public TreeVisitor {
 public:
  explicit TreeBuilder(PropertyTree& tree);
  bool Open(std::string_view name, const unsigned char* data, std::uint32_t data_length,
            std::uint32_t children) override;
  void Close() override { parents_.pop_back(); }

 private:
  PropertyTree& tree_;
  std::vector<PropertyNode*> parents_;
};

}  // namespace quillmap
