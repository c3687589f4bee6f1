// The tree record reader: one iterative walk (a deeply nested record from a hostile file can't
// exhaust the stack) over a source of bytes, either a span in memory or a file.
#include "core/model/tree_reader.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/model/byte_order.h"
#include "core/model/file.h"
#include "core/model/load_budget.h"

namespace quillmap {

namespace {

constexpr std::size_t kHeaderBytes = 16;

struct NodeHeader {
  std::uint32_t child_count = 0;
  std::uint32_t name_length = 0;
  std::uint32_t data_length = 0;
  std::uint32_t reserved = 0;
};

void DecodeHeader(const unsigned char* bytes, NodeHeader& header) {
  header.child_count = ReadLittleEndian32(bytes);
  header.name_length = ReadLittleEndian32(bytes + 4);
  header.data_length = ReadLittleEndian32(bytes + 8);
  header.reserved = ReadLittleEndian32(bytes + 12);
}

// Bytes held in memory. Views handed out stay valid as long as the bytes.
class SpanSource {
 public:
  SpanSource(const unsigned char* bytes, std::uint64_t size) : next_(bytes), left_(size) {}

  // Reads a header; a header cut short reads as zeros from the cut on. Returns the bytes there
  // were.
  std::size_t Header(NodeHeader& header) {
    if (left_ >= kHeaderBytes) {
      DecodeHeader(next_, header);
      Advance(kHeaderBytes);
      return kHeaderBytes;
    }
    unsigned char bytes[kHeaderBytes] = {};
    const std::size_t got = static_cast<std::size_t>(left_);
    if (got) std::memcpy(bytes, next_, got);
    Advance(got);
    DecodeHeader(bytes, header);
    return got;
  }
  // Up to n bytes (fewer at the end); slot says which of the node's fields they are.
  std::uint64_t Take(std::uint64_t n, int /*slot*/, const unsigned char*& out) {
    const std::uint64_t got = n < left_ ? n : left_;
    out = next_;
    Advance(got);
    return got;
  }
  void Skip(std::uint64_t n) { Advance(n < left_ ? n : left_); }
  std::uint64_t Used() const { return used_; }

 private:
  void Advance(std::uint64_t n) {
    next_ += n;
    left_ -= n;
    used_ += n;
  }
  const unsigned char* next_;
  std::uint64_t left_;
  std::uint64_t used_ = 0;
};

// A file read through its buffer. The name and the data of a node are copied into buffers of
// their own, so that reading the data can't move the name's bytes; a declared length the file
// can't satisfy never decides an allocation, because the bytes are read in chunks.
class FileSource {
 public:
  explicit FileSource(File& file) : file_(file), start_(file.Position()) {}

  std::size_t Header(NodeHeader& header) {
    unsigned char bytes[kHeaderBytes] = {};
    const std::size_t got = file_.Read(bytes, sizeof bytes);
    DecodeHeader(bytes, header);
    return got;
  }
  std::uint64_t Take(std::uint64_t n, int slot, const unsigned char*& out) {
    std::string& buffer = slot == 0 ? name_ : data_;
    constexpr std::size_t kChunk = 64 * 1024;
    buffer.clear();
    for (std::uint64_t left = n; left > 0;) {
      const std::size_t chunk = left < kChunk ? static_cast<std::size_t>(left) : kChunk;
      const std::size_t old_size = buffer.size();
      buffer.resize(old_size + chunk);
      const std::size_t got = file_.Read(buffer.data() + old_size, chunk);
      buffer.resize(old_size + got);
      left -= got;
      if (got < chunk) break;
    }
    out = reinterpret_cast<const unsigned char*>(buffer.data());
    return buffer.size();
  }
  void Skip(std::uint64_t n) {
    char scratch[4096];
    for (std::uint64_t left = n; left > 0;) {
      const std::size_t chunk =
          left < sizeof scratch ? static_cast<std::size_t>(left) : sizeof scratch;
      const std::size_t got = file_.Read(scratch, chunk);
      left -= got;
      if (got < chunk) break;
    }
  }
  std::uint64_t Used() const { return file_.Position() - start_; }

 private:
  File& file_;
  std::uint64_t start_;
  std::string name_;
  std::string data_;
};

// Children still to come of every node that is open, the root at the bottom. Records are a few
// levels deep, so the first levels live inside the object and a load allocates nothing per record.
class PendingStack {
 public:
  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }
  std::uint32_t& top() { return size_ <= kInline ? inline_[size_ - 1] : more_.back(); }
  void push(std::uint32_t children) {
    if (size_ < kInline) {
      inline_[size_] = children;
    } else {
      more_.push_back(children);
    }
    ++size_;
  }
  void pop() {
    if (size_ > kInline) more_.pop_back();
    --size_;
  }

 private:
  static constexpr std::size_t kInline = 16;
  std::uint32_t inline_[kInline];
  std::vector<std::uint32_t> more_;
  std::size_t size_ = 0;
};

template <typename Source>
TreeScan Read(Source& source, LoadBudget& budget, NameRule rule, TreeVisitor& visitor) {
  TreeScan scan;
  bool canonical = true;
  NodeHeader root;
  if (source.Header(root) < kHeaderBytes) canonical = false;
  if (root.name_length != 0 || root.data_length != 0 || root.reserved != 0) canonical = false;
  source.Skip(root.name_length);

  PendingStack pending;
  if (root.child_count) pending.push(root.child_count);
  // While a node's descendants are skipped: the level of its children (0 when none is).
  std::size_t silent_from = 0;
  bool stopped = false;
  while (!pending.empty()) {
    std::uint32_t& left = pending.top();
    if (left == 0) {
      pending.pop();
      if (silent_from != 0 && pending.size() >= silent_from) continue;
      silent_from = 0;
      if (!pending.empty()) visitor.Close();
      continue;
    }
    --left;
    const bool silent = silent_from != 0;
    const bool under_root = pending.size() == 1;
    NodeHeader header;
    const std::size_t got = source.Header(header);
    if (got == 0) {
      // Past the end: an empty node without children, if the budget allows one more.
      if (!budget.TakePhantom()) {
        stopped = true;
        break;
      }
      ++scan.phantoms;
      if (under_root) ++scan.root_children;
      if (silent) continue;
      const bool go_on = visitor.Open(std::string_view(), nullptr, 0, 0);
      visitor.TakeSkip();
      visitor.Close();
      if (!go_on) {
        stopped = true;
        break;
      }
      continue;
    }
    if (got < kHeaderBytes || header.reserved != 0) canonical = false;
    const unsigned char* name = nullptr;
    std::uint64_t name_length = source.Take(header.name_length, 0, name);
    if (name_length < header.name_length) canonical = false;
    if (rule == NameRule::kCutAtZero && name_length) {
      if (const void* zero = std::memchr(name, 0, name_length)) {
        name_length = static_cast<std::uint64_t>(static_cast<const unsigned char*>(zero) - name);
        canonical = false;
      }
    }
    const unsigned char* data = nullptr;
    std::uint64_t data_length = 0;
    if (header.data_length != 0) {
      data_length = source.Take(header.data_length, 1, data);
      if (data_length < header.data_length) canonical = false;
      if (data_length == 0) data = nullptr;
    }
    if (under_root) ++scan.root_children;
    if (silent) {
      if (header.child_count) pending.push(header.child_count);
      continue;
    }
    const bool go_on =
        visitor.Open(std::string_view(reinterpret_cast<const char*>(name),
                                      static_cast<std::size_t>(name_length)),
                     data, static_cast<std::uint32_t>(data_length), header.child_count);
    const bool skip = visitor.TakeSkip();
    if (!go_on) {
      visitor.Close();
      stopped = true;
      break;
    }
    if (header.child_count) {
      pending.push(header.child_count);
      if (skip) silent_from = pending.size();
    } else {
      visitor.Close();
    }
  }
  if (stopped) {
    // Close what is still open, innermost first; the root's level is not a node, and skipped
    // descendants were never opened.
    const std::size_t levels = silent_from != 0 ? silent_from : pending.size();
    for (std::size_t open = levels; open > 1; --open) visitor.Close();
  }
  scan.consumed = source.Used();
  scan.stopped = stopped;
  scan.canonical = canonical && !stopped && scan.phantoms == 0;
  return scan;
}

}  // namespace

TreeScan ReadTree(const unsigned char* bytes, std::uint64_t size, LoadBudget& budget, NameRule rule,
                  TreeVisitor& visitor) {
  SpanSource source(bytes, size);
  return Read(source, budget, rule, visitor);
}

TreeScan ReadTree(File& file, LoadBudget& budget, TreeVisitor& visitor) {
  FileSource source(file);
  return Read(source, budget, NameRule::kCutAtZero, visitor);
}

}  // namespace quillmap
