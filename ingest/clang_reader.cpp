// The command's side of the C reader: runs quillmap-c-reader once per file, hands it the request
// on its standard input (a memory file, so that neither side can block the other) and reads the
// answer from a pipe until the reader ends.
#include "ingest/clang_reader.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "ingest/reader_protocol.h"

extern char** environ;

namespace quillmap::ingest {

namespace {

// The Debian packages that hold libclang and clang's own headers (stddef.h, stdarg.h, ...).
#ifndef QUILLMAP_LIBCLANG_PACKAGES
#define QUILLMAP_LIBCLANG_PACKAGES "libclang1 libclang-common-dev"
#endif
constexpr char kInstallHint[] = "install " QUILLMAP_LIBCLANG_PACKAGES;

// The dynamic loader's status when a library the program needs is missing.
constexpr int kLoaderFailed = 127;

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

ReadResult Failure(const std::string& path, std::string message, bool unavailable = false) {
  ReadResult result;
  result.file.path = path;
  result.unavailable = unavailable;
  result.errors.push_back(std::move(message));
  return result;
}

std::string HowItEnded(int status) {
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    const char* name = ::strsignal(signal);
    return "was killed by signal " + std::to_string(signal) +
           (name ? std::string(" (") + name + ")" : "");
  }
  if (WEXITSTATUS(status) == 0) return "gave no answer that could be read";
  return "stopped with status " + std::to_string(WEXITSTATUS(status)) + " and no answer";
}

}  // namespace

ClangReader::ClangReader(std::vector<std::string> compiler_args)
    : args_(std::move(compiler_args)) {}

std::string ClangReader::ReaderPath() {
  if (const char* path = std::getenv("QUILLMAP_C_READER"); path != nullptr && *path != '\0') {
    return path;
  }
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "quillmap-c-reader";
  const std::filesystem::path installed =
      self.parent_path().parent_path() / "lib" / "quillmap" / "quillmap-c-reader";
  if (std::filesystem::exists(installed, error)) return installed.string();
  return (self.parent_path() / "quillmap-c-reader").string();
}

ReadResult ClangReader::Read(const std::string& path, const ReadOptions& options) const {
  const std::string reader = ReaderPath();
  if (::access(reader.c_str(), X_OK) != 0) {
    return Failure(path,
                   "quillmap-cli reads C with " + reader + ", which is missing (" +
                       std::strerror(errno) +
                       "): reinstall quillmap, or build it where libclang-dev is installed",
                   true);
  }

  // The request waits in a memory file that becomes the reader's standard input.
  Fd request(::memfd_create("quillmap-c-reader-request", MFD_CLOEXEC));
  int answer_pipe[2];
  if (request.get() < 0 || ::pipe2(answer_pipe, O_CLOEXEC) != 0) {
    return Failure(path, path + ": could not start the C reader: " + std::strerror(errno));
  }
  Fd answer_in(answer_pipe[0]);
  Fd answer_out(answer_pipe[1]);
  if (!WriteWhole(request.get(), EncodeRequest({args_, path, options})) ||
      ::lseek(request.get(), 0, SEEK_SET) != 0) {
    return Failure(path, path + ": could not start the C reader: " + std::strerror(errno));
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, request.get(), STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, answer_out.get(), STDOUT_FILENO);
  // The reader speaks only through its answer; what the dynamic loader or a crash would print
  // is summed up here in one line.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = reader;
  char* argv[] = {program.data(), nullptr};
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, reader.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  answer_out.Close();
  request.Close();
  if (spawned != 0) {
    return Failure(path, "could not start the C reader " + reader + ": " + std::strerror(spawned),
                   true);
  }

  std::string answer;
  const bool read = ReadToEnd(answer_in.get(), answer);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (read && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    if (std::optional<ReadResult> result = DecodeResult(answer)) return std::move(*result);
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kLoaderFailed && answer.empty()) {
    return Failure(
        path,
        std::string("quillmap-cli reads C with libclang, which is not installed: ") + kInstallHint,
        true);
  }
  return Failure(path, path + ": the C reader " + HowItEnded(status) + " while reading this file");
}

}  // namespace quillmap::ingest
