#include "core/text/sjis.h"
#include "core/text/concat.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

namespace quillmap::text {
namespace {

// Reference conversions straight through iconv, sharing no code with the tables under test.
// Returns false when iconv refuses any part of the input.
bool IconvConvert(const char* to, const char* from, std::string_view in, std::string& out) {
  iconv_t cd = iconv_open(to, from);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  out.assign(in.size() * 4 + 8, '\0');
  char* in_ptr = const_cast<char*>(in.data());
  std::size_t in_left = in.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  const bool ok =
      iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<std::size_t>(-1) &&
      in_left == 0;
  iconv_close(cd);
  out.resize(out_ptr - out.data());
  return ok;
}

std::string Utf32(char32_t cp) {
  return {static_cast<char>(cp), static_cast<char>(cp >> 8), static_cast<char>(cp >> 16), '\0'};
}

// The code points of a code page 932 text, or nothing when iconv refuses it.
std::u32string IconvDecode(std::string_view sjis) {
  std::string utf32;
  if (!IconvConvert("UTF-32LE", "CP932", sjis, utf32)) return {};
  std::u32string result;
  for (std::size_t i = 0; i + 4 <= utf32.size(); i += 4) {
    const auto* b = reinterpret_cast<const unsigned char*>(utf32.data() + i);
    result += static_cast<char32_t>(b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24);
  }
  return result;
}

std::string IconvEncode(char32_t cp) {
  std::string out;
  return IconvConvert("CP932", "UTF-32LE", Utf32(cp), out) ? out : std::string();
}

std::string Utf8(char32_t cp) {
  std::string out;
  EXPECT_TRUE(IconvConvert("UTF-8", "UTF-32LE", Utf32(cp), out)) << static_cast<unsigned>(cp);
  return out;
}

std::string Encoded(std::string_view utf8) {
  EncodeResult result = Utf8ToSjis(utf8);
  EXPECT_TRUE(result.ok) << "U+" << std::hex << static_cast<unsigned>(result.bad_char) << " at "
                         << std::dec << result.bad_offset;
  return result.bytes;
}

std::string Hex(std::string_view bytes) {
  std::string out;
  char buffer[4];
  for (const char c : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02X ", static_cast<unsigned char>(c));
    out += buffer;
  }
  return out;
}

bool IsLead(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

TEST(SjisSingleByte, AsciiIsItself) {
  // 5C and 7E in particular: code page 932 keeps backslash and tilde, unlike "SHIFT_JIS".
  for (int b = 0; b < 0x80; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(SjisToUtf8(byte), byte) << b;
    EXPECT_EQ(Encoded(byte), byte) << b;
  }
}

TEST(SjisSingleByte, EveryByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Hex(Encoded(SjisToUtf8(byte))), Hex(byte));
    EXPECT_TRUE(RoundTrips(byte));
  }
}

TEST(SjisSingleByte, KatakanaAndRawBytes) {
  EXPECT_EQ(SjisToUtf8("\xB1\xDF"), "ｱﾟ");
  // Bytes that are no character alone: 80, A0, FD..FF and every lead byte.
  for (const int b : {0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x81, 0x9F, 0xE0, 0xFC}) {
    EXPECT_EQ(SjisToUtf8(std::string(1, static_cast<char>(b))), Utf8(0xF700 + b)) << b;
  }
}

// Every two-byte input, decoded and encoded again, gives its own bytes back unless it holds a
// duplicate code; then it gives the canonical code, which is what iconv encodes the character
// to. RoundTrips() must tell the two cases apart.
TEST(SjisDoubleByte, EveryPairRoundTripsOrIsADuplicate) {
  int duplicates = 0;
  for (int code = 0; code < 0x10000; ++code) {
    const std::string bytes = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    const std::string utf8 = SjisToUtf8(bytes);
    const std::string back = Encoded(utf8);
    if (back == bytes) {
      EXPECT_TRUE(RoundTrips(bytes)) << Hex(bytes);
      continue;
    }
    ++duplicates;
    EXPECT_FALSE(RoundTrips(bytes)) << Hex(bytes);
    const std::u32string chars = IconvDecode(bytes);
    ASSERT_EQ(chars.size(), 1u) << Hex(bytes);
    EXPECT_EQ(utf8, Utf8(chars[0])) << Hex(bytes);
    EXPECT_EQ(Hex(back), Hex(IconvEncode(chars[0]))) << Hex(bytes);
  }
  EXPECT_EQ(duplicates, 398);
}

TEST(SjisDoubleByte, ValidCodesDecodeAsIconvDoes) {
  int valid = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLead(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0; trail < 256; ++trail) {
      const std::string bytes = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::u32string chars = IconvDecode(bytes);
      if (chars.size() != 1) continue;
      ++valid;
      EXPECT_EQ(SjisToUtf8(bytes), Utf8(chars[0])) << Hex(bytes);
      EXPECT_EQ(CharLength(bytes, 0), 2u) << Hex(bytes);
    }
  }
  // JIS X 0208 with the NEC and IBM extensions and the user-defined area.
  EXPECT_GT(valid, 9000);
}

TEST(SjisDoubleByte, KnownCodes) {
  EXPECT_EQ(SjisToUtf8("\x93\xFA\x96\x7B\x8C\xEA"), "日本語");
  EXPECT_EQ(Hex(Encoded("日本語①")), "93 FA 96 7B 8C EA 87 40 ");
  // Trail bytes in the ASCII range: 5C and 7E do not end the character.
  EXPECT_EQ(SjisToUtf8("\x95\x5C\x83\x7E"), "表ミ");
  EXPECT_EQ(Hex(Encoded("表ミ")), "95 5C 83 7E ");
  // User-defined area.
  EXPECT_EQ(SjisToUtf8("\xF0\x40"), Utf8(0xE000));
  EXPECT_EQ(Hex(Encoded(Utf8(0xE000))), "F0 40 ");
}

TEST(SjisDoubleByte, DuplicatesDecodeToTheirCharacterAndEncodeCanonically) {
  struct Case {
    const char* bytes;
    const char* text;
    const char* canonical;
  };
  const Case cases[] = {
      {"\x87\x90", "≒", "81 E0 "},  // NEC row 13 against JIS X 0208
      {"\x87\x9A", "∵", "81 E6 "},  {"\xFA\x5B", "∵", "81 E6 "},
      {"\xED\x40", "纊", "FA 5C "},  // NEC-selected IBM row against the IBM row
      {"\xEE\xF9", "￢", "81 CA "}, {"\xFA\x54", "￢", "81 CA "},
      {"\xFA\x4A", "Ⅰ", "87 54 "},  // IBM Roman numeral against the NEC one
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SjisToUtf8(c.bytes), c.text) << c.text;
    EXPECT_EQ(Hex(Encoded(c.text)), c.canonical) << c.text;
    EXPECT_FALSE(RoundTrips(c.bytes)) << c.text;
    EXPECT_FALSE(RoundTrips(std::string("a") + c.bytes + "b")) << c.text;
  }
}

TEST(SjisInvalid, LeadByteWithBadTrailStandsAlone) {
  // The lead byte becomes a raw code point; the scan resumes at the next byte.
  EXPECT_EQ(SjisToUtf8("\x81 a"), Utf8(0xF781) + " a");
  EXPECT_EQ(SjisToUtf8("\x81\x7F"), Utf8(0xF781) + "\x7F");
  EXPECT_EQ(SjisToUtf8("\x85\x40"), Utf8(0xF785) + "@");  // unassigned row
  EXPECT_EQ(SjisToUtf8("\x81\x81\x40"), "＝@");           // 81 is a valid trail
  EXPECT_EQ(SjisToUtf8("\x81\xFD"), Utf8(0xF781) + Utf8(0xF7FD));
  EXPECT_EQ(SjisToUtf8("\x85\x85\xA0"), Utf8(0xF785) + Utf8(0xF785) + Utf8(0xF7A0));
  EXPECT_EQ(SjisToUtf8("ab\x88"), "ab" + Utf8(0xF788));  // lone lead byte at the end
  for (const char* bytes : {"\x81 a", "\x85\x40", "\x81\xFD", "ab\x88", "\x80\xA0\xFF"}) {
    EXPECT_EQ(Hex(Encoded(SjisToUtf8(bytes))), Hex(bytes));
    EXPECT_TRUE(RoundTrips(bytes));
  }
}

// A lead byte standing alone before a duplicate: the canonical code of the duplicate would
// start with a byte that pairs with the lead byte (87 87 is a character), so the encoder keeps
// a code that leaves the text decoding as before.
TEST(SjisInvalid, RawLeadByteBeforeADuplicateKeepsItsMeaning) {
  const std::string bytes = "\x87\xFA\x4C";  // raw 87, then Roman numeral three (IBM code)
  const std::string text = SjisToUtf8(bytes);
  EXPECT_EQ(text, Utf8(0xF787) + "Ⅲ");
  EXPECT_EQ(Hex(Encoded(Utf8(0xF787))), "87 ");
  EXPECT_EQ(Hex(Encoded("Ⅲ")), "87 56 ");
  EXPECT_EQ(Hex(Encoded(text)), Hex(bytes));
  EXPECT_TRUE(RoundTrips(bytes));
  // Where the canonical code does not pair, it is used as always.
  EXPECT_EQ(Hex(Encoded(SjisToUtf8("\x85\xFA\x4C"))), "85 87 56 ");
  EXPECT_FALSE(RoundTrips("\x85\xFA\x4C"));
}

TEST(SjisInvalid, CharLengthFollowsDecoding) {
  const std::string text = "a\x93\xFA\x81 \x88";
  EXPECT_EQ(CharLength(text, 0), 1u);
  EXPECT_EQ(CharLength(text, 1), 2u);
  EXPECT_EQ(CharLength(text, 3), 1u);  // lead byte before a blank
  EXPECT_EQ(CharLength(text, 4), 1u);
  EXPECT_EQ(CharLength(text, 5), 1u);  // lead byte at the end
  EXPECT_EQ(CharLength(text, 6), 0u);
  EXPECT_EQ(CharLength("\xB1", 0), 1u);
}

TEST(SjisStream, PiecesDecodeAsTheWholeAtEveryCut) {
  // Pairs, lone and doubled lead bytes, a lead byte before a bad trail, one at the very end.
  const std::string inputs[] = {
      Sjis("関数名ｱｲ") + "ab",
      std::string("\x81\x81\x40\x81"),
      std::string("a\x81\x0a\xe0"),
      std::string("\x88\x9f\x82\xa0\x81"),
      std::string(),
  };
  for (const std::string& input : inputs) {
    for (std::size_t cut = 0; cut <= input.size(); ++cut) {
      for (std::size_t second = cut; second <= input.size(); ++second) {
        SjisToUtf8Stream stream;
        std::string out;
        stream.Put(std::string_view(input).substr(0, cut), out);
        stream.Put(std::string_view(input).substr(cut, second - cut), out);
        stream.Put(std::string_view(input).substr(second), out);
        stream.Finish(out);
        EXPECT_EQ(out, SjisToUtf8(input)) << cut << "/" << second;
      }
    }
  }
}

TEST(SjisEncode, RawCodePointsGiveTheirBytes) {
  for (int b = 0x80; b < 0x100; ++b) {
    EXPECT_EQ(Encoded(Utf8(0xF700 + b)), std::string(1, static_cast<char>(b))) << b;
  }
  const EncodeResult below = Utf8ToSjis(Utf8(0xF77F));
  EXPECT_FALSE(below.ok);
  EXPECT_EQ(below.bad_char, U'\uF77F');
}

TEST(SjisEncode, UnencodableCharacterIsReportedWithItsOffset) {
  struct Case {
    std::string utf8;
    char32_t bad;
    std::size_t offset;
  };
  const Case cases[] = {
      {"caf\xC3\xA9", 0xE9, 3},                            // é
      {Concat({"関数", Utf8(0x1F600), "x"}), 0x1F600, 6},  // emoji after two Japanese characters
      {Concat({"ab", Utf8(0x20AC)}), 0x20AC, 2},           // euro sign
      {Utf8(0xA5), 0xA5, 0},                     // yen sign: iconv's one-way fallback to 5C
      {Concat({"a", Utf8(0x301C)}), 0x301C, 1},  // wave dash: 81 60 decodes to U+FF5E
      {Concat({"x", Utf8(0xE9), Utf8(0x20AC)}), 0xE9, 1},  // the first of several
  };
  for (const Case& c : cases) {
    const EncodeResult result = Utf8ToSjis(c.utf8);
    EXPECT_FALSE(result.ok) << c.utf8;
    EXPECT_FALSE(result.malformed) << c.utf8;
    EXPECT_EQ(result.bad_char, c.bad) << c.utf8;
    EXPECT_EQ(result.bad_offset, c.offset) << c.utf8;
    EXPECT_TRUE(result.bytes.empty()) << c.utf8;
  }
}

TEST(SjisEncode, MalformedUtf8IsReported) {
  struct Case {
    std::string utf8;
    std::size_t offset;
  };
  const Case cases[] = {
      {"ab\xC3", 2},            // truncated at the end
      {"a\xC3z", 1},            // bad continuation byte
      {"\x80", 0},              // stray continuation byte
      {"ok\xC0\x80", 2},        // overlong NUL
      {"\xE0\x80\xAF", 0},      // overlong slash
      {"x\xED\xA0\x80", 1},     // surrogate
      {"\xF4\x90\x80\x80", 0},  // above U+10FFFF
      {"\xF8\x88\x80\x80\x80", 0},
      {"\xFF", 0},
      {std::string("\x82\xA0", 2), 0},  // Shift-JIS bytes passed as UTF-8
  };
  for (const Case& c : cases) {
    const EncodeResult result = Utf8ToSjis(c.utf8);
    EXPECT_FALSE(result.ok) << Hex(c.utf8);
    EXPECT_TRUE(result.malformed) << Hex(c.utf8);
    EXPECT_EQ(result.bad_offset, c.offset) << Hex(c.utf8);
    EXPECT_TRUE(result.bytes.empty()) << Hex(c.utf8);
  }
}

TEST(SjisMixed, TextsSurviveBothWays) {
  const std::string utf8 = "int Calc(char *p); // 計算する ｶﾅ ①\\~\n\tＡ纊\r\n";
  const std::string sjis = Encoded(utf8);
  EXPECT_EQ(SjisToUtf8(sjis), utf8);
  EXPECT_TRUE(RoundTrips(sjis));

  // Raw bytes and a duplicate amid ordinary text.
  const std::string odd = "a\x80\x93\xFA\x81\n\xED\x40z\xFF";
  EXPECT_EQ(SjisToUtf8(odd),
            Concat({"a", Utf8(0xF780), "日", Utf8(0xF781), "\n纊z", Utf8(0xF7FF)}));
  EXPECT_EQ(Hex(Encoded(SjisToUtf8(odd))), Hex("a\x80\x93\xFA\x81\n\xFA\x5Cz\xFF"));
  EXPECT_FALSE(RoundTrips(odd));

  EXPECT_EQ(SjisToUtf8(""), "");
  EXPECT_EQ(Encoded(""), "");
  EXPECT_EQ(Encoded(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(SjisToUtf8(std::string("\0\x82\xA0", 3)), std::string("\0あ", 4));
}

TEST(SjisLiteral, ConvertsTheProgramsTexts) {
  EXPECT_EQ(Hex(Sjis("新規作成")), Hex(Encoded("新規作成")));
  EXPECT_EQ(Sjis("予期しないﾌｧｲﾙ形式です。"), Encoded("予期しないﾌｧｲﾙ形式です。"));
}

TEST(SjisLiteralDeathTest, AbortsOnUnencodableLiteral) {
  EXPECT_DEATH(Sjis("caf\xC3\xA9"), "U\\+00E9");
}

}  // namespace
}  // namespace quillmap::text
