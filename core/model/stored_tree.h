#pragma once
// StoredTree: one tree record kept in its file form. A loaded document keeps its records as the
// bytes of the file (borrowed from the buffer the file was read into) until a record is replaced;
// a replaced record keeps the bytes its tree writes (owned). Reading a stored tree again follows
// the load's rules with the phantoms the load gave it, so it always gives the tree that the load
// made; writing it gives what SaveTree of that tree writes, by copying the bytes when they are
// already exactly that.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/tree_reader.h"

namespace quillmap {

class File;
class PropertyTree;

class StoredTree {
 public:
  // No bytes: reads as an empty tree (a record that lay past the end of its file).
  StoredTree() = default;
  ~StoredTree();
  StoredTree(StoredTree&& other) noexcept;
  StoredTree& operator=(StoredTree&& other) noexcept;
  StoredTree(const StoredTree&) = delete;
  StoredTree& operator=(const StoredTree&) = delete;

  // A record of a loaded file: the bytes it took (not owned; the caller keeps them alive) and
  // the scan the load made of them.
  static StoredTree Borrow(const unsigned char* bytes, const TreeScan& scan);
  // The file form of a tree in memory, in a block of its own. Names are kept whole.
  static StoredTree FromTree(const PropertyTree& tree);
  // A copy: owned bytes are copied, borrowed ones stay borrowed.
  StoredTree Clone() const;
  // Copies borrowed bytes into a block of this tree's own (owned ones stay as they are), for a
  // record that must outlive the bytes it was read from.
  void Own();

  // Reads the tree node by node.
  TreeScan Read(TreeVisitor& visitor) const;
  // Replaces tree's nodes with this tree's.
  void BuildInto(PropertyTree& tree) const;
  // Writes the tree record, exactly as SaveTree of the tree would. A file error raises.
  void Write(File& file) const;

  // The name of the first child of the first top-level node named key; empty when there is none
  // (a record's value, as PropertyTree::GetValue gives it).
  std::string Value(std::string_view key) const;
  // The same value as a view of the stored bytes, valid while they are.
  std::string_view ValueView(std::string_view key) const;
  // Whether the first top-level node named key that has children has one named child (as
  // PropertyTree::FindTopChild finds it).
  bool HasTopChild(std::string_view key, std::string_view child) const;

  // The stored bytes; when Canonical(), they are the tree record as written.
  const unsigned char* bytes() const { return bytes_; }
  std::uint64_t size() const { return size_; }
  bool Canonical() const { return (flags_ & kCanonical) != 0; }
  bool Owned() const { return (flags_ & kOwned) != 0; }

 private:
  static constexpr std::uint8_t kOwned = 1;      // bytes_ is ours (new[])
  static constexpr std::uint8_t kCanonical = 2;  // the bytes are the record as written
  static constexpr std::uint8_t kExact = 4;      // names are kept whole, zero bytes included
  static constexpr std::uint8_t kStopped = 8;    // the load's budget ran out inside the tree

  void Release();

  const unsigned char* bytes_ = nullptr;
  std::uint64_t size_ = 0;
  std::uint64_t phantoms_ = 0;
  std::uint8_t flags_ = 0;
};

// The values of a few keys, as PropertyTree::GetValue gives them (the first child of the first
// top-level node of that name; empty without one), read in one walk that stops once all of them
// are known. The values view the bytes read: those of a StoredTree stay valid with it.
template <std::size_t kKeys>
class TopValues : public TreeVisitor {
 public:
  explicit TopValues(const std::array<std::string_view, kKeys>& keys) : keys_(keys) {}
  bool Open(std::string_view name, const unsigned char*, std::uint32_t, std::uint32_t) override {
    if (left_ == 0) return false;
    ++depth_;
    if (depth_ == 1) {
      for (std::size_t i = 0; i < kKeys; ++i) {
        if (!seen_[i] && name == keys_[i]) {
          seen_[i] = true;
          open_key_ = i;
          return true;
        }
      }
    } else if (depth_ == 2 && open_key_ < kKeys) {
      values_[open_key_] = name;
      open_key_ = kKeys;
      --left_;
    }
    SkipChildren();  // nothing below is wanted
    return true;
  }
  void Close() override {
    // A key without children is decided when it closes: its value is empty.
    if (--depth_ == 0 && open_key_ < kKeys) {
      open_key_ = kKeys;
      --left_;
    }
  }
  std::string_view value(std::size_t i) const { return values_[i]; }

 private:
  std::array<std::string_view, kKeys> keys_;
  std::array<std::string_view, kKeys> values_{};
  std::array<bool, kKeys> seen_{};
  std::size_t open_key_ = kKeys;  // the key whose first child comes next
  std::size_t left_ = kKeys;      // keys not yet decided
  int depth_ = 0;                 // 1 for a child of the root
};

// Follows PropertyTree::FindTopChild while a tree is read: the first top-level node named key
// that has children decides. With a child to look for, tells whether the deciding node has one of
// that name; without one, counts the deciding node's children (up to two) and keeps the first
// one's name. With stop, the reading stops once the answer is known.
class TopChildScan : public TreeVisitor {
 public:
  TopChildScan(std::string_view key, const std::string_view* child, bool stop);
  bool Open(std::string_view name, const unsigned char* data, std::uint32_t data_length,
            std::uint32_t children) override;
  void Close() override;

  bool found() const { return found_; }
  // The deciding node's children so far: 0 (no such node), 1, or 2 for two or more.
  std::uint32_t children() const { return children_; }
  // The first child's name, a view of the bytes read (valid while they are).
  std::string_view first() const { return first_; }

 private:
  std::string_view key_;
  const std::string_view* child_;
  bool stop_;
  int depth_ = 0;  // 1 for a child of the root
  bool candidate_ = false;
  std::uint32_t children_ = 0;
  bool found_ = false;
  bool decided_ = false;
  std::string_view first_;
};

}  // namespace quillmap
