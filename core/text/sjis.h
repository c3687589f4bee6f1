#pragma once
// Shift-JIS (code page 932) byte strings and their conversion to and from Unicode.
//
// Every text of a document is a std::string of code page 932 bytes. Conversion to Unicode
// (UTF-8) happens only where a text is shown or typed. The decoding is lossless: bytes that are
// not valid code page 932 map one by one to private-use code points (U+F780 + (byte - 0x80) for
// the bytes 80..FF), and encoding maps those code points back to the same bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmap::text {

// First private-use code point of the range that carries undecodable bytes 0x80..0xFF.
inline constexpr char32_t kRawByteBase = 0xF700;

// Decodes code page 932 bytes to UTF-8. Never fails: invalid bytes become private-use code
// points. Of the duplicate codes (the same character under two byte codes) both decode to the
// character, so the result alone does not tell which bytes it came from.
std::string SjisToUtf8(std::string_view sjis);

// Decodes code page 932 bytes that arrive in pieces exactly as SjisToUtf8 decodes them in one
// piece: a lead byte at the end of a piece waits for the byte after it.
class SjisToUtf8Stream {
 public:
  // Appends the decoding of the piece (all but a waiting lead byte) to utf8.
  void Put(std::string_view sjis, std::string& utf8);
  // Appends the decoding of a byte still waiting (the input ended after it).
  void Finish(std::string& utf8);

 private:
  char held_ = 0;
  bool holding_ = false;
};

// Result of encoding Unicode text to code page 932.
struct EncodeResult {
  bool ok = true;
  std::string bytes;           // the encoded text (canonical codes); empty when !ok
  char32_t bad_char = 0;       // the first character code page 932 cannot hold
  std::size_t bad_offset = 0;  // its byte offset in the UTF-8 input
  bool malformed = false;      // the input is not valid UTF-8 there (bad_char is then U+FFFD)
};

// Encodes UTF-8 to code page 932 with canonical codes. A character that code page 932 can't
// hold (or malformed UTF-8) is reported, never dropped or replaced. Only characters that
// decoding produces are accepted: iconv's one-way fallbacks (such as U+00A5 or U+301C) are
// refused. The private-use code points U+F780..U+F7FF encode to the single bytes 80..FF.
EncodeResult Utf8ToSjis(std::string_view utf8);

// Encodes UTF-8 that is known to be encodable (the program's own literals). Aborts the program
// on a character that code page 932 can't hold: that is a fault in our own source.
std::string Sjis(std::string_view utf8_literal);

// True when the bytes decode and encode back to themselves (no duplicate code, no raw byte
// that changes). Lets a form decide whether an unedited field can be re-encoded or must keep
// its original bytes.
bool RoundTrips(std::string_view sjis);

// Byte length of the character that starts at sjis[pos] (1 or 2), as decoding walks the text:
// a lead byte at the end of the text, or one whose next byte makes no valid code, counts 1.
// 0 when pos is at or past the end.
std::size_t CharLength(std::string_view sjis, std::size_t pos);

// The character that starts at sjis[pos] as decoding reads it (a byte that is no character gives
// its private-use code point), and its byte length in length. 0 with length 0 at or past the end.
char32_t DecodeChar(std::string_view sjis, std::size_t pos, std::size_t& length);

}  // namespace quillmap::text
