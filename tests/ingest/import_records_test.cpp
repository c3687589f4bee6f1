// Records made from declarations: texts in Shift-JIS, what is left out and why, names given.
#include "ingest/import_records.h"

#include <gtest/gtest.h>

#include "core/model/spec_store.h"
#include "core/text/sjis.h"

namespace quillmap::ingest {
namespace {

using text::Sjis;

CodeFile File(std::vector<CodeFunction> functions, std::vector<CodeStruct> structs = {}) {
  CodeFile file;
  file.path = "api.h";
  file.functions = std::move(functions);
  file.structs = std::move(structs);
  return file;
}

CodeFunction Function(const char* name, std::vector<CodeVariable> arguments = {}) {
  CodeFunction function;
  function.name = name;
  function.return_type = "int";
  function.arguments = std::move(arguments);
  function.line = 7;
  return function;
}

std::string Arguments(const FunctionSpec& record) {
  std::string text;
  for (std::uint32_t i = 0; i < record.GetArgumentCount(); ++i) {
    std::string type, name, description;
    record.GetArgument(i, type, name, description);
    text += "(" + type + "|" + name + "|" + description + ")";
  }
  return text;
}

TEST(ImportRecords, UnnamedArgumentsAreNamedAsTheEditorNamesThem) {
  SpecStore store;
  const ImportSummary summary = ImportDeclarations(
      store,
      {File({Function("f", {{"int", "", 1, {}}, {"char*", "p", 1, {}}, {"...", "", 1, {}}}),
             Function("g", {{"void", "", 2, {}}})})},
      0, "c");
  EXPECT_EQ(summary.functions_added, 2u);
  FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(0, record));
  EXPECT_EQ(Arguments(record),
            "(int|argv0|'int' type)(char*|p|'char*' type)(...|argv2|'...' type)");
  ASSERT_TRUE(store.GetFunction(1, record));
  EXPECT_EQ(Arguments(record), "(void||'void' type)");
}

TEST(ImportRecords, StaticAndInlineFunctionsKeepTheirAttribute) {
  SpecStore store;
  CodeFunction local = Function("local");
  local.is_static = true;
  CodeFunction fast = Function("fast");
  fast.is_static = true;
  fast.is_inline = true;
  ImportDeclarations(store, {File({local, fast, Function("plain")})}, 0, "c");
  FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(0, record));
  EXPECT_EQ(record.GetAttribute(), kAttrStatic);
  ASSERT_TRUE(store.GetFunction(1, record));
  EXPECT_EQ(record.GetAttribute(), kAttrInline);
  ASSERT_TRUE(store.GetFunction(2, record));
  EXPECT_EQ(record.GetAttribute(), kAttrPublic);
}

TEST(ImportRecords, CharacterShiftJisLacksSkipsOnlyItsRecordAndNamesItsLine) {
  SpecStore store;
  CodeFunction bad = Function("bad");
  bad.comment = {"Opens.\nThe second line\nholds 한 here.", 20};
  CodeStruct bad_struct;
  bad_struct.name = "cell";
  bad_struct.line = 30;
  bad_struct.members = {{"int", "x", 31, {"count \xF0\x9F\x98\x80", 31}}};
  const ImportSummary summary =
      ImportDeclarations(store, {File({bad, Function("good")}, {bad_struct})}, 0, "c");
  ASSERT_EQ(summary.skipped.size(), 2u);
  EXPECT_EQ(FormatFinding(summary.skipped[0]),
            "api.h:22: error: Shift-JIS can't hold the character U+D55C '한'; function 'bad' "
            "is not added");
  EXPECT_EQ(FormatFinding(summary.skipped[1]),
            "api.h:31: error: Shift-JIS can't hold the character U+1F600 '\xF0\x9F\x98\x80'; "
            "structure 'cell' is not added");
  EXPECT_EQ(summary.functions_added, 1u);
  ASSERT_EQ(store.GetFunctionCount(), 1u);
  EXPECT_EQ(store.FindFunction("good"), 0);
  EXPECT_EQ(store.GetStructCount(), 0u);
}

TEST(ImportRecords, ShiftJisFileTextIsTakenAsItIs) {
  SpecStore store;
  CodeFunction function = Function("open_file");
  function.comment = {Sjis("ファイルを開く。詳しくは後で。"), 3};  // bytes of a Shift-JIS file
  CodeFunction broken = Function("broken");
  broken.comment = {"bad \xFF\xFE bytes", 9};
  const ImportSummary summary = ImportDeclarations(store, {File({function, broken})}, 0, "c");
  FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(0, record));
  EXPECT_EQ(record.GetIndex(), Sjis("ファイルを開く"));
  EXPECT_EQ(record.GetExplanation(), Sjis("詳しくは後で。"));
  ASSERT_EQ(summary.skipped.size(), 1u);
  EXPECT_EQ(FormatFinding(summary.skipped[0]),
            "api.h:9: error: the text is neither UTF-8 nor Shift-JIS; function 'broken' is not "
            "added");
}

TEST(ImportRecords, RecordsThereAlreadyStayAsTheyAre) {
  SpecStore store;
  ASSERT_NE(store.AddFunction("f"), ItemList::kAppendFailed);
  ASSERT_NE(store.AddStruct("s"), ItemList::kAppendFailed);
  CodeStruct s;
  s.name = "s";
  s.members = {{"int", "x", 1, {}}};
  const ImportSummary summary = ImportDeclarations(
      store, {File({Function("f", {{"int", "a", 1, {}}})}, {s}), File({Function("f")})}, 0, "c");
  EXPECT_EQ(summary.functions_added + summary.structs_added, 0u);
  EXPECT_EQ(summary.functions_present, 2u);
  EXPECT_EQ(summary.structs_present, 1u);
  FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(0, record));
  EXPECT_EQ(record.GetArgumentCount(), 0u);
  StructSpec structure;
  ASSERT_TRUE(store.GetStruct(0, structure));
  EXPECT_EQ(structure.GetMemberCount(), 0u);
}

}  // namespace
}  // namespace quillmap::ingest
