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

#include "bench/bench_document.h"
#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/output/html_exporter.h"

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

}  // namespace

int main(int argc, char** argv) {
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
