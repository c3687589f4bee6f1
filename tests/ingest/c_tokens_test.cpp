// Type texts: tokens, spacing, the split at the name, and the forms the check compares.
#include "ingest/c_tokens.h"

#include <gtest/gtest.h>

namespace quillmap::ingest {
namespace {

TEST(CTokens, SpacingIsTheEditors) {
  EXPECT_EQ(NormalizeType("char *"), "char*");
  EXPECT_EQ(NormalizeType("char  * "), "char*");
  EXPECT_EQ(NormalizeType("const char * const *"), "const char* const*");
  EXPECT_EQ(NormalizeType("unsigned\tlong  int"), "unsigned long int");
  EXPECT_EQ(NormalizeType("int ( * ) ( int , void * )"), "int (*)(int, void*)");
  EXPECT_EQ(NormalizeType("char [ 16 ]"), "char[16]");
  EXPECT_EQ(NormalizeType("void *(*)(void *)"), "void* (*)(void*)");
  EXPECT_EQ(NormalizeType("int&"), "int&");
  EXPECT_EQ(JoinTokens(TokenizeC("struct { int q; }")), "struct { int q; }");
  EXPECT_EQ(TokenizeC("f(int, ...)"), (std::vector<std::string>{"f", "(", "int", ",", "...", ")"}));
}

TEST(CTokens, SplitAtTheNameAsTheEditorSplitsArguments) {
  auto split = [](const char* text, std::size_t name) {
    const Declaration d = SplitDeclaration(TokenizeC(text), name);
    return d.type + "|" + d.name;
  };
  EXPECT_EQ(split("const char * p", 3), "const char*|p");
  EXPECT_EQ(split("char * argv [ ]", 2), "char*|argv[]");
  EXPECT_EQ(split("unsigned flags : 3", 1), "unsigned|flags : 3");
  EXPECT_EQ(split("char * const p", 3), "char* const|p");
  EXPECT_EQ(split("void ( * cb ) ( int , void * )", 3), "void (*)(int, void*)|cb");
  EXPECT_EQ(split("int ( * rows ) [ 4 ]", 3), "int (*)[4]|rows");
}

TEST(CTokens, CanonicalFormsAgreeWhereOnlySpellingDiffers) {
  auto same = [](const char* type1, const char* name1, const char* type2, const char* name2) {
    const Declaration a = CanonicalDeclaration(type1, name1);
    const Declaration b = CanonicalDeclaration(type2, name2);
    return a.type == b.type && a.name == b.name;
  };
  EXPECT_TRUE(same("char *", "p", "char*", "p"));
  EXPECT_TRUE(same("char*", "argv[]", "char *[]", "argv"));
  // What the editor's prototype splitting makes of a function pointer.
  EXPECT_TRUE(same("int", "(*cb)(int)", "int (*)(int)", "cb"));
  EXPECT_TRUE(same("char", "*p", "char*", "p"));
  EXPECT_FALSE(same("const char*", "p", "char*", "p"));
  EXPECT_FALSE(same("char*", "p", "char*", "q"));
  EXPECT_FALSE(same("char", "buf[16]", "char", "buf[8]"));
  EXPECT_EQ(CanonicalDeclaration("...", "").type, "...");
}

}  // namespace
}  // namespace quillmap::ingest
