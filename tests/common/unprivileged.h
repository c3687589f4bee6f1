#pragma once
// Runs part of a test as a user without root powers. The tests often run as root, where
// permission checks never fail; a forked child that drops to "nobody" shows what a user sees.
// The child reports through its exit status (0 passed) and explains a failure on stderr.

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

namespace test_support {

inline constexpr uid_t kNobody = 65534;
inline constexpr int kCannotDropPrivileges = 77;

// In the child: fails the child with the condition's text unless it holds.
#define CHILD_EXPECT(condition)                                                                \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "%s:%d: child check failed: %s\n", __FILE__, __LINE__, #condition); \
      return 1;                                                                                \
    }                                                                                          \
  } while (false)

// Runs body in a forked child that, when the test runs as root, first becomes nobody (no
// supplementary groups). Returns body's result, kCannotDropPrivileges when the child could not
// drop root's powers, -1 when it did not exit normally.
inline int RunUnprivileged(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(kCannotDropPrivileges);
    }
    if (geteuid() == 0) _exit(kCannotDropPrivileges);
    const int result = body();
    std::fflush(nullptr);
    _exit(result);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Makes a file or folder of the test the unprivileged child's own (when the test runs as root),
// e.g. the test's temporary folder, so that the child may create files in it.
inline void GiveToChild(const std::string& path) {
  if (geteuid() == 0 && chown(path.c_str(), kNobody, kNobody) != 0) std::perror("chown");
}

}  // namespace test_support
