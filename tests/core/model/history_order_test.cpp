// The newest-first order of history date texts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/history.h"

namespace quillmap {
namespace {

std::vector<std::string> Ordered(const std::vector<std::string>& texts) {
  std::vector<std::string> out;
  for (std::size_t i : NewestFirstOrder(texts)) out.push_back(texts[i]);
  return out;
}

TEST(HistoryOrder, DateTextsComeNewestFirstWhateverTheirGivenOrder) {
  EXPECT_EQ(Ordered({"2000/03/31", "2001/01/05", "1999/12/31", "2000/04/01"}),
            (std::vector<std::string>{"2001/01/05", "2000/04/01", "2000/03/31", "1999/12/31"}));
  EXPECT_TRUE(NewestFirstOrder({}).empty());
  EXPECT_EQ(NewestFirstOrder({"2000/01/01"}), std::vector<std::size_t>{0});
}

TEST(HistoryOrder, EqualTextsAreAllKeptInTheirGivenOrder) {
  // Positions, not texts: both entries of the same day stay, the earlier one first.
  EXPECT_EQ(NewestFirstOrder({"2000/01/01", "2001/02/03", "2000/01/01", "2001/02/03"}),
            (std::vector<std::size_t>{1, 3, 0, 2}));
}

TEST(HistoryOrder, BytesCompareAsUnsignedValues) {
  // A text that is not a date, with a Shift-JIS lead byte (0x93) where another has a digit: as an
  // unsigned byte it is larger than '2', so it sorts first; a shorter prefix sorts last.
  const std::string kanji = "\x93\xfa\x95\x74";  // 日付
  EXPECT_EQ(Ordered({"2000/01/01", kanji, "2000", "2000/01/01x"}),
            (std::vector<std::string>{kanji, "2000/01/01x", "2000/01/01", "2000"}));
}

}  // namespace
}  // namespace quillmap
