#include "ingest/annotate_source.h"

#include <algorithm>

#include "core/text/sjis.h"

namespace quillmap::ingest {

bool IsValidUtf8(std::string_view bytes, std::size_t* offset) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  auto fail = [&] {
    if (offset != nullptr) *offset = i;
    return false;
  };
  while (i < size) {
    const unsigned char lead = data[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the byte after the lead
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // overlong
      if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;   // overlong
      if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
    } else {
      return fail();
    }
    if (size - i < length || data[i + 1] < low || data[i + 1] > high) return fail();
    for (std::size_t k = 2; k < length; ++k) {
      if (data[i + k] < 0x80 || data[i + k] > 0xBF) return fail();
    }
    i += length;
  }
  return true;
}

SourceText::SourceText(std::string bytes, EncodingChoice choice) : bytes_(std::move(bytes)) {
  std::size_t lone_lf = 0;
  std::size_t crlf = 0;
  for (std::size_t at = bytes_.find('\n'); at != std::string::npos;
       at = bytes_.find('\n', at + 1)) {
    ++(at > 0 && bytes_[at - 1] == '\r' ? crlf : lone_lf);
  }
  crlf_ = crlf > lone_lf;

  std::size_t bad = 0;
  const bool utf8 = IsValidUtf8(bytes_, &bad);
  if (choice == EncodingChoice::kUtf8 && !utf8) {
    error_ = "not valid UTF-8 (at byte " + std::to_string(bad) +
             "); --encoding sjis or auto reads it as Shift-JIS";
    return;
  }
  if (choice == EncodingChoice::kUtf8 || (choice == EncodingChoice::kAuto && utf8)) return;

  encoding_ = SourceEncoding::kSjis;
  utf8_.reserve(bytes_.size() + bytes_.size() / 2);
  file_offsets_.reserve(bytes_.size() + bytes_.size() / 2 + 1);
  const std::string_view text = bytes_;
  std::size_t ascii_from = 0;
  auto flush_ascii = [&](std::size_t end) {
    utf8_.append(text.substr(ascii_from, end - ascii_from));
    for (std::size_t k = ascii_from; k < end; ++k) file_offsets_.push_back(k);
  };
  // ASCII bytes stand for themselves; each other character is decoded on its own, so that
  // every byte of its UTF-8 form maps to the character's first file byte.
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    flush_ascii(i);
    const std::size_t length = text::CharLength(text, i);
    const std::string decoded = text::SjisToUtf8(text.substr(i, length));
    utf8_ += decoded;
    file_offsets_.insert(file_offsets_.end(), decoded.size(), static_cast<std::uint32_t>(i));
    i += length;
    ascii_from = i;
  }
  flush_ascii(text.size());
  file_offsets_.push_back(static_cast<std::uint32_t>(text.size()));
}

std::uint32_t SourceText::FileOffset(std::uint32_t utf8_offset) const {
  if (encoding_ == SourceEncoding::kUtf8) {
    return std::min<std::uint32_t>(utf8_offset, static_cast<std::uint32_t>(bytes_.size()));
  }
  return file_offsets_[std::min<std::size_t>(utf8_offset, file_offsets_.size() - 1)];
}

}  // namespace quillmap::ingest
