// quillmap-cli annotate on C files that look like real code: the files after the run, byte for
// byte, the compiler and the check still content, the encodings, the notes, and the failures
// that leave a file as it was.
#include <sys/stat.h>

#include <cstdlib>
#include <map>

#include "core/model/file.h"
#include "tests/cli/code_fixture.h"

namespace {

using cli_test::CliResult;
using cli_test::CodeTest;
using cli_test::ReadWhole;
using cli_test::RunCli;
using quillmap::text::Sjis;

#ifdef QUILLMAP_HAVE_LIBCLANG

const std::string kRule = "//" + std::string(76, '-');

// The block of --flags 0x08 (name and explanation), "\n" line ends, UTF-8.
std::string Block(const std::string& name, const std::vector<std::string>& explanation = {},
                  const std::string& indent = "") {
  std::string block =
      indent + kRule + "\n" + indent + "//  関数名\n" + indent + "//    " + name + "\n";
  if (!explanation.empty()) block += indent + "//  説明\n";
  for (const std::string& line : explanation) block += indent + "//    " + line + "\n";
  return block + indent + "//  \n" + indent + kRule + "\n";
}

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

// UTF-8, LF: a static and an inline function (the second right after the first's closing
// brace), an old-style definition, one switched off by #ifdef, and one with the block of an
// earlier run above it.
const std::string kLfFile = R"(/* 在庫管理: 一覧の表示 */
#include <stddef.h>

struct item {
  int count;
};

static int limit = 3;

// 件数を数える
static int count_items(const struct item *items, size_t n)
{
  int total = 0;
  for (size_t i = 0; i < n; ++i) total += items[i].count;
  return total;
}
static inline int twice(int x) { return 2 * x; }

int old_style(a, b)
  int a;
  char *b;
{
  return a + (b != NULL);
}

#ifdef WITH_DEBUG
void debug_dump(void) {}
#endif

)" + Block("stock_reset", {"古い説明", "もう一行"}) +
                            R"(int stock_reset(int x) { return x + twice(limit); }
)";

// ASCII with CR LF, without a final newline.
const std::string kCrlfFile =
    "int crlf_first(void)\r\n{\r\n  return 1;\r\n}\r\n\r\n  /* indented */\r\n"
    "  int crlf_second(int v) { return v; }";

// Shift-JIS: 表, 能 and ソ (trail byte 0x5C) at the end of comment lines and in a string.
const std::string kSjisFile = Sjis(R"(/* 機能一覧表 */
// メッセージ表
// ソ
static const char *const title = "在庫一覧表";

/* 表示の機能 */
int sjis_show(int n)
{
  return n + (title[0] != 0);
}
)");

class AnnotateTest : public CodeTest {
 protected:
  // Sets the explanations (UTF-8) of the document's functions.
  void Explain(const std::string& doc, const std::map<std::string, std::string>& texts) {
    quillmap::SpecStore& store = Load(doc);
    for (const auto& [name, text] : texts) {
      const std::int32_t index = store.FindFunction(Sjis(name));
      ASSERT_GE(index, 0) << name;
      quillmap::FunctionSpec record;
      ASSERT_TRUE(store.GetFunction(index, record));
      record.SetExplanation(Sjis(text));
      ASSERT_TRUE(store.PutFunction(index, record));
    }
    quillmap::SaveStoreToPath(store, doc);
  }

  static bool Compiles(const std::string& path, const std::string& args = "") {
    return std::system(("gcc -fsyntax-only -std=gnu17 " + args + " '" + path + "' 2>&1").c_str()) ==
           0;
  }
};

TEST_F(AnnotateTest, AnnotatesRealFilesAndLeavesEverythingElseAsItWas) {
  if (std::system("gcc --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no gcc";
  const std::string lf = Write("stock.c", kLfFile);
  const std::string crlf = Write("crlf.c", kCrlfFile);
  const std::string sjis = Write("sjis.c", kSjisFile);
  const std::string doc = NewDocument("stock.dcm");
  ASSERT_EQ(RunCli({"import", doc, lf, crlf}).status, 0);
  ASSERT_EQ(RunCli({"import", doc, sjis}).status, 0);
  // Texts written on Windows carry CR LF.
  Explain(doc, {{"count_items", "件数を合計する\r\n(負の数も足す)"},
                {"old_style", "古い形式"},
                {"stock_reset", "新しい説明"},
                {"crlf_first", "one\r\ntwo"},
                {"crlf_second", "indented"},
                {"sjis_show", "一覧を表\r\n示する機能"}});
  const CliResult check_before = RunCli({"check", doc, lf, crlf, sjis});
  ASSERT_EQ(check_before.status, 0) << check_before.out;
  ASSERT_EQ(RunCli({"add", doc, "void debug_dump(void)"}).status, 0);

  const std::vector<std::string> args = {
      "annotate", doc, lf, crlf, sjis, "--flags", "0x08", "--", "-finput-charset=cp932"};
  CliResult result = RunCli(args);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            doc + ":0: note: function 'debug_dump' of the document is defined in no file\n");

  const std::string lf_expected =
      kLfFile.substr(0, kLfFile.find("static int count_items")) +
      Block("count_items", {"件数を合計する", "(負の数も足す)"}) +
      "static int count_items(const struct item *items, size_t n)\n{\n  int total = 0;\n"
      "  for (size_t i = 0; i < n; ++i) total += items[i].count;\n  return total;\n}\n" +
      Block("twice") + "static inline int twice(int x) { return 2 * x; }\n\n" +
      Block("old_style", {"古い形式"}) +
      "int old_style(a, b)\n  int a;\n  char *b;\n{\n  return a + (b != NULL);\n}\n\n"
      "#ifdef WITH_DEBUG\nvoid debug_dump(void) {}\n#endif\n\n" +
      Block("stock_reset", {"新しい説明"}) +
      "int stock_reset(int x) { return x + twice(limit); }\n";
  EXPECT_EQ(ReadWhole(lf), lf_expected);
  EXPECT_EQ(ReadWhole(crlf), Crlf(Block("crlf_first", {"one", "two"})) +
                                 "int crlf_first(void)\r\n{\r\n  return 1;\r\n}\r\n\r\n"
                                 "  /* indented */\r\n" +
                                 Crlf(Block("crlf_second", {"indented"}, "  ")) +
                                 "  int crlf_second(int v) { return v; }");
  const std::string show = Sjis("/* 表示の機能 */\n");
  std::string sjis_expected = kSjisFile;
  sjis_expected.insert(sjis_expected.find(show) + show.size(),
                       Sjis(Block("sjis_show", {"一覧を表", "示する機能"})));
  EXPECT_EQ(ReadWhole(sjis), sjis_expected);

  // A second run changes nothing and has nothing to show.
  result = RunCli(args);
  EXPECT_EQ(result.status, 0) << result.err;
  std::vector<std::string> dry_run = args;
  dry_run.insert(dry_run.begin() + 5, "--dry-run");
  result = RunCli(dry_run);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(ReadWhole(lf), lf_expected);
  EXPECT_EQ(ReadWhole(sjis), sjis_expected);

  for (const std::string& path : {lf, crlf}) EXPECT_TRUE(Compiles(path)) << path;
  EXPECT_TRUE(Compiles(sjis, "-finput-charset=cp932"));
  const CliResult check_after = RunCli({"check", doc, lf, crlf, sjis});
  EXPECT_EQ(check_after.out, doc +
                                 ":0: error: function 'debug_dump' of the document is not in "
                                 "the code\n");
}

TEST_F(AnnotateTest, WritesTheBlockInTheFilesEncoding) {
  const std::string doc = NewDocument("enc.dcm");
  ASSERT_EQ(RunCli({"add", doc, "int plain(void)"}).status, 0);
  Explain(doc, {{"plain", "表示する"}});
  const std::string code = "int plain(void) { return 0; }\n";
  struct Case {
    const char* name;
    std::string file;
    std::vector<std::string> options;
    int status;
    std::string expected;
  };
  const Case cases[] = {
      {"ascii is utf-8", code, {}, 0, Block("plain", {"表示する"}) + code},
      {"ascii as sjis", code, {"--encoding", "sjis"}, 0, Sjis(Block("plain", {"表示する"})) + code},
      {"utf-8 file",
       "// 説明\n" + code,
       {"--encoding=utf-8"},
       0,
       "// 説明\n" + Block("plain", {"表示する"}) + code},
      {"sjis file read as utf-8",
       Sjis("// 説明\n") + code,
       {"--encoding", "utf-8"},
       1,
       Sjis("// 説明\n") + code},
  };
  for (const Case& c : cases) {
    const std::string path = Write("plain.c", c.file);
    std::vector<std::string> args = {"annotate", doc, path, "--flags", "8"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.status, c.status) << c.name << "\n" << result.err;
    EXPECT_EQ(ReadWhole(path), c.expected) << c.name;
  }
}

TEST_F(AnnotateTest, ReportsWhatItLeavesAloneAndGoesOnWithTheOtherFiles) {
  const std::string doc = NewDocument("fail.dcm");
  ASSERT_EQ(RunCli({"add", doc, "int good(void)", "int bad_text(void)", "int ok(void)"}).status, 0);
  {
    quillmap::SpecStore& store = Load(doc);
    const std::int32_t index = store.FindFunction("bad_text");
    quillmap::FunctionSpec record;
    ASSERT_TRUE(store.GetFunction(index, record));
    record.SetExplanation("\x81");  // a lead byte without its trail byte
    ASSERT_TRUE(store.PutFunction(index, record));
    quillmap::SaveStoreToPath(store, doc);
  }
  const std::string good_code =
      "int good(void) { return 1; }\nint bad_text(void) { return 2; }\n"
      "int two(void); int ok(void) { return 3; }\nint extra(void) { return 4; }\n";
  const std::string good = Write("good.c", good_code);
  const std::string broken = Write("broken.c", "int good(unknown_t x) { return 0; }\n");
  const std::string locked = Write("locked.c", "int ok(void) { return 3; }\n");
  ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
  const std::string missing = Path("missing.c");
  const std::string pipe = Path("pipe.c");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);

  const CliResult result =
      RunCli({"annotate", doc, broken, good, missing, locked, pipe, "--flags", "8"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(ReadWhole(good), Block("good") + good_code);
  EXPECT_EQ(ReadWhole(broken), "int good(unknown_t x) { return 0; }\n");
  EXPECT_EQ(ReadWhole(locked), "int ok(void) { return 3; }\n");
  for (const std::string& expected :
       {broken + ":1:10: error: unknown type name 'unknown_t'\n",
        broken + " could not be read; left as it was\n",
        good + ":2: error: the comment block of function 'bad_text' holds bytes that are not "
               "Shift-JIS, which the file can't hold; left alone\n",
        good + ":3: note: function 'ok' left alone: it doesn't begin its line\n",
        good + ":4: note: function 'extra' is not in the document\n", "'" + missing + "'",
        "'" + locked + "'", pipe + ": not a regular file; left as it was\n"}) {
    EXPECT_NE(result.err.find(expected), std::string::npos) << expected << "\n" << result.err;
  }
  // A file could not be read: the document's functions may be there, so no note says otherwise.
  EXPECT_EQ(result.err.find("defined in no file"), std::string::npos) << result.err;
}

TEST_F(AnnotateTest, DryRunPrintsAUnifiedDiff) {
  const std::string doc = NewDocument("diff.dcm");
  ASSERT_EQ(RunCli({"add", doc, "int f(void)"}).status, 0);
  const std::string code = "#include <stddef.h>\n\nint f(void)\n{\n  return 0;\n}\n";
  const std::string path = Write("f.c", code);
  const CliResult result = RunCli({"annotate", "--dry-run", doc, path, "--flags=0"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "--- a/" + path + "\n+++ b/" + path +
                            "\n@@ -1,5 +1,10 @@\n #include <stddef.h>\n \n+" + kRule +
                            "\n+//  関数名\n+//    f\n+//  \n+" + kRule +
                            "\n int f(void)\n {\n   return 0;\n");
  EXPECT_EQ(ReadWhole(path), code);
}

TEST_F(AnnotateTest, TakesTheFlagWordFromTheProfileAndPrototypesWithDeclarations) {
  const std::string doc = NewDocument("flags.dcm");
  ASSERT_EQ(RunCli({"add", doc, "int f(int a)"}).status, 0);
  Explain(doc, {{"f", "explained"}});
  std::filesystem::create_directories(dir_ / "config");
  std::ofstream(dir_ / "config" / "Quillmap.conf") << "[ToClipFcunSpec]\nFuncSpec=8\n";
  ASSERT_EQ(setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1), 0);
  const std::string code = "int f(int a);\n\nint f(int a) { return a; }\n";
  const std::string path = Write("f.c", code);
  const CliResult result = RunCli({"annotate", doc, path, "--declarations"});
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadWhole(path), Block("f", {"explained"}) + "int f(int a);\n\n" +
                                 Block("f", {"explained"}) + "int f(int a) { return a; }\n");
}

TEST_F(AnnotateTest, WrongUsage) {
  const std::string doc = NewDocument("u.dcm");
  const std::string path = Write("u.c", "int f(void);\n");
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"annotate"},
                                             {"annotate", doc},
                                             {"annotate", doc, path, "--flags", "x"},
                                             {"annotate", doc, path, "--flags"},
                                             {"annotate", doc, path, "--encoding", "latin1"},
                                             {"annotate", doc, path, "-DX"}}) {
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.status, 2) << args.back();
    EXPECT_NE(result.err.find("usage:"), std::string::npos) << args.back();
  }
}

// A name written through a macro is annotated under the name the compiler sees; a definition
// that a macro writes whole is reported and left alone, never reported as missing.
TEST_F(AnnotateTest, MacroNamesAndDefinitionsMadeByMacros) {
  const std::string doc = NewDocument("macro.dcm");
  ASSERT_EQ(RunCli({"add", doc, "int foo(int x)", "int made(void)"}).status, 0);
  const std::string head = "#define API(f) f\n#define DEFINE(n) int n(void) { return 0; }\n\n";
  const std::string code = "int API(foo)(int x) { return x; }\n\nDEFINE(made)\n";
  const std::string path = Write("macro.c", head + code);
  const CliResult result = RunCli({"annotate", doc, path, "--flags", "8"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadWhole(path), head + Block("foo") + code);
  EXPECT_EQ(result.err,
            path + ":6: note: function 'made' comes out of a macro expansion; left alone\n");
}

#else

class AnnotateTest : public CodeTest {};

TEST_F(AnnotateTest, SaysThatItNeedsLibclang) {
  const std::string doc = NewDocument("n.dcm");
  const CliResult result = RunCli({"annotate", doc, Write("n.c", "int f(void) { return 0; }\n")});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("libclang"), std::string::npos) << result.err;
}

#endif

}  // namespace
