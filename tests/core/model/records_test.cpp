// Function, structure and document-information records, and history entries.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "core/model/document_info.h"
#include "core/model/history.h"
#include "core/model/spec_record.h"
#include "core/model/struct_spec.h"

namespace quillmap {
namespace {

std::vector<std::string> TopKeys(const PropertyTree& tree) {
  std::vector<std::string> keys;
  for (PropertyNode* node = tree.FirstChild(tree.Root()); node; node = tree.NextSibling(node)) {
    std::string name;
    tree.GetName(node, name);
    keys.push_back(name);
  }
  return keys;
}

TEST(FunctionSpec, DefaultsInKeyOrder) {
  FunctionSpec function;
  EXPECT_EQ(TopKeys(function),
            (std::vector<std::string>{"name", "index", "explanation", "note", "link", "history",
                                      "funcattr", "argvlist", "return"}));
  EXPECT_EQ(function.GetRecordName(), "default");
  EXPECT_EQ(function.GetIndex(), "index");
  EXPECT_EQ(function.GetExplanation(), "");
  EXPECT_EQ(function.GetNote(), "");
  EXPECT_EQ(function.GetLinkCount(), 0u);
  EXPECT_EQ(function.GetHistoryCount(), 0u);
  EXPECT_EQ(function.GetAttribute(), kAttrPublic);
  EXPECT_EQ(function.GetArgumentCount(), 0u);
  EXPECT_EQ(function.GetReturnType(), "void");
  EXPECT_EQ(function.GetReturnText(), "");
}

TEST(FunctionSpec, InitDefaultsResetsAnEditedRecord) {
  FunctionSpec function;
  function.SetRecordName("f");
  function.AddArgument("int", "a", "");
  function.AddLink("g");
  function.InitDefaults();
  EXPECT_EQ(function.GetRecordName(), "default");
  EXPECT_EQ(function.GetArgumentCount(), 0u);
  EXPECT_EQ(function.GetLinkCount(), 0u);
}

TEST(FunctionSpec, ScalarAccessorsRenameTheValue) {
  FunctionSpec function;
  EXPECT_TRUE(function.SetRecordName("Open"));
  EXPECT_TRUE(function.SetIndex("heading"));
  EXPECT_TRUE(function.SetExplanation("line1\r\nline2"));
  EXPECT_TRUE(function.SetNote("note"));
  EXPECT_TRUE(function.SetReturnType("int"));
  EXPECT_TRUE(function.SetReturnText("0 on success"));
  EXPECT_EQ(function.GetRecordName(), "Open");
  EXPECT_EQ(function.GetIndex(), "heading");
  EXPECT_EQ(function.GetExplanation(), "line1\r\nline2");
  EXPECT_EQ(function.GetNote(), "note");
  EXPECT_EQ(function.GetReturnType(), "int");
  EXPECT_EQ(function.GetReturnText(), "0 on success");
}

TEST(FunctionSpec, AccessorsOnMissingKeysNeverCreateNodes) {
  FunctionSpec function;
  function.Clear();
  function.AddChild(function.AddChild(nullptr, "name"), "f");
  function.AddChild(nullptr, "return");  // a key without values
  EXPECT_EQ(function.GetNote(), "");
  EXPECT_FALSE(function.SetNote("x"));
  EXPECT_FALSE(function.SetReturnType("int"));
  EXPECT_FALSE(function.SetReturnText("x"));
  EXPECT_FALSE(function.SetAttribute(kAttrStatic));
  EXPECT_EQ(function.GetAttribute(), kAttrPublic);
  EXPECT_FALSE(function.AddLink("g"));
  EXPECT_FALSE(function.AddArgument("int", "a", ""));
  EXPECT_FALSE(function.AddHistory(0, "c"));
  EXPECT_EQ(function.GetLink(0), "");
  EXPECT_EQ(function.GetArgumentCount(), 0u);
  EXPECT_EQ(TopKeys(function), (std::vector<std::string>{"name", "return"}));
}

TEST(FunctionSpec, AttributeCodes) {
  FunctionSpec function;
  for (int code = 0; code < kFuncAttributeCount; ++code) {
    ASSERT_TRUE(function.SetAttribute(code));
    EXPECT_EQ(function.GetAttribute(), code);
  }
  function.SetAttribute(kAttrPublic);
  EXPECT_FALSE(function.SetAttribute(5));
  EXPECT_FALSE(function.SetAttribute(-1));
  EXPECT_EQ(function.GetAttribute(), kAttrPublic);
  EXPECT_EQ(FuncAttributeWord(kAttrProtected), "protected");
  EXPECT_EQ(FuncAttributeWord(5), "");
}

TEST(FunctionSpec, AttributeWordsMustMatchExactly) {
  FunctionSpec function;
  PropertyNode* value = function.FirstChild(function.FindTop("funcattr"));
  for (const char* word : {"inline ", "STATIC", "", "privat"}) {
    function.SetName(value, word);
    EXPECT_EQ(function.GetAttribute(), kAttrPublic) << word;
  }
  function.SetName(value, "private");
  EXPECT_EQ(function.GetAttribute(), kAttrPrivate);
}

TEST(FunctionSpec, ArgumentsKeepOrderAndPartialNodesKeepOldValues) {
  FunctionSpec function;
  ASSERT_TRUE(function.AddArgument("int", "a", "first"));
  ASSERT_TRUE(function.AddArgument("char*", "b", "second"));
  std::string type, name, description;
  ASSERT_TRUE(function.GetArgument(1, type, name, description));
  EXPECT_EQ(type + "|" + name + "|" + description, "char*|b|second");
  EXPECT_FALSE(function.GetArgument(2, type, name, description));

  PropertyNode* argv = function.AddChild(function.FindTop("argvlist"), "argv");
  function.AddChild(argv, "long");
  function.AddChild(argv, "c");
  description = "kept";
  ASSERT_TRUE(function.GetArgument(2, type, name, description));
  EXPECT_EQ(type + "|" + name + "|" + description, "long|c|kept");

  function.AddChild(function.FindTop("argvlist"), "argv");  // no children at all
  EXPECT_FALSE(function.GetArgument(3, type, name, description));
  EXPECT_EQ(function.GetArgumentCount(), 4u);
}

TEST(FunctionSpec, LinksInOrder) {
  FunctionSpec function;
  function.AddLink("b");
  function.AddLink("a");
  EXPECT_EQ(function.GetLinkCount(), 2u);
  EXPECT_EQ(function.GetLink(0), "b");
  EXPECT_EQ(function.GetLink(1), "a");
  EXPECT_EQ(function.GetLink(2), "");
}

TEST(StructSpec, DefaultsAndMembers) {
  StructSpec structure;
  EXPECT_EQ(TopKeys(structure), (std::vector<std::string>{"name", "index", "explanation", "note",
                                                          "link", "history", "memberlist"}));
  EXPECT_EQ(structure.GetRecordName(), "default");
  EXPECT_EQ(structure.GetIndex(), "index");
  EXPECT_EQ(structure.GetMemberCount(), 0u);
  ASSERT_TRUE(structure.AddMember("int", "x", "horizontal"));
  ASSERT_TRUE(structure.AddMember("int", "y", "vertical"));
  std::string type, name, description;
  ASSERT_TRUE(structure.GetMember(1, type, name, description));
  EXPECT_EQ(type + "|" + name + "|" + description, "int|y|vertical");
  EXPECT_FALSE(structure.GetMember(2, type, name, description));
  structure.Clear();
  EXPECT_FALSE(structure.AddMember("int", "z", ""));
  EXPECT_EQ(structure.GetMemberCount(), 0u);
}

TEST(StructSpec, InitDefaultsDropsNoteAndHistory) {
  StructSpec structure;
  structure.SetNote("n");
  structure.AddHistory(LocalMidnight(2001, 1, 5), "c");
  structure.InitDefaults();
  EXPECT_EQ(structure.GetNote(), "");
  EXPECT_EQ(structure.GetHistoryCount(), 0u);
}

TEST(History, EntryIsStoredAsDateTextAndComment) {
  FunctionSpec function;
  ASSERT_TRUE(function.AddHistory(LocalMidnight(2001, 1, 5) + 3600 * 15, "first"));
  PropertyNode* entry = function.FirstChild(function.FindTop("history"));
  std::string name, date, comment;
  function.GetName(entry, name);
  function.GetName(function.FirstChild(entry), date);
  function.GetName(function.NextSibling(function.FirstChild(entry)), comment);
  EXPECT_EQ(name, "historylst");
  EXPECT_EQ(date, "2001/01/05");
  EXPECT_EQ(comment, "first");

  HistoryEntry read;
  ASSERT_TRUE(function.GetHistory(0, read));
  EXPECT_EQ(read.date, LocalMidnight(2001, 1, 5));
  EXPECT_EQ(read.comment, "first");
}

TEST(History, SameDayEntriesKeepInsertionOrder) {
  FunctionSpec function;
  std::time_t day = LocalMidnight(2010, 6, 30);
  function.AddHistory(day, "b");
  function.AddHistory(day, "a");
  function.AddHistory(LocalMidnight(2000, 1, 1), "older");
  ASSERT_EQ(function.GetHistoryCount(), 3u);
  HistoryEntry entry;
  function.GetHistory(0, entry);
  EXPECT_EQ(entry.comment, "b");
  function.GetHistory(1, entry);
  EXPECT_EQ(entry.comment, "a");
  function.GetHistory(2, entry);
  EXPECT_EQ(entry.comment, "older");
  EXPECT_FALSE(function.GetHistory(3, entry));
}

TEST(History, EntryWithOnlyADateYieldsTheDateAndReportsFalse) {
  FunctionSpec function;
  PropertyNode* entry = function.AddChild(function.FindTop("history"), "historylst");
  function.AddChild(entry, "1999/12/31");
  std::time_t date = 0;
  std::string comment = "kept";
  EXPECT_FALSE(function.GetHistory(0, date, comment));
  EXPECT_EQ(date, LocalMidnight(1999, 12, 31));
  EXPECT_EQ(comment, "kept");
  function.AddChild(function.FindTop("history"), "historylst");  // empty entry
  date = 7;
  EXPECT_FALSE(function.GetHistory(1, date, comment));
  EXPECT_EQ(date, 7);
}

TEST(History, ParseDateTexts) {
  EXPECT_EQ(ParseHistoryDate("2001/1/5"), LocalMidnight(2001, 1, 5));
  EXPECT_EQ(ParseHistoryDate(" 2001/ 01/05xyz"), LocalMidnight(2001, 1, 5));
  EXPECT_EQ(ParseHistoryDate("2001/13/01"), LocalMidnight(2002, 1, 1));  // normalised
  EXPECT_EQ(ParseHistoryDate("2001/02/30/7"), LocalMidnight(2001, 3, 2));
  EXPECT_EQ(ParseHistoryDate("abc/def/ghi"), LocalMidnight(0, 0, 0));
  std::time_t before = std::time(nullptr);
  std::time_t parsed = ParseHistoryDate("20010105");
  EXPECT_GE(parsed, before);
  EXPECT_LE(parsed, std::time(nullptr));
  EXPECT_GE(ParseHistoryDate("2001/05"), before);
  // Absurd parts neither overflow nor crash.
  ParseHistoryDate("99999999999999999999/99999999999/-99999999999");
}

TEST(History, FormatPadsWithZeros) {
  EXPECT_EQ(FormatHistoryDate(LocalMidnight(987, 3, 4)), "0987/03/04");
  EXPECT_EQ(FormatHistoryDate(LocalMidnight(2024, 12, 31) + 86399), "2024/12/31");
}

TEST(DocumentInfo, DefaultsAndKinds) {
  DocumentInfo info;
  EXPECT_EQ(TopKeys(info), (std::vector<std::string>{"title", "copyright"}));
  EXPECT_EQ(info.GetDocInfo(kDocInfoTitle), "title");
  EXPECT_EQ(info.GetDocInfo(kDocInfoCopyright), "Copyright");
  EXPECT_EQ(info.GetDocInfo(2), "");
  EXPECT_EQ(info.GetDocInfo(-1), "");
  EXPECT_FALSE(info.SetDocInfo(2, "x"));
  EXPECT_TRUE(info.SetDocInfo(kDocInfoTitle, "T"));
  EXPECT_EQ(info.GetDocInfo(kDocInfoTitle), "T");
}

TEST(DocumentInfo, MissingKeyIsNeverCreated) {
  DocumentInfo info;
  info.RemoveNode(info.FindTop("copyright"));
  EXPECT_EQ(info.GetDocInfo(kDocInfoCopyright), "");
  EXPECT_FALSE(info.SetDocInfo(kDocInfoCopyright, "x"));
  EXPECT_EQ(info.FindTop("copyright"), nullptr);
}

}  // namespace
}  // namespace quillmap
