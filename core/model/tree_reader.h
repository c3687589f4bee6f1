#pragma once
// Reading one tree record of a .dcm file node by node, with the loader's rules: a node header cut
// by the end of the input reads as zeros from there on; names and data are read only as far as
// the input holds them; a name is cut at its first zero byte (for bytes from a file); the root's
// name bytes are skipped and its data length is not looked at; a node whose header lies wholly
// past the end is an empty "phantom" node with no children, and costs one phantom of the budget.
// When the budget runs out the reading stops as if the tree ended there.
//
// The reader hands the nodes to a TreeVisitor in file order, so the same rules serve every use:
// building a PropertyTree, checking a record while a document loads, finding one value, writing
// JSON, writing the tree back.

#include <cstdint>
#include <string_view>

namespace quillmap {

class File;
class LoadBudget;

// Receives the nodes; the base class itself only walks the tree (to check or measure it).
class TreeVisitor {
 public:
  virtual ~TreeVisitor() = default;
  // A node under the node opened last and not yet closed (the root's children come first, the
  // root itself is not opened). data is null when the node has no data bytes. children is the
  // count the node's header declares (0 for a phantom). The views are valid during the call only.
  // Returning false stops the reading. Every Open is matched by a Close, also when the reading
  // stops early.
  virtual bool Open(std::string_view /*name*/, const unsigned char* /*data*/,
                    std::uint32_t /*data_length*/, std::uint32_t /*children*/) {
    return true;
  }
  virtual void Close() {}

  // For the reader: whether the node just opened asked to skip its children (and forget it).
  bool TakeSkip() {
    const bool skip = skip_children_;
    skip_children_ = false;
    return skip;
  }

 protected:
  // Called from Open: the node's descendants are read as usual (the rules, the budget, the
  // checks) but not handed to the visitor, which is much faster; the node's Close still comes.
  void SkipChildren() { skip_children_ = true; }

 private:
  bool skip_children_ = false;
};

// How names are read: cut at their first zero byte (bytes from a file), or kept whole (bytes
// this program serialised from a tree in memory, whose names may hold zero bytes).
enum class NameRule { kCutAtZero, kExact };

struct TreeScan {
  std::uint64_t consumed = 0;       // bytes of the input that the record took
  std::uint64_t phantoms = 0;       // phantom nodes made
  std::uint32_t root_children = 0;  // children the root got
  // Writing the tree back gives exactly the bytes consumed: complete, every reserved field 0,
  // no root name or data, no name cut, no phantom.
  bool canonical = false;
  bool stopped = false;  // the budget ran out or the visitor stopped the reading
};

// Reads one tree record from bytes held in memory.
TreeScan ReadTree(const unsigned char* bytes, std::uint64_t size, LoadBudget& budget, NameRule rule,
                  TreeVisitor& visitor);
// Reads one tree record from a file's current position (names cut at zero). A read error raises
// FileError.
TreeScan ReadTree(File& file, LoadBudget& budget, TreeVisitor& visitor);

}  // namespace quillmap
