// The text work of annotate without libclang: how a file's encoding and line ends are taken,
// where a block goes (and which old block it replaces), and the diff of the changes.
#include <gtest/gtest.h>

#include "core/text/concat.h"
#include "core/text/sjis.h"
#include "ingest/annotate_diff.h"
#include "ingest/annotate_place.h"
#include "ingest/annotate_source.h"

namespace quillmap::ingest {
namespace {

const std::string kRule = "//" + std::string(76, '-');

// A block as the clipboard makes it, with "\n" line ends, R standing for a rule line.
std::string Block(const std::string& text) {
  std::string block = text;
  for (std::size_t at; (at = block.find('R')) != std::string::npos;) block.replace(at, 1, kRule);
  return block;
}

TEST(AnnotateSourceTest, TakesTheEncodingAndTheLineEnds) {
  struct Case {
    const char* name;
    std::string bytes;
    EncodingChoice choice;
    bool ok;
    SourceEncoding encoding;
    const char* line_end;
  };
  const std::string sjis = text::Sjis("// 表示\r\nint x;\r\n");
  const Case cases[] = {
      {"ascii is utf-8", "int x;\n", EncodingChoice::kAuto, true, SourceEncoding::kUtf8, "\n"},
      {"ascii as sjis", "int x;\n", EncodingChoice::kSjis, true, SourceEncoding::kSjis, "\n"},
      {"utf-8 text", "// 表示\nint x;\n", EncodingChoice::kAuto, true, SourceEncoding::kUtf8, "\n"},
      {"sjis text", sjis, EncodingChoice::kAuto, true, SourceEncoding::kSjis, "\r\n"},
      {"sjis under utf-8", sjis, EncodingChoice::kUtf8, false, SourceEncoding::kUtf8, "\r\n"},
      {"overlong utf-8", "\xC0\xAF\n", EncodingChoice::kAuto, true, SourceEncoding::kSjis, "\n"},
      {"surrogate", "\xED\xA0\x80\n", EncodingChoice::kAuto, true, SourceEncoding::kSjis, "\n"},
      {"cut sequence", "x\xE3\x81", EncodingChoice::kAuto, true, SourceEncoding::kSjis, "\n"},
      {"mostly crlf", "a\r\nb\r\nc\n", EncodingChoice::kAuto, true, SourceEncoding::kUtf8, "\r\n"},
      {"mostly lf", "a\r\nb\nc\n", EncodingChoice::kAuto, true, SourceEncoding::kUtf8, "\n"},
      {"empty", "", EncodingChoice::kAuto, true, SourceEncoding::kUtf8, "\n"},
  };
  for (const Case& c : cases) {
    const SourceText source(c.bytes, c.choice);
    EXPECT_EQ(source.ok(), c.ok) << c.name;
    if (!c.ok) continue;
    EXPECT_EQ(source.encoding(), c.encoding) << c.name;
    EXPECT_EQ(source.LineEnd(), c.line_end) << c.name;
    EXPECT_EQ(source.utf8(),
              c.encoding == SourceEncoding::kUtf8 ? c.bytes : text::SjisToUtf8(c.bytes))
        << c.name;
  }
}

TEST(AnnotateSourceTest, MapsUtf8OffsetsBackToShiftJisBytes) {
  // 表, 能 and ソ have the trail byte 0x5C; the mapping must not take it for a backslash.
  const std::string bytes =
      text::Sjis("// 一覧表\nconst char *s = \"機能ソ\";\nint f(void);\n// ｱｲｳ\nint g;\n");
  const SourceText source(bytes, EncodingChoice::kAuto);
  ASSERT_EQ(source.encoding(), SourceEncoding::kSjis);
  for (const char* word : {"const", "s =", "\";", "int f", "int g"}) {
    const auto utf8 = static_cast<std::uint32_t>(source.utf8().find(word));
    EXPECT_EQ(source.FileOffset(utf8), bytes.find(word)) << word;
  }
  // An offset inside a character counts as the character; past the end as the end.
  const auto kanji = static_cast<std::uint32_t>(source.utf8().find("表"));
  EXPECT_EQ(source.FileOffset(kanji + 2), source.FileOffset(kanji));
  EXPECT_EQ(source.FileOffset(kanji), bytes.find(text::Sjis("表")));
  EXPECT_EQ(source.FileOffset(1000000), bytes.size());
}

TEST(AnnotatePlaceTest, BlockInTheFilesEncodingWithLineFeeds) {
  struct Case {
    const char* name;
    std::string sjis;
    SourceEncoding encoding;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"crlf texts", text::Sjis("//  説明\r\n//    a\r\n"), SourceEncoding::kSjis,
       text::Sjis("//  説明\n//    a\n")},
      {"lone cr", "//  a\r//  b\r\r\n", SourceEncoding::kSjis, "//  a\n//  b\n\n"},
      {"to utf-8", text::Sjis("//  表\r\n"), SourceEncoding::kUtf8, "//  表\n"},
      {"not shift-jis", "//  \x81\n", SourceEncoding::kUtf8, std::nullopt},
      {"not shift-jis kept out of sjis", "//  \xA0\n", SourceEncoding::kSjis, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BlockInEncoding(c.sjis, c.encoding), c.expected) << c.name;
  }
}

// The file after the block of the declaration that begins at target (its first occurrence),
// checked to stay as it is when the block is placed again.
std::string Annotated(const std::string& bytes, const std::vector<std::string>& targets,
                      const std::string& utf8_block, std::vector<std::string>* skipped = nullptr) {
  const SourceText source(bytes, EncodingChoice::kAuto);
  std::vector<BlockRequest> requests;
  for (const std::string& target : targets) {
    const std::size_t at = source.utf8().find(target);
    EXPECT_NE(at, std::string::npos) << target;
    requests.push_back({static_cast<std::uint32_t>(at),
                        *BlockInEncoding(text::Sjis(utf8_block), source.encoding())});
  }
  const BlockPlan plan = PlanBlocks(source, requests);
  if (skipped != nullptr) {
    for (const auto& [index, reason] : plan.skipped)
      skipped->push_back(targets[index] + ": " + reason);
  }
  const std::string result = ApplyEdits(SplitLines(bytes), plan.edits);
  const SourceText again(result, EncodingChoice::kAuto);
  std::vector<BlockRequest> moved;
  for (std::size_t i = 0; i < requests.size(); ++i) {
    moved.push_back({static_cast<std::uint32_t>(again.utf8().find(targets[i])), requests[i].block});
  }
  EXPECT_TRUE(PlanBlocks(again, moved).edits.empty()) << "not idempotent:\n" << result;
  return result;
}

TEST(AnnotatePlaceTest, PutsTheBlockAboveTheDeclarationOrInPlaceOfTheOldOne) {
  const std::string block = Block("R\n//  関数名\n//    f\n//  \nR\n");
  const std::string b = Block(block);
  struct Case {
    const char* name;
    std::string file;
    std::string target;
    std::string expected;
  };
  const std::string old = Block("R\n//  関数名\n//    f\n//  説明\n//    old text\n//  \nR\n");
  const Case cases[] = {
      {"after a blank line", "int x;\n\nint f(void) {\n  return 0;\n}\n", "int f",
       "int x;\n\n" + b + "int f(void) {\n  return 0;\n}\n"},
      {"first line, no final newline", "int f(void) {}", "int f", b + "int f(void) {}"},
      {"after a closing brace", "int g(void) {\n}\nstatic int\nf(void) {}\n", "static",
       "int g(void) {\n}\n" + b + "static int\nf(void) {}\n"},
      {"indented", "#if X\n\tstatic int f(int);\n#endif\n", "static",
       "#if X\n\t//" + std::string(76, '-') + "\n\t//  関数名\n\t//    f\n\t//  \n\t" + kRule +
           "\n\tstatic int f(int);\n#endif\n"},
      {"crlf", "int x;\r\nint f(void);\r\n", "int f",
       "int x;\r\n" + kRule + "\r\n//  関数名\r\n//    f\r\n//  \r\n" + kRule +
           "\r\nint f(void);\r\n"},
      {"below other comments", "/* one\n   two */\n// three\nint f(void);\n", "int f",
       "/* one\n   two */\n// three\n" + b + "int f(void);\n"},
      {"old block replaced", "// file\n\n" + old + "int f(void);\n", "int f",
       "// file\n\n" + b + "int f(void);\n"},
      {"old block above other comments", old + "/** f */\n// more\nint f(void);\n", "int f",
       b + "/** f */\n// more\nint f(void);\n"},
      {"old block cut off by a blank line", old + "\nint f(void);\n", "int f",
       old + "\n" + b + "int f(void);\n"},
      {"old block cut off by code", old + "int x;\nint f(void);\n", "int f",
       old + "int x;\n" + b + "int f(void);\n"},
      {"rule without its pair", kRule + "\n//  x\nint f(void);\n", "int f",
       kRule + "\n//  x\n" + b + "int f(void);\n"},
      {"rule in a string", "char *s = \"\\\n" + kRule + "\";\nint f(void);\n", "int f",
       "char *s = \"\\\n" + kRule + "\";\n" + b + "int f(void);\n"},
      {"comment marks in strings", "char *s = \"/*\";\nint f(void);\n", "int f",
       "char *s = \"/*\";\n" + b + "int f(void);\n"},
      {"byte order mark", "\xEF\xBB\xBFint f(void);\n", "int f",
       "\xEF\xBB\xBF" + b + "int f(void);\n"},
      {"old block after a byte order mark", "\xEF\xBB\xBF" + old + "int f(void);\n", "int f",
       "\xEF\xBB\xBF" + b + "int f(void);\n"},
      {"old indented block", "  " + kRule + "\n  //  x\n  " + kRule + "\n  int f(void);\n", "int f",
       "  " + kRule + "\n  //  関数名\n  //    f\n  //  \n  " + kRule + "\n  int f(void);\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Annotated(c.file, {c.target}, block), c.expected) << c.name;
  }
}

TEST(AnnotatePlaceTest, ShiftJisFileKeepsItsBytes) {
  // 表 at a comment's end and in a string: read as bytes it ends in a backslash.
  const std::string file =
      text::Sjis("// 一覧表\nconst char *s = \"機能表\";\r\n/* ソ */\r\nint f(void);\r\n");
  const std::string block = Block("R\n//  関数名\n//    f\n//  説明\n//    表示ソ\n//  \nR\n");
  EXPECT_EQ(Annotated(file, {"int f"}, block),
            text::Sjis("// 一覧表\nconst char *s = \"機能表\";\r\n/* ソ */\r\n" + kRule +
                       "\r\n//  関数名\r\n//    f\r\n//  説明\r\n//    表示ソ\r\n//  \r\n" + kRule +
                       "\r\nint f(void);\r\n"));
}

TEST(AnnotatePlaceTest, SkipsDeclarationsThatDontBeginTheirLine) {
  const std::string block = Block("R\n//  関数名\n//    f\n//  \nR\n");
  std::vector<std::string> skipped;
  const std::string file =
      "int a(void); int b(void);\nint c(void), d(void);\n/* x */ int e(void);\nint f(void);\n";
  EXPECT_EQ(
      Annotated(file, {"int a", "int b", "int c", "d(void)", "int e", "int f"}, block, &skipped),
      "int a(void); int b(void);\nint c(void), d(void);\n/* x */ int e(void);\n" + Block(block) +
          "int f(void);\n");
  EXPECT_EQ(skipped, (std::vector<std::string>{"int a: another declaration shares its line",
                                               "int b: another declaration shares its line",
                                               "int c: another declaration shares its line",
                                               "d(void): another declaration shares its line",
                                               "int e: it doesn't begin its line"}));
}

TEST(AnnotateDiffTest, PrintsHunksWithThreeLinesOfContext) {
  std::string numbered;
  for (int i = 1; i <= 20; ++i) numbered += text::Concat({"l", std::to_string(i), "\n"});
  struct Case {
    const char* name;
    std::string file;
    std::vector<LineEdit> edits;
    SourceEncoding encoding;
    std::string expected;
  };
  const Case cases[] = {
      {"none", numbered, {}, SourceEncoding::kUtf8, ""},
      {"at the start",
       numbered,
       {{0, 0, {"+a\n"}}},
       SourceEncoding::kUtf8,
       "--- a/x.c\n+++ b/x.c\n@@ -1,3 +1,4 @@\n++a\n l1\n l2\n l3\n"},
      {"two hunks",
       numbered,
       {{4, 1, {"A\n", "B\n"}}, {15, 0, {"C\n"}}},
       SourceEncoding::kUtf8,
       "--- a/x.c\n+++ b/x.c\n@@ -2,7 +2,8 @@\n l2\n l3\n l4\n-l5\n+A\n+B\n l6\n l7\n l8\n"
       "@@ -13,6 +14,7 @@\n l13\n l14\n l15\n+C\n l16\n l17\n l18\n"},
      {"merged when context meets",
       numbered,
       {{4, 0, {"A\n"}}, {10, 0, {"B\n"}}},
       SourceEncoding::kUtf8,
       "--- a/x.c\n+++ b/x.c\n@@ -2,12 +2,14 @@\n l2\n l3\n l4\n+A\n l5\n l6\n l7\n l8\n l9\n"
       " l10\n+B\n l11\n l12\n l13\n"},
      {"no newline at the end",
       "a\r\nb",
       {{1, 0, {"c\r\n"}}},
       SourceEncoding::kUtf8,
       "--- a/x.c\n+++ b/x.c\n@@ -1,2 +1,3 @@\n a\r\n+c\r\n b\n\\ No newline at end of file\n"},
      {"one line",
       "b\n",
       {{0, 1, {"c\n"}}},
       SourceEncoding::kUtf8,
       "--- a/x.c\n+++ b/x.c\n@@ -1 +1 @@\n-b\n+c\n"},
      {"shift-jis printed as utf-8",
       text::Sjis("// 表\n"),
       {{1, 0, {text::Sjis("// ソ\n")}}},
       SourceEncoding::kSjis,
       "--- a/x.c\n+++ b/x.c\n@@ -1 +1,2 @@\n // 表\n+// ソ\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnifiedDiff("x.c", SplitLines(c.file), c.edits, c.encoding), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace quillmap::ingest
