// The file layer: buffered reads and writes, memory files, errors and atomic replacement.
#include "core/model/file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/model/spec_store.h"

namespace quillmap {
namespace {

namespace fs = std::filesystem;

class FileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmap-file-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

TEST_F(FileOnDisk, WritesAndReadsBackAcrossBufferBoundaries) {
  std::string content = Pattern(300000);
  {
    File file;
    file.Open(Path("a.bin"), File::Mode::kCreateWrite);
    // Mixed sizes: small pieces, one larger than the buffer.
    file.Write(content.data(), 10);
    file.Write(content.data() + 10, 70000);
    file.Write(content.data() + 70010, 3);
    file.Write(std::string_view(content).substr(70013));
    EXPECT_EQ(file.Position(), content.size());
    file.Close();
  }
  EXPECT_EQ(ReadAll(Path("a.bin")), content);

  File file;
  file.Open(Path("a.bin"), File::Mode::kRead);
  EXPECT_EQ(file.Remaining(), content.size());
  std::string read(content.size() + 5, 'x');
  std::size_t got = file.Read(read.data(), 16);
  got += file.Read(read.data() + 16, 100000);
  got += file.Read(read.data() + got, read.size() - got);
  EXPECT_EQ(got, content.size());
  read.resize(got);
  EXPECT_EQ(read, content);
  EXPECT_EQ(file.Remaining(), 0u);
  char byte;
  EXPECT_EQ(file.Read(&byte, 1), 0u);
}

// The whole rest of a file in one block, small blocks allocated and large ones mapped: sizes
// on either side of the change, after a first read through the buffer.
TEST_F(FileOnDisk, ReadToEndOnEitherSideOfMappedBlocks) {
  constexpr std::size_t kMapFrom = std::size_t{1} << 20;
  for (const std::size_t size : {std::size_t{16}, kMapFrom - 2, kMapFrom - 1, 3 * kMapFrom + 5}) {
    const std::string content = Pattern(size);
    std::ofstream(Path("whole.bin"), std::ios::binary) << content;
    File file;
    file.Open(Path("whole.bin"), File::Mode::kRead);
    char head[8];
    ASSERT_EQ(file.Read(head, sizeof head), sizeof head);
    const std::shared_ptr<FileBytes> rest = file.ReadToEnd();
    ASSERT_EQ(rest->size, size - sizeof head) << size;
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(rest->data.get()), rest->size),
              std::string_view(content).substr(sizeof head))
        << size;
    EXPECT_EQ(file.Remaining(), 0u);
  }
}

TEST_F(FileOnDisk, OpenFailuresRaiseWithThePath) {
  File file;
  try {
    file.Open(Path("missing.dcm"), File::Mode::kRead);
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), Path("missing.dcm"));
    EXPECT_EQ(error.error_number(), ENOENT);
    EXPECT_NE(std::string(error.what()).find("missing.dcm"), std::string::npos);
  }
  EXPECT_THROW(file.Open(dir_.string(), File::Mode::kRead), FileError);  // a folder
  EXPECT_THROW(file.Open(Path("no/such/folder.dcm"), File::Mode::kCreateWrite), FileError);
  EXPECT_FALSE(file.IsOpen());
}

TEST(MemoryFile, ReadsAndWrites) {
  File reader;
  reader.OpenMemory("abcdef");
  char buffer[4];
  EXPECT_EQ(reader.Read(buffer, 4), 4u);
  EXPECT_EQ(reader.Remaining(), 2u);
  EXPECT_EQ(reader.Read(buffer, 4), 2u);
  EXPECT_EQ(reader.Read(buffer, 4), 0u);

  File writer;
  writer.OpenMemoryWrite();
  writer.Write("ab");
  writer.Write("cd", 1);
  EXPECT_EQ(writer.MemoryBytes(), "abc");
  writer.Close();
  EXPECT_EQ(writer.MemoryBytes(), "abc");
  EXPECT_THROW(reader.Write("x"), FileError);  // a reading file can't be written
}

TEST(File, WriteFailureRaises) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  File file;
  file.Open("/dev/full", File::Mode::kCreateWrite);
  file.Write(std::string(100, 'x'));
  EXPECT_THROW(file.Flush(), FileError);
}

TEST_F(FileOnDisk, AtomicWriterReplacesOnlyOnCommit) {
  std::string target = Path("doc.dcm");
  std::ofstream(target) << "old";
  {
    AtomicFileWriter writer(target);
    writer.file().Write("new");
    // No commit: the old file stays and the temporary file goes.
  }
  EXPECT_EQ(ReadAll(target), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
  {
    AtomicFileWriter writer(target);
    writer.file().Write("new");
    writer.Commit();
  }
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileOnDisk, AtomicWriterKeepsPermissionsAndRefusesFolders) {
  std::string target = Path("doc.dcm");
  std::ofstream(target) << "old";
  chmod(target.c_str(), 0640);
  {
    AtomicFileWriter writer(target);
    writer.Commit();
  }
  struct stat status {};
  stat(target.c_str(), &status);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  try {
    AtomicFileWriter writer(dir_.string());
    FAIL() << "a folder was accepted";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), dir_.string());
  }
  EXPECT_THROW(AtomicFileWriter(Path("missing/doc.dcm")), FileError);
}

TEST_F(FileOnDisk, AtomicWriterSavesThroughSymbolicLink) {
  std::string real = Path("real.dcm");
  std::string link = Path("link.dcm");
  std::ofstream(real) << "old";
  fs::create_symlink(real, link);
  {
    AtomicFileWriter writer(link);
    writer.file().Write("new");
    writer.Commit();
  }
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadAll(real), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(FileOnDisk, StoreThroughPaths) {
  SpecStore store;
  store.AddFunction("f");
  SaveStoreToPath(store, Path("s.dcm"));
  SpecStore loaded;
  ASSERT_TRUE(LoadStoreFromPath(loaded, Path("s.dcm")));
  EXPECT_EQ(loaded.FindFunction("f"), 0);
  std::ofstream(Path("bad.dcm")) << "not a document";
  EXPECT_FALSE(LoadStoreFromPath(loaded, Path("bad.dcm")));
  EXPECT_EQ(loaded.FindFunction("f"), 0);
  EXPECT_THROW(LoadStoreFromPath(loaded, Path("none.dcm")), FileError);
}

TEST_F(FileOnDisk, NamesAcrossTheReadBufferLoadFromDisk) {
  // Many functions put names at every offset of the 64 KiB read buffer; one long name with a
  // zero byte inside spans several buffers.
  SpecStore store;
  for (int i = 0; i < 3000; ++i) store.AddFunction("function_" + std::to_string(i));
  std::string long_name(100000, 'x');
  long_name[70000] = '\0';
  store.AddStruct(long_name);
  SaveStoreToPath(store, Path("big.dcm"));
  SpecStore loaded;
  ASSERT_TRUE(LoadStoreFromPath(loaded, Path("big.dcm")));
  ASSERT_EQ(loaded.GetFunctionCount(), 3000u);
  for (int i : {0, 1234, 2999}) EXPECT_EQ(loaded.FindFunction("function_" + std::to_string(i)), i);
  StructSpec structure;
  ASSERT_TRUE(loaded.GetStruct(0, structure));
  EXPECT_EQ(structure.GetRecordName(), std::string(70000, 'x'));
}

}  // namespace
}  // namespace quillmap
