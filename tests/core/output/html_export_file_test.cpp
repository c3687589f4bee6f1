// The page written to disk: the exporter's exact bytes, and an existing page kept whole when the
// write fails.
#include "core/output/html_export_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/output/html_exporter.h"
#include "tests/file_size_limit.h"

namespace quillmap {
namespace {

namespace fs = std::filesystem;

class HtmlExportFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmap-export-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    for (const char* name : {"open_file", "close_file", "inline_helper"}) {
      store_.AddFunction(name);
    }
    FunctionSpec helper;
    store_.GetFunction(2, helper);
    helper.SetAttribute(kAttrStatic);
    store_.PutFunction(2, helper);
    store_.AddStruct("FILE_INFO");
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string ExporterBytes(const AttributeFlags& flags) const {
    HtmlExporter exporter;
    exporter.Attach(&store_);
    for (unsigned slot = 0; slot < flags.size(); ++slot)
      exporter.SetAttributeFlag(slot, flags[slot]);
    File memory;
    memory.OpenMemoryWrite();
    exporter.Write(&memory);
    return memory.MemoryBytes();
  }

  fs::path dir_;
  SpecStore store_;
};

TEST_F(HtmlExportFile, WritesTheExporterBytesWithTheGivenFlags) {
  const AttributeFlags no_static = {1, 0, 1, 1, 1};
  const std::string path = Path("page.htm");
  std::ofstream(path) << "an older, longer page that the export replaces completely";
  ExportHtmlFile(store_, no_static, path);
  const std::string page = ReadAll(path);
  EXPECT_EQ(page, ExporterBytes(no_static));
  EXPECT_NE(page, ExporterBytes({1, 1, 1, 1, 1}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(HtmlExportFile, FailedWriteKeepsTheOldPageAndNamesIt) {
  const std::string path = Path("kept.htm");
  const std::string old_page = "<HTML>old page</HTML>\n";
  std::ofstream(path) << old_page;

  std::string failed_path;
  {
    const FileSizeLimit limit(64);
    ASSERT_TRUE(limit.ok());
    try {
      ExportHtmlFile(store_, {1, 1, 1, 1, 1}, path);
    } catch (const FileError& error) {
      failed_path = error.path();
    }
  }
  EXPECT_EQ(failed_path, path);
  EXPECT_EQ(ReadAll(path), old_page);
  // Nothing of the failed attempt is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace quillmap
