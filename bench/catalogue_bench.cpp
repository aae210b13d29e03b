// Loading the generated full-size catalogue (999 CDs, 21,800 tracks). Goal for
// BM_LoadCatalogue (a reload, the tables read): 12 ms, and at least twice as fast
// as 86425e1 (tools/speed_vs.sh compares two builds side by side). Measured on 2026-12-11: 10.8 to
// 13.0 ms against 28.5 to 33.0 ms for 86425e1 in the same runs (2.5 to 2.6 times).
// Run: build/bench/catalogue_bench  (medians over 10 repetitions)
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TrackCodes.h"

namespace {

using namespace trakvella;
namespace fs = std::filesystem;

using bench::NoDialogs;

// Generated catalogues and program folders, made once per run and removed at exit.
struct Fixtures {
  fs::path root = fs::temp_directory_path() / ("trakvella-bench-" + std::to_string(::getpid()));
  fs::path ordered = root / "ordered", shuffled = root / "shuffled", emptyHome = root / "home",
           audioHome = root / "audio-home";
  Fixtures() {
    fs::create_directories(emptyHome);
    Generate("--out '" + ordered.string() + "'");
    Generate("--out '" + shuffled.string() + "' --shuffle");
    Generate("--out '" + (root / "unused").string() + "' --audio-home '" + audioHome.string() + "' --audio-all");
  }
  ~Fixtures() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  static void Generate(const std::string& args) { bench::Generate(args); }
};

Fixtures& Fx() {
  static Fixtures f;
  return f;
}

LoadOptions Options(const fs::path& home) {
  LoadOptions o;
  o.programFolder = home;
  o.today = {2026, 12};
  return o;
}

void LoadBench(benchmark::State& state, const fs::path& folder, const fs::path& home) {
  FolderResourceStore store(folder);
  NoDialogs dialogs;
  SilentProgress progress;
  Catalogue catalogue;
  catalogue.ReadCatalogueTables(store, dialogs);
  for (auto _ : state) {
    catalogue.LoadCatalogue(store, Options(home), dialogs, progress);
    benchmark::DoNotOptimize(catalogue.TrackCount());
  }
  state.counters["tracks"] = catalogue.TrackCount();
}

void BM_LoadCatalogue(benchmark::State& state) { LoadBench(state, Fx().ordered, Fx().emptyHome); }
void BM_LoadCatalogueShuffled(benchmark::State& state) { LoadBench(state, Fx().shuffled, Fx().emptyHome); }
// The whole load with a local file for every track in the program folder.
void BM_LoadCatalogueAllLocal(benchmark::State& state) { LoadBench(state, Fx().ordered, Fx().audioHome); }

// The local file scan alone over a program folder holding ~21,800 audio files.
void BM_LocalFileScan(benchmark::State& state) {
  SilentProgress progress;
  size_t found = 0;
  for (auto _ : state) {
    std::vector<std::string> files;
    ListFiles(Fx().audioHome, "", "KMLB_", 2, progress, Language::English, files);
    found = files.size();
  }
  state.counters["files"] = static_cast<double>(found);
}

// Heap held by a loaded catalogue, its tables included.
void BM_CatalogueMemory(benchmark::State& state) {
  FolderResourceStore store(Fx().ordered);
  NoDialogs dialogs;
  SilentProgress progress;
  double megabytes = 0;
  for (auto _ : state) {
    malloc_trim(0);
    size_t before = mallinfo2().uordblks;
    auto catalogue = std::make_unique<Catalogue>();
    catalogue->ReadCatalogueTables(store, dialogs);
    catalogue->LoadCatalogue(store, Options(Fx().emptyHome), dialogs, progress);
    megabytes = static_cast<double>(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
  }
  state.counters["MB"] = megabytes;
}

BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadCatalogueShuffled)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadCatalogueAllLocal)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_LocalFileScan)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_CatalogueMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
