#pragma once
// How far a long load or save has come, for a window that shows it: done and total are bytes
// (total may be an estimate). Called every few megabytes, and not at all for small documents.

#include <cstdint>
#include <functional>

namespace quillmap {

using ProgressFunction = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Bytes between two calls of a progress function.
inline constexpr std::uint64_t kProgressStep = 4u << 20;

}  // namespace quillmap
