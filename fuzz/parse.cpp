// Feeds arbitrary bytes to the prototype parser: it must accept everything, stay within its 16
// slots and produce pieces no longer than the input allows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/parse/prototype_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  quillmap::PrototypeParser parser;
  if (!parser.Parse(text)) std::abort();

  // Joining adds at most one blank per word, and a default name is "argv" plus two digits.
  const std::size_t limit = 2 * size + 8;
  std::string name, return_type;
  parser.GetName(name);
  parser.GetReturnType(return_type);
  if (name.size() + return_type.size() > limit) std::abort();

  const int count = parser.GetArgCount();
  if (count < 0 || count > quillmap::PrototypeParser::kMaxArgs) std::abort();
  for (int i = 0; i < count; ++i) {
    std::string type, arg_name;
    if (!parser.GetArg(i, type, arg_name)) std::abort();
    if (type.size() + arg_name.size() > limit) std::abort();
  }
  std::string type, arg_name;
  if (parser.GetArg(-1, type, arg_name) || parser.GetArg(count + 16, type, arg_name)) std::abort();
  return 0;
}
