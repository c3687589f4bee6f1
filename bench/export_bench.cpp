// HTML export of a large document (10,000 functions, 1,000 structures), against the floor of
// writing the same number of bytes with plain buffered stdio. Prints the ratio at the end
// (target: within 5x).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "bench/bench_document.h"
#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/output/html_exporter.h"
#include "core/text/sjis.h"

namespace {

using quillmap::File;
using quillmap::HtmlExporter;

struct Fixture {
  std::unique_ptr<quillmap::SpecStore> store = quillmap::bench::MakeBenchDocument();
  std::string page;
  std::string path = "/tmp/quillmap-export-bench-" + std::to_string(::getpid()) + ".htm";

  Fixture() {
    HtmlExporter exporter;
    exporter.Attach(store.get());
    File file;
    file.OpenMemoryWrite();
    exporter.Write(&file);
    page = file.MemoryBytes();
  }
  ~Fixture() { std::remove(path.c_str()); }
};

Fixture& Data() {
  static Fixture fixture;
  return fixture;
}

void CountPageBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Data().page.size()));
}

// What the export command does: copy the records out, write the page to a file, close it.
void BM_ExportToFile(benchmark::State& state) {
  for (auto _ : state) {
    HtmlExporter exporter;
    exporter.Attach(Data().store.get());
    File file;
    file.Open(Data().path, File::Mode::kCreateWrite);
    exporter.Write(&file);
    file.Close();
  }
  CountPageBytes(state);
}

void BM_AttachOnly(benchmark::State& state) {
  for (auto _ : state) {
    HtmlExporter exporter;
    exporter.Attach(Data().store.get());
    benchmark::DoNotOptimize(exporter.GetFunctionCount());
  }
}

void BM_WriteToMemory(benchmark::State& state) {
  HtmlExporter exporter;
  exporter.Attach(Data().store.get());
  for (auto _ : state) {
    File file;
    file.OpenMemoryWrite();
    exporter.Write(&file);
    benchmark::DoNotOptimize(file.MemoryBytes().data());
  }
  CountPageBytes(state);
}

// The floor: the page's bytes through stdio in 4 KiB pieces.
void BM_FloorWrite(benchmark::State& state) {
  const std::string& bytes = Data().page;
  for (auto _ : state) {
    std::FILE* out = std::fopen(Data().path.c_str(), "wb");
    for (std::size_t done = 0; done < bytes.size(); done += 4096) {
      std::fwrite(bytes.data() + done, 1, std::min<std::size_t>(4096, bytes.size() - done), out);
    }
    std::fclose(out);
  }
  CountPageBytes(state);
}

BENCHMARK(BM_FloorWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AttachOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteToMemory)->Unit(benchmark::kMillisecond);

// The console table as usual; keeps each benchmark's real time for the ratio.
class TimesReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal (a reporter of our own does not see --benchmark_color).
  TimesReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      real_ms_[run.benchmark_name()] = run.GetAdjustedRealTime();
      cpu_ms_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
  }
  double RealMs(const std::string& name) const { return Find(real_ms_, name); }
  double CpuMs(const std::string& name) const { return Find(cpu_ms_, name); }

 private:
  static double Find(const std::map<std::string, double>& times, const std::string& name) {
    const auto found = times.find(name);
    return found == times.end() ? 0.0 : found->second;
  }
  std::map<std::string, double> real_ms_;
  std::map<std::string, double> cpu_ms_;
};

// ---- inputs of scripts/doxygen-bench.sh -------------------------------------------------------

// Appends pieces to a text. (Chains of std::string + trip a false -Wrestrict of GCC 12.)
template <typename... Pieces>
void Add(std::string& out, const Pieces&... pieces) {
  (out.append(std::string_view(pieces)), ...);
}

// A text of the document as comment lines: UTF-8, the first line after first_prefix, the others
// after " * " (an empty one as " *").
void AddCommentLines(std::string& out, const std::string& sjis, std::string_view first_prefix) {
  const std::string utf8 = quillmap::text::SjisToUtf8(sjis);
  std::string_view prefix = first_prefix;
  std::size_t start = 0;
  while (start <= utf8.size()) {
    std::size_t end = utf8.find('\n', start);
    if (end == std::string::npos) end = utf8.size();
    std::string_view line = std::string_view(utf8).substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() && prefix == " * ") {
      Add(out, " *\n");
    } else {
      Add(out, prefix, line, "\n");
    }
    prefix = " * ";
    start = end + 1;
  }
}

void AddLinks(std::string& out, const quillmap::SpecRecord& record) {
  if (record.GetLinkCount() == 0) return;
  Add(out, " * @see");
  for (std::uint32_t i = 0; i < record.GetLinkCount(); ++i) Add(out, " ", record.GetLink(i));
  Add(out, "\n");
}

// "/**", the heading as @brief, the explanation.
void AddCommentHead(std::string& out, const quillmap::SpecRecord& record) {
  Add(out, "/**\n");
  AddCommentLines(out, record.GetIndex(), " * @brief ");
  Add(out, " *\n");
  AddCommentLines(out, record.GetExplanation(), " * ");
}

// The functions and structures of the document as a C header with Doxygen comment blocks.
std::string DoxygenHeader(const quillmap::SpecStore& store) {
  std::string out = "/** @file bench.h\n";
  AddCommentLines(out, store.GetDocInfo(quillmap::kDocInfoTitle), " * @brief ");
  Add(out, " */\n\n#include <stddef.h>\n\ntypedef int BOOL;\nstruct node;\n\n");
  std::string type, name, description;
  for (std::uint32_t i = 0; i < store.GetStructCount(); ++i) {
    quillmap::StructSpec structure;
    store.GetStruct(static_cast<std::int32_t>(i), structure);
    AddCommentHead(out, structure);
    AddLinks(out, structure);
    Add(out, " */\ntypedef struct {\n");
    for (std::uint32_t m = 0; m < structure.GetMemberCount(); ++m) {
      structure.GetMember(m, type, name, description);
      Add(out, "  ", type, " ", name, "; /**< ", quillmap::text::SjisToUtf8(description), " */\n");
    }
    Add(out, "} ", structure.GetRecordName(), ";\n\n");
  }
  for (std::uint32_t i = 0; i < store.GetFunctionCount(); ++i) {
    quillmap::FunctionSpec function;
    store.GetFunction(static_cast<std::int32_t>(i), function);
    AddCommentHead(out, function);
    Add(out, " *\n");
    std::string parameters;
    for (std::uint32_t a = 0; a < function.GetArgumentCount(); ++a) {
      function.GetArgument(a, type, name, description);
      std::string prefix = " * @param ";
      Add(prefix, name, " ");
      AddCommentLines(out, description, prefix);
      Add(parameters, a == 0 ? "" : ", ", type, " ", name);
    }
    AddCommentLines(out, function.GetReturnText(), " * @return ");
    if (!function.GetNote().empty()) AddCommentLines(out, function.GetNote(), " * @note ");
    AddLinks(out, function);
    Add(out, " */\n", function.GetReturnType(), " ", function.GetRecordName(), "(",
        parameters.empty() ? std::string("void") : parameters, ");\n\n");
  }
  return out;
}

// Writes dir/bench.dcm (the document) and dir/bench.h (the header). 0 on success.
int WriteDoxygenInputs(const std::string& dir) {
  try {
    quillmap::SaveStoreToPath(*Data().store, dir + "/bench.dcm");
    File header;
    header.Open(dir + "/bench.h", File::Mode::kCreateWrite);
    header.Write(DoxygenHeader(*Data().store));
    header.Close();
  } catch (const quillmap::FileError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // --write-inputs=DIR: write the document and its C header for scripts/doxygen-bench.sh.
  constexpr std::string_view kWriteInputs = "--write-inputs=";
  if (argc == 2 && std::string_view(argv[1]).starts_with(kWriteInputs)) {
    return WriteDoxygenInputs(std::string(std::string_view(argv[1]).substr(kWriteInputs.size())));
  }
  benchmark::Initialize(&argc, argv);
  std::printf("document: %u functions, %u structures; page: %zu bytes\n",
              Data().store->GetFunctionCount(), Data().store->GetStructCount(), Data().page.size());
  TimesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto print_ratio = [](const char* what, double export_ms, double floor_ms) {
    if (export_ms <= 0 || floor_ms <= 0) return;
    const double ratio = export_ms / floor_ms;
    std::printf("export to file, %s %8.2f ms   floor %8.2f ms   ratio %5.2fx %s\n", what, export_ms,
                floor_ms, ratio, ratio <= 5 ? "(within 5x)" : "(OVER 5x)");
  };
  print_ratio("real time", reporter.RealMs("BM_ExportToFile"), reporter.RealMs("BM_FloorWrite"));
  print_ratio("CPU time ", reporter.CpuMs("BM_ExportToFile"), reporter.CpuMs("BM_FloorWrite"));
  benchmark::Shutdown();
  return 0;
}
