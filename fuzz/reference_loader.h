#pragma once
// The oracle of the load fuzzer: the .dcm rules written as plainly as possible, reading node by
// node into nested vectors and writing the document back. The store keeps records as the bytes
// they took and reads them again on demand; whatever it does, it must save what this writes.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/model/load_budget.h"

namespace quillmap::reference {

struct Node {
  std::string name;
  std::string data;
  std::vector<Node> children;
};

class Loader {
 public:
  explicit Loader(const std::string& bytes)
      : bytes_(bytes), budget_(bytes.size()) {}

  // False when the header check fails; otherwise the document as it saves.
  bool LoadAndSave(std::string& saved) {
    unsigned char header[16] = {};
    const std::size_t got = Take(header, 16);
    if (got < 8 || U32(header) != 16 || std::memcmp(header + 4, "01PS", 4) != 0) return false;
    Node info = ReadTree();
    std::vector<Node> functions;
    std::vector<Node> structures;
    while (!budget_.Exhausted()) {
      unsigned char tag[8];
      unsigned char section[32];
      if (Take(tag, 8) != 8 || Take(section, 32) != 32) break;
      std::vector<Node>* list = std::memcmp(tag + 4, "FUNC", 4) == 0   ? &functions
                                : std::memcmp(tag + 4, "STRC", 4) == 0 ? &structures
                                                                       : nullptr;
      if (list == nullptr) continue;
      const std::uint32_t count = U32(section);
      for (std::uint32_t i = 0; i < count && !budget_.Exhausted(); ++i) {
        const std::size_t before = pos_;
        Node record = ReadTree();
        if (pos_ == before && !budget_.TakePhantom()) break;
        list->push_back(std::move(record));
      }
    }
    saved.clear();
    PutU32(saved, 16);
    saved += "01PS";
    PutU32(saved, 0);
    PutU32(saved, 0);
    Write(info, saved);
    for (const auto* list : {&functions, &structures}) {
      saved += list == &functions ? "0001FUNC" : "0001STRC";
      PutU32(saved, static_cast<std::uint32_t>(list->size()));
      saved.append(28, '\0');
      for (const Node& record : *list) Write(record, saved);
    }
    return true;
  }

 private:
  static std::uint32_t U32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  }
  static void PutU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
  }
  std::size_t Take(unsigned char* out, std::size_t n) {
    const std::size_t got = std::min(n, bytes_.size() - pos_);
    std::memcpy(out, bytes_.data() + pos_, got);
    pos_ += got;
    return got;
  }
  std::string TakeString(std::uint32_t n) {
    const std::size_t got = std::min<std::size_t>(n, bytes_.size() - pos_);
    std::string out = bytes_.substr(pos_, got);
    pos_ += got;
    return out;
  }
  // A tree record: the root's header and name (skipped), then its children.
  Node ReadTree() {
    unsigned char header[16] = {};
    Take(header, 16);
    TakeString(U32(header + 4));
    Node root;
    ReadChildren(root, U32(header));
    return root;
  }
  // False when the budget ran out.
  bool ReadChildren(Node& parent, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
      unsigned char header[16] = {};
      if (Take(header, 16) == 0) {
        if (!budget_.TakePhantom()) return false;
        parent.children.emplace_back();
        continue;
      }
      Node node;
      node.name = TakeString(U32(header + 4));
      node.name.resize(std::strlen(node.name.c_str()));  // cut at the first zero byte
      if (U32(header + 8) != 0) node.data = TakeString(U32(header + 8));
      parent.children.push_back(std::move(node));
      if (!ReadChildren(parent.children.back(), U32(header))) return false;
    }
    return true;
  }
  static void Write(const Node& node, std::string& out) {
    PutU32(out, static_cast<std::uint32_t>(node.children.size()));
    PutU32(out, static_cast<std::uint32_t>(node.name.size()));
    PutU32(out, static_cast<std::uint32_t>(node.data.size()));
    PutU32(out, 0);
    out += node.name;
    out += node.data;
    for (const Node& child : node.children) Write(child, out);
  }

  const std::string& bytes_;
  std::size_t pos_ = 0;
  LoadBudget budget_;
};

}  // namespace quillmap::reference
