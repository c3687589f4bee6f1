// Atomic replacement of a file: write a temporary file beside the target, fsync it, rename it over
// the target. A crash or a full disk never leaves a half-written document behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/model/file.h"

namespace quillmap {

namespace {

// The file that saving replaces: the target itself, or the file a symbolic link points to (so
// the link survives the rename).
std::string ResolveWritePath(const std::string& target) {
  struct stat link_status {};
  if (::lstat(target.c_str(), &link_status) != 0 || !S_ISLNK(link_status.st_mode)) return target;
  char* resolved = ::realpath(target.c_str(), nullptr);
  if (resolved == nullptr) return target;  // a dangling link: replace the link itself
  std::string path(resolved);
  std::free(resolved);
  return path;
}

std::string TempPathFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string target_path)
    : target_(std::move(target_path)),
      write_path_(ResolveWritePath(target_)),
      temp_(TempPathFor(write_path_)) {
  struct stat status {};
  if (::stat(target_.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
    throw FileError(target_, EISDIR, "can't write '" + target_ + "': " + std::strerror(EISDIR));
  }
  try {
    file_.Open(temp_, File::Mode::kCreateWrite);
  } catch (const FileError& error) {
    // Name the file the user asked for, not our temporary one.
    throw FileError(target_, error.error_number(),
                    "can't write '" + target_ + "': " + std::strerror(error.error_number()));
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  if (committed_) return;
  try {
    file_.Close();
  } catch (const FileError&) {
  }
  ::unlink(temp_.c_str());
}

void AtomicFileWriter::Commit() {
  try {
    file_.Sync();
    file_.Close();
  } catch (const FileError& error) {
    throw FileError(target_, error.error_number(),
                    "can't write '" + target_ + "': " + std::strerror(error.error_number()));
  }
  // Keep the permissions of the file being replaced.
  struct stat status {};
  if (::stat(write_path_.c_str(), &status) == 0) ::chmod(temp_.c_str(), status.st_mode & 07777);
  if (::rename(temp_.c_str(), write_path_.c_str()) != 0) {
    int error_number = errno;
    throw FileError(target_, error_number,
                    "can't write '" + target_ + "': " + std::strerror(error_number));
  }
  committed_ = true;
}

}  // namespace quillmap
