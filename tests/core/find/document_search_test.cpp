// The search visits functions then structures in list order, each record's texts in the form's
// order, and steps forward and backward with wrapping.
#include "core/find/document_search.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/model/spec_store.h"
#include "core/text/sjis.h"

namespace quillmap::find {
namespace {

using text::Sjis;

// Two functions and a structure in which "key" appears in every searched field.
void FillStore(SpecStore& store) {
  FunctionSpec f;
  f.SetRecordName("KeyOpen");
  f.SetIndex(Sjis("ｷｰ key"));
  f.SetAttribute(kAttrStatic);
  f.AddArgument("KEY_T", "k", Sjis("ｋｅｙ"));
  f.SetReturnType("keytype");
  f.SetReturnText("the key");
  f.SetExplanation("line one\r\nline KEY");
  f.SetNote("note key");
  f.AddLink("KeyClose");
  f.AddHistory(946684800, "key added");
  store.AddFunction("KeyOpen");
  store.PutFunction(0, f);
  store.AddFunction("other");  // matches nothing
  StructSpec s;
  s.SetRecordName("KEYS");
  s.SetIndex("key list");
  s.AddMember("int", "key", "");
  s.SetExplanation("key");
  s.SetNote("key");
  s.AddLink("KeyOpen");
  store.AddStruct("KEYS");
  store.PutStruct(0, s);
}

using Seen = std::tuple<RecordKind, int, Field, unsigned, unsigned, std::string>;

std::vector<Seen> AllMatches(const SpecStore& store, const char* pattern, bool names_only) {
  std::vector<Seen> seen;
  DocumentSearch(store.Snapshot(), pattern, names_only)
      .ForEach([&](const Match& m, std::string_view text) {
        seen.emplace_back(m.kind, m.record, m.field, m.row, m.column,
                          std::string(text.substr(m.range.begin, m.range.end - m.range.begin)));
        return true;
      });
  return seen;
}

TEST(DocumentSearchTest, VisitsRecordsAndFieldsInOrder) {
  SpecStore store;
  FillStore(store);
  constexpr RecordKind F = RecordKind::kFunction;
  constexpr RecordKind S = RecordKind::kStructure;
  const std::vector<Seen> expected = {
      {F, 0, Field::kName, 0, 0, "Key"},        {F, 0, Field::kHeading, 0, 0, "key"},
      {F, 0, Field::kArgument, 0, 0, "KEY"},    {F, 0, Field::kArgument, 0, 2, Sjis("ｋｅｙ")},
      {F, 0, Field::kReturnType, 0, 0, "key"},  {F, 0, Field::kReturnText, 0, 0, "key"},
      {F, 0, Field::kExplanation, 0, 0, "KEY"}, {F, 0, Field::kNote, 0, 0, "key"},
      {F, 0, Field::kLink, 0, 0, "Key"},        {F, 0, Field::kHistory, 0, 0, "key"},
      {S, 0, Field::kName, 0, 0, "KEY"},        {S, 0, Field::kHeading, 0, 0, "key"},
      {S, 0, Field::kMember, 0, 1, "key"},      {S, 0, Field::kExplanation, 0, 0, "key"},
      {S, 0, Field::kNote, 0, 0, "key"},        {S, 0, Field::kLink, 0, 0, "Key"},
  };
  EXPECT_EQ(AllMatches(store, "key", false), expected);
  // The attribute is searched as the word the form shows; names only looks at nothing else.
  EXPECT_EQ(AllMatches(store, "STATIC", false),
            (std::vector<Seen>{{F, 0, Field::kAttribute, 0, 0, "static"}}));
  EXPECT_EQ(AllMatches(store, "key", true), (std::vector<Seen>{{F, 0, Field::kName, 0, 0, "Key"},
                                                               {S, 0, Field::kName, 0, 0, "KEY"}}));
  EXPECT_TRUE(AllMatches(store, Sjis("ガ").c_str(), false).empty());
}

TEST(DocumentSearchTest, StepsBothWaysAndWraps) {
  SpecStore store;
  FillStore(store);
  const DocumentSearch search(store.Snapshot(), "open", false);  // function 0: name; struct: link
  Found found;
  // From the start of function 1 the next match is the structure's link.
  ASSERT_TRUE(search.Next(RecordStart(RecordKind::kFunction, 1), found));
  EXPECT_EQ(found.match.kind, RecordKind::kStructure);
  EXPECT_EQ(found.match.field, Field::kLink);
  EXPECT_FALSE(found.wrapped);
  // After it the search begins again at the first function's name.
  Position after = found.match.At();
  ++after.offset;
  ASSERT_TRUE(search.Next(after, found));
  EXPECT_EQ(found.match.kind, RecordKind::kFunction);
  EXPECT_EQ(found.match.field, Field::kName);
  EXPECT_EQ(found.match.range.begin, 3u);
  EXPECT_TRUE(found.wrapped);
  // The match at the point itself is found going forward; going back from it, the previous one
  // lies before the start and wraps to the structure.
  ASSERT_TRUE(search.Next(found.match.At(), found));
  EXPECT_FALSE(found.wrapped);
  ASSERT_TRUE(search.Previous(found.match.At(), found));
  EXPECT_EQ(found.match.kind, RecordKind::kStructure);
  EXPECT_TRUE(found.wrapped);
  ASSERT_TRUE(search.Previous(found.match.At(), found));
  EXPECT_EQ(found.match.kind, RecordKind::kFunction);
  EXPECT_FALSE(found.wrapped);
  // A single match is found again, wrapped, from just after it.
  const DocumentSearch once(store.Snapshot(), "line KEY", false);
  ASSERT_TRUE(once.Next(RecordEnd(RecordKind::kStructure, 0), found));
  EXPECT_TRUE(found.wrapped);
  EXPECT_EQ(found.match.field, Field::kExplanation);
  // Nothing to find, or nothing to search.
  EXPECT_FALSE(DocumentSearch(store.Snapshot(), "absent", false).Next({}, found));
  EXPECT_FALSE(DocumentSearch(store.Snapshot(), "absent", false).Previous({}, found));
  EXPECT_FALSE(DocumentSearch(SpecStore().Snapshot(), "key", false).Previous({}, found));
}

}  // namespace
}  // namespace quillmap::find
