// Fuzzes the document loader: any bytes must load (or be refused by the header check) without a
// crash, a hang or unbounded memory; what loads must save exactly as the plain reference reader
// of fuzz/reference_loader.h says, and save and load back to the same bytes; and the store's
// lookups must agree with the records copied out.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "fuzz/reference_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  quillmap::File input;
  input.OpenMemory(bytes);
  quillmap::SpecStore store;
  const bool loaded = store.Load(&input);
  std::string expected;
  if (loaded != quillmap::reference::Loader(bytes).LoadAndSave(expected)) std::abort();
  if (!loaded) return 0;

  quillmap::File saved;
  saved.OpenMemoryWrite();
  store.Save(&saved);
  if (saved.MemoryBytes() != expected) std::abort();  // the same document as the reference

  // The single-value lookups give what the copied-out records give.
  const std::uint32_t checked = std::min<std::uint32_t>(store.GetFunctionCount(), 8);
  for (std::uint32_t i = 0; i < checked; ++i) {
    quillmap::FunctionSpec copy;
    if (!store.GetFunction(static_cast<std::int32_t>(i), copy)) std::abort();
    const std::string name = copy.GetRecordName();
    if (store.GetFunctionName(static_cast<std::int32_t>(i)) != name) std::abort();
    if (store.GetFunctionReturnType(static_cast<std::int32_t>(i)) != copy.GetReturnType()) {
      std::abort();
    }
    std::int32_t first = -1;
    for (std::uint32_t j = 0; j <= i && first < 0; ++j) {
      quillmap::FunctionSpec other;
      store.GetFunction(static_cast<std::int32_t>(j), other);
      if (other.FindTopChild(quillmap::key::kName, name)) first = static_cast<std::int32_t>(j);
    }
    const std::int32_t found = store.FindFunction(name);
    if (first >= 0 ? found != first : (found >= 0 && found <= static_cast<std::int32_t>(i))) {
      std::abort();
    }
  }

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
