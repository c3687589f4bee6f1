// Adding a function from a typed prototype, as the editor's add command stores it.
#include "core/parse/add_function.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "core/model/spec_store.h"
#include "core/text/sjis.h"

namespace quillmap {
namespace {

std::time_t LocalNoon(int year, int month, int day) {
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = 12;
  parts.tm_isdst = -1;
  return std::mktime(&parts);
}

std::vector<std::string> TopKeys(const FunctionSpec& record) {
  std::vector<std::string> keys;
  for (const PropertyNode* node = record.FirstChild(record.Root()); node != nullptr;
       node = record.NextSibling(node)) {
    std::string name;
    record.GetName(node, name);
    keys.push_back(name);
  }
  return keys;
}

const std::vector<std::string> kDefaultKeys = {
    "name", "index", "explanation", "note", "link", "history", "funcattr", "argvlist", "return"};

TEST(AddFunctionTest, PrototypeGivesReturnHeadingArgumentsAndHistory) {
  SpecStore store;
  ASSERT_NE(store.AddFunction("existing"), ItemList::kAppendFailed);
  const std::string comment = text::Sjis("新規作成");
  std::int32_t index = -1;
  ASSERT_EQ(AddFunctionFromPrototype(store, "unsigned long Calc(unsigned int n, char *p)",
                                     LocalNoon(2001, 1, 5), comment, &index),
            AddFunctionResult::kAdded);
  EXPECT_EQ(index, 1);
  ASSERT_EQ(store.GetFunctionCount(), 2u);

  FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(1, record));
  EXPECT_EQ(TopKeys(record), kDefaultKeys);
  EXPECT_EQ(record.GetRecordName(), "Calc");
  EXPECT_EQ(record.GetIndex(), "function 'Calc'");
  EXPECT_EQ(record.GetReturnType(), "unsigned long");
  EXPECT_EQ(record.GetReturnText(), "'unsigned long' type");
  EXPECT_EQ(record.GetAttribute(), kAttrPublic);
  EXPECT_EQ(record.GetExplanation(), "");
  EXPECT_EQ(record.GetNote(), "");
  EXPECT_EQ(record.GetLinkCount(), 0u);
  ASSERT_EQ(record.GetArgumentCount(), 2u);
  std::string type, name, description;
  ASSERT_TRUE(record.GetArgument(0, type, name, description));
  EXPECT_EQ(type + "|" + name + "|" + description, "unsigned int|n|'unsigned int' type");
  ASSERT_TRUE(record.GetArgument(1, type, name, description));
  EXPECT_EQ(type + "|" + name + "|" + description, "char*|p|'char*' type");
  ASSERT_EQ(record.GetHistoryCount(), 1u);
  HistoryEntry entry;
  ASSERT_TRUE(record.GetHistory(0, entry));
  EXPECT_EQ(FormatHistoryDate(entry.date), "2001/01/05");
  EXPECT_EQ(entry.comment, comment);
}

TEST(AddFunctionTest, BareNameKeepsDefaults) {
  SpecStore store;
  ASSERT_EQ(AddFunctionFromPrototype(store, "Calc", LocalNoon(2020, 2, 29), "c"),
            AddFunctionResult::kAdded);
  FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(0, record));
  EXPECT_EQ(TopKeys(record), kDefaultKeys);
  EXPECT_EQ(record.GetRecordName(), "Calc");
  EXPECT_EQ(record.GetIndex(), "index");
  EXPECT_EQ(record.GetReturnType(), "void");
  EXPECT_EQ(record.GetReturnText(), "");
  EXPECT_EQ(record.GetArgumentCount(), 0u);
  ASSERT_EQ(record.GetHistoryCount(), 1u);
}

TEST(AddFunctionTest, TakenNameAndEmptyTextChangeNothing) {
  SpecStore store;
  ASSERT_EQ(AddFunctionFromPrototype(store, "int f(int a)", 0, "c"), AddFunctionResult::kAdded);
  std::int32_t index = 7;
  EXPECT_EQ(AddFunctionFromPrototype(store, "void f(void)", 0, "c", &index),
            AddFunctionResult::kNameTaken);
  EXPECT_EQ(AddFunctionFromPrototype(store, "", 0, "c", &index), AddFunctionResult::kEmptyText);
  EXPECT_EQ(index, 7);
  ASSERT_EQ(store.GetFunctionCount(), 1u);
  FunctionSpec record;
  ASSERT_TRUE(store.GetFunction(0, record));
  EXPECT_EQ(record.GetReturnType(), "int");
}

}  // namespace
}  // namespace quillmap
