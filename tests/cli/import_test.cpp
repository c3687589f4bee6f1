// quillmap-cli import: the records made from test headers, byte for byte, and what the command
// leaves alone.
#ifdef QUILLMAP_HAVE_LIBCLANG

#include "tests/cli/code_fixture.h"

namespace {

using cli_test::CliResult;
using cli_test::CodeTest;
using cli_test::ReadWhole;
using cli_test::RunCli;

constexpr char kApiHeader[] = R"(#ifndef API_H
#define API_H
#include <stddef.h>

#define HANDLE void *
#define API_EXPORT __attribute__((visibility("default")))
typedef unsigned long ulong_t;

/**
 * Opens a stream.
 * Returns NULL when the file is missing.
 */
API_EXPORT HANDLE
open_stream(const char *path,   /* the file */
            int flags,          // how to open
            size_t bufsize);

/* Copies at most n names. */
char const * const *copy_names(char const *const *names, size_t n);

/// Sorts the table.
/// Stable.
void sort_table(int rows[][4], size_t count, int (*compare)(const void *, const void *));

int log_msg(int level, const char *fmt, ...);

static inline int twice(int x) { return 2 * x; }

/* Not directly above: a blank line follows. */

void reset(void);

#ifdef USE_WIDE
int wide_only(ulong_t n);
#else
int narrow_only(void);
#endif

#endif
)";

constexpr char kShapesHeader[] = R"(#include <stdint.h>

/** A point on the screen. In pixels. */
struct point {
  int x; /**< from the left */
  int y; /* from the top */
};

typedef struct {
  unsigned int visible : 1;  // shown at all
  unsigned int layer : 4;
  uint8_t reserved[3];
} flags_t;

/* A node of the tree. */
typedef struct node {
  struct node *next, *child;
  struct payload {
    int kind;
    union { int i; double d; } value;
  } payload;
  struct { int w, h; } size;
  union {
    long tag;
    void *ptr;
  };
  void (*visit)(struct node *self, void *context);
} node_t;
)";

class ImportTest : public CodeTest {};

TEST_F(ImportTest, FunctionsAreRecordedAsTheAddCommandRecordsThem) {
  const std::string doc = NewDocument("api.dcm");
  const CliResult result = RunCli({"import", doc, Write("api.h", kApiHeader)});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, doc +
                            ": 7 functions and 0 structures added; 0 functions and 0 structures "
                            "already there\n");
  SkipIfTheDateChanged();
  quillmap::SpecStore& store = Load(doc);
  ASSERT_EQ(store.GetFunctionCount(), 7u);
  // A prototype over several lines, a macro for the type, comments between parameters and a
  // documentation comment: heading and explanation.
  EXPECT_EQ(FunctionText("open_stream"), Expected(R"R(name "open_stream"
index "Opens a stream"
explanation "Returns NULL when the file is missing."
note ""
link
history ("TODAY" "新規作成")
funcattr "public"
argvlist ("const char*" "path" "'const char*' type") ("int" "flags" "'int' type") ("size_t" "bufsize" "'size_t' type")
return "HANDLE" "'HANDLE' type"
)R"));
  // const after the type and pointers to const pointers, as written; a plain block comment
  // directly above gives the heading.
  EXPECT_EQ(FunctionText("copy_names"), Expected(R"R(name "copy_names"
index "Copies at most n names"
explanation ""
note ""
link
history ("TODAY" "新規作成")
funcattr "public"
argvlist ("char const* const*" "names" "'char const* const*' type") ("size_t" "n" "'size_t' type")
return "char const* const*" "'char const* const*' type"
)R"));
  // An array keeps its brackets with the name, as the editor splits it; a function pointer is
  // a type of its own.
  EXPECT_EQ(FunctionText("sort_table"), Expected(R"R(name "sort_table"
index "Sorts the table"
explanation "Stable."
note ""
link
history ("TODAY" "新規作成")
funcattr "public"
argvlist ("int" "rows[][4]" "'int' type") ("size_t" "count" "'size_t' type") ("int (*)(const void*, const void*)" "compare" "'int (*)(const void*, const void*)' type")
return "void" "'void' type"
)R"));
  EXPECT_EQ(FunctionText("log_msg"), Expected(R"R(name "log_msg"
index "function 'log_msg'"
explanation ""
note ""
link
history ("TODAY" "新規作成")
funcattr "public"
argvlist ("int" "level" "'int' type") ("const char*" "fmt" "'const char*' type") ("..." "argv2" "'...' type")
return "int" "'int' type"
)R"));
  // A static inline definition: attribute inline; a comment with a blank line under it is no
  // heading.
  EXPECT_EQ(FunctionText("twice"), Expected(R"R(name "twice"
index "function 'twice'"
explanation ""
note ""
link
history ("TODAY" "新規作成")
funcattr "inline"
argvlist ("int" "x" "'int' type")
return "int" "'int' type"
)R"));
  EXPECT_EQ(FunctionText("reset"), Expected(R"R(name "reset"
index "function 'reset'"
explanation ""
note ""
link
history ("TODAY" "新規作成")
funcattr "public"
argvlist ("void" "" "'void' type")
return "void" "'void' type"
)R"));
  EXPECT_EQ(store.FindFunction("wide_only"), -1);
  EXPECT_GE(store.FindFunction("narrow_only"), 0);
  // Only the named file: nothing of <stddef.h>.
  EXPECT_EQ(store.GetStructCount(), 0u);
}

TEST_F(ImportTest, StructuresWithBitFieldsNestingAndTypedefNames) {
  const std::string doc = NewDocument("shapes.dcm");
  const CliResult result = RunCli({"import", doc, Write("shapes.h", kShapesHeader)});
  ASSERT_EQ(result.status, 0) << result.err;
  quillmap::SpecStore& store = Load(doc);
  ASSERT_EQ(store.GetStructCount(), 4u);
  EXPECT_EQ(StructText("point"), Expected(R"R(name "point"
index "A point on the screen"
explanation "In pixels."
note ""
link
history
memberlist ("int" "x" "from the left") ("int" "y" "from the top")
)R"));
  // An anonymous structure takes its typedef name.
  EXPECT_EQ(StructText("flags_t"), Expected(R"R(name "flags_t"
index "index"
explanation ""
note ""
link
history
memberlist ("unsigned int" "visible : 1" "shown at all") ("unsigned int" "layer : 4" "") ("uint8_t" "reserved[3]" "")
)R"));
  // A named structure keeps its tag; a structure defined inside it is a record of its own, an
  // anonymous member structure keeps its body, and the members of an anonymous union are the
  // structure's own.
  EXPECT_EQ(StructText("node"), Expected(R"R(name "node"
index "A node of the tree"
explanation ""
note ""
link
history
memberlist ("struct node*" "next" "") ("struct node*" "child" "") ("struct payload" "payload" "") ("struct { int w, h; }" "size" "") ("long" "tag" "") ("void*" "ptr" "") ("void (*)(struct node* self, void* context)" "visit" "")
)R"));
  EXPECT_EQ(StructText("payload"), Expected(R"R(name "payload"
index "index"
explanation ""
note ""
link
history
memberlist ("int" "kind" "") ("union { int i; double d; }" "value" "")
)R"));
}

TEST_F(ImportTest, SameRecordAsTheAddCommandForTheSamePrototype) {
  const std::vector<std::string> prototypes = {
      "unsigned long Calc(unsigned int n, char *p)",
      "int main(int argc, char *argv[])",
      "char *strdup(const char *s)",
      "void f(void)",
      "int printf(const char *fmt, ...)",
      "unsigned long int Calc2(unsigned int n, char ** pp)"};
  std::string header;
  std::vector<std::string> add = {"add", NewDocument("added.dcm")};
  for (const std::string& prototype : prototypes) {
    header += prototype + ";\n";
    add.push_back(prototype);
  }
  const std::string imported = NewDocument("imported.dcm");
  ASSERT_EQ(RunCli({"import", imported, Write("same.h", header)}).status, 0);
  ASSERT_EQ(RunCli(add).status, 0);
  SkipIfTheDateChanged();
  EXPECT_EQ(ReadWhole(imported), ReadWhole(Path("added.dcm")));
}

TEST_F(ImportTest, DefinesAfterTheDoubleDashChooseTheBranch) {
  const std::string doc = NewDocument("wide.dcm");
  const std::string header = Write("api.h", kApiHeader);
  const CliResult result = RunCli({"import", doc, header, "--", "-DUSE_WIDE", "-std=c99"});
  ASSERT_EQ(result.status, 0) << result.err;
  quillmap::SpecStore& store = Load(doc);
  EXPECT_EQ(FunctionText("wide_only"), Expected(R"R(name "wide_only"
index "function 'wide_only'"
explanation ""
note ""
link
history ("TODAY" "新規作成")
funcattr "public"
argvlist ("ulong_t" "n" "'ulong_t' type")
return "int" "'int' type"
)R"));
  EXPECT_EQ(store.FindFunction("narrow_only"), -1);
}

TEST_F(ImportTest, SecondImportAddsNothingAndLeavesTheFileAlone) {
  const std::string doc = NewDocument("twice.dcm");
  const std::string api = Write("api.h", kApiHeader);
  const std::string shapes = Write("shapes.h", kShapesHeader);
  ASSERT_EQ(RunCli({"import", doc, api, shapes}).status, 0);
  const std::string first = ReadWhole(doc);
  const auto written = std::filesystem::last_write_time(doc);
  const CliResult again = RunCli({"import", doc, shapes, api});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, doc +
                           ": 0 functions and 0 structures added; 7 functions and 4 structures "
                           "already there\n");
  EXPECT_EQ(ReadWhole(doc), first);
  EXPECT_EQ(std::filesystem::last_write_time(doc), written);
}

TEST_F(ImportTest, DryRunPrintsWhatWouldBeAddedAndWritesNothing) {
  const std::string doc = NewDocument("dry.dcm");
  const std::string before = ReadWhole(doc);
  const std::string shapes = Write("shapes.h", kShapesHeader);
  const std::string header = Write("dry.h", "int first(int a);\n\nlong second(void);\n");
  const CliResult result = RunCli({"import", "--dry-run", doc, header, shapes});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, header + ":1: function 'int first(int a)'\n" + header +
                            ":3: function 'long second(void)'\n" + shapes +
                            ":4: structure 'point' (2 members)\n" + shapes +
                            ":9: structure 'flags_t' (3 members)\n" + shapes +
                            ":16: structure 'node' (7 members)\n" + shapes +
                            ":18: structure 'payload' (2 members)\n" + doc +
                            ": 2 functions and 4 structures would be added; 0 functions and 0 "
                            "structures already there\n");
  EXPECT_EQ(ReadWhole(doc), before);
}

TEST_F(ImportTest, TextShiftJisCannotHoldSkipsThatRecordOnly) {
  const std::string doc = NewDocument("jp.dcm");
  const std::string header = Write("jp.h", R"(/** ファイルを開く。失敗すると NULL を返す。 */
void *jp_open(const char *path);

/**
 * Counts.
 * 한국어 text.
 */
int korean(void);

struct cell {
  int value; /* 値 😀 */
};

int after(void);
)");
  const CliResult result = RunCli({"import", doc, header});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, header +
                            ":6: error: Shift-JIS can't hold the character U+D55C '한'; function "
                            "'korean' is not added\n" +
                            header +
                            ":11: error: Shift-JIS can't hold the character U+1F600 '😀'; "
                            "structure 'cell' is not added\n");
  EXPECT_EQ(result.out, doc +
                            ": 2 functions and 0 structures added; 0 functions and 0 structures "
                            "already there; 2 records left out\n");
  quillmap::SpecStore& store = Load(doc);
  EXPECT_EQ(store.GetFunctionCount(), 2u);
  EXPECT_EQ(store.GetStructCount(), 0u);
  quillmap::FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(store.FindFunction("jp_open"), record));
  EXPECT_EQ(record.GetIndex(), quillmap::text::Sjis("ファイルを開く"));
  EXPECT_EQ(record.GetExplanation(), quillmap::text::Sjis("失敗すると NULL を返す。"));
  EXPECT_GE(store.FindFunction("after"), 0);
}

TEST_F(ImportTest, HeaderThatFailsToParseLeavesTheDocumentUntouched) {
  const std::string doc = NewDocument("bad.dcm");
  ASSERT_EQ(RunCli({"add", doc, "int kept(void)"}).status, 0);
  const std::string before = ReadWhole(doc);
  const std::string good = Write("good.h", "int fine(void);\n");
  const std::string bad = Write("bad.h", "int ok(void);\nint broken(unknown_t x);\n");
  CliResult result = RunCli({"import", doc, good, bad});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, bad + ":2:12: error: unknown type name 'unknown_t'\n" + bad +
                            " could not be read; nothing was added to " + doc + "\n");
  EXPECT_EQ(ReadWhole(doc), before);

  // An include that isn't there, and a file that isn't there.
  const std::string include = Write("include.h", "#include \"missing.h\"\nint f(void);\n");
  result = RunCli({"import", doc, include, Path("absent.h")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, include + ":1:10: fatal error: 'missing.h' file not found\n" +
                            Path("absent.h") + ": No such file or directory\n" + include + ", " +
                            Path("absent.h") + " could not be read; nothing was added to " + doc +
                            "\n");
  EXPECT_EQ(ReadWhole(doc), before);
}

// Names that reach the compiler through a macro, as bzlib.h declares all its functions: the
// name the compiler sees, and the prototype as written where the file writes it.
TEST_F(ImportTest, FunctionsNamedThroughAMacro) {
  const std::string doc = NewDocument("bz.dcm");
  const std::string header = Write("bz.h", R"(#define BZ_EXTERN extern
#define BZ_API(func) func
#define DECLARE(name) int name(void);
#define PREFIXED(name) lib_##name
typedef struct { int avail_in; } bz_stream;

BZ_EXTERN int BZ_API(BZ2_bzCompressInit) (
      bz_stream* strm,
      int        blockSize100k
   );
BZ_EXTERN const char * BZ_API(BZ2_bzlibVersion) (
      void
   );
DECLARE(made)
long PREFIXED(open)(const char *path);
)");
  const CliResult result = RunCli({"import", "--dry-run", doc, header});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, header +
                            ":7: function 'int BZ2_bzCompressInit(bz_stream* strm, int "
                            "blockSize100k)'\n" +
                            header + ":11: function 'const char* BZ2_bzlibVersion(void)'\n" +
                            header + ":14: function 'int made(void)'\n" + header +
                            ":15: function 'long lib_open(const char* path)'\n" + header +
                            ":5: structure 'bz_stream' (1 member)\n" + doc +
                            ": 4 functions and 1 structure would be added; 0 functions and 0 "
                            "structures already there\n");
  // check sees them too: a changed prototype is a difference.
  ASSERT_EQ(RunCli({"import", doc, header}).status, 0);
  EXPECT_EQ(RunCli({"check", doc, header}).status, 0);
  std::string changed = ReadWhole(header);
  changed.replace(changed.find("int        blockSize100k"), 3, "long");
  const CliResult check = RunCli({"check", doc, Write("bz.h", changed)});
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.out.find("BZ2_bzCompressInit"), std::string::npos) << check.out;
}

// A comment that only a later declaration of the function has is still taken.
TEST_F(ImportTest, CommentOfALaterDeclaration) {
  const std::string doc = NewDocument("later.dcm");
  const std::string header = Write("later.h", "int f(void);\n/** Does f. */ int f(void);\n");
  const CliResult result = RunCli({"import", doc, header});
  ASSERT_EQ(result.status, 0) << result.err;
  quillmap::SpecStore& store = Load(doc);
  quillmap::FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(store.FindFunction("f"), record));
  EXPECT_EQ(record.GetIndex(), "Does f");
}

// Warnings are not collected unless the compiler arguments ask for them: a -W option reaches
// the compiler as it is.
TEST_F(ImportTest, WarningOptionsReachTheCompiler) {
  const std::string doc = NewDocument("warn.dcm");
  const std::string header = Write("warn.h", "int f(void) __attribute__((no_such_attribute));\n");
  EXPECT_EQ(RunCli({"import", "--dry-run", doc, header}).status, 0);
  const CliResult strict = RunCli({"import", "--dry-run", doc, header, "--", "-Werror"});
  EXPECT_EQ(strict.status, 1);
  EXPECT_NE(strict.err.find("error: unknown attribute 'no_such_attribute' ignored"),
            std::string::npos)
      << strict.err;
}

// A macro that expands to 65,536 terms overflows the stack of libclang's parser: the reader
// crashes, the command names the file, exits with 1 and leaves the document as it was.
TEST_F(ImportTest, CrashOfTheReaderNamesTheFile) {
  const std::string doc = NewDocument("deep.dcm");
  ASSERT_EQ(RunCli({"add", doc, "int kept(void)"}).status, 0);
  const std::string before = ReadWhole(doc);
  const std::string good = Write("good.h", "int fine(void);\n");
  const std::string deep = Write("deep.h", R"(#define A(x) x+x
#define B(x) A(A(A(A(x))))
#define C(x) B(B(B(B(x))))
enum { N = C(1) };
int f(void);
)");
  for (const char* command : {"import", "check"}) {
    const CliResult result = RunCli({command, doc, good, deep});
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_NE(result.err.find(deep + ": the C reader was killed by signal"), std::string::npos)
        << result.err;
    EXPECT_EQ(ReadWhole(doc), before) << command;
  }
}

TEST_F(ImportTest, WrongUsage) {
  const std::string doc = NewDocument("usage.dcm");
  const std::string header = Write("u.h", "int f(void);\n");
  EXPECT_EQ(RunCli({"import", doc}).status, 2);
  EXPECT_EQ(RunCli({"import", doc, header, "-DX"}).status, 2);  // compiler options after "--"
  EXPECT_EQ(RunCli({"check", doc, "--dry-run", header}).status, 2);
  EXPECT_EQ(RunCli({"import", Path("absent.dcm"), header}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(Path("absent.dcm")));
}

}  // namespace

#endif  // QUILLMAP_HAVE_LIBCLANG
