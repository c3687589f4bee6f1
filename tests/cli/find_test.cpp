// quillmap-cli find: one line per matching line, the editor's order and matching, grep's exit
// statuses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/model/spec_store.h"
#include "core/text/sjis.h"
#include "tests/cli/cli_run.h"

namespace {

namespace fs = std::filesystem;
using cli_test::RunCli;
using quillmap::text::Sjis;

class FindCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmap-find-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    doc_ = (dir_ / "api.dcm").string();
    quillmap::SpecStore store;
    quillmap::FunctionSpec open;
    open.SetRecordName("OpenFile");
    open.SetIndex(Sjis("ファイルを開く"));
    open.AddArgument("const char*", "path", Sjis("開くﾌｧｲﾙ"));
    open.AddArgument("int", "flags", "open FLAGS");
    open.SetExplanation(Sjis("一行目\r\nファイルが無ければ作る。ﾌｧｲﾙ名は path。\r\n三行目"));
    store.AddFunction("OpenFile");
    store.PutFunction(0, open);
    store.AddFunction(Sjis("ア"));  // 83 41: holds no "A"
    quillmap::StructSpec file;
    file.SetRecordName("FILE_INFO");
    file.AddMember("long", "size", Sjis("ファイルの大きさ"));
    store.AddStruct("FILE_INFO");
    store.PutStruct(0, file);
    quillmap::SaveStoreToPath(store, doc_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  std::string doc_;
};

TEST_F(FindCommand, PrintsEachMatchingLineOnceInTheEditorsOrder) {
  const auto result = RunCli({"find", doc_, "ファイル"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  // The explanation's second line holds two matches (full and half width) and is printed once.
  EXPECT_EQ(result.out,
            doc_ + ": function OpenFile: index: ファイルを開く\n" + doc_ +
                ": function OpenFile: argvlist 1: 開くﾌｧｲﾙ\n" + doc_ +
                ": function OpenFile: explanation: ファイルが無ければ作る。ﾌｧｲﾙ名は path。\n" +
                doc_ + ": structure FILE_INFO: memberlist 1: ファイルの大きさ\n");
}

TEST_F(FindCommand, NamesOnlyAndCaseAndTrailBytes) {
  auto result = RunCli({"find", doc_, "file", "--names"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, doc_ + ": function OpenFile: name: OpenFile\n" + doc_ +
                            ": structure FILE_INFO: name: FILE_INFO\n");
  result = RunCli({"find", doc_, "flags"});
  EXPECT_EQ(result.out, doc_ + ": function OpenFile: argvlist 2: flags\n" + doc_ +
                            ": function OpenFile: argvlist 2: open FLAGS\n");
  // The trail byte of ア is no "A": nothing found is status 1 with no output.
  result = RunCli({"find", doc_, "A", "--names"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
}

TEST_F(FindCommand, WrongUsageAndFailuresAreStatusTwo) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"find", doc_},
           {"find", doc_, ""},
           {"find", doc_, "x", "--name"},
           {"find", doc_, "x", "extra"},
       }) {
    EXPECT_EQ(RunCli(args).status, 2) << args.size();
  }
  // A missing file, a file of another kind, a text that Shift-JIS can't hold: a message too.
  std::ofstream(dir_ / "junk.dcm") << "not a document";
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"find", (dir_ / "missing.dcm").string(), "x"},
           {"find", (dir_ / "junk.dcm").string(), "x"},
           {"find", doc_, "😀"},
       }) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.status, 2) << args[1];
    EXPECT_NE(result.err, "") << args[1];
    EXPECT_EQ(result.out, "") << args[1];
  }
}

}  // namespace
