// StoredTree: reading a record back, writing it, and finding single values without building
// the tree.
#include "core/model/stored_tree.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "core/model/byte_order.h"
#include "core/model/file.h"
#include "core/model/load_budget.h"
#include "core/model/property_tree.h"

namespace quillmap {

namespace {

// A node whose child count the written tree must correct: the tree stopped before all the
// children its header declared.
struct ShortNode {
  std::uint64_t order;  // position in pre-order, from 0
  std::uint32_t children;
};

// First pass over a tree that stopped early: which nodes got fewer children than declared.
class ShortNodeFinder : public TreeVisitor {
 public:
  bool Open(std::string_view, const unsigned char*, std::uint32_t,
            std::uint32_t children) override {
    if (!open_.empty()) ++open_.back().got;
    open_.push_back({order_++, children, 0});
    return true;
  }
  void Close() override {
    const OpenNode& node = open_.back();
    if (node.got != node.declared) short_.push_back({node.order, node.got});
    open_.pop_back();
  }
  std::vector<ShortNode> TakeSorted() {
    std::sort(short_.begin(), short_.end(),
              [](const ShortNode& a, const ShortNode& b) { return a.order < b.order; });
    return std::move(short_);
  }

 private:
  struct OpenNode {
    std::uint64_t order;
    std::uint32_t declared;
    std::uint32_t got;
  };
  std::vector<OpenNode> open_;
  std::vector<ShortNode> short_;
  std::uint64_t order_ = 0;
};

void WriteNodeHeader(File& file, std::uint32_t children, std::uint32_t name_length,
                     std::uint32_t data_length) {
  unsigned char header[16] = {};
  WriteLittleEndian32(header, children);
  WriteLittleEndian32(header + 4, name_length);
  WriteLittleEndian32(header + 8, data_length);
  file.Write(header, sizeof header);
}

// Writes the nodes as SaveTree writes the tree they make.
class TreeWriter : public TreeVisitor {
 public:
  TreeWriter(File& file, std::vector<ShortNode> short_nodes)
      : file_(file), short_(std::move(short_nodes)) {}
  bool Open(std::string_view name, const unsigned char* data, std::uint32_t data_length,
            std::uint32_t children) override {
    if (next_short_ < short_.size() && short_[next_short_].order == order_) {
      children = short_[next_short_++].children;
    }
    ++order_;
    WriteNodeHeader(file_, children, static_cast<std::uint32_t>(name.size()),
                    data ? data_length : 0);
    file_.Write(name.data(), name.size());
    if (data) file_.Write(data, data_length);
    return true;
  }

 private:
  File& file_;
  std::vector<ShortNode> short_;
  std::size_t next_short_ = 0;
  std::uint64_t order_ = 0;
};

}  // namespace

StoredTree::~StoredTree() {
  Release();
}

StoredTree::StoredTree(StoredTree&& other) noexcept
    : bytes_(other.bytes_), size_(other.size_), phantoms_(other.phantoms_), flags_(other.flags_) {
  other.bytes_ = nullptr;
  other.size_ = 0;
  other.phantoms_ = 0;
  other.flags_ = 0;
}

StoredTree& StoredTree::operator=(StoredTree&& other) noexcept {
  if (this != &other) {
    Release();
    std::swap(bytes_, other.bytes_);
    std::swap(size_, other.size_);
    std::swap(phantoms_, other.phantoms_);
    std::swap(flags_, other.flags_);
  }
  return *this;
}

void StoredTree::Release() {
  if (Owned()) delete[] bytes_;
  bytes_ = nullptr;
  size_ = 0;
  phantoms_ = 0;
  flags_ = 0;
}

StoredTree StoredTree::Borrow(const unsigned char* bytes, const TreeScan& scan) {
  StoredTree tree;
  tree.bytes_ = bytes;
  tree.size_ = scan.consumed;
  tree.phantoms_ = scan.phantoms;
  tree.flags_ =
      static_cast<std::uint8_t>((scan.canonical ? kCanonical : 0) | (scan.stopped ? kStopped : 0));
  return tree;
}

StoredTree StoredTree::FromTree(const PropertyTree& tree) {
  File file;
  file.OpenMemoryWrite();
  tree.SaveTree(&file);
  const std::string& written = file.MemoryBytes();
  StoredTree stored;
  auto* block = new unsigned char[written.size()];
  std::memcpy(block, written.data(), written.size());
  stored.bytes_ = block;
  stored.size_ = written.size();
  stored.flags_ = kOwned | kCanonical | kExact;
  return stored;
}

void StoredTree::Own() {
  if (Owned() || bytes_ == nullptr) return;
  auto* block = new unsigned char[size_];
  if (size_) std::memcpy(block, bytes_, size_);
  bytes_ = block;
  flags_ |= kOwned;
}

StoredTree StoredTree::Clone() const {
  StoredTree copy;
  copy.size_ = size_;
  copy.phantoms_ = phantoms_;
  copy.flags_ = flags_;
  if (Owned()) {
    auto* block = new unsigned char[size_];
    if (size_) std::memcpy(block, bytes_, size_);
    copy.bytes_ = block;
  } else {
    copy.bytes_ = bytes_;
  }
  return copy;
}

TreeScan StoredTree::Read(TreeVisitor& visitor) const {
  LoadBudget budget = LoadBudget::Exactly(phantoms_);
  // Canonical bytes have no name that a zero byte cuts: no need to look for one again.
  const bool exact = (flags_ & (kExact | kCanonical)) != 0;
  return ReadTree(bytes_, size_, budget, exact ? NameRule::kExact : NameRule::kCutAtZero, visitor);
}

void StoredTree::BuildInto(PropertyTree& tree) const {
  tree.Clear();
  TreeBuilder builder(tree);
  Read(builder);
}

void StoredTree::Write(File& file) const {
  if (Canonical()) {
    file.Write(bytes_, size_);
    return;
  }
  // Phantoms become real empty nodes and every reserved field 0. Only a tree whose reading
  // stopped early has nodes with fewer children than declared; a first pass finds them.
  std::vector<ShortNode> short_nodes;
  std::uint32_t root_children;
  if (flags_ & kStopped) {
    ShortNodeFinder finder;
    root_children = Read(finder).root_children;
    short_nodes = finder.TakeSorted();
  } else {
    TreeVisitor counter;
    root_children = Read(counter).root_children;
  }
  WriteNodeHeader(file, root_children, 0, 0);
  TreeWriter writer(file, std::move(short_nodes));
  Read(writer);
}

std::string StoredTree::Value(std::string_view key) const {
  return std::string(ValueView(key));
}

std::string_view StoredTree::ValueView(std::string_view key) const {
  TopValues<1> finder({key});
  Read(finder);
  return finder.value(0);
}

bool StoredTree::HasTopChild(std::string_view key, std::string_view child) const {
  TopChildScan finder(key, &child, true);
  Read(finder);
  return finder.found();
}

TopChildScan::TopChildScan(std::string_view key, const std::string_view* child, bool stop)
    : key_(key), child_(child), stop_(stop) {}

bool TopChildScan::Open(std::string_view name, const unsigned char*, std::uint32_t, std::uint32_t) {
  ++depth_;
  if (decided_) {
    SkipChildren();
    return !stop_;
  }
  if (depth_ == 1) {
    candidate_ = name == key_;
    children_ = 0;
    if (!candidate_) SkipChildren();
    return true;
  }
  SkipChildren();  // below the top level only the key's own children matter
  if (depth_ == 2 && candidate_) {
    if (++children_ == 1) first_ = name;
    if (child_ ? name == *child_ : children_ == 2) {
      found_ = child_ != nullptr;
      decided_ = true;
      return !stop_;
    }
  }
  return true;
}

void TopChildScan::Close() {
  if (--depth_ == 0 && !decided_ && candidate_ && children_ > 0) decided_ = true;
}

}  // namespace quillmap
