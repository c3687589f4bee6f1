#include "core/find/fold.h"

#include <array>
#include <memory>
#include <string>

#include "core/text/sjis.h"

namespace quillmap::find {
namespace {

constexpr char32_t kNoKey = 0xFFFFFFFF;

// The full-width forms of the half-width katakana and marks U+FF61..U+FF9F, in that order.
constexpr std::u32string_view kHalfWidthKana =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    U"マミムメモ"
    U"ヤユヨラリルレロワン゛゜";
static_assert(kHalfWidthKana.size() == 0xFF9F - 0xFF61 + 1);
// Kana whose voiced form follows them in Unicode, and those whose semi-voiced form follows that.
constexpr std::u32string_view kVoicedNext = U"カキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::u32string_view kSemiVoicedNext = U"ハヒフヘホ";

// A decoded character as comparing sees it.
char32_t FoldCodePoint(char32_t cp) {
  if (cp >= U'A' && cp <= U'Z') return cp - U'A' + U'a';
  if (cp >= 0xFF10 && cp <= 0xFF19) return cp - 0xFF10 + U'0';  // full-width digits
  if (cp >= 0xFF21 && cp <= 0xFF3A) return cp - 0xFF21 + U'a';  // full-width capitals
  if (cp >= 0xFF41 && cp <= 0xFF5A) return cp - 0xFF41 + U'a';  // full-width small letters
  if (cp >= 0xFF61 && cp <= 0xFF9F) return kHalfWidthKana[cp - 0xFF61];
  return cp;
}

constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr int LeadIndex(unsigned char b) {
  return b <= 0x9F ? b - 0x81 : b - 0xE0 + 0x1F;
}
constexpr int kLeadCount = 60;
constexpr unsigned char kVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;  // ﾟ

// The folded key of every code of code page 932, made once from the decoding tables: comparing a
// character is then two table reads.
class FoldTables {
 public:
  static const FoldTables& Get() {
    static const std::unique_ptr<const FoldTables> tables(new FoldTables());
    return *tables;
  }

  FoldedChar At(const unsigned char* text, std::size_t size, std::size_t pos) const {
    const unsigned char b = text[pos];
    if (pos + 1 < size) {
      const unsigned char next = text[pos + 1];
      if (IsLeadByte(b)) {
        const char32_t key = double_[LeadIndex(b) * 256 + next];
        if (key != kNoKey) return {key, 2};
      } else if (next == kVoicedMark && voiced_[b] != 0) {
        return {voiced_[b], 2};
      } else if (next == kSemiVoicedMark && semi_voiced_[b] != 0) {
        return {semi_voiced_[b], 2};
      }
    }
    return {single_[b], 1};
  }

 private:
  FoldTables() {
    for (int b = 0; b < 256; ++b) {
      const std::string byte(1, static_cast<char>(b));
      std::size_t length = 0;
      const char32_t cp = text::DecodeChar(byte, 0, length);
      single_[b] = FoldCodePoint(cp);
      // A half-width kana with a mark after it is the voiced full-width character.
      if (cp >= 0xFF61 && cp <= 0xFF9F) {
        const char32_t kana = kHalfWidthKana[cp - 0xFF61];
        if (kana == U'ウ') voiced_[b] = U'ヴ';
        if (kVoicedNext.find(kana) != std::u32string_view::npos) voiced_[b] = kana + 1;
        if (kSemiVoicedNext.find(kana) != std::u32string_view::npos) semi_voiced_[b] = kana + 2;
      }
    }
    double_.assign(kLeadCount * 256, kNoKey);
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (int trail = 0; trail < 256; ++trail) {
        const std::string code = {static_cast<char>(lead), static_cast<char>(trail)};
        std::size_t length = 0;
        const char32_t cp = text::DecodeChar(code, 0, length);
        // Duplicate codes decode to the one character they share, so they fold alike.
        if (length == 2)
          double_[LeadIndex(static_cast<unsigned char>(lead)) * 256 + trail] = FoldCodePoint(cp);
      }
    }
  }

  std::array<char32_t, 256> single_{};
  std::array<char32_t, 256> voiced_{};
  std::array<char32_t, 256> semi_voiced_{};
  std::vector<char32_t> double_;
};

const unsigned char* Bytes(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

}  // namespace

FoldedChar FoldAt(std::string_view text, std::size_t pos) {
  return FoldTables::Get().At(Bytes(text), text.size(), pos);
}

bool FoldedEqual(std::string_view a, std::string_view b) {
  const FoldTables& tables = FoldTables::Get();
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const FoldedChar x = tables.At(Bytes(a), a.size(), i);
    const FoldedChar y = tables.At(Bytes(b), b.size(), j);
    if (x.key != y.key) return false;
    i += x.length;
    j += y.length;
  }
  return i == a.size() && j == b.size();
}

TextMatcher::TextMatcher(std::string_view pattern) {
  const FoldTables& tables = FoldTables::Get();
  for (std::size_t pos = 0; pos < pattern.size();) {
    const FoldedChar c = tables.At(Bytes(pattern), pattern.size(), pos);
    keys_.push_back(c.key);
    pos += c.length;
  }
  min_bytes_ = keys_.size();
}

std::size_t TextMatcher::MatchAt(std::string_view text, std::size_t pos) const {
  const FoldTables& tables = FoldTables::Get();
  const unsigned char* bytes = Bytes(text);
  std::size_t at = pos;
  for (const char32_t key : keys_) {
    if (at >= text.size()) return 0;
    const FoldedChar c = tables.At(bytes, text.size(), at);
    if (c.key != key) return 0;
    at += c.length;
  }
  return at - pos;
}

bool TextMatcher::FindFirst(std::string_view text, std::size_t from, ByteRange& match) const {
  // Walked from the start of the text: only there is it known where characters begin.
  return Scan(text, 0, from, match);
}

bool TextMatcher::Scan(std::string_view text, std::size_t boundary, std::size_t from,
                       ByteRange& match) const {
  if (keys_.empty() || text.size() < min_bytes_) return false;
  const FoldTables& tables = FoldTables::Get();
  const unsigned char* bytes = Bytes(text);
  const char32_t first = keys_.front();
  for (std::size_t pos = boundary; pos < text.size();) {
    const FoldedChar c = tables.At(bytes, text.size(), pos);
    if (c.key == first && pos >= from) {
      if (const std::size_t length = MatchAt(text, pos)) {
        match = {pos, pos + length};
        return true;
      }
    }
    pos += c.length;
  }
  return false;
}

void TextMatcher::FindAll(std::string_view text, std::vector<ByteRange>& matches) const {
  matches.clear();
  ByteRange match;
  std::size_t from = 0;
  // The next match may begin at the match's second character; the walk goes on from there.
  while (Scan(text, from, from, match)) {
    matches.push_back(match);
    from = match.begin + FoldAt(text, match.begin).length;
  }
}

}  // namespace quillmap::find
