// File identities: one file under several names, and a file whose state changed.
#include "core/model/file_identity.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace quillmap {
namespace {

namespace fs = std::filesystem;

class FileIdentityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmap-identity-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  fs::path dir_;
};

TEST_F(FileIdentityTest, OneFileUnderEveryNameItHas) {
  Write("doc.dcm", "content");
  fs::create_hard_link(Path("doc.dcm"), Path("hard.dcm"));
  fs::create_symlink(Path("doc.dcm"), Path("link.htm"));
  Write("other.dcm", "content");

  EXPECT_TRUE(SameFile(Path("doc.dcm"), Path("doc.dcm")));
  EXPECT_TRUE(SameFile(Path("doc.dcm"), dir_.string() + "/./doc.dcm"));
  EXPECT_TRUE(SameFile(Path("doc.dcm"), Path("hard.dcm")));
  EXPECT_TRUE(SameFile(Path("link.htm"), Path("doc.dcm")));
  // Equal bytes are not the same file; a missing file is no file at all.
  EXPECT_FALSE(SameFile(Path("doc.dcm"), Path("other.dcm")));
  EXPECT_FALSE(SameFile(Path("missing"), Path("missing")));
}

TEST_F(FileIdentityTest, ChangesOfSizeTimeOrFileAreSeen) {
  Write("doc.dcm", "first");
  const FileIdentity before = IdentityOf(Path("doc.dcm"));
  ASSERT_TRUE(before.exists);
  EXPECT_EQ(before.size, 5u);
  EXPECT_EQ(IdentityOf(Path("doc.dcm")), before);

  Write("doc.dcm", "second version");
  const FileIdentity grown = IdentityOf(Path("doc.dcm"));
  EXPECT_TRUE(grown.SameFileAs(before));
  EXPECT_NE(grown, before);

  // Replaced by rename, as saving does: another file under the same name.
  Write("new.dcm", "second version");
  fs::rename(Path("new.dcm"), Path("doc.dcm"));
  EXPECT_FALSE(IdentityOf(Path("doc.dcm")).SameFileAs(grown));
  EXPECT_FALSE(IdentityOf(Path("gone")).exists);
}

}  // namespace
}  // namespace quillmap
