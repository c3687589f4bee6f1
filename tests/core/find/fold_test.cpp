// Matching compares characters, folded as a Japanese user expects, in the stored Shift-JIS bytes.
#include "core/find/fold.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/sjis.h"

namespace quillmap::find {
namespace {

struct Case {
  const char* what;
  std::string text;     // Shift-JIS
  std::string pattern;  // Shift-JIS
  long begin;           // byte range of the first match; -1 when none
  long end;
};

std::string S(const char* utf8) {
  return text::Sjis(utf8);
}

TEST(FoldTest, MatchesCharacterByCharacter) {
  const std::vector<Case> cases = {
      // Alike.
      {"ASCII case", "Qm_OpenFile", "openfile", 3, 11},
      {"full-width letters", S("ＡＢｃ"), "abC", 0, 6},
      {"full-width digits", S("値は１２３"), "123", 4, 10},
      {"half-width digits in full-width text", "x123", S("１２"), 1, 3},
      {"half-width katakana", S("ｱｲｳ"), S("アイウ"), 0, 3},
      {"full-width katakana", S("アイウ"), S("ｲｳ"), 2, 6},
      {"voiced pair to one character", S("ｶﾞｲﾄﾞ"), S("ガイド"), 0, 5},
      {"one character to a voiced pair", S("ガイド"), S("ｶﾞｲﾄﾞ"), 0, 6},
      {"semi-voiced pair", S("ﾊﾟｽ"), S("パス"), 0, 3},
      {"vu", S("ｳﾞｨ"), S("ヴィ"), 0, 3},
      {"half-width long vowel and brackets", S("｢ﾒｰﾙ｣"), S("「メール」"), 0, 5},
      {"NEC row 13 and JIS", "\x87\x90", "\x81\xE0", 0, 2},                            // ≒
      {"NEC-selected IBM and IBM", "x\xEE\xEF", "\xFA\x40", 1, 3},                     // ⅰ
      {"three codes of one character", "\xEE\xF9\xFA\x54", "\x81\xCA\x81\xCA", 0, 4},  // ￢￢
      {"NEC roman numeral and IBM", "\x87\x54", "\xFA\x4A", 0, 2},                     // Ⅰ
      // Different.
      {"hiragana is not katakana", S("あいう"), S("アイウ"), -1, -1},
      {"kana is not its voiced form", S("ガ"), S("カ"), -1, -1},
      {"half-width kana is not the voiced pair", S("ｶﾞ"), S("ｶ"), -1, -1},
      {"a lone mark is not part of a pair", S("ｶﾞ"), S("ﾞ"), -1, -1},
      {"trail byte 41 is no A", S("ア"), "A", -1, -1},  // 83 41
      {"trail byte 41 is no a", S("ア"), "a", -1, -1},
      {"trail byte 5C is no backslash", S("ソ"), "\\", -1, -1},           // 83 5C
      {"trail byte 40 is no @", S("ァ"), "@", -1, -1},                    // 83 40
      {"a code across two characters", "\x83\x83\x41", S("ア"), -1, -1},  // ャA
      {"ASCII after a double-byte character", "\x83\x83\x41", "a", 2, 3},
      {"letters differ", "abc", "abd", -1, -1},
      {"pattern longer than the text", "ab", "abc", -1, -1},
      {"lead byte at the end stands alone", "ab\x83", "\x83", 2, 3},
  };
  for (const Case& c : cases) {
    ByteRange match;
    const bool found = TextMatcher(c.pattern).FindFirst(c.text, 0, match);
    EXPECT_EQ(found, c.begin >= 0) << c.what;
    if (found && c.begin >= 0) {
      EXPECT_EQ(static_cast<long>(match.begin), c.begin) << c.what;
      EXPECT_EQ(static_cast<long>(match.end), c.end) << c.what;
    }
  }
}

TEST(FoldTest, FindsEveryStartInOrderFromACharacterBoundary) {
  // "ア" (83 41) then "aA": a search from byte 1 must not take the trail byte 41 for an "a".
  const std::string text = S("ア") + "aA" + S("ア");
  const TextMatcher a("A");
  ByteRange match;
  ASSERT_TRUE(a.FindFirst(text, 1, match));
  EXPECT_EQ(match.begin, 2u);
  std::vector<ByteRange> all;
  a.FindAll(text, all);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[1].begin, 3u);
  // Overlapping starts all count.
  TextMatcher("aa").FindAll("aaaa", all);
  EXPECT_EQ(all.size(), 3u);
  EXPECT_FALSE(TextMatcher("").FindFirst("abc", 0, match));
}

}  // namespace
}  // namespace quillmap::find
