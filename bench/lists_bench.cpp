// The track list on the generated full-size catalogue (999 CDs, 21,800 tracks):
// listing every track in each sort order, and a whole listing shown in the
// track list (model reset and one paint); one keystroke of the filter as you type. The sort keys (length, tempo) are
// worked out by the load, so a listing only looks them up: goal at least twice
// as fast as 86425e1 by popularity, length and tempo (tools/speed_vs.sh).
// Run: build/bench/lists_bench  (medians over 10 repetitions)
#include <QApplication>
#include <QListView>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/MessageTable.h"
#include "ports/Progress.h"
#include "ports/Random.h"
#include "ui/browse/FileBoxDelegate.h"
#include "ui/browse/TrackListModel.h"

namespace {

using namespace trakvella;
namespace fs = std::filesystem;

// The generated catalogue, loaded once per run, and every track code in catalogue order.
struct Library : bench::Library {
  std::vector<std::string> codes;
  Library() : bench::Library("lists-bench") {
    for (int p = 0; p < catalogue.CdCount(); ++p)
      for (const TrackRecord& t : catalogue.Cd(p).tracks) codes.push_back(t.code);
  }
};

Library& Lib() {
  static Library library;
  return library;
}

// Every track listed in one sort kind: no progress message, no result mode, no caption.
void BM_ListTracks(benchmark::State& state, SortKind kind) {
  Library& lib = Lib();
  StdRandom random(1);
  const Language english = Language::English;
  Browser browser(lib.catalogue, lib.dialogs, lib.progress, random, english);
  browser.SetSortKind(kind);
  for (auto _ : state) {
    browser.ListTracks(lib.codes, std::nullopt, false, "");
    benchmark::DoNotOptimize(browser.rowCount());
  }
  state.counters["rows"] = browser.rowCount();
}

// Counts the rows drawn, to show that a listing paints only what is visible.
class CountingDelegate : public FileBoxDelegate {
 public:
  using FileBoxDelegate::FileBoxDelegate;
  mutable long painted = 0;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    ++painted;
    FileBoxDelegate::paint(painter, option, index);
  }
};

// A whole listing shown: the rows listed, the model reset, and the list painted once
// (only its visible rows are drawn: see paintedPerListing).
void BM_FillTrackList(benchmark::State& state) {
  Library& lib = Lib();
  StdRandom random(1);
  const Language english = Language::English;
  Browser browser(lib.catalogue, lib.dialogs, lib.progress, random, english);
  QListView view;
  view.setObjectName("FileBox");
  PrepareOwnerDrawnList(&view);
  TrackListModel model(browser, lib.catalogue);
  auto* delegate = new CountingDelegate(browser, lib.catalogue, english, &view);
  delegate->setItemHeight(18);
  view.setItemDelegate(delegate);
  view.setModel(&model);
  view.resize(700, 500);
  view.show();
  QApplication::processEvents();
  delegate->painted = 0;
  long iterations = 0;
  for (auto _ : state) {
    browser.ListTracks(lib.codes, std::nullopt, false, "");
    model.Reset();
    // The view lays out on a zero timer and then asks for a paint: spin the
    // event loop until the rows have been drawn.
    const long before = delegate->painted;
    for (int spins = 0; spins < 100 && delegate->painted == before; ++spins) QApplication::processEvents();
    ++iterations;
  }
  state.counters["rows"] = model.rowCount();
  state.counters["paintedPerListing"] = iterations ? static_cast<double>(delegate->painted) / iterations : 0;
}

// One keystroke in the filter field over the whole catalogue listed (21,800 rows): the rows
// filtered, the model reset and the list painted once, as the window does. The keystrokes go
// back and forth between two texts (a letter typed, a letter taken back); the catalogue's text is
// folded before the first (see BM_FilterFirstKeystroke).
void BM_FilterKeystroke(benchmark::State& state, const char* shorter, const char* longer) {
  Library& lib = Lib();
  StdRandom random(1);
  const Language english = Language::English;
  Browser browser(lib.catalogue, lib.dialogs, lib.progress, random, english);
  browser.ListTracks(lib.codes, std::nullopt, false, "");
  browser.SelectRow(100);
  QListView view;
  PrepareOwnerDrawnList(&view);
  TrackListModel model(browser, lib.catalogue);
  auto* delegate = new CountingDelegate(browser, lib.catalogue, english, &view);
  delegate->setItemHeight(18);
  view.setItemDelegate(delegate);
  view.setModel(&model);
  view.resize(700, 500);
  view.show();
  browser.FilterRows(shorter);
  QApplication::processEvents();
  bool typed = false;
  for (auto _ : state) {
    typed = !typed;
    browser.FilterRows(typed ? longer : shorter);
    model.Reset();
    const long before = delegate->painted;
    for (int spins = 0; spins < 100 && delegate->painted == before; ++spins) QApplication::processEvents();
  }
  browser.FilterRows(longer);
  state.counters["rowsLonger"] = static_cast<double>(model.rowCount());
  browser.FilterRows(shorter);
  state.counters["rowsShorter"] = static_cast<double>(model.rowCount());
}

// The first keystroke after a load: the catalogue's text folded once, then filtered (no window).
void BM_FilterFirstKeystroke(benchmark::State& state) {
  Library& lib = Lib();
  StdRandom random(1);
  const Language english = Language::English;
  for (auto _ : state) {
    state.PauseTiming();
    Browser browser(lib.catalogue, lib.dialogs, lib.progress, random, english);
    browser.ListTracks(lib.codes, std::nullopt, false, "");
    state.ResumeTiming();
    browser.FilterRows("e");
    benchmark::DoNotOptimize(browser.rowCount());
  }
}

BENCHMARK_CAPTURE(BM_FilterKeystroke, Broad, "e", "er")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_FilterKeystroke, TwoWords, "e a", "e an")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FilterFirstKeystroke)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_CAPTURE(BM_ListTracks, Order, SortKind::Order)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ListTracks, Popular, SortKind::Popular)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ListTracks, Length, SortKind::Length)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ListTracks, Tempo, SortKind::Tempo)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FillTrackList)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

// Like BENCHMARK_MAIN, with one QApplication on the offscreen platform for the list.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
