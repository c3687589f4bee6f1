#include "core/model/file_identity.h"

#include <sys/stat.h>

namespace quillmap {

FileIdentity IdentityOf(const std::string& path) {
  FileIdentity identity;
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return identity;
  identity.exists = true;
  identity.device = static_cast<std::uint64_t>(status.st_dev);
  identity.inode = static_cast<std::uint64_t>(status.st_ino);
  identity.size = static_cast<std::uint64_t>(status.st_size);
  identity.mtime_ns = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 +
                      static_cast<std::int64_t>(status.st_mtim.tv_nsec);
  return identity;
}

bool SameFile(const std::string& a, const std::string& b) {
  return IdentityOf(a).SameFileAs(IdentityOf(b));
}

}  // namespace quillmap
