// Load and save of a large document, against the floor of reading and writing the same number
// of bytes with plain buffered stdio. Prints the ratios at the end (target: 10x or better).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/bench_document.h"
#include "core/model/file.h"
#include "core/model/spec_store.h"

namespace {

using quillmap::File;
using quillmap::SpecStore;

struct Fixture {
  std::unique_ptr<SpecStore> store = quillmap::bench::MakeBenchDocument();
  std::string bytes;
  std::string path = "/tmp/quillmap-model-bench-" + std::to_string(::getpid()) + ".dcm";
  std::string floor_path = path + ".floor";

  Fixture() {
    File file;
    file.OpenMemoryWrite();
    store->Save(&file);
    bytes = file.MemoryBytes();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
  ~Fixture() {
    std::remove(path.c_str());
    std::remove(floor_path.c_str());
  }
};

Fixture& Data() {
  static Fixture fixture;
  return fixture;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Data().bytes.size()));
}

// Closing a document is not part of loading it: BM_Destroy measures it on its own.
void DestroyUntimed(benchmark::State& state, std::unique_ptr<SpecStore>& store) {
  state.PauseTiming();
  store.reset();
  state.ResumeTiming();
}

void BM_Destroy(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    File file;
    file.OpenMemory(Data().bytes);
    auto store = std::make_unique<SpecStore>();
    store->Load(&file);
    state.ResumeTiming();
    store.reset();
  }
}

void BM_LoadFile(benchmark::State& state) {
  for (auto _ : state) {
    auto store = std::make_unique<SpecStore>();
    if (!quillmap::LoadStoreFromPath(*store, Data().path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(store->GetFunctionCount());
    DestroyUntimed(state, store);
  }
  SetBytes(state);
}

void BM_LoadMemory(benchmark::State& state) {
  for (auto _ : state) {
    File file;
    file.OpenMemory(Data().bytes);
    auto store = std::make_unique<SpecStore>();
    store->Load(&file);
    benchmark::DoNotOptimize(store->GetFunctionCount());
    DestroyUntimed(state, store);
  }
  SetBytes(state);
}

void BM_SaveFile(benchmark::State& state) {
  for (auto _ : state) {
    File file;
    file.Open(Data().floor_path, File::Mode::kCreateWrite);
    Data().store->Save(&file);
    file.Close();
  }
  SetBytes(state);
}

void BM_SaveFileAtomic(benchmark::State& state) {  // with fsync and rename
  for (auto _ : state) quillmap::SaveStoreToPath(*Data().store, Data().floor_path);
  SetBytes(state);
}

void BM_SaveMemory(benchmark::State& state) {
  for (auto _ : state) {
    File file;
    file.OpenMemoryWrite();
    Data().store->Save(&file);
    benchmark::DoNotOptimize(file.MemoryBytes().data());
  }
  SetBytes(state);
}

// The floor: the same bytes through stdio in 4 KiB pieces, into and out of one buffer.
void BM_FloorRead(benchmark::State& state) {
  std::string buffer(Data().bytes.size(), '\0');
  for (auto _ : state) {
    std::FILE* in = std::fopen(Data().path.c_str(), "rb");
    std::size_t done = 0, got;
    while ((got = std::fread(buffer.data() + done, 1,
                             std::min<std::size_t>(4096, buffer.size() - done), in)) > 0) {
      done += got;
    }
    std::fclose(in);
    benchmark::DoNotOptimize(buffer.data());
  }
  SetBytes(state);
}

void BM_FloorWrite(benchmark::State& state) {
  const std::string& bytes = Data().bytes;
  for (auto _ : state) {
    std::FILE* out = std::fopen(Data().floor_path.c_str(), "wb");
    for (std::size_t done = 0; done < bytes.size(); done += 4096) {
      std::fwrite(bytes.data() + done, 1, std::min<std::size_t>(4096, bytes.size() - done), out);
    }
    std::fclose(out);
  }
  SetBytes(state);
}

void BM_FindFunctionLast(benchmark::State& state) {
  std::string name = quillmap::bench::BenchFunctionName(9999);
  for (auto _ : state) benchmark::DoNotOptimize(Data().store->FindFunction(name));
}

void BM_GetPutFunction(benchmark::State& state) {
  quillmap::FunctionSpec function;
  for (auto _ : state) {
    Data().store->GetFunction(5000, function);
    Data().store->PutFunction(5000, function);
  }
}

BENCHMARK(BM_FloorRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Destroy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFileAtomic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindFunctionLast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetPutFunction)->Unit(benchmark::kMicrosecond);

// Console output as usual, plus the real time of each benchmark for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  double Time(const std::string& name) const {
    auto it = times_.find(name);
    return it == times_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> times_;
};

void PrintRatio(const RatioReporter& reporter, const char* what, const char* name,
                const char* floor) {
  double time = reporter.Time(name), floor_time = reporter.Time(floor);
  if (time <= 0 || floor_time <= 0) return;
  std::printf("%-28s %8.2f ms   floor %8.2f ms   ratio %5.2fx %s\n", what, time, floor_time,
              time / floor_time, time / floor_time <= 10 ? "(within 10x)" : "(OVER 10x)");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Data();
  std::printf("document: %u functions, %u structures, %zu bytes\n",
              Data().store->GetFunctionCount(), Data().store->GetStructCount(),
              Data().bytes.size());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatio(reporter, "load from file", "BM_LoadFile", "BM_FloorRead");
  PrintRatio(reporter, "load from memory", "BM_LoadMemory", "BM_FloorRead");
  PrintRatio(reporter, "save to file", "BM_SaveFile", "BM_FloorWrite");
  PrintRatio(reporter, "save to memory", "BM_SaveMemory", "BM_FloorWrite");
  PrintRatio(reporter, "save atomically (fsync)", "BM_SaveFileAtomic", "BM_FloorWrite");
  benchmark::Shutdown();
  return 0;
}
