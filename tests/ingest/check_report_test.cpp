// The check's report from a document and declarations made by hand.
#include "ingest/check_report.h"

#include <gtest/gtest.h>

#include "core/model/spec_store.h"
#include "core/parse/add_function.h"
#include "core/text/sjis.h"

namespace quillmap::ingest {
namespace {

std::vector<std::string> Lines(const std::vector<Finding>& findings) {
  std::vector<std::string> lines;
  for (const Finding& finding : findings) lines.push_back(FormatFinding(finding));
  return lines;
}

CodeFunction Function(const char* return_type, const char* name,
                      std::vector<CodeVariable> arguments, std::uint32_t line) {
  CodeFunction function;
  function.return_type = return_type;
  function.name = name;
  function.arguments = std::move(arguments);
  function.line = line;
  return function;
}

void Add(SpecStore& store, const char* prototype) {
  ASSERT_EQ(AddFunctionFromPrototype(store, text::Sjis(prototype), 0, "c"),
            AddFunctionResult::kAdded);
}

void AddStruct(SpecStore& store, const char* name,
               std::vector<std::pair<const char*, const char*>> members) {
  StructSpec record;
  record.SetRecordName(name);
  for (auto [type, member] : members) record.AddMember(type, member, "");
  ASSERT_NE(store.AddStruct(name), ItemList::kAppendFailed);
  ASSERT_TRUE(store.PutStruct(static_cast<std::int32_t>(store.GetStructCount()) - 1, record));
}

TEST(CheckReport, AgreesDespiteSpellingOfTypesVoidAndArrays) {
  SpecStore store;
  Add(store, "char * dup(const char *s)");
  Add(store, "int main(int argc, char *argv[])");
  Add(store, "void tick(void)");
  Add(store, "void set(int (*cb)(int))");
  CodeFile file;
  file.path = "a.h";
  file.functions.push_back(Function("char*", "dup", {{"const char*", "s", 1, {}}}, 1));
  file.functions.push_back(
      Function("int", "main", {{"int", "argc", 2, {}}, {"char *[]", "argv", 2, {}}}, 2));
  file.functions.push_back(Function("void", "tick", {}, 3));  // "()": no argument either
  file.functions.push_back(Function("void", "set", {{"int (*)(int)", "cb", 4, {}}}, 4));
  EXPECT_EQ(Lines(CheckDocument(store, "doc.dcm", {file})), std::vector<std::string>{});
}

TEST(CheckReport, EveryKindOfDifferenceInLineOrder) {
  SpecStore store;
  Add(store, "long ret(int a)");
  Add(store, "int count(int a)");
  Add(store, "int named(int a, char *q)");
  Add(store, "int typed(char *s)");
  Add(store, "int only_in_doc(void)");
  AddStruct(store, "point", {{"int", "x"}, {"long", "y"}});
  AddStruct(store, "size", {{"int", "w"}});
  AddStruct(store, "stale", {});
  CodeFile file;
  file.path = "code.h";
  file.functions.push_back(Function("int", "ret", {{"int", "a", 3, {}}}, 3));
  file.functions.push_back(Function("int", "count", {{"int", "a", 4, {}}, {"int", "b", 4, {}}}, 4));
  file.functions.push_back(
      Function("int", "named", {{"int", "a", 5, {}}, {"char*", "p", 6, {}}}, 5));
  file.functions.push_back(Function("int", "typed", {{"const char*", "s", 8, {}}}, 8));
  file.functions.push_back(Function("void", "only_in_code", {}, 1));
  CodeStruct point;
  point.name = "point";
  point.line = 10;
  point.members = {{"int", "x", 11, {}}, {"int", "y", 12, {}}};
  CodeStruct size;
  size.name = "size_s";
  size.aliases = {"size"};  // filed under its typedef name
  size.line = 14;
  size.members = {{"int", "w", 15, {}}, {"int", "h", 16, {}}};
  file.structs = {point, size};
  EXPECT_EQ(Lines(CheckDocument(store, "doc.dcm", {file})),
            (std::vector<std::string>{
                "code.h:1: error: function 'only_in_code' is not in the document",
                "code.h:3: error: function 'ret' returns 'int' but the document says 'long'",
                "code.h:4: error: function 'count' has 2 arguments but the document lists 1",
                "code.h:6: error: function 'named' argument 2 is 'char* p' but the document says "
                "'char* q'",
                "code.h:8: error: function 'typed' argument 1 is 'const char* s' but the document "
                "says 'char* s'",
                "code.h:12: error: structure 'point' member 2 is 'int y' but the document says "
                "'long y'",
                "code.h:14: error: structure 'size_s' has 2 members but the document lists 1",
                "doc.dcm:0: error: function 'only_in_doc' of the document is not in the code",
                "doc.dcm:0: error: structure 'stale' of the document is not in the code",
            }));
}

TEST(CheckReport, UnnamedArgumentsMatchAnyNameAndFilesAreReportedInOrder) {
  SpecStore store;
  Add(store, "int f(int x)");
  CodeFile first;
  first.path = "first.h";
  first.functions.push_back(Function("int", "f", {{"int", "", 9, {}}}, 9));
  CodeFile second;
  second.path = "second.h";
  second.functions.push_back(Function("int", "f", {{"long", "", 2, {}}}, 2));  // named twice
  second.functions.push_back(Function("int", "g", {}, 1));
  EXPECT_EQ(Lines(CheckDocument(store, "doc.dcm", {first, second})),
            std::vector<std::string>{"second.h:1: error: function 'g' is not in the document"});
}

}  // namespace
}  // namespace quillmap::ingest
