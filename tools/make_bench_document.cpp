// Writes benchmark documents of any size, and the malformed ones that load-time limits are
// measured with.
//
//   quillmap-make-bench-document OUT.dcm [--functions N] [--structures N] [--arguments N]
//       the realistic document of the benchmarks (bench/bench_document.h); by default 10,000
//       functions of 8 arguments and 1,000 structures
//   quillmap-make-bench-document OUT.dcm --empty-records N
//       a document whose function section holds N empty trees (16 bytes each)
//   quillmap-make-bench-document OUT.dcm --wide-root BYTES
//       a file of BYTES bytes whose document information declares 4 billion children, followed
//       by zeros
//   quillmap-make-bench-document OUT.dcm --long-name BYTES | --long-explanation BYTES
//       one function "f" whose name (then the name is BYTES bytes of 'n') or explanation (lines of
//       80 bytes) is BYTES long
//   quillmap-make-bench-document OUT.dcm --deep LEVELS
//       one function "deep" whose explanation key has a chain of LEVELS nested nodes below it
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_document.h"
#include "core/model/byte_order.h"
#include "core/model/file.h"
#include "core/model/spec_store.h"

namespace {

int Usage() {
  std::fputs(
      "usage: quillmap-make-bench-document OUT.dcm [--functions N] [--structures N] "
      "[--arguments N]\n"
      "       quillmap-make-bench-document OUT.dcm --empty-records N\n"
      "       quillmap-make-bench-document OUT.dcm --wide-root BYTES\n"
      "       quillmap-make-bench-document OUT.dcm --long-name BYTES | --long-explanation BYTES\n"
      "       quillmap-make-bench-document OUT.dcm --deep LEVELS\n",
      stderr);
  return 2;
}

bool ParseCount(const char* text, long long& out) {
  char* end = nullptr;
  out = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && out >= 0;
}

void PutHeader(unsigned char* at, std::uint32_t children) {
  std::memset(at, 0, 16);
  quillmap::WriteLittleEndian32(at, children);
}

// Header, a one-node document information tree, and a function section of count empty trees.
void WriteEmptyRecords(quillmap::File& file, long long count) {
  unsigned char head[16 + 16 + 40] = {};
  quillmap::WriteLittleEndian32(head, quillmap::kHeaderSize);
  quillmap::WriteLittleEndian32(head + 4, quillmap::kHeaderMagic);
  PutHeader(head + 16, 0);  // document information without children
  std::memcpy(head + 32, "0001FUNC", 8);
  quillmap::WriteLittleEndian32(head + 40, static_cast<std::uint32_t>(count));
  file.Write(head, sizeof head);
  const std::vector<unsigned char> empty_tree(16 * 4096, 0);
  for (long long left = count; left > 0; left -= 4096) {
    file.Write(empty_tree.data(), 16 * static_cast<std::size_t>(left < 4096 ? left : 4096));
  }
}

// Header, a document information root that declares 0xFFFFFFFF children, then zeros.
void WriteWideRoot(quillmap::File& file, long long bytes) {
  unsigned char head[32] = {};
  quillmap::WriteLittleEndian32(head, quillmap::kHeaderSize);
  quillmap::WriteLittleEndian32(head + 4, quillmap::kHeaderMagic);
  PutHeader(head + 16, 0xFFFFFFFFu);
  file.Write(head, sizeof head);
  const std::vector<unsigned char> zeros(1 << 20, 0);
  for (long long left = bytes - 32; left > 0; left -= static_cast<long long>(zeros.size())) {
    file.Write(zeros.data(), left < static_cast<long long>(zeros.size())
                                 ? static_cast<std::size_t>(left)
                                 : zeros.size());
  }
}

// One function whose name or explanation is bytes long.
void WriteLongValue(quillmap::File& file, long long name_bytes, long long explanation_bytes) {
  quillmap::SpecStore store;
  quillmap::FunctionSpec function;
  function.SetRecordName(name_bytes > 0 ? std::string(static_cast<std::size_t>(name_bytes), 'n')
                                        : std::string("f"));
  std::string explanation;
  if (explanation_bytes > 0) explanation.reserve(static_cast<std::size_t>(explanation_bytes));
  while (static_cast<long long>(explanation.size()) < explanation_bytes) {
    explanation +=
        static_cast<long long>(explanation.size()) + 80 < explanation_bytes
            ? std::string(79, 'e') + '\n'
            : std::string(static_cast<std::size_t>(explanation_bytes) - explanation.size(), 'e');
  }
  function.SetExplanation(explanation);
  store.AddFunction("");
  store.PutFunction(0, function);
  store.Save(&file);
}

// Header, empty document information, one function {name: deep, explanation: x{x{x...}}}.
void WriteDeep(quillmap::File& file, long long levels) {
  unsigned char head[16 + 16 + 40] = {};
  quillmap::WriteLittleEndian32(head, quillmap::kHeaderSize);
  quillmap::WriteLittleEndian32(head + 4, quillmap::kHeaderMagic);
  PutHeader(head + 16, 0);
  std::memcpy(head + 32, "0001FUNC", 8);
  quillmap::WriteLittleEndian32(head + 40, 1);
  file.Write(head, sizeof head);
  auto node = [&file](std::uint32_t children, std::string_view name) {
    unsigned char header[16];
    PutHeader(header, children);
    quillmap::WriteLittleEndian32(header + 4, static_cast<std::uint32_t>(name.size()));
    file.Write(header, sizeof header);
    file.Write(name);
  };
  node(2, "");
  node(1, "name");
  node(0, "deep");
  node(levels > 0 ? 1 : 0, "explanation");
  for (long long level = 1; level <= levels; ++level) node(level < levels ? 1 : 0, "x");
  unsigned char structures[40] = {};
  std::memcpy(structures, "0001STRC", 8);
  file.Write(structures, sizeof structures);
}

}  // namespace

int main(int argc, char** argv) {
  // The output is a file name, never an option: "--help" asks for the usage.
  if (argc < 2 || argv[1][0] == '-') return Usage();
  quillmap::bench::BenchDocumentSize size;
  long long empty_records = -1;
  long long wide_root = -1;
  long long long_name = -1;
  long long long_explanation = -1;
  long long deep = -1;
  for (int i = 2; i < argc; i += 2) {
    long long value = 0;
    if (i + 1 >= argc || !ParseCount(argv[i + 1], value)) return Usage();
    const std::string option = argv[i];
    if (option == "--functions") {
      size.functions = static_cast<int>(value);
    } else if (option == "--structures") {
      size.structures = static_cast<int>(value);
    } else if (option == "--arguments") {
      size.arguments = static_cast<int>(value);
    } else if (option == "--empty-records") {
      empty_records = value;
    } else if (option == "--wide-root") {
      wide_root = value;
    } else if (option == "--long-name") {
      long_name = value;
    } else if (option == "--long-explanation") {
      long_explanation = value;
    } else if (option == "--deep") {
      deep = value;
    } else {
      return Usage();
    }
  }
  try {
    quillmap::AtomicFileWriter writer(argv[1]);
    if (empty_records >= 0) {
      WriteEmptyRecords(writer.file(), empty_records);
    } else if (wide_root >= 0) {
      WriteWideRoot(writer.file(), wide_root);
    } else if (long_name >= 0 || long_explanation >= 0) {
      WriteLongValue(writer.file(), long_name, long_explanation);
    } else if (deep >= 0) {
      WriteDeep(writer.file(), deep);
    } else {
      quillmap::SpecStore store;
      quillmap::bench::FillBenchDocument(store, size);
      store.Save(&writer.file());
    }
    writer.Commit();
  } catch (const quillmap::FileError& error) {
    std::fprintf(stderr, "quillmap-make-bench-document: %s\n", error.what());
    return 1;
  }
  return 0;
}
