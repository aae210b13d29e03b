// The music set's windows on the generated full-size catalogue (offscreen):
// showing the set window over 50,001 entries until its list is drawn (goal
// 50 ms), and "Скопировать все треки в набор ..." on a list of every track
// (21,800) with the progress window (goal 300 ms).
// Run: build/bench/musicset_window_bench  (medians over 10 repetitions)
#include <QAction>
#include <QApplication>
#include <QListView>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "FullCatalogueWindow.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/musicset/MusicSet.h"
#include "program/DesktopPorts.h"
#include "ui/main/MainForm.h"
#include "ui/musicset/MusicSetForm.h"
#include "ui/wait/WaitForm.h"

namespace {

using namespace trakvella;
namespace fs = std::filesystem;

struct Window : bench::FullCatalogueWindow {
  std::vector<std::string> allCodes;

  Window() : FullCatalogueWindow("trakvella-set-window-bench") {
    const Catalogue& catalogue = app->catalogue();
    for (int cd = 0; cd < catalogue.CdCount(); ++cd)
      for (const TrackRecord& t : catalogue.Cd(cd).tracks) allCodes.push_back(t.code);
  }
  TMusicSetForm* SetForm() { return main->findChild<TMusicSetForm*>("MusicSetForm"); }
};

// Made at the first benchmark, gone before the application object.
std::unique_ptr<Window> window;

Window& W() {
  if (!window) window = std::make_unique<Window>();
  return *window;
}

// A full set: every track in turn until the set holds 50,001 entries.
void FillSet(Window& w) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < kMusicSetCapacity; ++i)
    lines.push_back(w.allCodes[i % w.allCodes.size()] + "=DANCE MUSIC >> LINKS, LOGOS & STINGS,Project,Spot");
  MusicSet& set = w.app->musicSet();
  set.Clear();
  set.LoadSet(lines);
}

void BM_ShowSetWindowOf50001Entries(benchmark::State& state) {
  Window& w = W();
  FillSet(w);
  TMusicSetForm* form = w.SetForm();
  QAction* open = w.main->Item("MemoryOperations1");
  for (auto _ : state) {
    open->trigger();
    QApplication::processEvents();  // shown and drawn
    state.PauseTiming();
    form->close();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["entries"] = static_cast<double>(form->MemListBox()->model()->rowCount());
}

void BM_CopyAllOfEveryTrack(benchmark::State& state) {
  Window& w = W();
  App& app = *w.app;
  app.browser().GoToPlace(std::string(kAllCdsPath));
  app.browser().ListTracks(w.allCodes, std::nullopt, true, "");
  w.main->Refresh();
  QAction* copyAll = w.main->Item("copyAll");
  size_t added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    app.musicSet().Clear();
    QApplication::processEvents();
    state.ResumeTiming();
    copyAll->trigger();
    QApplication::processEvents();  // the counter, the marks and the set window drawn again
    added = app.musicSet().size();
  }
  state.counters["added"] = static_cast<double>(added);
}

BENCHMARK(BM_ShowSetWindowOf50001Entries)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_CopyAllOfEveryTrack)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  window.reset();
  return 0;
}
