// Fuzzes the document loader: any bytes must load (or be refused by the header check) without a
// crash, a hang or unbounded memory, and what loads must save and load back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/model/file.h"
#include "core/model/spec_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillmap::File input;
  input.OpenMemory(std::string_view(reinterpret_cast<const char*>(data), size));
  quillmap::SpecStore store;
  if (!store.Load(&input)) return 0;

  quillmap::File saved;
  saved.OpenMemoryWrite();
  store.Save(&saved);

  quillmap::File again_input;
  again_input.OpenMemory(saved.MemoryBytes());
  quillmap::SpecStore again;
  if (!again.Load(&again_input)) std::abort();  // our own output must pass the header check
  quillmap::File again_saved;
  again_saved.OpenMemoryWrite();
  again.Save(&again_saved);
  if (again_saved.MemoryBytes() != saved.MemoryBytes()) std::abort();  // saving is a fixed point
  return 0;
}
