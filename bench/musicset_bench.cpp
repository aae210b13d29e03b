// The music set on the generated full-size catalogue (999 CDs, 21,800 tracks):
// loading a list of 50,001 lines (goal 100 ms), the total time of 50,001
// entries (5 ms), duplicates removal on 50,001 entries (20 ms) and adding every
// track of "… ALL CDS" (300 ms).
// Run: build/bench/musicset_bench  (medians over 10 repetitions)
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/musicset/MusicSet.h"
#include "core/musicset/SetListFile.h"

namespace {

using namespace trakvella;

struct Library : bench::Library {
  Library() : bench::Library("musicset-bench") {
    for (int cd = 0; cd < catalogue.CdCount(); ++cd)
      for (size_t t = 0; t < catalogue.Cd(cd).tracks.size(); ++t) rows.push_back({cd, static_cast<int>(t)});
    // A full list as the program writes it: every track in turn (so codes
    // repeat), contexts with commas, project folders and names.
    for (size_t i = 0; i < kMusicSetCapacity; ++i) {
      const auto [cd, t] = rows[i % rows.size()];
      lines.push_back(catalogue.Track(cd, t).code + "=DANCE MUSIC >> LINKS, LOGOS & STINGS : " +
                      catalogue.Cd(cd).cdText + ",Project " + std::to_string(i % 40) + ",Spot");
    }
  }
  std::vector<TrackRef> rows;
  std::vector<std::string> lines;
};

Library& Lib() {
  static Library library;
  return library;
}

MusicSet NewSet(Library& lib) {
  static const Language english = Language::English;
  return MusicSet(lib.catalogue, lib.dialogs, english);
}

void BM_LoadSet(benchmark::State& state) {
  Library& lib = Lib();
  MusicSet set = NewSet(lib);
  for (auto _ : state) {
    state.PauseTiming();
    set.Clear();
    state.ResumeTiming();
    set.LoadSet(lib.lines);
  }
  state.counters["entries"] = static_cast<double>(set.size());
}

void BM_TotalTimeText(benchmark::State& state) {
  Library& lib = Lib();
  MusicSet set = NewSet(lib);
  set.LoadSet(lib.lines);
  std::string label;
  for (auto _ : state) {
    label = set.TotalTimeText();
    benchmark::DoNotOptimize(label);
  }
  state.counters["entries"] = static_cast<double>(set.size());
}

void BM_RemoveDuplicates(benchmark::State& state) {
  Library& lib = Lib();
  MusicSet set = NewSet(lib);
  size_t removed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    set.Clear();
    set.LoadSet(lib.lines);
    state.ResumeTiming();
    removed = set.RemoveDuplicates();
  }
  state.counters["removed"] = static_cast<double>(removed);
}

void BM_AddAllTracks(benchmark::State& state) {
  Library& lib = Lib();
  MusicSet set = NewSet(lib);
  size_t added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    set.Clear();
    state.ResumeTiming();
    added = set.AddAll(lib.rows, std::string(kAllCdsPath), lib.progress);
  }
  state.counters["added"] = static_cast<double>(added);
}

BENCHMARK(BM_LoadSet)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_TotalTimeText)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_AddAllTracks)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
