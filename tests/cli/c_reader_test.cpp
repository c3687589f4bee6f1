// The C reader as quillmap-cli meets it: ClangReader running the built quillmap-c-reader (what
// the reader reports per function, read from a file or from memory), and what the commands say
// when the reader is missing, can't load libclang, crashes or answers nonsense.
#ifdef QUILLMAP_HAVE_LIBCLANG

#include <sys/stat.h>

#include <cstdlib>
#include <tuple>

#include "ingest/clang_reader.h"
#include "tests/cli/code_fixture.h"

namespace {

using cli_test::CliResult;
using cli_test::CodeTest;
using cli_test::ReadWhole;
using cli_test::RunCli;
using quillmap::ingest::ClangReader;
using quillmap::ingest::ReadOptions;
using quillmap::ingest::ReadResult;

// Points quillmap-cli and ClangReader at another reader for the test's life.
class ReaderOverride {
 public:
  explicit ReaderOverride(const std::string& path) {
    ::setenv("QUILLMAP_C_READER", path.c_str(), 1);
  }
  ~ReaderOverride() { ::unsetenv("QUILLMAP_C_READER"); }
};

class CReaderTest : public CodeTest {
 protected:
  // name, is_definition, begin_offset, from_macro of each function, in order.
  using Entry = std::tuple<std::string, bool, std::uint32_t, bool>;
  static std::vector<Entry> Entries(const ReadResult& result) {
    std::vector<Entry> entries;
    for (const auto& function : result.file.functions) {
      entries.emplace_back(function.name, function.is_definition, function.begin_offset,
                           function.from_macro);
    }
    return entries;
  }

  std::string Script(const std::string& name, const std::string& body) const {
    const std::string path = Write(name, "#!/bin/sh\n" + body + "\n");
    ::chmod(path.c_str(), 0755);
    return path;
  }
};

constexpr char kSource[] =
    "#define DECLARE(n) int n(void);\n"   // 0
    "int twice(int x);\n"                 // 32
    "int twice(int x) {\n"                // 50
    "  return 2 * x; }\n"                 // 69
    "DECLARE(made)\n"                     // 87
    "/** Later. */ int twice(int x);\n";  // 101, its "int" at 115

TEST_F(CReaderTest, FunctionsWithTheirPlacesFromFileOrMemory) {
  const ReaderOverride reader(QUILLMAP_C_READER_PROGRAM);
  const ClangReader clang({});
  const std::string path = Write("defs.c", kSource);

  // By default one entry per function, at its first declaration, with the comment found later.
  ReadResult result = clang.Read(path);
  ASSERT_TRUE(result.ok) << (result.errors.empty() ? "" : result.errors[0]);
  EXPECT_EQ(Entries(result),
            (std::vector<Entry>{{"twice", false, 32, false}, {"made", false, 87, true}}));
  EXPECT_EQ(result.file.functions[0].comment.text, "Later.");

  // With definitions: every declaration on its own.
  ReadOptions options;
  options.definitions = true;
  result = clang.Read(path, options);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(Entries(result), (std::vector<Entry>{{"twice", false, 32, false},
                                                 {"twice", true, 50, false},
                                                 {"made", false, 87, true},
                                                 {"twice", false, 115, false}}));
  EXPECT_EQ(result.file.functions[3].comment.text, "Later.");

  // Text in memory is read in place of the file, which need not exist; offsets are its own.
  options.contents = "\n\nint only(void) { return 0; }\n";
  result = clang.Read(Path("absent.c"), options);
  ASSERT_TRUE(result.ok) << (result.errors.empty() ? "" : result.errors[0]);
  EXPECT_EQ(Entries(result), (std::vector<Entry>{{"only", true, 2, false}}));
  EXPECT_EQ(result.file.functions[0].line, 3u);
}

TEST_F(CReaderTest, ReaderThatCannotServeIsReportedInOneLine) {
  const std::string doc = NewDocument("api.dcm");
  const std::string header = Write("api.h", "int f(void);\n");
  const std::string before = ReadWhole(doc);
  struct Case {
    std::string reader;
    std::string message;
  };
  const std::vector<Case> cases = {
      {Path("absent-reader"),
       "quillmap-cli reads C with " + Path("absent-reader") +
           ", which is missing (No such file or directory): reinstall quillmap, or build it "
           "where libclang-dev is installed\n"},
      // What the dynamic loader does when libclang isn't installed.
      {Script("no-libclang", "exit 127"),
       "quillmap-cli reads C with libclang, which is not installed: install " +
           std::string(QUILLMAP_LIBCLANG_PACKAGES) + "\n"},
      {Script("crash", "kill -SEGV $$"),
       header +
           ": the C reader was killed by signal 11 (Segmentation fault) while reading "
           "this file\n" +
           header + " could not be read; nothing was added to " + doc + "\n"},
      {Script("garbage", "cat >/dev/null; echo nonsense"),
       header + ": the C reader gave no answer that could be read while reading this file\n" +
           header + " could not be read; nothing was added to " + doc + "\n"},
  };
  for (const Case& c : cases) {
    const ReaderOverride reader(c.reader);
    const CliResult result = RunCli({"import", doc, header});
    EXPECT_EQ(result.status, 1) << c.reader;
    EXPECT_EQ(result.err, c.message) << c.reader;
    EXPECT_EQ(ReadWhole(doc), before) << c.reader;
  }
  // annotate says the same once, however many files it was given, and writes none of them.
  const ReaderOverride reader(Path("absent-reader"));
  const std::string source = Write("api.c", "int f(void) { return 0; }\n");
  const CliResult annotate = RunCli({"annotate", doc, source, source});
  EXPECT_EQ(annotate.status, 1);
  EXPECT_EQ(annotate.err, cases[0].message);
  EXPECT_EQ(ReadWhole(source), "int f(void) { return 0; }\n");
  // The commands that don't read C don't need it.
  EXPECT_EQ(RunCli({"export", doc, Path("page.htm")}).status, 0);
}

}  // namespace

#endif  // QUILLMAP_HAVE_LIBCLANG
