// quillmap-cli check: the report line by line, its exit status, and both commands in a build
// without libclang.
#include "tests/cli/code_fixture.h"

namespace {

using cli_test::CliResult;
using cli_test::CodeTest;
using cli_test::ReadWhole;
using cli_test::RunCli;

class CheckTest : public CodeTest {};

#ifdef QUILLMAP_HAVE_LIBCLANG

constexpr char kOldHeader[] = R"(struct pt { int x; };
struct gone { int a; };
)";

constexpr char kNewHeader[] = R"(int f(int a, char *p);
long g(void);
int h(const char *s,
      int n);
int k(int a, int b);
int added(void);
struct pt {
  int x;
  int y;
};
typedef struct { long v; } value_t;
)";

TEST_F(CheckTest, ReportsEachDifferenceAsCompilersDo) {
  const std::string doc = NewDocument("api.dcm");
  ASSERT_EQ(RunCli({"import", doc, Write("old.h", kOldHeader)}).status, 0);
  ASSERT_EQ(RunCli({"add", doc, "int f(int a, char* p)", "int g(void)", "int h(char *s, int n)",
                    "int k(int a)", "void removed(void)"})
                .status,
            0);
  ASSERT_EQ(
      RunCli({"import", doc, Write("value.h", "typedef struct { int v; } value_t;\n")}).status, 0);
  const std::string before = ReadWhole(doc);
  const std::string header = Write("new.h", kNewHeader);
  const CliResult result = RunCli({"check", doc, header});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            header + ":2: error: function 'g' returns 'long' but the document says 'int'\n" +
                header +
                ":3: error: function 'h' argument 1 is 'const char* s' but the document says "
                "'char* s'\n" +
                header + ":5: error: function 'k' has 2 arguments but the document lists 1\n" +
                header + ":6: error: function 'added' is not in the document\n" + header +
                ":7: error: structure 'pt' has 2 members but the document lists 1\n" + header +
                ":11: error: structure 'value_t' member 1 is 'long v' but the document says "
                "'int v'\n" +
                doc + ":0: error: function 'removed' of the document is not in the code\n" + doc +
                ":0: error: structure 'gone' of the document is not in the code\n");
  EXPECT_EQ(ReadWhole(doc), before);
}

TEST_F(CheckTest, AgreesRightAfterImportAndFollowsTheDefines) {
  const std::string doc = NewDocument("agree.dcm");
  const std::string header = Write("new.h", kNewHeader);
  const std::string branches =
      Write("branches.h", "#ifdef WIDE\nint wide(long n);\n#else\nint narrow(void);\n#endif\n");
  ASSERT_EQ(RunCli({"import", doc, header, branches}).status, 0);
  CliResult result = RunCli({"check", doc, header, branches});
  EXPECT_EQ(result.status, 0) << result.out;
  EXPECT_EQ(result.out, "");
  result = RunCli({"check", doc, branches, header, "--", "-DWIDE"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, branches + ":2: error: function 'wide' is not in the document\n" + doc +
                            ":0: error: function 'narrow' of the document is not in the code\n");
}

TEST_F(CheckTest, ParseErrorsAndMissingDocumentsAreNoReport) {
  const std::string doc = NewDocument("e.dcm");
  const std::string bad = Write("bad.h", "int broken(unknown_t x);\n");
  CliResult result = RunCli({"check", doc, bad});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, bad + ":1:12: error: unknown type name 'unknown_t'\n" + bad +
                            " could not be read; nothing was checked\n");
  result = RunCli({"check", Path("absent.dcm"), Write("ok.h", "int f(void);\n")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(RunCli({"check", doc}).status, 2);
}

#else

TEST_F(CheckTest, WithoutLibclangBothCommandsSaySoAndChangeNothing) {
  const std::string doc = NewDocument("none.dcm");
  const std::string before = ReadWhole(doc);
  const std::string header = Write("a.h", "int f(void);\n");
  for (const char* command : {"import", "check"}) {
    const CliResult result = RunCli({command, doc, header});
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_NE(result.err.find("built without libclang"), std::string::npos) << result.err;
  }
  EXPECT_EQ(ReadWhole(doc), before);
}

#endif

}  // namespace
