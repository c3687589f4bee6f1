#include "core/model/file_identity.h"

#include <sys/stat.h>

namespace quillmap {

namespace {

FileIdentity FromStatus(const struct stat& status) {
  FileIdentity identity;
  identity.exists = true;
  identity.device = static_cast<std::uint64_t>(status.st_dev);
  identity.inode = static_cast<std::uint64_t>(status.st_ino);
  identity.size = static_cast<std::uint64_t>(status.st_size);
  identity.mtime_ns = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 +
                      static_cast<std::int64_t>(status.st_mtim.tv_nsec);
  return identity;
}

}  // namespace

FileIdentity IdentityOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return FileIdentity();
  return FromStatus(status);
}

FileIdentity IdentityOfDescriptor(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return FileIdentity();
  return FromStatus(status);
}

bool IsSymbolicLink(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  return IdentityOf(a).SameFileAs(IdentityOf(b));
}

}  // namespace quillmap
