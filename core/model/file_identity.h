#pragma once
// Which file a path names, and in what state: device and inode (after following symbolic
// links), size and modification time. Lets writers refuse to replace the file they read from,
// and lets the editor notice that another program changed a document since it was read.

#include <cstdint>
#include <string>

namespace quillmap {

struct FileIdentity {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t mtime_ns = 0;  // modification time in nanoseconds since the epoch

  // The same file (device and inode), whatever its state.
  bool SameFileAs(const FileIdentity& other) const {
    return exists && other.exists && device == other.device && inode == other.inode;
  }
  // The same file in the same state.
  bool operator==(const FileIdentity& other) const = default;
};

// The identity of what path names now; exists is false when it can't be reached.
FileIdentity IdentityOf(const std::string& path);

// The identity of an open file.
FileIdentity IdentityOfDescriptor(int fd);

// True when path itself is a symbolic link (whatever it leads to).
bool IsSymbolicLink(const std::string& path);

// True when both paths name one existing file (hard links, symbolic links and different
// spellings of a path included).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace quillmap
