// Saving safely: what the atomic writer refuses, the temporary file's one name and its mode,
// what a killed save leaves, failure messages, and saves that run at the same time.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/model/document_lock.h"
#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "tests/common/unprivileged.h"

namespace quillmap {
namespace {

namespace fs = std::filesystem;
using test_support::kCannotDropPrivileges;
using test_support::RunUnprivileged;

class SafeWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmap-safe-write-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_ / "closed", fs::perms::owner_all, ignored);
    fs::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // The names in the folder, sorted.
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  static void Save(const std::string& path, const std::string& bytes) {
    AtomicFileWriter writer(path);
    writer.file().Write(bytes);
    writer.Commit();
  }
  // Saves and returns the error it must raise.
  static FileError Refusal(const std::string& path) {
    try {
      Save(path, "new");
    } catch (const FileError& error) {
      return error;
    }
    ADD_FAILURE() << "saving to " << path << " was not refused";
    return FileError("", 0, "");
  }
  static mode_t ModeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status.st_mode;
  }
  static void ExpectRefused(const FileError& error, const std::string& path, FileError::Kind kind,
                            const std::string& reason) {
    EXPECT_EQ(error.kind(), kind) << error.what();
    EXPECT_EQ(error.path(), path);
    EXPECT_EQ(std::string(error.what()), "can't write '" + path + "': " + reason);
  }

  fs::path dir_;
};

TEST_F(SafeWrite, WhatIsNotARegularFileIsRefusedAndLeftAlone) {
  ASSERT_EQ(mkfifo(Path("fifo.dcm").c_str(), 0644), 0);
  fs::create_directory(Path("folder.dcm"));
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socket_path = Path("socket.dcm");
  ASSERT_LT(socket_path.size(), sizeof address.sun_path);
  socket_path.copy(address.sun_path, socket_path.size());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  fs::create_symlink("fifo.dcm", Path("to-fifo.dcm"));
  const std::set<std::string> before = Entries();

  for (const char* name : {"fifo.dcm", "socket.dcm", "to-fifo.dcm"}) {
    ExpectRefused(Refusal(Path(name)), Path(name), FileError::Kind::kNotRegularFile,
                  "not a regular file");
  }
  const FileError folder = Refusal(Path("folder.dcm"));
  EXPECT_EQ(folder.kind(), FileError::Kind::kNotRegularFile);
  EXPECT_EQ(folder.error_number(), EISDIR);
  close(sock);

  EXPECT_EQ(Entries(), before);  // no temporary file either
  EXPECT_TRUE(S_ISFIFO(ModeOf(Path("fifo.dcm"))));
  EXPECT_TRUE(S_ISSOCK(ModeOf(Path("socket.dcm"))));
  EXPECT_TRUE(S_ISDIR(ModeOf(Path("folder.dcm"))));
  EXPECT_TRUE(S_ISLNK(ModeOf(Path("to-fifo.dcm"))));
}

TEST_F(SafeWrite, DeviceNodeIsRefusedAlsoForRoot) {
  // A null device of our own: if the refusal failed, only the test's copy would be replaced.
  if (mknod(Path("null.dcm").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "can't make a device node here (needs root): " << std::strerror(errno);
  }
  ExpectRefused(Refusal(Path("null.dcm")), Path("null.dcm"), FileError::Kind::kNotRegularFile,
                "not a regular file");
  EXPECT_TRUE(S_ISCHR(ModeOf(Path("null.dcm"))));
  EXPECT_EQ(Entries(), std::set<std::string>{"null.dcm"});
}

TEST_F(SafeWrite, ReadOnlyFileIsRefusedAlsoForRoot) {
  WriteAll(Path("d.dcm"), "old");
  chmod(Path("d.dcm").c_str(), 0444);
  fs::create_symlink("d.dcm", Path("link.dcm"));
  // Root may write anything, but a file without any write permission is refused for everyone.
  for (const char* name : {"d.dcm", "link.dcm"}) {
    ExpectRefused(Refusal(Path(name)), Path(name), FileError::Kind::kReadOnly, "Permission denied");
  }
  EXPECT_EQ(ReadAll(Path("d.dcm")), "old");
  EXPECT_EQ(ModeOf(Path("d.dcm")) & 07777, 0444u);
  EXPECT_EQ(Entries(), (std::set<std::string>{"d.dcm", "link.dcm"}));
}

TEST_F(SafeWrite, FileTheUserMayNotWriteIsRefusedThoughTheFolderIsOpen) {
  // Root's file, 0644, in a folder the user may write: renaming over it would work, but the user
  // has no right to change it.
  WriteAll(Path("roots.dcm"), "root's");
  chmod(Path("roots.dcm").c_str(), 0644);
  WriteAll(Path("own.dcm"), "own");
  test_support::GiveToChild(dir_.string());
  test_support::GiveToChild(Path("own.dcm"));
  chmod(Path("own.dcm").c_str(), 0444);
  chmod(dir_.c_str(), 0777);
  // Without root, "roots.dcm" is the user's own and may be saved; only the read-only one counts.
  std::vector<std::string> names{"own.dcm"};
  if (geteuid() == 0) names.push_back("roots.dcm");
  const int result = RunUnprivileged([&] {
    for (const std::string& name : names) {
      bool saved = true;
      try {
        Save(Path(name), "new");
      } catch (const FileError& error) {
        saved = false;
        CHILD_EXPECT(error.kind() == FileError::Kind::kReadOnly);
        CHILD_EXPECT(std::string(error.what()) ==
                     "can't write '" + Path(name) + "': Permission denied");
      }
      CHILD_EXPECT(!saved);
    }
    return 0;
  });
  if (result == kCannotDropPrivileges) GTEST_SKIP() << "can't run as a user without root powers";
  EXPECT_EQ(result, 0);
  if (geteuid() == 0) {
    EXPECT_EQ(ReadAll(Path("roots.dcm")), "root's");
  }
  EXPECT_EQ(ReadAll(Path("own.dcm")), "own");
}

TEST_F(SafeWrite, LinksThatCantBeFollowedAreRefusedAndKept) {
  fs::create_symlink("nowhere.dcm", Path("dangling.dcm"));
  fs::create_symlink("loop-b.dcm", Path("loop-a.dcm"));
  fs::create_symlink("loop-a.dcm", Path("loop-b.dcm"));
  fs::create_symlink("self.dcm", Path("self.dcm"));
  const std::set<std::string> before = Entries();
  const FileError dangling = Refusal(Path("dangling.dcm"));
  ExpectRefused(dangling, Path("dangling.dcm"), FileError::Kind::kBrokenLink,
                "the symbolic link can't be followed (No such file or directory)");
  for (const char* name : {"loop-a.dcm", "self.dcm"}) {
    ExpectRefused(Refusal(Path(name)), Path(name), FileError::Kind::kBrokenLink,
                  "the symbolic link can't be followed (Too many levels of symbolic links)");
  }
  EXPECT_EQ(Entries(), before);
  EXPECT_EQ(fs::read_symlink(Path("dangling.dcm")), "nowhere.dcm");
  EXPECT_EQ(fs::read_symlink(Path("loop-a.dcm")), "loop-b.dcm");
}

TEST_F(SafeWrite, LinkIntoAFolderTheUserCantEnterIsRefused) {
  fs::create_directory(Path("closed"));
  WriteAll(Path("closed/doc.dcm"), "inside");
  fs::create_symlink("closed/doc.dcm", Path("link.dcm"));
  // Root's folder closed to others; when the test is not root, the user's own without any way in.
  fs::permissions(Path("closed"), geteuid() == 0 ? fs::perms::owner_all : fs::perms::none);
  test_support::GiveToChild(dir_.string());
  const int result = RunUnprivileged([&] {
    bool saved = true;
    try {
      Save(Path("link.dcm"), "new");
    } catch (const FileError& error) {
      saved = false;
      CHILD_EXPECT(error.kind() == FileError::Kind::kBrokenLink);
      CHILD_EXPECT(error.error_number() == EACCES);
      CHILD_EXPECT(error.path() == Path("link.dcm"));
    }
    CHILD_EXPECT(!saved);
    return 0;
  });
  if (result == kCannotDropPrivileges) GTEST_SKIP() << "can't run as a user without root powers";
  EXPECT_EQ(result, 0);
  fs::permissions(Path("closed"), fs::perms::owner_all);
  EXPECT_TRUE(fs::is_symlink(Path("link.dcm")));
  EXPECT_EQ(ReadAll(Path("closed/doc.dcm")), "inside");
  EXPECT_EQ(Entries(), (std::set<std::string>{"closed", "link.dcm"}));
}

// Runs a save in a child that stops twice: right after the writer was made, and after 100 KB were
// written. Returns the child (stopped the first time) for the caller to look at and kill.
pid_t StartStoppingSave(const std::string& target, mode_t umask_value) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    umask(umask_value);
    AtomicFileWriter writer(target);
    raise(SIGSTOP);
    writer.file().Write(std::string(100000, 'n'));
    writer.file().Flush();
    raise(SIGSTOP);
    writer.Commit();
    _exit(0);
  }
  int status = 0;
  EXPECT_EQ(waitpid(pid, &status, WUNTRACED), pid);
  EXPECT_TRUE(WIFSTOPPED(status));
  return pid;
}

void Continue(pid_t pid) {
  int status = 0;
  kill(pid, SIGCONT);
  EXPECT_EQ(waitpid(pid, &status, WUNTRACED), pid);
  EXPECT_TRUE(WIFSTOPPED(status));
}

void KillHard(pid_t pid) {
  int status = 0;
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status));
}

TEST_F(SafeWrite, TemporaryFileHasTheTargetsModeFromItsFirstByteAndOneShortName) {
  const std::string target = Path("p.dcm");
  WriteAll(target, "private");
  chmod(target.c_str(), 0640);
  const std::string temp = TemporaryPathFor(target);
  EXPECT_EQ(fs::path(temp).parent_path(), dir_);
  EXPECT_LE(fs::path(temp).filename().string().size(), 30u);

  // A umask stricter than the file's mode must not change it either.
  const pid_t pid = StartStoppingSave(target, 077);
  struct stat status {};
  ASSERT_EQ(stat(temp.c_str(), &status), 0);
  EXPECT_EQ(status.st_size, 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  Continue(pid);
  ASSERT_EQ(stat(temp.c_str(), &status), 0);
  EXPECT_EQ(status.st_size, 100000);
  EXPECT_EQ(status.st_mode & 07777, 0640u);

  // Killed in the middle: the document is whole, one leftover under the one name.
  KillHard(pid);
  EXPECT_EQ(ReadAll(target), "private");
  EXPECT_EQ(Entries(), (std::set<std::string>{"p.dcm", fs::path(temp).filename().string()}));

  // The next save removes it.
  Save(target, "saved");
  EXPECT_EQ(ReadAll(target), "saved");
  EXPECT_EQ(ModeOf(target) & 07777, 0640u);
  EXPECT_EQ(Entries(), std::set<std::string>{"p.dcm"});
}

TEST_F(SafeWrite, LeftoverIsRemovedOnlyWhenItsWriterIsGone) {
  const std::string target = Path("doc.dcm");
  WriteAll(target, "document");
  const std::string temp = fs::path(TemporaryPathFor(target)).filename().string();
  const pid_t pid = StartStoppingSave(target, 022);
  // The writer is alive (stopped, its lock held): its file stays.
  EXPECT_FALSE(RemoveAbandonedTemporary(target));
  EXPECT_EQ(Entries(), (std::set<std::string>{"doc.dcm", temp}));
  KillHard(pid);
  EXPECT_TRUE(RemoveAbandonedTemporary(target));
  EXPECT_EQ(Entries(), std::set<std::string>{"doc.dcm"});
  EXPECT_EQ(ReadAll(target), "document");
  // A link at the name is no leftover of a save; nothing is there to remove for a new file.
  ASSERT_EQ(symlink(target.c_str(), TemporaryPathFor(target).c_str()), 0);
  EXPECT_FALSE(RemoveAbandonedTemporary(target));
  EXPECT_FALSE(RemoveAbandonedTemporary(Path("new.dcm")));
  EXPECT_EQ(ReadAll(target), "document");
}

TEST_F(SafeWrite, NewFileGetsTheUmasksModeAndNoLeftoverSurvives) {
  const std::string target = Path("new.dcm");
  const pid_t pid = StartStoppingSave(target, 027);
  EXPECT_EQ(ModeOf(TemporaryPathFor(target)) & 07777, 0640u);
  KillHard(pid);
  EXPECT_FALSE(fs::exists(target));

  // The leftover is not reused with its mode: the new file gets this process's umask.
  const mode_t mask = umask(077);
  Save(target, "new");
  umask(mask);
  EXPECT_EQ(ModeOf(target) & 07777, 0600u);
  EXPECT_EQ(Entries(), std::set<std::string>{"new.dcm"});
}

TEST_F(SafeWrite, LinkAtTheTemporaryNameIsRemovedNotWrittenThrough) {
  const std::string target = Path("doc.dcm");
  WriteAll(target, "old");
  WriteAll(Path("other"), "other's bytes");
  ASSERT_EQ(symlink(Path("other").c_str(), TemporaryPathFor(target).c_str()), 0);
  Save(target, "new");
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_EQ(ReadAll(Path("other")), "other's bytes");
  EXPECT_EQ(Entries(), (std::set<std::string>{"doc.dcm", "other"}));
}

TEST_F(SafeWrite, AbandonedWriterRemovesItsTemporaryFile) {
  const std::string target = Path("doc.dcm");
  WriteAll(target, "old");
  {
    AtomicFileWriter writer(target);
    writer.file().Write("new");
  }
  EXPECT_EQ(ReadAll(target), "old");
  EXPECT_EQ(Entries(), std::set<std::string>{"doc.dcm"});
}

TEST_F(SafeWrite, AnyNameTheFileSystemTakesCanBeSaved) {
  // 255 bytes: 85 three-byte characters.
  std::string name;
  while (name.size() < 255) name += "\xE4\xBB\x95";
  ASSERT_EQ(name.size(), 255u);
  SpecStore store;
  store.AddFunction("f");
  SaveStoreToPath(store, Path(name));
  SpecStore loaded;
  ASSERT_TRUE(LoadStoreFromPath(loaded, Path(name)));
  EXPECT_EQ(loaded.FindFunction("f"), 0);
  SaveStoreToPath(store, Path(name));  // and again, over the existing file
  EXPECT_EQ(Entries(), std::set<std::string>{name});

  // One byte more is a name no file system here takes: refused, naming it.
  const FileError error = Refusal(Path(std::string(256, 'x')));
  EXPECT_EQ(error.error_number(), ENAMETOOLONG);
  EXPECT_EQ(error.path(), Path(std::string(256, 'x')));
}

TEST_F(SafeWrite, PathOfTheLongestLengthIsSavedThoughTheTemporaryPathIsLonger) {
  // Folders of 200 bytes down to a path of exactly 4,095 bytes whose short name is shorter than
  // the temporary file's.
  std::string folder = dir_.string();
  const std::string name = "d.dcm";
  while (folder.size() + 1 + 200 + 1 + name.size() <= 4095) {
    folder += "/" + std::string(200, 'f');
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0) << std::strerror(errno);
  }
  const std::size_t last = 4095 - folder.size() - 2 - name.size();
  folder += "/" + std::string(last, 'g');
  ASSERT_EQ(mkdir(folder.c_str(), 0755), 0) << std::strerror(errno);
  const std::string target = folder + "/" + name;
  ASSERT_EQ(target.size(), 4095u);
  ASSERT_GT(TemporaryPathFor(target).size(), 4095u);
  for (const char* bytes : {"first", "second"}) {  // a new file, then over it
    Save(target, bytes);
    EXPECT_EQ(ReadAll(target), bytes);
  }
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::set<std::string>{name});
}

TEST_F(SafeWrite, LockedDocumentIsWrittenOnlyWhileItsNameLeadsToTheFileRead) {
  // Another program puts a link to another file, or a new file, under the name while the
  // document is locked: before the writer is made, or between making it and the commit.
  enum class Swap { kLink, kNewFile };
  for (const Swap swap : {Swap::kLink, Swap::kNewFile}) {
    for (const bool before_writer : {true, false}) {
      const std::string target = Path("doc.dcm");
      WriteAll(target, "document");
      WriteAll(Path("other"), "other's bytes");
      DocumentLock lock;
      ASSERT_EQ(lock.Lock(target, std::chrono::milliseconds(0)), DocumentLock::State::kLocked);
      auto replace = [&] {
        ASSERT_EQ(rename(target.c_str(), Path("moved.dcm").c_str()), 0);
        if (swap == Swap::kLink) {
          ASSERT_EQ(symlink(Path("other").c_str(), target.c_str()), 0);
        } else {
          WriteAll(target, "newer");
        }
      };
      std::optional<FileError> refusal;
      try {
        if (before_writer) replace();
        AtomicFileWriter writer(target);
        writer.file().Write("saved");
        if (!before_writer) replace();
        writer.Commit();
      } catch (const FileError& error) {
        refusal = error;
      }
      const std::string where =
          std::to_string(static_cast<int>(swap)) + "/" + std::to_string(before_writer);
      ASSERT_TRUE(refusal.has_value()) << where;
      ExpectRefused(*refusal, target, FileError::Kind::kReplaced,
                    "it no longer names the file that was read (another program replaced it)");
      EXPECT_EQ(ReadAll(Path("other")), "other's bytes") << where;
      EXPECT_EQ(ReadAll(Path("moved.dcm")), "document") << where;
      EXPECT_EQ(ReadAll(target), swap == Swap::kLink ? "other's bytes" : "newer") << where;
      EXPECT_EQ(Entries(), (std::set<std::string>{"doc.dcm", "moved.dcm", "other"})) << where;
      lock.Unlock();
      fs::remove(target);
      fs::remove(Path("moved.dcm"));
    }
  }
}

TEST_F(SafeWrite, LockedLinkIsWrittenThroughToTheFileItLedToWhenLocked) {
  WriteAll(Path("real.dcm"), "document");
  ASSERT_EQ(symlink("real.dcm", Path("link.dcm").c_str()), 0);
  DocumentLock lock;
  ASSERT_EQ(lock.Lock(Path("link.dcm"), std::chrono::milliseconds(0)),
            DocumentLock::State::kLocked);
  Save(Path("link.dcm"), "saved");
  EXPECT_TRUE(fs::is_symlink(Path("link.dcm")));
  EXPECT_EQ(ReadAll(Path("real.dcm")), "saved");
  lock.Unlock();
  // Once the lock is gone, nothing is expected of the name any more.
  fs::remove(Path("link.dcm"));
  WriteAll(Path("link.dcm"), "plain");
  Save(Path("link.dcm"), "again");
  EXPECT_EQ(ReadAll(Path("link.dcm")), "again");
}

TEST_F(SafeWrite, FullDiskIsReportedWithTheTargetsNameAndKeepsTheOldFile) {
  const std::string target = Path("doc.dcm");
  WriteAll(target, "old");
  // A file-size limit stands in for the full disk, whoever runs the test.
  rlimit old_limit{};
  getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string message;
  try {
    Save(target, std::string(200000, 'x'));
  } catch (const FileError& error) {
    message = error.what();
    EXPECT_EQ(error.path(), target);
    EXPECT_EQ(error.error_number(), EFBIG);
  }
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_EQ(message, "can't write '" + target + "': File too large");
  EXPECT_EQ(message.find(".quillmap-"), std::string::npos);
  EXPECT_EQ(ReadAll(target), "old");
  EXPECT_EQ(Entries(), std::set<std::string>{"doc.dcm"});
}

TEST_F(SafeWrite, ReadOnlyFolderIsReportedWithTheTargetsName) {
  fs::create_directory(Path("shut"));
  WriteAll(Path("shut/doc.dcm"), "old");
  fs::permissions(Path("shut"), fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
  test_support::GiveToChild(Path("shut/doc.dcm"));
  test_support::GiveToChild(dir_.string());
  const int result = RunUnprivileged([&] {
    bool saved = true;
    try {
      Save(Path("shut/doc.dcm"), "new");
    } catch (const FileError& error) {
      saved = false;
      CHILD_EXPECT(error.kind() == FileError::Kind::kSystem);
      CHILD_EXPECT(std::string(error.what()) ==
                   "can't write '" + Path("shut/doc.dcm") + "': Permission denied");
    }
    CHILD_EXPECT(!saved);
    return 0;
  });
  if (result == kCannotDropPrivileges) GTEST_SKIP() << "can't run as a user without root powers";
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadAll(Path("shut/doc.dcm")), "old");
}

TEST_F(SafeWrite, RootKeepsTheOwnerOfTheFileItSaves) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can save another user's file";
  const std::string target = Path("users.dcm");
  WriteAll(target, "old");
  ASSERT_EQ(chown(target.c_str(), test_support::kNobody, test_support::kNobody), 0);
  chmod(target.c_str(), 0640);
  Save(target, "new");
  struct stat status {};
  ASSERT_EQ(stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, test_support::kNobody);
  EXPECT_EQ(status.st_gid, test_support::kNobody);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadAll(target), "new");
}

TEST_F(SafeWrite, SavesAtTheSameTimeEachLeaveAWholeFile) {
  const std::string target = Path("doc.dcm");
  constexpr int kWriters = 4;
  std::vector<std::string> contents;
  for (int i = 0; i < kWriters; ++i) contents.push_back(std::string(300000, 'a' + i));
  std::vector<pid_t> children;
  std::fflush(nullptr);
  for (int i = 0; i < kWriters; ++i) {
    const pid_t pid = fork();
    if (pid == 0) {
      int failures = 0;
      for (int round = 0; round < 15; ++round) {
        try {
          Save(target, contents[i]);
        } catch (const FileError& error) {
          std::fprintf(stderr, "%s\n", error.what());
          ++failures;
        }
      }
      _exit(failures);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_NE(std::find(contents.begin(), contents.end(), ReadAll(target)), contents.end());
  EXPECT_EQ(Entries(), std::set<std::string>{"doc.dcm"});
}

TEST_F(SafeWrite, SavingTellsTheIdentityOfTheFileWritten) {
  SpecStore store;
  const std::string target = Path("doc.dcm");
  const FileIdentity first = SaveStoreToPath(store, target);
  EXPECT_TRUE(first.exists);
  EXPECT_EQ(first, IdentityOf(target));
  fs::create_symlink("doc.dcm", Path("link.dcm"));
  store.AddFunction("f");
  const FileIdentity second = SaveStoreToPath(store, Path("link.dcm"));
  EXPECT_EQ(second, IdentityOf(target));
  EXPECT_FALSE(second.SameFileAs(first));  // a new file took the old one's place
}

}  // namespace
}  // namespace quillmap
