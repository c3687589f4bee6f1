// Advisory document locks with flock: held on the document's file while a command reads,
// changes and saves it.
#include "core/model/document_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "core/model/file.h"

namespace quillmap {

namespace {

bool IsSymbolicLink(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

}  // namespace

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
  if (fd_ >= 0) ::close(fd_);  // closing the only descriptor releases the flock
  fd_ = -1;
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
    struct stat locked {};
    struct stat now {};
    if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &now) == 0 &&
        locked.st_dev == now.st_dev && locked.st_ino == now.st_ino) {
      fd_ = fd;
      return State::kLocked;
    }
    ::close(fd);  // the file was replaced while we waited: lock the one the path names now
  }
  return State::kBusy;
}

}  // namespace quillmap
