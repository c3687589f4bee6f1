// Document locks: one holder at a time, a lock that follows the document across a save, and
// targets that can't be locked.
#include "core/model/document_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "core/model/file.h"
#include "core/model/spec_store.h"

namespace quillmap {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using State = DocumentLock::State;

class DocumentLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmap-lock-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(DocumentLockTest, OneHolderAtATime) {
  const std::string path = Path("doc.dcm");
  std::ofstream(path) << "doc";
  fs::create_symlink("doc.dcm", Path("link.dcm"));
  DocumentLock first;
  ASSERT_EQ(first.Lock(path, milliseconds(0)), State::kLocked);
  EXPECT_TRUE(first.IsLocked());

  DocumentLock second;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(second.Lock(Path("link.dcm"), milliseconds(100)), State::kBusy);  // same file
  EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(100));
  EXPECT_FALSE(second.IsLocked());

  first.Unlock();
  EXPECT_EQ(second.Lock(path, milliseconds(0)), State::kLocked);
}

TEST_F(DocumentLockTest, WaiterGetsTheFileThatASaveLeftInPlace) {
  const std::string path = Path("doc.dcm");
  SpecStore store;
  SaveStoreToPath(store, path);
  DocumentLock holder;
  ASSERT_EQ(holder.Lock(path, milliseconds(0)), State::kLocked);

  auto waiter = std::async(std::launch::async, [&] {
    auto lock = std::make_unique<DocumentLock>();
    const State state = lock->Lock(path, milliseconds(10000));
    return std::make_pair(state, std::move(lock));
  });
  std::this_thread::sleep_for(milliseconds(50));
  // The holder saves: a new file takes the path, then the holder lets go of the old one.
  store.AddFunction("f");
  SaveStoreToPath(store, path);
  holder.Unlock();
  auto [state, lock] = waiter.get();
  EXPECT_EQ(state, State::kLocked);

  // The waiter holds the file the path names now, not the replaced one.
  DocumentLock third;
  EXPECT_EQ(third.Lock(path, milliseconds(0)), State::kBusy);
  lock->Unlock();
  EXPECT_EQ(third.Lock(path, milliseconds(0)), State::kLocked);
}

TEST_F(DocumentLockTest, TargetsThatCantBeLocked) {
  DocumentLock lock;
  EXPECT_EQ(lock.Lock(Path("missing.dcm"), milliseconds(0)), State::kNoFile);
  fs::create_symlink("missing.dcm", Path("dangling.dcm"));
  EXPECT_EQ(lock.Lock(Path("dangling.dcm"), milliseconds(0)), State::kNoFile);

  ASSERT_EQ(mkfifo(Path("fifo.dcm").c_str(), 0644), 0);
  try {
    lock.Lock(Path("fifo.dcm"), milliseconds(0));  // refused without opening: no hang
    ADD_FAILURE() << "a FIFO was locked";
  } catch (const FileError& error) {
    EXPECT_EQ(error.kind(), FileError::Kind::kNotRegularFile);
    EXPECT_EQ(std::string(error.what()),
              "can't write '" + Path("fifo.dcm") + "': not a regular file");
  }
  fs::create_symlink("loop.dcm", Path("loop.dcm"));
  try {
    lock.Lock(Path("loop.dcm"), milliseconds(0));
    ADD_FAILURE() << "a link loop was locked";
  } catch (const FileError& error) {
    EXPECT_EQ(error.kind(), FileError::Kind::kBrokenLink);
  }
  EXPECT_FALSE(lock.IsLocked());
}

}  // namespace
}  // namespace quillmap
