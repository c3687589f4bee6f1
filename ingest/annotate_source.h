#pragma once
// A C source file as annotate sees it: its bytes, the encoding they are in, the UTF-8 text that
// libclang reads in their place, and the way back from that text's offsets to the file's bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmap::ingest {

enum class SourceEncoding { kUtf8, kSjis };

// What the user asked for: kAuto takes Shift-JIS (code page 932) for a file that isn't valid
// UTF-8, and UTF-8 for one that is (a file of ASCII alone among them).
enum class EncodingChoice { kAuto, kUtf8, kSjis };

class SourceText {
 public:
  // The file's bytes read as choice says. A file that the chosen encoding can't read (invalid
  // UTF-8 under kUtf8) leaves ok() false and error() saying why.
  SourceText(std::string bytes, EncodingChoice choice);

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::string& bytes() const { return bytes_; }
  SourceEncoding encoding() const { return encoding_; }
  // The text as UTF-8: the bytes themselves for a UTF-8 file.
  const std::string& utf8() const { return encoding_ == SourceEncoding::kUtf8 ? bytes_ : utf8_; }

  // The file byte offset of the character at utf8_offset in utf8(); an offset inside a character
  // counts as its start, one at or past the end as the file's size.
  std::uint32_t FileOffset(std::uint32_t utf8_offset) const;

  // "\r\n" when more lines end so than with a lone "\n", otherwise "\n".
  std::string_view LineEnd() const { return crlf_ ? std::string_view("\r\n") : "\n"; }

 private:
  std::string bytes_;
  SourceEncoding encoding_ = SourceEncoding::kUtf8;
  std::string utf8_;
  // For a Shift-JIS file: the file offset of each utf8_ byte's character, and the size at the end.
  std::vector<std::uint32_t> file_offsets_;
  bool crlf_ = false;
  std::string error_;
};

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF); offset, when given, receives the first bad byte's offset.
bool IsValidUtf8(std::string_view bytes, std::size_t* offset = nullptr);

}  // namespace quillmap::ingest
