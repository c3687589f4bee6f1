// Atomic replacement of a file: check the target, write a temporary file beside it, fsync it,
// rename it over the target and fsync the folder. A crash or a full disk never leaves a
// half-written document behind, and what isn't a writable regular file is never replaced.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/model/document_lock.h"
#include "core/model/file.h"

namespace quillmap {

namespace {

// How long a save waits for another process that is writing the same temporary file.
constexpr std::chrono::seconds kTemporaryWait(30);

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The folder the file is written in, opened once: the temporary file is made, renamed and
// removed relative to it, so that its path (longer than the target's) never has to fit. A
// folder that may be written but not read is opened as a path only (and then can't be synced).
int OpenFolder(const std::string& folder, const std::string& target, bool& can_sync) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  can_sync = fd >= 0;
  if (fd < 0 && errno == EACCES) fd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw CannotWrite(target, errno);
  return fd;
}

// Refuses when the target no longer leads to the file a held lock says was read.
void CheckStillTheFileRead(const std::string& target, const FileIdentity& read) {
  if (!read.exists) return;
  if (!IdentityOf(target).SameFileAs(read)) {
    throw CannotWrite(target, ESTALE, FileError::Kind::kReplaced);
  }
}

// The file that saving replaces: the target itself, or the file a symbolic link points to (so
// the link survives the rename). A link that can't be followed is refused.
std::string ResolveWritePath(const std::string& target) {
  struct stat link_status {};
  if (::lstat(target.c_str(), &link_status) != 0) {
    if (errno == ENOENT) return target;  // a new file; a missing folder is reported at creation
    throw CannotWrite(target, errno);
  }
  if (!S_ISLNK(link_status.st_mode)) return target;
  char* resolved = ::realpath(target.c_str(), nullptr);
  if (resolved == nullptr) throw CannotWrite(target, errno, FileError::Kind::kBrokenLink);
  std::string path(resolved);
  std::free(resolved);
  return path;
}

// Refuses a target that exists and is not a writable regular file. Returns whether it exists
// (its status in status).
bool CheckTarget(const std::string& target, const std::string& write_path, struct stat& status) {
  if (::stat(write_path.c_str(), &status) != 0) {
    if (errno == ENOENT) return false;
    throw CannotWrite(target, errno);
  }
  if (!S_ISREG(status.st_mode)) {
    throw CannotWrite(target, S_ISDIR(status.st_mode) ? EISDIR : EINVAL,
                      FileError::Kind::kNotRegularFile);
  }
  // A file without write permission is read-only for everyone, root included: root's powers let
  // access() succeed, but a user who made a file read-only expects the editor to leave it alone.
  if (::access(write_path.c_str(), W_OK) != 0) {
    throw CannotWrite(target, errno, FileError::Kind::kReadOnly);
  }
  if ((status.st_mode & 0222) == 0) throw CannotWrite(target, EACCES, FileError::Kind::kReadOnly);
  return true;
}

// Opens the temporary file: a new, empty file created with create_mode (the umask applies),
// locked so that a concurrent save of the same target waits instead of writing into it. A
// leftover of a save that died is removed first; one that another live save holds is waited for.
int OpenTemporary(int folder, const std::string& temp, const std::string& target,
                  mode_t create_mode) {
  for (int round = 0; round < 100; ++round) {
    int fd = ::openat(folder, temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      create_mode);
    const bool created = fd >= 0;
    if (!created) {
      if (errno != EEXIST) throw CannotWrite(target, errno);
      fd =
          ::openat(folder, temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
      struct stat status {};
      if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        // Gone meanwhile, or not a file we can lock (a link, a FIFO, another user's file):
        // never write into it, take the name back.
        if (fd >= 0) ::close(fd);
        if (::unlinkat(folder, temp.c_str(), 0) != 0 && errno != ENOENT) {
          throw CannotWrite(target, errno);
        }
        continue;
      }
    }
    if (!LockExclusive(fd, kTemporaryWait)) {
      ::close(fd);
      throw CannotWrite(target, EWOULDBLOCK, FileError::Kind::kLocked);
    }
    // Whoever held the lock before may have renamed the file into place or removed it: only a
    // file that still has the temporary name is ours.
    struct stat held {};
    struct stat named {};
    const bool still_named = ::fstat(fd, &held) == 0 &&
                             ::fstatat(folder, temp.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
                             held.st_dev == named.st_dev && held.st_ino == named.st_ino;
    if (still_named && created) return fd;
    if (still_named) ::unlinkat(folder, temp.c_str(), 0);  // a leftover of a save that died
    ::close(fd);
  }
  throw CannotWrite(target, EBUSY);
}

// Gives the new file the owner, group and permissions of the file it replaces, before its first
// byte is written. When the group can't be kept (the user is not in it), the group's permissions
// are dropped rather than handed to another group.
void TakeOverOwnerAndMode(int fd, const std::string& target, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) throw CannotWrite(target, errno);
  mode_t mode = old.st_mode & 07777;
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      [[maybe_unused]] const int kept_group = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    if (::fstat(fd, &now) != 0) throw CannotWrite(target, errno);
    if (now.st_gid != old.st_gid) mode &= ~static_cast<mode_t>(070);
  }
  if (::fchmod(fd, mode) != 0) throw CannotWrite(target, errno);
}

// Makes a rename durable. A file system that can't sync folders (EINVAL) has nothing to sync.
void SyncFolder(int folder, const std::string& target) {
  if (::fsync(folder) != 0 && errno != EINVAL) throw CannotWrite(target, errno);
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  // FNV-1a of the name: stable across runs, so a later save finds a leftover by its name.
  std::uint64_t hash = 14695981039346656037ull;
  for (std::size_t i = name_start; i < path.size(); ++i) {
    hash = (hash ^ static_cast<unsigned char>(path[i])) * 1099511628211ull;
  }
  char name[40];
  std::snprintf(name, sizeof name, ".quillmap-%016llx.tmp", static_cast<unsigned long long>(hash));
  return path.substr(0, name_start) + name;
}

AtomicFileWriter::AtomicFileWriter(std::string target_path) : target_(std::move(target_path)) {
  std::string resolved;
  if (HeldDocument(target_, read_, resolved)) {
    // Resolved once, when the document was locked and read.
    CheckStillTheFileRead(target_, read_);
    write_path_ = resolved;
  } else {
    write_path_ = ResolveWritePath(target_);
  }
  struct stat old {};
  const bool exists = CheckTarget(target_, write_path_, old);
  folder_ = OpenFolder(FolderOf(write_path_), target_, folder_can_sync_);
  write_name_ = NameOf(write_path_);
  temp_name_ = NameOf(TemporaryPathFor(write_path_));
  try {
    // A new file gets the umask's mode; an existing one's mode never widens on the way (the
    // umask may only narrow it until TakeOverOwnerAndMode sets it exactly).
    const int fd =
        OpenTemporary(folder_, temp_name_, target_, exists ? (old.st_mode & 0777) : 0666);
    file_.AdoptForWriting(fd, target_);
    if (exists) TakeOverOwnerAndMode(fd, target_, old);
  } catch (...) {
    if (file_.IsOpen()) {
      ::unlinkat(folder_, temp_name_.c_str(), 0);
      file_.Close();
    }
    ::close(folder_);
    throw;
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  if (!committed_ && file_.IsOpen()) {
    // Still holding the temporary file's lock, so the name is ours to remove.
    ::unlinkat(folder_, temp_name_.c_str(), 0);
    try {
      file_.Close();
    } catch (const FileError&) {
    }
  }
  if (folder_ >= 0) ::close(folder_);
}

void AtomicFileWriter::Commit() {
  try {
    file_.Sync();
  } catch (const FileError& error) {
    throw CannotWrite(target_, error.error_number());
  }
  written_ = IdentityOfDescriptor(file_.Descriptor());
  // The last look before replacing: the name must still lead to the file that was read.
  CheckStillTheFileRead(target_, read_);
  // Renamed while the lock is held, so no other save can start writing into it before.
  if (::renameat(folder_, temp_name_.c_str(), folder_, write_name_.c_str()) != 0) {
    throw CannotWrite(target_, errno);
  }
  committed_ = true;
  try {
    file_.Close();  // the bytes are on the disk already
  } catch (const FileError&) {
  }
  if (folder_can_sync_) SyncFolder(folder_, target_);
}

bool RemoveAbandonedTemporary(const std::string& path) {
  std::string write_path;
  try {
    write_path = ResolveWritePath(path);
  } catch (const FileError&) {
    return false;
  }
  bool can_sync = false;
  int folder = -1;
  try {
    folder = OpenFolder(FolderOf(write_path), path, can_sync);
  } catch (const FileError&) {
    return false;
  }
  const std::string temp = NameOf(TemporaryPathFor(write_path));
  bool removed = false;
  const int fd =
      ::openat(folder, temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  struct stat held {};
  struct stat named {};
  // Only a regular file whose lock nobody holds (its writer is gone) and that still has the name.
  if (fd >= 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
      ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      ::fstatat(folder, temp.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
      held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
    removed = ::unlinkat(folder, temp.c_str(), 0) == 0;
  }
  if (fd >= 0) ::close(fd);
  ::close(folder);
  return removed;
}

}  // namespace quillmap
