#include "core/parse/prototype_parser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/text/sjis.h"

namespace quillmap {
namespace {

using Args = std::vector<std::pair<std::string, std::string>>;

struct Split {
  std::string return_type;
  std::string name;
  Args args;
};

Split ParseText(std::string text) {
  PrototypeParser parser;
  EXPECT_TRUE(parser.Parse(std::move(text)));
  Split split;
  EXPECT_TRUE(parser.GetReturnType(split.return_type));
  EXPECT_TRUE(parser.GetName(split.name));
  const int count = parser.GetArgCount();
  EXPECT_GE(count, 0);
  EXPECT_LE(count, PrototypeParser::kMaxArgs);
  for (int i = 0; i < count; ++i) {
    std::string type, name;
    EXPECT_TRUE(parser.GetArg(i, type, name));
    split.args.emplace_back(type, name);
  }
  return split;
}

void ExpectSplit(const std::string& text, const std::string& return_type, const std::string& name,
                 const Args& args) {
  const Split split = ParseText(text);
  EXPECT_EQ(split.return_type, return_type) << text;
  EXPECT_EQ(split.name, name) << text;
  EXPECT_EQ(split.args, args) << text;
}

TEST(PrototypeParser, WorkedExamples) {
  ExpectSplit("int main(int argc, char *argv[])", "int", "main",
              {{"int", "argc"}, {"char*", "argv[]"}});
  ExpectSplit("char *strdup(const char *s)", "char*", "strdup", {{"const char*", "s"}});
  ExpectSplit("char * strdup ( const char * s )", "char*", "strdup", {{"const char*", "s"}});
  ExpectSplit("unsigned long int Calc(unsigned int n, char ** pp, int &r)", "unsigned long int",
              "Calc", {{"unsigned int", "n"}, {"char**", "pp"}, {"int&", "r"}});
  ExpectSplit("void f(void)", "void", "f", {{"void", ""}});
  ExpectSplit("int f()", "int", "f", {{"", "argv0"}});
  ExpectSplit("int g(char*p, char**q)", "int", "g", {{"char*p", "argv0"}, {"char**q", "argv1"}});
  ExpectSplit("void set(int (*cb)(int))", "void", "set", {{"int", "(*cb)(int)"}});
  ExpectSplit("int f(int a) const;", "int", "f", {{"int", "a"}});
  ExpectSplit("int f(int a", "int", "f", {});
  ExpectSplit("long total", "long", "total", {});
  ExpectSplit("main(x)", "", "main", {{"x", "argv0"}});
  ExpectSplit("a b c d e f g h i j(int x)", "a b c d e f g", "h", {{"int", "x"}});
  ExpectSplit("int &get(int a)", "int", "&get", {{"int", "a"}});
  ExpectSplit("unsigned long Calc(unsigned int n, char *p)", "unsigned long", "Calc",
              {{"unsigned int", "n"}, {"char*", "p"}});
}

TEST(PrototypeParser, HeadAlone) {
  ExpectSplit("Calc", "", "Calc", {});
  ExpectSplit("  static const char * const name", "static const char* const", "name", {});
  // A newline is skipped before a word but does not end one.
  ExpectSplit("\nlong\n\ntotal\n", "", "long\n\ntotal\n", {});
  ExpectSplit("char **names", "char**", "names", {});  // only '*' moves to the return type
  ExpectSplit("int &&ref", "int", "&&ref", {});
}

TEST(PrototypeParser, HeadWithoutWords) {
  ExpectSplit("", "", "", {});
  ExpectSplit(" \t\n ", "", "", {});
  ExpectSplit("(int a)", "", "", {{"int", "a"}});
  ExpectSplit("  ()", "", "", {{"", "argv0"}});
}

TEST(PrototypeParser, BlanksAroundMarksDoNotMatter) {
  const Split reference = ParseText("char *f(char *p, int &r)");
  for (const char* text : {"char* f(char* p, int& r)", "char * f ( char * p , int & r ) ",
                           "\tchar\t*f\t(char\t*p,int\t&r)", "char *f (\n char *p,\n int &r)",
                           "char*  f(  char *  p  ,int  &  r)"}) {
    const Split split = ParseText(text);
    EXPECT_EQ(split.return_type, reference.return_type) << text;
    EXPECT_EQ(split.name, reference.name) << text;
    EXPECT_EQ(split.args, reference.args) << text;
  }
  EXPECT_EQ(reference.return_type, "char*");
  EXPECT_EQ(reference.args, (Args{{"char*", "p"}, {"int&", "r"}}));
  // Without the blank between type and name the two are one word.
  ExpectSplit("int f(char*p)", "int", "f", {{"char*p", "argv0"}});
}

TEST(PrototypeParser, PointerAndReferenceMarks) {
  // A word of one repeated mark sticks to the word before; a mixed word does not.
  ExpectSplit("int f(char * * pp, int *& pr, int & & rr)", "int", "f",
              {{"char**", "pp"}, {"int *&", "pr"}, {"int&&", "rr"}});
  // Only the leading run of one mark moves from the name.
  ExpectSplit("int f(int *&r, char ***ppp, int &*x)", "int", "f",
              {{"int*", "&r"}, {"char***", "ppp"}, {"int&", "*x"}});
  // A name that is all marks leaves an empty name, which gets a default.
  ExpectSplit("int f(char *)", "int", "f", {{"char*", "argv0"}});
  ExpectSplit("**f()", "**", "f", {{"", "argv0"}});
}

TEST(PrototypeParser, ArgumentWords) {
  // One word: a type without name; three or more: the last is the name.
  ExpectSplit("f(size_t, const struct node *n, unsigned long long total)", "", "f",
              {{"size_t", "argv0"}, {"const struct node*", "n"}, {"unsigned long long", "total"}});
  // Only the first 8 words of an argument count.
  ExpectSplit("f(a b c d e f g h i j)", "", "f", {{"a b c d e f g", "h"}});
  // "()" closes one argument from no words.
  ExpectSplit("f(,)", "", "f", {{"", "argv0"}, {"", "argv1"}});
  // Carriage return is a word character; newline separates words only between them.
  ExpectSplit("int f(int\r a)", "int", "f", {{"int\r", "a"}});
  ExpectSplit("int\nf(int a\nb)", "", "int\nf", {{"int", "a\nb"}});
}

TEST(PrototypeParser, VoidStopsDefaultNames) {
  ExpectSplit("int f(void, int)", "int", "f", {{"void", ""}, {"int", ""}});
  ExpectSplit("int f(int, void, int)", "int", "f", {{"int", "argv0"}, {"void", ""}, {"int", ""}});
  // A named void or another spelling does not stop the naming.
  ExpectSplit("int f(void v, int)", "int", "f", {{"void", "v"}, {"int", "argv1"}});
  ExpectSplit("int f(VOID, int)", "int", "f", {{"VOID", "argv0"}, {"int", "argv1"}});
  ExpectSplit("int f(void *, int)", "int", "f", {{"void*", "argv0"}, {"int", "argv1"}});
}

TEST(PrototypeParser, Parentheses) {
  // A comma ends a word at any depth: a function pointer with two parameters is cut.
  ExpectSplit("void set(int (*cb)(int, char), int n)", "void", "set",
              {{"int", "(*cb)(int"}, {"char", "argv1"}, {"", "argv2"}, {"int", "n"}});
  // Words after the first closing parenthesis belong to no argument until the next ')' or ','.
  ExpectSplit("int f(int a) const, int b)", "int", "f",
              {{"int", "a"}, {"const", "argv1"}, {"int", "b"}});
  // Unbalanced: an open parenthesis inside an argument swallows the closing one.
  ExpectSplit("int f(int (a)", "int", "f", {});
  ExpectSplit("int f(int a))", "int", "f", {{"int", "a"}, {"", "argv1"}});
  // ')' and ',' close arguments in head mode too, where they never end a word.
  ExpectSplit("a , b(c)", "", "b", {{"a", "argv0"}, {"c", "argv1"}});
  ExpectSplit(") x", "", "x", {{"", "argv0"}});
  ExpectSplit("a, x)y z", "a, x)y", "z", {});
}

std::string Numbered(int count) {
  std::string text = "void f(";
  for (int i = 0; i < count; ++i) text += (i ? ", int a" : "int a") + std::to_string(i);
  return text + ")";
}

TEST(PrototypeParser, SixteenArgumentsAtMost) {
  const Split sixteen = ParseText(Numbered(16));
  ASSERT_EQ(sixteen.args.size(), 16u);
  EXPECT_EQ(sixteen.args[15], (std::pair<std::string, std::string>{"int", "a15"}));

  const Split twenty = ParseText(Numbered(20));
  EXPECT_EQ(twenty.args, sixteen.args);

  // Beyond the sixteenth even unnamed arguments add nothing.
  const Split commas = ParseText("f(" + std::string(40, ',') + ")");
  ASSERT_EQ(commas.args.size(), 16u);
  EXPECT_EQ(commas.args[15].second, "argv15");

  PrototypeParser parser;
  parser.Parse(Numbered(20));
  std::string type = "x", name = "x";
  EXPECT_FALSE(parser.GetArg(-1, type, name));
  EXPECT_FALSE(parser.GetArg(16, type, name));
  EXPECT_EQ(type, "x");
  PrototypeParser empty;
  empty.Parse("int f");
  EXPECT_TRUE(empty.GetArg(3, type, name));
  EXPECT_EQ(type, "");
  EXPECT_EQ(name, "");
}

TEST(PrototypeParser, ShiftJisPassesThrough) {
  // Trail bytes such as 5C or 7C are ordinary word characters.
  const std::string type = text::Sjis("表示型");
  const std::string name = text::Sjis("計算ソ");
  ExpectSplit(type + " *" + name + "(" + type + " " + text::Sjis("引数") + ")", type + "*", name,
              {{type, text::Sjis("引数")}});
  // Bytes need not be valid: a byte after a lead byte is still classified alone.
  ExpectSplit("\x81(\xFF)", "", "\x81", {{"\xFF", "argv0"}});
  ExpectSplit("\x81\x28x)", "", "\x81", {{"x", "argv0"}});
}

TEST(PrototypeParser, NeverRejectsOddBytes) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (const std::string& text : {all, std::string(1000, '('), std::string(1000, ')'),
                                  std::string("\0(\0,\0)", 6), std::string(5000, '*')}) {
    PrototypeParser parser;
    EXPECT_TRUE(parser.Parse(text));
    EXPECT_LE(parser.GetArgCount(), PrototypeParser::kMaxArgs);
  }
  ExpectSplit(std::string("int\0x(a\0b)", 10), "", std::string("int\0x", 5),
              {{std::string("a\0b", 3), "argv0"}});
}

}  // namespace
}  // namespace quillmap
