// Advisory document locks with flock: held on the document's file while a command reads,
// changes and saves it.
#include "core/model/document_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "core/model/file.h"

namespace quillmap {

namespace {

// The locks this process holds, so that a writer of the same path finds what was locked.
std::mutex held_mutex;
std::vector<const DocumentLock*>& HeldLocks() {
  static std::vector<const DocumentLock*> locks;
  return locks;
}

}  // namespace

bool HeldDocument(const std::string& path, FileIdentity& file, std::string& resolved) {
  const std::lock_guard<std::mutex> guard(held_mutex);
  for (const DocumentLock* lock : HeldLocks()) {
    if (lock->HeldPath() == path) {
      file = lock->LockedFile();
      resolved = lock->ResolvedPath();
      return true;
    }
  }
  return false;
}

bool LockExclusive(int fd, std::chrono::milliseconds wait) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + wait;
  std::chrono::milliseconds pause(1);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == EINTR) continue;
    // A file system without flock (ENOLCK, EINVAL): the lock is advisory, so go on without it
    // rather than refuse every save there.
    if (errno != EWOULDBLOCK) return true;
    const Clock::time_point now = Clock::now();
    if (now >= deadline) return false;
    std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
}

DocumentLock::~DocumentLock() {
  Unlock();
}

void DocumentLock::Unlock() {
  if (fd_ < 0) return;
  {
    const std::lock_guard<std::mutex> guard(held_mutex);
    std::erase(HeldLocks(), this);
  }
  ::close(fd_);  // closing the only descriptor releases the flock
  fd_ = -1;
  path_.clear();
  resolved_.clear();
  locked_ = FileIdentity();
}

DocumentLock::State DocumentLock::Lock(const std::string& path, std::chrono::milliseconds wait) {
  Unlock();
  // Each round that finds the path naming a new file was outrun by a save; a few rounds settle.
  for (int round = 0; round < 100; ++round) {
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0) {
      if (errno == ENOENT) return State::kNoFile;
      const int error_number = errno;
      throw CannotWrite(
          path, error_number,
          IsSymbolicLink(path) ? FileError::Kind::kBrokenLink : FileError::Kind::kSystem);
    }
    if (!S_ISREG(named.st_mode)) {
      // Refused before opening: opening a FIFO or a device may block or have effects.
      throw CannotWrite(path, S_ISDIR(named.st_mode) ? EISDIR : EINVAL,
                        FileError::Kind::kNotRegularFile);
    }
    constexpr int kFlags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    int fd = ::open(path.c_str(), O_RDONLY | kFlags);
    if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | kFlags);
    if (fd < 0) {
      if (errno == ENOENT) continue;
      throw CannotWrite(path, errno);
    }
    if (!LockExclusive(fd, wait)) {
      ::close(fd);
      return State::kBusy;
    }
    const FileIdentity locked = IdentityOfDescriptor(fd);
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr && errno != ENOENT) {
      const int error_number = errno;
      ::close(fd);
      throw CannotWrite(
          path, error_number,
          IsSymbolicLink(path) ? FileError::Kind::kBrokenLink : FileError::Kind::kSystem);
    }
    if (resolved != nullptr && locked.SameFileAs(IdentityOf(resolved)) &&
        locked.SameFileAs(IdentityOf(path))) {
      fd_ = fd;
      path_ = path;
      locked_ = locked;
      resolved_ = resolved;
      std::free(resolved);
      const std::lock_guard<std::mutex> guard(held_mutex);
      HeldLocks().push_back(this);
      return State::kLocked;
    }
    std::free(resolved);
    ::close(fd);  // the file was replaced while we waited: lock the one the path names now
  }
  return State::kBusy;
}

}  // namespace quillmap
