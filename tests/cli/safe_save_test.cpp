// quillmap-cli writing files safely: what it refuses to replace, read-only documents, links,
// killed and failed saves, long names, concurrent adds, and exports next to their document.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/model/document_lock.h"
#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/text/concat.h"
#include "tests/common/unprivileged.h"

namespace {

namespace fs = std::filesystem;

struct Result {
  int status = -1;  // exit status; -1 when killed
  std::string err;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// A running quillmap-cli whose stderr goes to a file.
struct Running {
  pid_t pid = -1;
  std::string err_path;
};

// Starts quillmap-cli; prepare runs in the child before the program starts (limits, user).
Running Start(const std::vector<std::string>& args, const std::string& err_path,
              const std::function<void()>& prepare = {}) {
  std::vector<std::string> copies{QUILLMAP_CLI};
  copies.insert(copies.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int null = open("/dev/null", O_WRONLY);
    dup2(err, 2);
    dup2(null, 1);
    if (prepare) prepare();
    execv(argv[0], argv.data());
    _exit(127);
  }
  return {pid, err_path};
}

Result Finish(const Running& running) {
  int status = 0;
  waitpid(running.pid, &status, 0);
  Result result;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.err = ReadAll(running.err_path);
  return result;
}

// In the child: a file-size limit that stands in for a full disk.
void LimitFileSize(rlim_t bytes) {
  signal(SIGXFSZ, SIG_IGN);
  rlimit limit{bytes, bytes};
  setrlimit(RLIMIT_FSIZE, &limit);
}

// In the child: become a user without root powers (when root); 77 when that fails.
void BecomeUnprivileged() {
  if (geteuid() != 0) return;
  if (setgroups(0, nullptr) != 0 || setgid(test_support::kNobody) != 0 ||
      setuid(test_support::kNobody) != 0) {
    _exit(test_support::kCannotDropPrivileges);
  }
}

class SafeSaveCli : public ::testing::Test {
 protected:
  static constexpr int kBigCount = 4000;

  void SetUp() override {
    char pattern[] = "/tmp/quillmap-cli-safe-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    fs::create_directory(dir_ / "out");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string ErrPath(int n = 0) const { return (dir_ / "out" / std::to_string(n)).string(); }
  Result Run(const std::vector<std::string>& args, const std::function<void()>& prepare = {}) {
    return Finish(Start(args, ErrPath(), prepare));
  }
  // The names in the test folder (without the folder of outputs).
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      if (entry.path().filename() != "out") names.insert(entry.path().filename().string());
    }
    return names;
  }
  std::string NewDocument(const std::string& name) {
    const Result result = Run({"new", Path(name)});
    EXPECT_EQ(result.status, 0) << result.err;
    return Path(name);
  }
  // A document of about 1 MB, so that a save takes a while.
  std::string BigDocument(const std::string& name) {
    quillmap::SpecStore store;
    for (int i = 0; i < kBigCount; ++i) store.AddFunction("function_number_" + std::to_string(i));
    quillmap::SaveStoreToPath(store, Path(name));
    return Path(name);
  }
  static std::string Refusal(const std::string& path, const std::string& reason) {
    return "can't write '" + path + "': " + reason + "\n";
  }

  fs::path dir_;
};

TEST_F(SafeSaveCli, FifoIsRefusedAndStaysAFifo) {
  const std::string fifo = Path("f.dcm");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  for (const char* command : {"new", "add"}) {
    std::vector<std::string> args{command, fifo};
    if (args[0] == "add") args.push_back("int f(void)");  // refused before reading: no hang
    const Result result = Run(args);
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_EQ(result.err, Refusal(fifo, "not a regular file")) << command;
  }
  struct stat status {};
  ASSERT_EQ(lstat(fifo.c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  EXPECT_EQ(Entries(), std::set<std::string>{"f.dcm"});
}

TEST_F(SafeSaveCli, DeviceIsRefusedWhoeverRunsIt) {
  // The test's own null device: a failure would replace only this copy, never /dev/null.
  const std::string device = Path("null");
  if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "can't make a device node here (needs root): " << std::strerror(errno);
  }
  for (const char* command : {"new", "resave"}) {
    std::vector<std::string> args{command};
    if (args[0] == "resave") args.push_back(NewDocument("doc.dcm"));
    args.push_back(device);
    const Result result = Run(args);
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_EQ(result.err, Refusal(device, "not a regular file")) << command;
  }
  struct stat status {};
  ASSERT_EQ(lstat(device.c_str(), &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode));
}

TEST_F(SafeSaveCli, ReadOnlyDocumentAndPageAreRefusedForEveryUser) {
  const std::string doc = NewDocument("d.dcm");
  chmod(doc.c_str(), 0444);
  const std::string page = Path("page.htm");
  std::ofstream(page) << "old page";
  chmod(page.c_str(), 0444);
  const std::string before = ReadAll(doc);
  test_support::GiveToChild(dir_.string());
  test_support::GiveToChild(doc);
  test_support::GiveToChild(page);
  // As this user (root on the CI: refused by the permission bits) and as one without powers.
  for (bool unprivileged : {false, true}) {
    std::function<void()> prepare;
    if (unprivileged) prepare = BecomeUnprivileged;
    Result result = Run({"add", doc, "int f(void)"}, prepare);
    if (result.status == test_support::kCannotDropPrivileges) {
      GTEST_SKIP() << "can't run as a user without root powers";
    }
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Refusal(doc, "Permission denied"));
    result = Run({"export", doc, page}, prepare);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "export: " + Refusal(page, "Permission denied"));
  }
  EXPECT_EQ(ReadAll(doc), before);
  EXPECT_EQ(ReadAll(page), "old page");
  EXPECT_EQ(Entries(), (std::set<std::string>{"d.dcm", "page.htm"}));
}

TEST_F(SafeSaveCli, GoodLinksAreWrittenThroughOthersRefusedAndKept) {
  const std::string doc = NewDocument("real.dcm");
  fs::create_symlink("real.dcm", Path("good.dcm"));
  ASSERT_EQ(Run({"add", Path("good.dcm"), "int f(void)"}).status, 0);
  EXPECT_TRUE(fs::is_symlink(Path("good.dcm")));
  quillmap::SpecStore store;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(store, doc));
  EXPECT_EQ(store.FindFunction("f"), 0);

  fs::create_symlink("missing.dcm", Path("dangling.dcm"));
  fs::create_symlink("loop.dcm", Path("loop.dcm"));
  Result result = Run({"new", Path("dangling.dcm")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, Refusal(Path("dangling.dcm"),
                                "the symbolic link can't be followed (No such file or directory)"));
  for (const char* command : {"new", "add"}) {
    std::vector<std::string> args{command, Path("loop.dcm")};
    if (args[0] == "add") args.push_back("int g(void)");
    result = Run(args);
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_EQ(result.err,
              Refusal(Path("loop.dcm"),
                      "the symbolic link can't be followed (Too many levels of symbolic links)"))
        << command;
  }
  EXPECT_EQ(fs::read_symlink(Path("dangling.dcm")), "missing.dcm");
  EXPECT_EQ(fs::read_symlink(Path("loop.dcm")), "loop.dcm");
  EXPECT_EQ(Entries(), (std::set<std::string>{"real.dcm", "good.dcm", "dangling.dcm", "loop.dcm"}));
  // (A link into a folder the user can't enter is refused the same way; the core's tests show it
  // as a user without root powers.)
}

TEST_F(SafeSaveCli, ResaveKeepsAPrivateDocumentPrivate) {
  const std::string big = BigDocument("big.dcm");
  const std::string target = NewDocument("p.dcm");
  chmod(target.c_str(), 0600);
  ASSERT_EQ(Run({"resave", big, target}).status, 0);
  struct stat status {};
  ASSERT_EQ(stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadAll(target), ReadAll(big));
  EXPECT_EQ(Entries(), (std::set<std::string>{"big.dcm", "p.dcm"}));
}

TEST_F(SafeSaveCli, KilledSavesLeaveAWholeDocumentAndAtMostOneLeftover) {
  const std::string big = BigDocument("big.dcm");
  const std::string target = NewDocument("doc.dcm");
  const std::string old_bytes = ReadAll(target);
  const std::string new_bytes = ReadAll(big);
  const std::string temp_name = fs::path(quillmap::TemporaryPathFor(target)).filename();
  // Kills spread over the time one whole save takes: some while reading, some while writing.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Run({"resave", big, Path("timing.dcm")}).status, 0);
  const auto whole = std::chrono::steady_clock::now() - start;
  fs::remove(Path("timing.dcm"));
  constexpr int kRounds = 12;
  int killed_with_leftover = 0;
  for (int round = 0; round < kRounds; ++round) {
    const Running running = Start({"resave", big, target}, ErrPath());
    std::this_thread::sleep_for(whole * (round + 1) / (kRounds + 1));
    kill(running.pid, SIGKILL);
    Finish(running);
    const std::string now = ReadAll(target);
    EXPECT_TRUE(now == old_bytes || now == new_bytes) << "round " << round << ": mixed file";
    std::set<std::string> entries = Entries();
    if (entries.erase(temp_name)) ++killed_with_leftover;
    EXPECT_EQ(entries, (std::set<std::string>{"big.dcm", "doc.dcm"})) << "round " << round;
    // Put the old document back for the next round, through the writer like any save.
    ASSERT_EQ(Run({"new", target}).status, 0);
    EXPECT_FALSE(fs::exists(Path(temp_name)));
  }
  std::printf("[          ] %d of %d killed saves left their one temporary file\n",
              killed_with_leftover, kRounds);
}

TEST_F(SafeSaveCli, LongestNameTheFileSystemTakesWorks) {
  std::string name(251, 'n');
  name += ".dcm";
  ASSERT_EQ(name.size(), 255u);
  const std::string doc = NewDocument(name);
  Result result = Run({"add", doc, "int f(void)"});
  EXPECT_EQ(result.status, 0) << result.err;
  std::string page_name(251, 'p');
  result = Run({"export", doc, Path(page_name + ".htm")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Entries(), (std::set<std::string>{name, page_name + ".htm"}));
}

TEST_F(SafeSaveCli, FullDiskNamesTheDocumentAndKeepsTheOldOne) {
  const std::string big = BigDocument("big.dcm");
  const std::string target = NewDocument("doc.dcm");
  const std::string before = ReadAll(target);
  const Result result = Run({"resave", big, target}, [] { LimitFileSize(64 * 1024); });
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, Refusal(target, "File too large"));
  EXPECT_EQ(result.err.find(".quillmap-"), std::string::npos);
  EXPECT_EQ(ReadAll(target), before);
  EXPECT_EQ(Entries(), (std::set<std::string>{"big.dcm", "doc.dcm"}));
}

TEST_F(SafeSaveCli, ConcurrentAddsAllLand) {
  const std::string doc = BigDocument("s.dcm");
  constexpr int kRounds = 5;
  for (int round = 0; round < kRounds; ++round) {
    const std::string one = "one_" + std::to_string(round);
    const std::string two = "two_" + std::to_string(round);
    const Running first = Start({"add", doc, "int " + one + "(void)"}, ErrPath(1));
    const Running second = Start({"add", doc, "int " + two + "(void)"}, ErrPath(2));
    const Result first_result = Finish(first);
    const Result second_result = Finish(second);
    // The commands wait for each other's lock: both land.
    EXPECT_EQ(first_result.status, 0) << first_result.err;
    EXPECT_EQ(second_result.status, 0) << second_result.err;
    quillmap::SpecStore store;
    ASSERT_TRUE(quillmap::LoadStoreFromPath(store, doc));
    EXPECT_GE(store.FindFunction(one), 0) << "round " << round << ": lost";
    EXPECT_GE(store.FindFunction(two), 0) << "round " << round << ": lost";
    EXPECT_EQ(store.GetFunctionCount(), kBigCount + 2u * (round + 1));
  }
  EXPECT_EQ(Entries(), std::set<std::string>{"s.dcm"});
}

TEST_F(SafeSaveCli, AddWaitsWhileAnotherProgramHoldsTheLock) {
  const std::string doc = NewDocument("s.dcm");
  quillmap::DocumentLock held;
  ASSERT_EQ(held.Lock(doc, std::chrono::milliseconds(0)), quillmap::DocumentLock::State::kLocked);
  const std::string before = ReadAll(doc);
  const Running waiting = Start({"add", doc, "int late(void)"}, ErrPath(1));
  usleep(500000);
  int status = 0;
  EXPECT_EQ(waitpid(waiting.pid, &status, WNOHANG), 0) << "the command did not wait";
  EXPECT_EQ(ReadAll(doc), before);
  held.Unlock();  // the command goes on
  const Result result = Finish(waiting);
  EXPECT_EQ(result.status, 0) << result.err;
  quillmap::SpecStore store;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(store, doc));
  EXPECT_EQ(store.FindFunction("late"), 0);
}

TEST_F(SafeSaveCli, AddRefusesWhenTheDocumentIsReplacedBetweenReadingAndSaving) {
  // A link to another file, or a new file, takes the document's name while add runs (the
  // command pauses after reading for the test to make the swap).
  for (const bool link : {true, false}) {
    const std::string doc = NewDocument("doc.dcm");
    const std::string before = ReadAll(doc);
    const std::string other = Path("other");
    std::ofstream(other) << "other's bytes";
    const std::string pause = Path("out/pause");
    const Running running = Start({"add", doc, "int f(void)"}, ErrPath(),
                                  [&] { setenv("QUILLMAP_PAUSE_BEFORE_SAVE", pause.c_str(), 1); });
    for (int i = 0; i < 3000 && !fs::exists(pause); ++i) usleep(10000);
    ASSERT_TRUE(fs::exists(pause)) << "the command did not pause";
    ASSERT_EQ(rename(doc.c_str(), Path("moved.dcm").c_str()), 0);
    if (link) {
      ASSERT_EQ(symlink(other.c_str(), doc.c_str()), 0);
    } else {
      std::ofstream(doc) << "newer";
    }
    fs::remove(pause);
    const Result result = Finish(running);
    EXPECT_EQ(result.status, 1) << link;
    EXPECT_EQ(result.err, Refusal(doc,
                                  "it no longer names the file that was read (another program "
                                  "replaced it)"))
        << link;
    EXPECT_EQ(ReadAll(other), "other's bytes") << link;
    EXPECT_EQ(ReadAll(Path("moved.dcm")), before) << link;
    EXPECT_EQ(ReadAll(doc), link ? "other's bytes" : "newer") << link;
    EXPECT_EQ(Entries(), (std::set<std::string>{"doc.dcm", "moved.dcm", "other"})) << link;
    fs::remove(doc);
    fs::remove(Path("moved.dcm"));
  }
}

TEST_F(SafeSaveCli, ExportRefusesToReplaceItsOwnDocument) {
  const std::string doc = NewDocument("X.dcm");
  ASSERT_EQ(Run({"add", doc, "int f(void)"}).status, 0);
  const std::string before = ReadAll(doc);
  fs::create_hard_link(doc, Path("hard.htm"));
  fs::create_symlink("X.dcm", Path("soft.htm"));
  for (const std::string& out :
       {doc, dir_.string() + "/./X.dcm", Path("hard.htm"), Path("soft.htm")}) {
    const Result result = Run({"export", doc, out});
    EXPECT_EQ(result.status, 1) << out;
    EXPECT_EQ(result.err, "export: '" + out + "' is the document '" + doc +
                              "' itself; the page would replace it\n");
  }
  EXPECT_EQ(ReadAll(doc), before);
  EXPECT_TRUE(fs::is_symlink(Path("soft.htm")));
}

TEST_F(SafeSaveCli, FailedExportKeepsTheOldPage) {
  const std::string doc = BigDocument("doc.dcm");
  const std::string page = Path("page.htm");
  ASSERT_EQ(Run({"export", doc, page}).status, 0);
  const std::string whole = ReadAll(page);
  ASSERT_GT(whole.size(), 64u * 1024);
  const Result result = Run({"export", doc, page}, [] { LimitFileSize(16 * 1024); });
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "export: " + Refusal(page, "File too large"));
  EXPECT_EQ(ReadAll(page), whole);
  EXPECT_EQ(Entries(), (std::set<std::string>{"doc.dcm", "page.htm"}));
}

TEST_F(SafeSaveCli, FailedSyncOfTheNewFileFailsTheAddAndKeepsTheDocument) {
  if (std::system("strace -o /dev/null true >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "strace is missing or may not trace here";
  }
  const std::string doc = NewDocument("doc.dcm");
  const std::string before = ReadAll(doc);
  // The first fsync is the new file's: it fails as a failing disk would make it fail.
  const std::string command =
      "ASAN_OPTIONS=detect_leaks=0 strace -f -qq -o /dev/null "
      "-e trace=fsync -e inject=fsync:error=EIO:when=1 '" +
      std::string(QUILLMAP_CLI) + "' add '" + doc + "' 'int f(void)' 2>'" + ErrPath() +
      "' >/dev/null";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadAll(ErrPath()), Refusal(doc, std::strerror(EIO)));
  EXPECT_EQ(ReadAll(doc), before);
  EXPECT_EQ(Entries(), std::set<std::string>{"doc.dcm"});
}

TEST_F(SafeSaveCli, SaveSyncsTheFileThenRenamesThenSyncsTheFolder) {
  if (std::system("strace -o /dev/null true >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "strace is missing or may not trace here";
  }
  const std::string doc = NewDocument("doc.dcm");
  const std::string log = Path("out/trace");
  // LeakSanitizer can't run under ptrace; the sanitizer builds of the program need it off here.
  const std::string command =
      "ASAN_OPTIONS=detect_leaks=0 strace -f -y -qq -e trace=fsync,rename,renameat,renameat2 -o '" +
      log + "' '" + QUILLMAP_CLI + "' add '" + doc + "' 'int f(void)' >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(log);
  std::vector<std::string> calls;
  for (std::string line; std::getline(in, line);) {
    if (line.find("fsync(") != std::string::npos || line.find("rename") != std::string::npos) {
      calls.push_back(line);
    }
  }
  const std::string temp = quillmap::TemporaryPathFor(doc);
  auto find = [&](const std::string& call, const std::string& argument) {
    for (std::size_t i = 0; i < calls.size(); ++i) {
      if (calls[i].find(call) != std::string::npos &&
          calls[i].find(argument) != std::string::npos) {
        return static_cast<int>(i);
      }
    }
    return -1;
  };
  const int file_sync = find("fsync(", quillmap::text::Concat({"<", temp, ">"}));
  // Renamed relative to the folder: the call names the temporary file by its name alone.
  const int rename =
      find("rename", quillmap::text::Concat({"\"", fs::path(temp).filename().string(), "\""}));
  const int folder_sync = find("fsync(", quillmap::text::Concat({"<", dir_.string(), ">"}));
  std::string trace;
  for (const std::string& call : calls) trace += call + "\n";
  EXPECT_GE(file_sync, 0) << trace;
  EXPECT_GT(rename, file_sync) << trace;
  EXPECT_GT(folder_sync, rename) << trace;
}

}  // namespace
