// The clipboard comment block and PrefixLines.
#include "core/output/clipboard_text.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/model/spec_record.h"
#include "core/model/spec_store.h"
#include "core/model/tree_reader.h"
#include "core/text/sjis.h"

namespace quillmap {
namespace {

using text::Sjis;

const std::string kRule = "//" + std::string(76, '-') + "\n";

std::string Block(const FunctionSpec& function, ClipboardSpecSettings flags) {
  std::string out = "left over";
  EXPECT_TRUE(ClipboardSpecText(out, function, flags));
  return out;
}

// The function of the worked example: add(int a, int b), returning "sum", explained "adds".
void MakeAdd(FunctionSpec& add) {
  add.SetRecordName("add");
  add.AddArgument("int", "a", "first");
  add.AddArgument("int", "b", "second");
  add.SetReturnText("sum");
  add.SetExplanation("adds");
}

TEST(ClipboardSpecTextTest, WorkedExampleHasTwelveLines) {
  FunctionSpec add;
  MakeAdd(add);
  EXPECT_EQ(Block(add, clip_flag::kAll), kRule +
                                             Sjis("//  関数名\n"
                                                  "//    add\n"
                                                  "//  引数\n"
                                                  "//    int  a  ( first )\n"
                                                  "//    int  b  ( second )\n"
                                                  "//  戻り値\n"
                                                  "//    sum\n"
                                                  "//  説明\n"
                                                  "//    adds\n"
                                                  "//  \n") +
                                             kRule);
}

TEST(ClipboardSpecTextTest, StoredRecordStreamsTheBlockOfItsTree) {
  // Values longer than a piece, text with line feeds at its ends, arguments with missing cells,
  // and keys that come twice (the first decides): the stream of the stored record, cut in
  // pieces, is the block of the record copied out.
  const std::string long_text = std::string(70000, 'x') + "\r\n" + Sjis("説明") + "\n";
  FunctionSpec function;
  MakeAdd(function);
  function.SetRecordName(std::string(100000, 'n'));
  function.SetExplanation(long_text);
  function.SetNote("\nnote\n");
  function.AddArgument(std::string(66000, 't'), "", "");
  function.SetReturnText("");
  PropertyTree& tree = function;
  tree.AddChild(tree.FindTop("name"), "second");
  // A second key of the same name: not read.
  tree.AddChild(tree.AddChild(nullptr, "explanation"), "later");
  SpecStore store;
  store.AddFunction("");
  ASSERT_TRUE(store.PutFunction(0, function));
  FunctionSpec copied;
  ASSERT_TRUE(store.GetFunction(0, copied));
  const RecordSnapshot records = store.Snapshot();
  for (const ClipboardSpecSettings flags : {clip_flag::kAll, 0, clip_flag::kExplanation}) {
    std::string streamed;
    std::size_t pieces = 0;
    WriteClipboardSpecText([&](TreeVisitor& visitor) { records.functions->At(0)->Read(visitor); },
                           flags,
                           [&](std::string_view piece) {
                             streamed.append(piece);
                             ++pieces;
                           });
    EXPECT_EQ(streamed, Block(copied, flags)) << flags;
    EXPECT_GT(pieces, 1u) << flags;
  }
}

TEST(ClipboardSpecTextTest, FlagsZeroGiveTheNameOnly) {
  FunctionSpec add;
  MakeAdd(add);
  add.SetNote("note");
  EXPECT_EQ(Block(add, 0), kRule + Sjis("//  関数名\n//    add\n//  \n") + kRule);
  // Bit 0x01 and the bits above 0x10 mean nothing.
  EXPECT_EQ(Block(add, 0x01 | 0x20 | 0x40000000), Block(add, 0));
}

TEST(ClipboardSpecTextTest, EachBitAddsItsSection) {
  FunctionSpec add;
  MakeAdd(add);
  add.SetNote("note\nmore");
  EXPECT_EQ(Block(add, clip_flag::kReturn),
            kRule + Sjis("//  関数名\n//    add\n//  戻り値\n//    sum\n//  \n") + kRule);
  EXPECT_EQ(Block(add, clip_flag::kExplanation),
            kRule + Sjis("//  関数名\n//    add\n//  説明\n//    adds\n//  \n") + kRule);
  EXPECT_EQ(
      Block(add, clip_flag::kNote),
      kRule + Sjis("//  関数名\n//    add\n//  補足\n//    note\n//    more\n//  \n") + kRule);
}

TEST(ClipboardSpecTextTest, ArgumentsHeadingWithoutArguments) {
  FunctionSpec f;
  f.SetRecordName("f");
  f.SetReturnText("ok");
  // The next heading continues the indented line.
  EXPECT_EQ(Block(f, clip_flag::kArguments | clip_flag::kReturn),
            kRule + Sjis("//  関数名\n//    f\n//  引数\n//    戻り値\n//    ok\n//  \n") + kRule);
  // Nothing follows: the block ends with the indented line.
  EXPECT_EQ(Block(f, clip_flag::kArguments),
            kRule + Sjis("//  関数名\n//    f\n//  引数\n//    \n") + kRule);
}

TEST(ClipboardSpecTextTest, ColumnWidthsCountBytes) {
  FunctionSpec f;
  f.SetRecordName("f");
  f.AddArgument("unsigned long", "count", "n");
  EXPECT_EQ(Block(f, clip_flag::kArguments),
            kRule +
                Sjis("//  関数名\n//    f\n//  引数\n//    unsigned long  count  ( n )\n//  \n") +
                kRule);

  // A double-byte character counts two: the type "型" is two bytes, the name "名前" four.
  FunctionSpec g;
  g.SetRecordName("g");
  g.AddArgument(Sjis("型"), Sjis("名前"), Sjis("説明"));
  g.AddArgument("int", "x", "y");
  EXPECT_EQ(Block(g, clip_flag::kArguments), kRule +
                                                 Sjis("//  関数名\n//    g\n//  引数\n"
                                                      "//    型   名前  ( 説明 )\n"
                                                      "//    int  x     ( y )\n"
                                                      "//  \n") +
                                                 kRule);
}

TEST(ClipboardSpecTextTest, MultiLineTextsAndEmptySections) {
  FunctionSpec f;
  f.SetRecordName("f");
  f.SetExplanation("one\ntwo\r\nthree");
  // Empty return text and empty note are left out with their headings.
  EXPECT_EQ(Block(f, clip_flag::kAll), kRule +
                                           Sjis("//  関数名\n//    f\n//  引数\n//    説明\n"
                                                "//    one\n//    two\r\n//    three\n//  \n") +
                                           kRule);
}

TEST(PrefixLinesTest, PrefixAtStartAndAfterEveryLineFeed) {
  std::string text = "a\nb\n";
  PrefixLines(text, "> ");
  EXPECT_EQ(text, "> a\n> b\n> ");

  text = "a\r\nb";
  PrefixLines(text, "//");
  EXPECT_EQ(text, "//a\r\n//b");

  text.clear();
  PrefixLines(text, "  ");
  EXPECT_EQ(text, "  ");

  text = "\n\n";
  PrefixLines(text, "-");
  EXPECT_EQ(text, "-\n-\n-");

  // A prefix that holds a line feed itself is put in once per line of the original text.
  text = "x\ny";
  PrefixLines(text, "\n");
  EXPECT_EQ(text, "\nx\n\ny");
}

// The block pasted above a definition must still compile as C.
TEST(ClipboardSpecTextTest, BlockAboveDefinitionCompiles) {
  if (std::system("gcc --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no gcc";
  FunctionSpec add;
  MakeAdd(add);
  // Texts that could break a comment: a trailing backslash, "*/", a double-byte character whose
  // second byte is 5C (ソ, 83 5C), CR LF line ends.
  add.SetExplanation(Sjis("adds \\\nソ */ done\r\nend\\"));
  add.SetNote("/* note");
  std::string block;
  ASSERT_TRUE(ClipboardSpecText(block, add, clip_flag::kAll));

  const std::string definition =
      "int add(int a, int b) { return a + b; }\n"
      "int main(void) { return add(1, 2) == 3 ? 0 : 1; }\n";
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("quillmap-clip-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  // A definition swallowed by the comment leaves main calling an undeclared add: an error under
  // -Werror. A comment line that ends in a backslash is the user's text and only warned about.
  const std::string gcc = "gcc -std=c11 -Wall -Wno-comment -Werror -fsyntax-only ";
  const std::filesystem::path utf8_source = dir / "add_utf8.c";
  std::ofstream(utf8_source, std::ios::binary) << text::SjisToUtf8(block) << definition;
  EXPECT_EQ(std::system((gcc + "'" + utf8_source.string() + "'").c_str()), 0);
  const std::filesystem::path sjis_source = dir / "add_sjis.c";
  std::ofstream(sjis_source, std::ios::binary) << block << definition;
  EXPECT_EQ(std::system((gcc + "-finput-charset=CP932 '" + sjis_source.string() + "'").c_str()), 0);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quillmap
