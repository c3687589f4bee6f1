#include "core/text/sjis.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_map>
#include <vector>

namespace quillmap::text {
namespace {

constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Lead bytes 81..9F and E0..FC packed into 0..59.
constexpr int LeadIndex(unsigned char b) {
  return b <= 0x9F ? b - 0x81 : b - 0xE0 + 0x1F;
}
constexpr int kLeadCount = 60;

constexpr char32_t RawCodePoint(unsigned char b) {
  return kRawByteBase + b;
}

// Tables of code page 932, built once from iconv's "CP932" so that converting a text never calls
// iconv per character.
class Cp932Tables {
 public:
  static const Cp932Tables& Get() {
    static const std::unique_ptr<Cp932Tables> tables(new Cp932Tables());
    return *tables;
  }

  // Code point of a single byte, or kNone when the byte alone is not a character.
  char32_t Single(unsigned char b) const { return single_[b]; }

  // Code point of a two-byte code (lead byte first), or kNone when it is no character. The
  // kNonCanonical bit marks duplicate codes that encoding does not produce.
  std::uint32_t Double(unsigned char lead, unsigned char trail) const {
    return double_[LeadIndex(lead) * 256 + trail];
  }

  // Code page 932 code of a code point (a byte value below 0x100, else lead * 256 + trail), or
  // kNoCode.
  std::uint16_t Encode(char32_t cp) const { return cp < encode_.size() ? encode_[cp] : kNoCode; }

  // The code of cp to write right after the raw lead byte `raw_lead` (0 for none). The
  // canonical code, unless its first byte would make a two-byte code with that lead byte and
  // so change how the text decodes; then another code of the same character, if it has one
  // that doesn't.
  std::uint16_t EncodeAfter(char32_t cp, unsigned char raw_lead) const {
    const std::uint16_t code = Encode(cp);
    if (raw_lead == 0 || code == kNoCode || !Pairs(raw_lead, code)) return code;
    if (const auto other = other_codes_.find(cp); other != other_codes_.end()) {
      for (const std::uint16_t alternative : other->second) {
        if (!Pairs(raw_lead, alternative)) return alternative;
      }
    }
    return code;
  }

  static constexpr std::uint32_t kNone = 0xFFFFFFFF;
  static constexpr std::uint32_t kNonCanonical = 0x80000000;
  static constexpr std::uint16_t kNoCode = 0xFFFF;  // FF is never a lead byte

 private:
  Cp932Tables();

  std::array<char32_t, 256> single_;
  std::vector<std::uint32_t> double_ = std::vector<std::uint32_t>(kLeadCount * 256, kNone);
  std::vector<std::uint16_t> encode_ = std::vector<std::uint16_t>(0x10000, kNoCode);
  // The non-canonical codes of the duplicate characters.
  std::unordered_map<char32_t, std::vector<std::uint16_t>> other_codes_;

  bool Pairs(unsigned char lead, std::uint16_t code) const {
    const auto first = static_cast<unsigned char>(code > 0xFF ? code >> 8 : code);
    return Double(lead, first) != kNone;
  }
};

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      std::fprintf(stderr,
                   "quillmap: iconv cannot convert %s to %s; glibc's gconv modules are "
                   "missing\n",
                   from, to);
      std::abort();
    }
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // Converts the whole input; returns the number of output bytes, or -1 when iconv refuses it.
  long Convert(const char* in, std::size_t in_size, char* out, std::size_t out_size) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in_ptr = const_cast<char*>(in);
    char* out_ptr = out;
    std::size_t out_left = out_size;
    if (iconv(cd_, &in_ptr, &in_size, &out_ptr, &out_left) == static_cast<std::size_t>(-1) ||
        in_size != 0 ||
        iconv(cd_, nullptr, nullptr, &out_ptr, &out_left) == static_cast<std::size_t>(-1)) {
      return -1;
    }
    return static_cast<long>(out_ptr - out);
  }

 private:
  iconv_t cd_;
};

// One code point from iconv's UTF-32LE output, or kNone unless it produced exactly one.
std::uint32_t DecodeOne(Iconv& decoder, const char* in, std::size_t size) {
  unsigned char out[16];
  if (decoder.Convert(in, size, reinterpret_cast<char*>(out), sizeof out) != 4) {
    return Cp932Tables::kNone;
  }
  return out[0] | out[1] << 8 | out[2] << 16 | static_cast<std::uint32_t>(out[3]) << 24;
}

Cp932Tables::Cp932Tables() {
  Iconv decoder("UTF-32LE", "CP932");
  Iconv encoder("CP932", "UTF-32LE");

  std::vector<int> codes_per_char(0x10000, 0);
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const std::uint32_t cp = DecodeOne(decoder, &byte, 1);
    single_[b] = cp;
    if (cp != kNone && cp < 0x10000) {
      encode_[cp] = static_cast<std::uint16_t>(b);
      ++codes_per_char[cp];
    }
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0; trail < 256; ++trail) {
      const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::uint32_t cp = DecodeOne(decoder, code, 2);
      // Every character of code page 932 lies in the Basic Multilingual Plane; anything else
      // would not fit the encode table and stays undecodable.
      if (cp == kNone || cp >= 0x10000) continue;
      double_[LeadIndex(static_cast<unsigned char>(lead)) * 256 + trail] = cp;
      if (codes_per_char[cp]++ == 0) encode_[cp] = static_cast<std::uint16_t>(lead << 8 | trail);
    }
  }

  // Characters with more than one code: the canonical code is the one iconv encodes them to.
  for (char32_t cp = 0; cp < 0x10000; ++cp) {
    if (codes_per_char[cp] < 2) continue;
    const unsigned char in[4] = {static_cast<unsigned char>(cp),
                                 static_cast<unsigned char>(cp >> 8), 0, 0};
    unsigned char out[8];
    const long size = encoder.Convert(reinterpret_cast<const char*>(in), 4,
                                      reinterpret_cast<char*>(out), sizeof out);
    if (size == 2 && IsLeadByte(out[0]) &&
        (Double(out[0], out[1]) & ~kNonCanonical) == static_cast<std::uint32_t>(cp)) {
      encode_[cp] = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
    } else if (size == 1 && single_[out[0]] == cp) {
      encode_[cp] = out[0];
    }  // else keep the first code found
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0; trail < 256; ++trail) {
      std::uint32_t& entry = double_[LeadIndex(static_cast<unsigned char>(lead)) * 256 + trail];
      if (entry != kNone && encode_[entry] != (lead << 8 | trail)) {
        other_codes_[entry].push_back(static_cast<std::uint16_t>(lead << 8 | trail));
        entry |= kNonCanonical;
      }
    }
  }

  // Bytes that are no character travel as private-use code points. Code page 932 assigns
  // nothing there (its user-defined area decodes to U+E000..U+E757).
  for (int b = 0x80; b < 0x100; ++b) {
    encode_[RawCodePoint(static_cast<unsigned char>(b))] = static_cast<std::uint16_t>(b);
  }
}

// One decoded step of a Shift-JIS text.
struct Step {
  char32_t cp;
  std::size_t length;
  bool canonical;
};

Step DecodeAt(const Cp932Tables& tables, std::string_view sjis, std::size_t pos) {
  const auto b = static_cast<unsigned char>(sjis[pos]);
  if (IsLeadByte(b) && pos + 1 < sjis.size()) {
    const std::uint32_t entry = tables.Double(b, static_cast<unsigned char>(sjis[pos + 1]));
    if (entry != Cp932Tables::kNone) {
      return {entry & ~Cp932Tables::kNonCanonical, 2, (entry & Cp932Tables::kNonCanonical) == 0};
    }
  }
  const char32_t single = tables.Single(b);
  // A lead byte with a bad trail byte (or at the end) stands alone; the scan resumes after it.
  return {single != Cp932Tables::kNone ? single : RawCodePoint(b), 1, true};
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

constexpr char32_t kMalformed = 0xFFFFFFFF;

// Reads one code point of strict UTF-8 at pos (no overlong forms, no surrogates, nothing above
// U+10FFFF); returns kMalformed for anything else, with length 1.
char32_t NextUtf8(std::string_view utf8, std::size_t pos, std::size_t& length) {
  const auto b0 = static_cast<unsigned char>(utf8[pos]);
  length = 1;
  if (b0 < 0x80) return b0;
  int extra;
  char32_t cp;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    return kMalformed;
  }
  if (utf8.size() - pos <= static_cast<std::size_t>(extra)) return kMalformed;
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(utf8[pos + i]);
    if ((b & 0xC0) != 0x80) return kMalformed;
    cp = cp << 6 | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kMalformed;
  length = extra + 1;
  return cp;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  const Cp932Tables& tables = Cp932Tables::Get();
  std::string out;
  out.reserve(sjis.size() + sjis.size() / 2);
  for (std::size_t pos = 0; pos < sjis.size();) {
    const Step step = DecodeAt(tables, sjis, pos);
    AppendUtf8(out, step.cp);
    pos += step.length;
  }
  return out;
}

void SjisToUtf8Stream::Put(std::string_view sjis, std::string& utf8) {
  const Cp932Tables& tables = Cp932Tables::Get();
  if (holding_ && !sjis.empty()) {
    const char pair[2] = {held_, sjis[0]};
    const Step step = DecodeAt(tables, std::string_view(pair, 2), 0);
    AppendUtf8(utf8, step.cp);
    holding_ = false;
    if (step.length == 2) sjis.remove_prefix(1);
  }
  for (std::size_t pos = 0; pos < sjis.size();) {
    if (pos + 1 == sjis.size() && static_cast<unsigned char>(sjis[pos]) >= 0x81) {
      held_ = sjis[pos];  // may be the first byte of a pair that the next piece completes
      holding_ = true;
      break;
    }
    const Step step = DecodeAt(tables, sjis, pos);
    AppendUtf8(utf8, step.cp);
    pos += step.length;
  }
}

void SjisToUtf8Stream::Finish(std::string& utf8) {
  if (!holding_) return;
  AppendUtf8(utf8, DecodeAt(Cp932Tables::Get(), std::string_view(&held_, 1), 0).cp);
  holding_ = false;
}

EncodeResult Utf8ToSjis(std::string_view utf8) {
  const Cp932Tables& tables = Cp932Tables::Get();
  EncodeResult result;
  result.bytes.reserve(utf8.size());
  unsigned char raw_lead = 0;  // the last byte written, when it is a lead byte standing alone
  for (std::size_t pos = 0; pos < utf8.size();) {
    std::size_t length;
    const char32_t cp = NextUtf8(utf8, pos, length);
    const std::uint16_t code =
        cp == kMalformed ? Cp932Tables::kNoCode : tables.EncodeAfter(cp, raw_lead);
    if (code == Cp932Tables::kNoCode) {
      result.ok = false;
      result.bytes.clear();
      result.malformed = cp == kMalformed;
      result.bad_char = result.malformed ? U'\uFFFD' : cp;
      result.bad_offset = pos;
      return result;
    }
    if (code > 0xFF) result.bytes += static_cast<char>(code >> 8);
    result.bytes += static_cast<char>(code & 0xFF);
    const bool raw = cp >= RawCodePoint(0x80) && cp <= RawCodePoint(0xFF);
    raw_lead =
        raw && IsLeadByte(static_cast<unsigned char>(code)) ? static_cast<unsigned char>(code) : 0;
    pos += length;
  }
  return result;
}

std::string Sjis(std::string_view utf8_literal) {
  EncodeResult result = Utf8ToSjis(utf8_literal);
  if (!result.ok) {
    std::fprintf(stderr,
                 "quillmap: the literal \"%.*s\" has U+%04X at byte %zu, which Shift-JIS "
                 "cannot hold\n",
                 static_cast<int>(utf8_literal.size()), utf8_literal.data(),
                 static_cast<unsigned>(result.bad_char), result.bad_offset);
    std::abort();
  }
  return std::move(result.bytes);
}

bool RoundTrips(std::string_view sjis) {
  // Single bytes, raw bytes and canonical codes always encode back to themselves. A duplicate
  // code usually changes, but may stay after a raw lead byte: only then is the long way needed.
  const Cp932Tables& tables = Cp932Tables::Get();
  for (std::size_t pos = 0; pos < sjis.size();) {
    const Step step = DecodeAt(tables, sjis, pos);
    if (!step.canonical) return Utf8ToSjis(SjisToUtf8(sjis)).bytes == sjis;
    pos += step.length;
  }
  return true;
}

std::size_t CharLength(std::string_view sjis, std::size_t pos) {
  if (pos >= sjis.size()) return 0;
  return DecodeAt(Cp932Tables::Get(), sjis, pos).length;
}

char32_t DecodeChar(std::string_view sjis, std::size_t pos, std::size_t& length) {
  length = 0;
  if (pos >= sjis.size()) return 0;
  const Step step = DecodeAt(Cp932Tables::Get(), sjis, pos);
  length = step.length;
  return step.cp;
}

}  // namespace quillmap::text
