#pragma once
// Comparing Shift-JIS texts the way a Japanese user reads them: character by character, never
// byte by byte (a trail byte can equal an ASCII letter), with these characters counted alike:
// ASCII letters of either case; full-width and half-width letters and digits; half-width and
// full-width katakana, a half-width kana with its voiced or semi-voiced mark (ｶﾞ, ﾊﾟ) being the
// one full-width character (ガ, パ); and the duplicate codes of one character (NEC and IBM rows).
// Hiragana and katakana stay different. Texts are compared in their stored bytes, one folded
// character at a time, through tables made once.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quillmap::find {

// One character of a text as comparing sees it: its folded key and the bytes it takes.
struct FoldedChar {
  char32_t key;
  std::uint32_t length;
};

// The folded character that starts at text[pos]; pos must be below text.size().
FoldedChar FoldAt(std::string_view text, std::size_t pos);

// Whether two whole texts are alike under the folding.
bool FoldedEqual(std::string_view a, std::string_view b);

// A byte range [begin, end) of a text.
struct ByteRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// A text to look for, folded once.
class TextMatcher {
 public:
  explicit TextMatcher(std::string_view pattern);
  bool empty() const { return keys_.empty(); }

  // The first match that starts on a character boundary at or after byte from.
  bool FindFirst(std::string_view text, std::size_t from, ByteRange& match) const;
  // Every match of a text in order: one for each character where a match begins (matches may
  // overlap).
  void FindAll(std::string_view text, std::vector<ByteRange>& matches) const;
  bool Contains(std::string_view text) const {
    ByteRange unused;
    return FindFirst(text, 0, unused);
  }

 private:
  // Walks the text's characters from boundary (where a character begins) and gives the first
  // match that starts at or after from.
  bool Scan(std::string_view text, std::size_t boundary, std::size_t from, ByteRange& match) const;
  // The length of the match at pos, or 0.
  std::size_t MatchAt(std::string_view text, std::size_t pos) const;

  std::vector<char32_t> keys_;
  std::size_t min_bytes_ = 0;  // no match is shorter than one byte per character
};

}  // namespace quillmap::find
