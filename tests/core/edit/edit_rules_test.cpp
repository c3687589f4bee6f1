// Naming of copies, the texts of new arguments and functions, and the opening lists of the
// related-entries dialog.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/edit/copy_name.h"
#include "core/edit/new_records.h"
#include "core/edit/related_choice.h"
#include "core/text/concat.h"
#include "core/text/sjis.h"

namespace quillmap {
namespace {

std::string CopyNameAmong(std::string_view base, const std::set<std::string>& names) {
  return NumberedCopyName(
      base, [&](std::string_view name) { return names.count(std::string(name)) != 0; });
}

TEST(NumberedCopyName, TakesTheSmallestFreeNumberFromOne) {
  EXPECT_EQ(CopyNameAmong("Calc", {"Calc"}), "Calc1");
  EXPECT_EQ(CopyNameAmong("Calc", {"Calc", "Calc1"}), "Calc2");
  EXPECT_EQ(CopyNameAmong("Calc", {"Calc", "Calc1", "Calc2"}), "Calc3");
  // A gap is filled first.
  EXPECT_EQ(CopyNameAmong("Calc", {"Calc", "Calc2", "Calc3"}), "Calc1");
  // The number goes after the whole name, digits included.
  EXPECT_EQ(CopyNameAmong("Calc1", {"Calc", "Calc1", "Calc2"}), "Calc11");
  EXPECT_EQ(CopyNameAmong("Calc", {"Calc", "Calc1", "Calc2", "Calc3", "Calc4", "Calc5", "Calc6",
                                   "Calc7", "Calc8", "Calc9"}),
            "Calc10");
  // Comparison is byte-exact: another letter case is another name.
  EXPECT_EQ(CopyNameAmong("POINT", {"POINT", "point1"}), "POINT1");
}

TEST(NumberedCopyName, KeepsShiftJisBytesOfTheBase) {
  const std::string base = text::Sjis("計算");
  EXPECT_EQ(CopyNameAmong(base, {base, base + "1"}), base + "2");
  // A trail byte that looks like a backslash or a percent sign is copied as it is.
  const std::string odd = std::string("\x95\x5c%s", 4);
  EXPECT_EQ(CopyNameAmong(odd, {}), odd + "1");
  EXPECT_EQ(CopyNameAmong("", {}), "1");
}

TEST(NewRecordTexts, ArgumentRowTakesTheRowCount) {
  const ArgumentTexts first = NewArgument(0);
  EXPECT_EQ(first.type, "argv0");
  EXPECT_EQ(first.name, "value ");
  EXPECT_EQ(first.description, "comment");
  EXPECT_EQ(NewArgument(2).type, "argv2");
  EXPECT_EQ(NewArgument(12).type, "argv12");
}

TEST(NewRecordTexts, TypeDescriptionAndHeadingQuoteTheirText) {
  EXPECT_EQ(TypeDescription("int"), "'int' type");
  EXPECT_EQ(TypeDescription("char*"), "'char*' type");
  EXPECT_EQ(TypeDescription("unsigned long"), "'unsigned long' type");
  EXPECT_EQ(TypeDescription(""), "'' type");
  EXPECT_EQ(FunctionHeading("Calc"), "function 'Calc'");
  EXPECT_EQ(TypeDescription(text::Sjis("表")), text::Concat({"'", text::Sjis("表"), "' type"}));
}

TEST(SplitRelated, ChosenNamesLeaveTheCandidates) {
  const RelatedLists lists = SplitRelated({"Init", "Calc", "Draw", "Exit"}, {"Draw", "Calc"});
  EXPECT_EQ(lists.candidates, (std::vector<std::string>{"Init", "Exit"}));
  EXPECT_EQ(lists.chosen, (std::vector<std::string>{"Draw", "Calc"}));
}

TEST(SplitRelated, NameWithoutCandidateIsStillChosen) {
  const RelatedLists lists = SplitRelated({"Init", "Calc"}, {"Gone", "Calc"});
  EXPECT_EQ(lists.candidates, (std::vector<std::string>{"Init"}));
  EXPECT_EQ(lists.chosen, (std::vector<std::string>{"Gone", "Calc"}));
}

TEST(SplitRelated, EachChosenNameTakesOneCandidateOfTheSameBytes) {
  // Another letter case is no match; a name chosen twice takes two equal candidates.
  const RelatedLists lists = SplitRelated({"calc", "Calc", "Calc"}, {"Calc", "Calc", "Calc"});
  EXPECT_EQ(lists.candidates, (std::vector<std::string>{"calc"}));
  EXPECT_EQ(lists.chosen.size(), 3u);
  // Chosen once, it takes one of two equal candidates, not both.
  const RelatedLists once = SplitRelated({"Calc", "Calc"}, {"Calc"});
  EXPECT_EQ(once.candidates, (std::vector<std::string>{"Calc"}));

  const RelatedLists none = SplitRelated({}, {});
  EXPECT_TRUE(none.candidates.empty());
  EXPECT_TRUE(none.chosen.empty());
  const RelatedLists all = SplitRelated({"a", "b"}, {});
  EXPECT_EQ(all.candidates, (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace quillmap
