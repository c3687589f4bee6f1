#pragma once
// FileSizeLimit: while it lives, files this process writes can't grow past a given size, and a
// write beyond it fails with EFBIG (instead of the signal stopping the process). Makes a write
// fail in the same way for every user; a read-only folder stops no one who runs as root.

#include <sys/resource.h>

#include <csignal>

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_limit_);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_limit_;
    small.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  bool ok() const { return ok_; }

 private:
  rlimit old_limit_{};
  void (*old_handler_)(int) = nullptr;
  bool ok_ = false;
};
