// Shift-JIS conversion on arbitrary bytes: decoding then encoding gives the bytes back exactly
// when RoundTrips() says so, and otherwise a text that does round-trip and decodes the same.
// The same bytes taken as UTF-8 must encode or be refused with an offset inside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text/sjis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillmap::text;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const std::string utf8 = SjisToUtf8(bytes);
  const EncodeResult back = Utf8ToSjis(utf8);
  if (!back.ok) std::abort();
  if ((back.bytes == bytes) != RoundTrips(bytes)) std::abort();
  if (!RoundTrips(back.bytes) || SjisToUtf8(back.bytes) != utf8) std::abort();
  for (std::size_t pos = 0; pos < size;) {
    const std::size_t length = CharLength(bytes, pos);
    if (length < 1 || length > 2 || pos + length > size) std::abort();
    pos += length;
  }

  // No character of code page 932 takes more bytes than its UTF-8 form.
  const EncodeResult encoded = Utf8ToSjis(bytes);
  if (encoded.ok ? encoded.bytes.size() > size
                 : encoded.bad_offset >= size || !encoded.bytes.empty()) {
    std::abort();
  }
  return 0;
}
