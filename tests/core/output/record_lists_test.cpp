// The writers' one-walk reading of records gives what the record accessors give, also for
// records whose trees are not the default shape (as loaded from a file).
#include "core/output/record_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/spec_record.h"
#include "core/model/struct_spec.h"

namespace quillmap {
namespace {

void ExpectSameAsAccessors(const FunctionSpec& record) {
  const RecordKeys keys(record);
  EXPECT_EQ(keys.Value(key::kName), record.GetRecordName());
  EXPECT_EQ(keys.Value(key::kIndex), record.GetIndex());
  EXPECT_EQ(keys.Value(key::kExplanation), record.GetExplanation());
  EXPECT_EQ(keys.Value(key::kNote), record.GetNote());
  EXPECT_EQ(keys.Value(key::kReturn), record.GetReturnType());
  EXPECT_EQ(keys.Value(key::kReturn, 1), record.GetReturnText());
  EXPECT_EQ(keys.Attribute(), record.GetAttribute());

  std::vector<ListEntry> entries(5, ListEntry{"stale", "stale", "stale"});  // replaced whole
  keys.ReadEntries(key::kArgvList, entries);
  ASSERT_EQ(entries.size(), record.GetArgumentCount());
  for (std::uint32_t i = 0; i < entries.size(); ++i) {
    std::string type, name, description;
    record.GetArgument(i, type, name, description);
    EXPECT_EQ(entries[i].type, type) << i;
    EXPECT_EQ(entries[i].name, name) << i;
    EXPECT_EQ(entries[i].description, description) << i;
  }
  std::vector<std::string_view> links(4, "stale");
  keys.ReadNames(key::kLink, links);
  ASSERT_EQ(links.size(), record.GetLinkCount());
  for (std::uint32_t i = 0; i < links.size(); ++i) EXPECT_EQ(links[i], record.GetLink(i)) << i;
}

TEST(RecordKeysTest, DefaultAndFilledRecords) {
  FunctionSpec record;
  ExpectSameAsAccessors(record);
  record.SetRecordName("f");
  record.SetAttribute(kAttrProtected);
  record.AddArgument("int", "a", "first");
  record.AddArgument("", "", "");
  record.AddLink("g");
  record.SetReturnText("r");
  ExpectSameAsAccessors(record);
}

TEST(RecordKeysTest, OddTrees) {
  FunctionSpec record;
  record.Clear();
  // Keys in another order, a duplicate key (the first counts), an empty key without value,
  // an argument with two values and one without any, a return with one value.
  record.AddChild(record.AddChild(nullptr, "return"), "long");
  record.AddChild(nullptr, "name");
  record.AddChild(record.AddChild(nullptr, "name"), "second");
  record.AddChild(record.AddChild(nullptr, "funcattr"), "static ");
  PropertyNode* arguments = record.AddChild(nullptr, "argvlist");
  PropertyNode* two = record.AddChild(arguments, "argv");
  record.AddChild(two, "char*");
  record.AddChild(two, "p");
  record.AddChild(arguments, "argv");
  PropertyNode* links = record.AddChild(nullptr, "link");
  record.AddChild(links, "x");
  record.AddChild(links, "");
  ExpectSameAsAccessors(record);
  EXPECT_EQ(RecordKeys(record).Value(key::kName), "");
  EXPECT_EQ(RecordKeys(record).Attribute(), kAttrPublic);
}

TEST(RecordKeysTest, StructureMembers) {
  StructSpec record;
  record.AddMember("int", "x", "h");
  record.AddMember("int", "y", "v");
  std::vector<ListEntry> members;
  RecordKeys(record).ReadEntries(key::kMemberList, members);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[1].name, "y");
  EXPECT_EQ(members[1].description, "v");
  EXPECT_EQ(RecordKeys(record).Value(key::kName), "default");
}

}  // namespace
}  // namespace quillmap
