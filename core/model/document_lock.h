#pragma once
// An advisory lock (flock) on a document for a read-modify-write: a command that loads a
// document, changes it and saves it holds the lock for its whole run, so that two such commands
// (or a command and the editor's Save) never work on the same state and one change is lost.

#include <chrono>
#include <string>

#include "core/model/file_identity.h"

namespace quillmap {

// Takes an exclusive flock on the open file fd, waiting up to wait while another holds it.
// False when the wait ran out.
bool LockExclusive(int fd, std::chrono::milliseconds wait);

class DocumentLock {
 public:
  enum class State {
    kLocked,  // the lock is held
    kNoFile,  // path names no file: there is nothing to protect yet
    kBusy,    // another program held the lock for the whole wait
  };

  DocumentLock() = default;
  ~DocumentLock();  // releases the lock
  DocumentLock(const DocumentLock&) = delete;
  DocumentLock& operator=(const DocumentLock&) = delete;

  // Locks the file that path names (after symbolic links). Saving replaces a document by a new
  // file, so a lock taken on the file a path named before is dropped and taken again on the file
  // it names now. Raises FileError naming path when the file can't be opened or is not a
  // regular file (which would never be saved anyway).
  State Lock(const std::string& path, std::chrono::milliseconds wait);
  void Unlock();
  bool IsLocked() const { return fd_ >= 0; }
  // The file locked (device and inode) and the path it was reached by after symbolic links,
  // both taken once when the lock was had.
  const FileIdentity& LockedFile() const { return locked_; }
  const std::string& ResolvedPath() const { return resolved_; }
  const std::string& HeldPath() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;  // as the caller named it
  FileIdentity locked_;
  std::string resolved_;
};

// The document this process holds a lock on under exactly this path name: true, with the locked
// file and its resolved path, while a DocumentLock taken with path is held. Lets every writer of
// that path insist on the file that was read.
bool HeldDocument(const std::string& path, FileIdentity& file, std::string& resolved);

}  // namespace quillmap
