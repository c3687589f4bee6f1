#pragma once
// Helpers of the model tests: building .dcm bytes by hand and loading or saving through memory.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/model/file.h"
#include "core/model/spec_store.h"

namespace quillmap::testing {

inline void PutU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// A node header {children, name length, data length, 0} followed by the name and data bytes.
inline std::string Node(std::uint32_t children, std::string_view name, std::string_view data = {}) {
  std::string out;
  PutU32(out, children);
  PutU32(out, static_cast<std::uint32_t>(name.size()));
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  PutU32(out, 0);
  out.append(name);
  out.append(data);
  return out;
}

inline std::string RawHeader(std::uint32_t children, std::uint32_t name_length,
                             std::uint32_t data_length) {
  std::string out;
  PutU32(out, children);
  PutU32(out, name_length);
  PutU32(out, data_length);
  PutU32(out, 0);
  return out;
}

inline std::string FileHeader(std::uint32_t reserved1 = 0, std::uint32_t reserved2 = 0) {
  std::string out;
  PutU32(out, 16);
  out.append("01PS");
  PutU32(out, reserved1);
  PutU32(out, reserved2);
  return out;
}

// The default document-information tree: title/title, copyright/Copyright.
inline std::string DefaultInfoTree() {
  return Node(2, "") + Node(1, "title") + Node(0, "title") + Node(1, "copyright") +
         Node(0, "Copyright");
}

inline std::string Section(std::string_view kind, std::uint32_t count) {
  std::string out = "0001";
  out.append(kind);
  PutU32(out, count);
  out.append(28, '\0');
  return out;
}

inline std::string SaveToBytes(const SpecStore& store) {
  File file;
  file.OpenMemoryWrite();
  store.Save(&file);
  return file.MemoryBytes();
}

inline bool LoadFromBytes(SpecStore& store, std::string_view bytes) {
  File file;
  file.OpenMemory(bytes);
  return store.Load(&file);
}

}  // namespace quillmap::testing
