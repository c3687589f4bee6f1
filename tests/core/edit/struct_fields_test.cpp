// The fields of a structure as its definition dialog reads and rebuilds them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/edit/struct_fields.h"
#include "core/model/struct_spec.h"
#include "core/text/sjis.h"

namespace quillmap {
namespace {

std::vector<std::string> Members(const StructSpec& record) {
  std::vector<std::string> rows;
  for (std::uint32_t i = 0; i < record.GetMemberCount(); ++i) {
    std::string type, name, description;
    EXPECT_TRUE(record.GetMember(i, type, name, description));
    rows.push_back(type + "|" + name + "|" + description);
  }
  return rows;
}

TEST(StructFields, NewMemberRow) {
  const ArgumentTexts member = NewMember();
  EXPECT_EQ(member.type, "type");
  EXPECT_EQ(member.name, "value");
  EXPECT_EQ(member.description, "comment");
}

TEST(StructFields, ReadGivesEveryFieldInRecordOrder) {
  StructSpec record;
  record.SetRecordName("POINT");
  record.SetIndex(text::Sjis("座標"));
  record.SetExplanation("x\ny");
  record.AddMember("int", "x", text::Sjis("横"));
  record.AddMember("int", "y", "");
  record.AddLink("SIZE");
  record.AddLink("RECT");
  const StructFields fields = ReadStructFields(record);
  EXPECT_EQ(fields.name, "POINT");
  EXPECT_EQ(fields.heading, text::Sjis("座標"));
  EXPECT_EQ(fields.explanation, "x\ny");
  ASSERT_EQ(fields.members.size(), 2u);
  EXPECT_EQ(fields.members[0].description, text::Sjis("横"));
  EXPECT_EQ(fields.members[1].name, "y");
  EXPECT_EQ(fields.links, (std::vector<std::string>{"SIZE", "RECT"}));

  const StructFields defaults = ReadStructFields(StructSpec());
  EXPECT_EQ(defaults.name, "default");
  EXPECT_EQ(defaults.heading, "index");
  EXPECT_TRUE(defaults.members.empty());
  EXPECT_TRUE(defaults.links.empty());
}

TEST(StructFields, RebuildKeepsOnlyTheFieldsAndDropsNoteAndHistory) {
  StructSpec record;
  record.SetRecordName("OLD");
  record.SetNote("kept nowhere");
  record.AddHistory(1000000000, "made");
  record.AddMember("char", "gone", "");
  record.AddLink("GONE");

  StructFields fields;
  fields.name = "NEW";
  fields.heading = "h";
  fields.explanation = "";
  fields.members = {{"long", "a", "first"}, {"", "", ""}, {"char*", "b", "third"}};
  fields.links = {"Z", "A"};
  RebuildStruct(record, fields);

  EXPECT_EQ(record.GetRecordName(), "NEW");
  EXPECT_EQ(record.GetIndex(), "h");
  EXPECT_EQ(record.GetExplanation(), "");
  EXPECT_EQ(record.GetNote(), "");
  EXPECT_EQ(record.GetHistoryCount(), 0u);
  EXPECT_EQ(Members(record), (std::vector<std::string>{"long|a|first", "||", "char*|b|third"}));
  // Links go in as given: the dialog hands them over in its combo's sorted order.
  ASSERT_EQ(record.GetLinkCount(), 2u);
  EXPECT_EQ(record.GetLink(0), "Z");
  EXPECT_EQ(record.GetLink(1), "A");

  // Read and rebuilt, a record keeps its members and links, empty members included.
  StructSpec again;
  RebuildStruct(again, ReadStructFields(record));
  EXPECT_EQ(Members(again), Members(record));
  EXPECT_EQ(ReadStructFields(again).links, (std::vector<std::string>{"Z", "A"}));
}

}  // namespace
}  // namespace quillmap
