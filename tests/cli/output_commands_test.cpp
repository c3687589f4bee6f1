// quillmap-cli add, export and clip, run as the built program.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/output/html_exporter.h"
#include "core/text/sjis.h"

namespace {

using quillmap::FunctionSpec;
using quillmap::SpecStore;
using quillmap::text::Sjis;

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (const char c : arg) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

class OutputCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("quillmap-cli-output-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "config");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  // Runs quillmap-cli with the arguments; the profile folder is the test's own.
  Result Run(const std::vector<std::string>& args) const {
    std::string command =
        "XDG_CONFIG_HOME=" + Quote((dir_ / "config").string()) + " " + Quote(QUILLMAP_CLI);
    for (const std::string& arg : args) command.append(" ").append(Quote(arg));
    command += " > " + Quote(PathOf("stdout")) + " 2> " + Quote(PathOf("stderr"));
    const int raw = std::system(command.c_str());
    Result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadAll(dir_ / "stdout");
    result.err = ReadAll(dir_ / "stderr");
    return result;
  }

  // A document with add(int a, int b) (public), static_f (static) and inline_f (inline).
  std::string MakeDocument(const std::string& name) const {
    SpecStore store;
    FunctionSpec add;
    add.SetRecordName("add");
    add.AddArgument("int", "a", "first");
    add.AddArgument("int", "b", "second");
    add.SetReturnText("sum");
    add.SetExplanation(Sjis("足す"));
    Append(store, add);
    for (int attribute : {quillmap::kAttrStatic, quillmap::kAttrInline}) {
      FunctionSpec function;
      function.SetRecordName(std::string(quillmap::FuncAttributeWord(attribute)) + "_f");
      function.SetAttribute(attribute);
      Append(store, function);
    }
    const std::string path = PathOf(name);
    quillmap::SaveStoreToPath(store, path);
    return path;
  }

  static void Append(SpecStore& store, const FunctionSpec& function) {
    store.AddFunction(function.GetRecordName());
    store.PutFunction(static_cast<std::int32_t>(store.GetFunctionCount()) - 1, function);
  }

  std::filesystem::path dir_;
};

const std::string kRule = "//" + std::string(76, '-') + "\n";

// ---- add ---------------------------------------------------------------------------------------

TEST_F(OutputCommandsTest, AddAppendsEachPrototypeWithTodaysHistory) {
  const std::string path = MakeDocument("doc.dcm");
  const Result result =
      Run({"add", path, "unsigned long Calc(unsigned int n, char *p)", "int 計算(int 値)"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");

  SpecStore store;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(store, path));
  ASSERT_EQ(store.GetFunctionCount(), 5u);
  FunctionSpec calc;
  ASSERT_TRUE(store.GetFunction(3, calc));
  EXPECT_EQ(calc.GetRecordName(), "Calc");
  EXPECT_EQ(calc.GetReturnText(), "'unsigned long' type");
  EXPECT_EQ(calc.GetArgumentCount(), 2u);
  quillmap::HistoryEntry entry;
  ASSERT_TRUE(calc.GetHistory(0, entry));
  EXPECT_EQ(quillmap::FormatHistoryDate(entry.date),
            quillmap::FormatHistoryDate(std::time(nullptr)));
  EXPECT_EQ(entry.comment, Sjis("新規作成"));
  FunctionSpec japanese;
  ASSERT_TRUE(store.GetFunction(4, japanese));
  EXPECT_EQ(japanese.GetRecordName(), Sjis("計算"));
  std::string type, name, description;
  ASSERT_TRUE(japanese.GetArgument(0, type, name, description));
  EXPECT_EQ(name, Sjis("値"));
}

TEST_F(OutputCommandsTest, AddRefusesATakenNameAndLeavesTheFileUntouched) {
  const std::string path = MakeDocument("doc.dcm");
  const std::string before = ReadAll(path);
  const std::vector<std::vector<std::string>> calls = {
      {"add", path, "int add(int x)"},
      {"add", path, "int fresh(void)", "char *fresh(int)"},  // taken within the same call
      {"add", path, "int other(void)", "add"},
  };
  for (const auto& call : calls) {
    const Result result = Run(call);
    EXPECT_EQ(result.status, 1) << call.back();
    EXPECT_EQ(result.err, "すでに存在する関数名です\n");
    EXPECT_EQ(ReadAll(path), before);
  }
}

TEST_F(OutputCommandsTest, AddRejectsTextShiftJisCannotHoldAndBadUsage) {
  const std::string path = MakeDocument("doc.dcm");
  const std::string before = ReadAll(path);
  const Result result = Run({"add", path, "int ok(void)", "int smile(\U0001F600 x)"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err, "");
  EXPECT_EQ(ReadAll(path), before);

  EXPECT_EQ(Run({"add", path}).status, 2);
  EXPECT_EQ(Run({"add", path, ""}).status, 2);
  // A text that names no function is refused as the editor refuses it, even after a good one.
  for (const char* blank : {"   ", "( )"}) {
    const Result refused = Run({"add", path, "int ok(void)", blank});
    EXPECT_EQ(refused.status, 2) << blank;
    EXPECT_EQ(refused.err, std::string("add: '") + blank + "' names no function\n");
  }
  EXPECT_EQ(ReadAll(path), before);
}

TEST_F(OutputCommandsTest, CommandsRefuseAFileOfAnotherFormat) {
  const std::string path = PathOf("not.dcm");
  std::ofstream(path, std::ios::binary) << "this is no document at all";
  const std::vector<std::vector<std::string>> calls = {
      {"add", path, "f"}, {"export", path, PathOf("o.htm")}, {"clip", path, "f"}};
  for (const auto& call : calls) {
    const Result result = Run(call);
    EXPECT_EQ(result.status, 1) << call[0];
    EXPECT_EQ(result.err, "予期しないﾌｧｲﾙ形式です。\n") << call[0];
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("o.htm")));
}

// ---- export ------------------------------------------------------------------------------------

TEST_F(OutputCommandsTest, ExportWritesThePageOfAllAttributes) {
  const std::string path = MakeDocument("doc.dcm");
  const std::string out = PathOf("page.htm");
  const Result result = Run({"export", path, out});
  ASSERT_EQ(result.status, 0) << result.err;

  SpecStore store;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(store, path));
  quillmap::HtmlExporter exporter;
  ASSERT_TRUE(exporter.Attach(&store));
  quillmap::File expected;
  expected.OpenMemoryWrite();
  exporter.Write(&expected);
  EXPECT_EQ(ReadAll(out), expected.MemoryBytes());
  for (const char* name : {"add", "static_f", "inline_f"}) {
    EXPECT_NE(ReadAll(out).find(std::string("<A NAME = ") + name + ">"), std::string::npos);
  }
}

TEST_F(OutputCommandsTest, ExportAttributeList) {
  const std::string path = MakeDocument("doc.dcm");
  const std::string out = PathOf("page.htm");
  ASSERT_EQ(Run({"export", path, out, "--attributes", "static,inline"}).status, 0);
  std::string page = ReadAll(out);
  EXPECT_EQ(page.find("<A NAME = add>"), std::string::npos);
  EXPECT_NE(page.find("<A NAME = static_f>"), std::string::npos);
  EXPECT_NE(page.find("<A NAME = inline_f>"), std::string::npos);

  ASSERT_EQ(Run({"export", path, out, "--attributes="}).status, 0);
  page = ReadAll(out);
  EXPECT_EQ(page.find("<A NAME = "), std::string::npos);
  EXPECT_NE(page.find(Sjis("<H2>関数</H2>")), std::string::npos);

  const Result bad = Run({"export", path, PathOf("bad.htm"), "--attributes", "public,extern"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_FALSE(std::filesystem::exists(PathOf("bad.htm")));
}

TEST_F(OutputCommandsTest, ExportToAnUnwritablePathNamesIt) {
  const std::string path = MakeDocument("doc.dcm");
  for (const std::string& out : {PathOf("missing-folder/page.htm"), dir_.string()}) {
    const Result result = Run({"export", path, out});
    EXPECT_EQ(result.status, 1) << out;
    EXPECT_NE(result.err.find(out), std::string::npos) << result.err;
  }
  if (std::filesystem::exists("/dev/full")) {  // a device is never replaced, nor written into
    const Result result = Run({"export", path, "/dev/full"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "export: can't write '/dev/full': not a regular file\n");
  }
}

TEST_F(OutputCommandsTest, ExportTakesExactlyTwoPaths) {
  const std::string path = MakeDocument("doc.dcm");
  const std::string document = ReadAll(path);
  const std::string out = PathOf("page.htm");
  const std::string extra = PathOf("extra.htm");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"export", path},
        std::vector<std::string>{"export", path, out, extra}}) {
    const Result result = Run(args);
    EXPECT_EQ(result.status, 2) << args.size();
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(extra));
  }
  EXPECT_EQ(ReadAll(path), document);
}

// ---- clip --------------------------------------------------------------------------------------

const std::string kAddBlock = kRule +
                              "//  関数名\n"
                              "//    add\n"
                              "//  引数\n"
                              "//    int  a  ( first )\n"
                              "//    int  b  ( second )\n"
                              "//  戻り値\n"
                              "//    sum\n"
                              "//  説明\n"
                              "//    足す\n"
                              "//  \n" +
                              kRule;

TEST_F(OutputCommandsTest, ClipPrintsTheBlockInUtf8OrShiftJis) {
  const std::string path = MakeDocument("doc.dcm");
  Result result = Run({"clip", path, "add", "--flags", "-1"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, kAddBlock);
  EXPECT_EQ(result.err, "");

  result = Run({"clip", path, "add", "--sjis", "--flags=0x1e"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, Sjis(kAddBlock));

  result = Run({"clip", path, "add", "--flags", "0"});
  EXPECT_EQ(result.out, kRule + "//  関数名\n//    add\n//  \n" + kRule);
}

TEST_F(OutputCommandsTest, ClipTakesItsDefaultFromTheProfile) {
  const std::string path = MakeDocument("doc.dcm");
  // No profile: every section.
  EXPECT_EQ(Run({"clip", path, "add"}).out, kAddBlock);
  std::ofstream(dir_ / "config" / "Quillmap.conf")
      << "[Recent File List]\nFile1=/x.dcm\n[ToClipFcunSpec]\nFuncSpec=4\n";
  EXPECT_EQ(Run({"clip", path, "add"}).out,
            kRule + "//  関数名\n//    add\n//  戻り値\n//    sum\n//  \n" + kRule);
  // The command line wins over the profile.
  EXPECT_EQ(Run({"clip", path, "add", "--flags", "0"}).out,
            kRule + "//  関数名\n//    add\n//  \n" + kRule);
}

TEST_F(OutputCommandsTest, ClipUnknownNameAndBadFlags) {
  const std::string path = MakeDocument("doc.dcm");
  Result result = Run({"clip", path, "nothere"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("nothere"), std::string::npos);

  for (const char* flags : {"x", "12abc", "", "0x", "99999999999"}) {
    result = Run({"clip", path, "add", "--flags", flags});
    EXPECT_EQ(result.status, 2) << flags;
    EXPECT_EQ(result.out, "") << flags;
  }
  EXPECT_EQ(Run({"clip", path}).status, 2);
  EXPECT_EQ(Run({"clip", path, "add", "--bogus"}).status, 2);
}

TEST_F(OutputCommandsTest, ClipFlagsInHexadecimalSpanAll32Bits) {
  const std::string path = MakeDocument("doc.dcm");
  for (const char* all : {"0xFFFFFFFF", "0Xffffffff"}) {
    const Result result = Run({"clip", path, "add", "--flags", all});
    EXPECT_EQ(result.status, 0) << all << result.err;
    EXPECT_EQ(result.out, kAddBlock) << all;
  }
  // Bit 31 alone is the lowest int: the same word as its decimal form.
  EXPECT_EQ(Run({"clip", path, "add", "--flags", "0x80000000"}).out,
            Run({"clip", path, "add", "--flags", "-2147483648"}).out);
  for (const char* too_wide : {"0x100000000", "0x1FFFFFFFF", "-0x1", "2147483648", "-2147483649"}) {
    const Result result = Run({"clip", path, "add", "--flags", too_wide});
    EXPECT_EQ(result.status, 2) << too_wide;
    EXPECT_EQ(result.out, "") << too_wide;
  }
}

}  // namespace
