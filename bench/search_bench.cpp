// The music search on the generated full-size catalogue (999 CDs, 21,800
// tracks): matching every tag line with the panel's defaults, with a style set
// and in effect mode (goal: 5 ms each), and a whole search listed in the browser;
// "more like this": the 50 tracks most like one (goal: 10 ms), with the index
// already read and with the first query reading it.
// Run: build/bench/search_bench  (medians over 10 repetitions)
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/browse/Browser.h"
#include "core/browse/Collections.h"
#include "core/catalogue/Catalogue.h"
#include "core/likeness/Likeness.h"
#include "core/search/Search.h"
#include "ports/Progress.h"
#include "ports/Random.h"

namespace {

using namespace trakvella;
namespace fs = std::filesystem;

// The generated catalogue, loaded once per run.
struct Library : bench::Library {
  Library() : bench::Library("search-bench") {}
};

Library& Lib() {
  static Library library;
  return library;
}

void Matching(benchmark::State& state, const SearchCriteria& criteria) {
  Library& lib = Lib();
  size_t found = 0;
  for (auto _ : state) {
    SearchCriteria c = criteria;
    found = SearchTracks(lib.catalogue, c, lib.progress, Language::English).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["tracks"] = lib.catalogue.TrackCount();
  state.counters["found"] = static_cast<double>(found);
}

// Every box on: every track that is not "SFX/ID".
void BM_SearchMatching_AllOn(benchmark::State& state) { Matching(state, {}); }

// Exact style set, a mood and tempo restriction, a key and a BPM range.
void BM_SearchMatching_Styles(benchmark::State& state) {
  SearchCriteria c;
  c.styles = {"DANCE", "ROCK"};
  c.exactStyles = true;
  c.moods = {false, false, true, true, true};
  c.tempos = {false, true, true};
  c.key = 10;
  c.tempoIn = "80";
  c.tempoOut = "180";
  Matching(state, c);
}

// Normal style set over the whole library.
void BM_SearchMatching_AnyOfStyles(benchmark::State& state) {
  SearchCriteria c;
  c.styles = {"ROCK", "JAZZ", "CINEMATIC"};
  Matching(state, c);
}

void BM_SearchMatching_Effects(benchmark::State& state) {
  SearchCriteria c;
  c.effectMode = true;
  Matching(state, c);
}

// The search button's whole run: matching, listing in the default sort, the CDs in the box.
void BM_RunSearch(benchmark::State& state) {
  Library& lib = Lib();
  StdRandom random(1);
  const Language english = Language::English;
  Browser browser(lib.catalogue, lib.dialogs, lib.progress, random, english);
  for (auto _ : state) {
    SearchCriteria c;
    RunSearch(browser, lib.catalogue, c, lib.progress, Language::English);
    benchmark::DoNotOptimize(browser.rowCount());
  }
  state.counters["rows"] = browser.rowCount();
  state.counters["cds"] = static_cast<double>(browser.boxRows().size());
}

// The scanning collections over the full catalogue (no window): each lists its
// matches into a Browser in result mode.
void Collection(benchmark::State& state, const std::function<void(Browser&, Library&)>& run) {
  Library& lib = Lib();
  StdRandom random(1);
  const Language english = Language::English;
  Browser browser(lib.catalogue, lib.dialogs, lib.progress, random, english);
  browser.Home();
  // The selected track: the first with a tempo and a key.
  TrackRef selected{0, 0};
  for (int cd = 0; cd < lib.catalogue.CdCount() && selected == TrackRef{0, 0}; ++cd)
    for (int t = 0; t < static_cast<int>(lib.catalogue.Cd(cd).tracks.size()); ++t) {
      const std::string& line = lib.catalogue.Cd(cd).tracks[t].tagLine;
      if (line.find('[') != std::string::npos && line.find('<') != std::string::npos) {
        selected = {cd, t};
        break;
      }
    }
  for (auto _ : state) {
    state.PauseTiming();
    browser.SetScannedRows({selected});
    browser.SelectRow(0);
    state.ResumeTiming();
    run(browser, lib);
  }
  state.counters["rows"] = browser.rowCount();
}
void BM_CloseTempo(benchmark::State& state) {
  Collection(state, [](Browser& b, Library& l) {
    ListRelatedTracks(b, l.catalogue, Relation::Tempo, l.progress, Language::English);
  });
}
void BM_SameKey(benchmark::State& state) {
  Collection(state, [](Browser& b, Library& l) {
    ListRelatedTracks(b, l.catalogue, Relation::Key, l.progress, Language::English);
  });
}
void BM_SameKeyAndTempo(benchmark::State& state) {
  Collection(state, [](Browser& b, Library& l) {
    ListRelatedTracks(b, l.catalogue, Relation::TempoAndKey, l.progress, Language::English);
  });
}
void BM_TitleSearch(benchmark::State& state) {
  Collection(state, [](Browser& b, Library& l) {
    b.SetScannedRows({});
    SearchTitles(b, l.catalogue, "sun", l.progress, Language::English);
  });
}
void BM_LocalTracks(benchmark::State& state) {
  Collection(state, [](Browser& b, Library& l) { ShowLocalTracks(b, l.catalogue, l.progress, Language::English); });
}
void BM_LuckyPick(benchmark::State& state) {
  StdRandom random(7);
  Collection(state,
             [&random](Browser& b, Library& l) { LuckyPick(b, l.catalogue, random, l.progress, Language::English); });
}

// The 50 tracks most like one, for a track in every 97th place of the catalogue in turn.
void MostAlike(benchmark::State& state, bool firstQuery) {
  Library& lib = Lib();
  std::vector<std::pair<int, int>> asked;
  for (int cd = 0; cd < lib.catalogue.CdCount(); cd += 97) asked.emplace_back(cd, 0);
  LikenessIndex index;
  benchmark::DoNotOptimize(index.MostAlike(lib.catalogue, 0, 0));
  size_t next = 0, found = 0;
  for (auto _ : state) {
    if (firstQuery) index.Forget();
    const auto [cd, track] = asked[next++ % asked.size()];
    found = index.MostAlike(lib.catalogue, cd, track).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["tracks"] = lib.catalogue.TrackCount();
  state.counters["found"] = static_cast<double>(found);
}
void BM_MostAlike(benchmark::State& state) { MostAlike(state, false); }
void BM_MostAlike_FirstQuery(benchmark::State& state) { MostAlike(state, true); }

BENCHMARK(BM_MostAlike)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_MostAlike_FirstQuery)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_CloseTempo)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_SameKey)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_SameKeyAndTempo)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_TitleSearch)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_LocalTracks)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_LuckyPick)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_SearchMatching_AllOn)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_SearchMatching_Styles)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_SearchMatching_AnyOfStyles)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_SearchMatching_Effects)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_RunSearch)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
