// The main window on the generated full-size catalogue (offscreen): from the
// search button "Найти" to the listed rows, and opening a CD of 20-odd tracks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "app/mainunit.h"
#include "app/waitunit.h"

namespace {

using namespace trakvella;
namespace fs = std::filesystem;

struct Window {
  fs::path root = fs::temp_directory_path() / ("trakvella-window-bench-" + std::to_string(::getpid()));
  std::unique_ptr<TMainForm> main;
  std::unique_ptr<TWaitForm> wait;
  Window() {
    fs::create_directories(root / "home");
    const std::string command = std::string("python3 ") + TRAKVELLA_SOURCE_DIR + "/tools/gen_catalogue.py --out '" +
                                (root / "catalogue").string() + "' > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("generator failed");
    MainFormOptions o;
    o.programFolder = root / "home";
    o.catalogueFolder = root / "catalogue";
    main = std::make_unique<TMainForm>(o);
    wait = std::make_unique<TWaitForm>(main.get(), [] { return 0; });
    main->setWaitForm(wait.get());
    main->resize(1200, 900);
    main->show();
    main->FirstActivation();
  }
  ~Window() {
    wait.reset();
    main.reset();
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

Window& W() {
  static Window w;
  return w;
}

void BM_SearchToListedRows(benchmark::State& state) {
  TMainForm& main = *W().main;
  if (!main.SearchPanel->isVisible()) main.SearchBut->click();
  auto* find = main.findChild<QPushButton*>("SBut");
  for (auto _ : state) {
    find->click();
    QApplication::processEvents();
  }
  state.counters["rows"] = main.FileBox->model()->rowCount();
}

void BM_OpenCd(benchmark::State& state) {
  TMainForm& main = *W().main;
  if (main.SearchPanel->isVisible()) main.SearchBut->click();
  main.browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
  main.Refresh();
  int row = 0;
  for (auto _ : state) {
    main.CDCatBoxClick(row);
    QApplication::processEvents();
    row = (row + 1) % 50;
  }
  state.counters["tracks"] = main.FileBox->model()->rowCount();
}

// "-local" with the full catalogue and a local file for every track: from the
// window's creation to the root level listed.
void BM_StartToReadyOffline(benchmark::State& state) {
  const fs::path root = W().root;
  static const bool audio = [&] {
    const std::string command = std::string("python3 ") + TRAKVELLA_SOURCE_DIR + "/tools/gen_catalogue.py --out '" +
                                (root / "unused").string() + "' --audio-home '" + (root / "audio-home").string() +
                                "' --audio-all > /dev/null";
    return std::system(command.c_str()) == 0;
  }();
  if (!audio) throw std::runtime_error("generator failed");
  int cds = 0;
  for (auto _ : state) {
    MainFormOptions o;
    o.programFolder = root / "audio-home";
    o.catalogueFolder = root / "catalogue";
    o.localSwitch = true;
    TMainForm main(o);
    TWaitForm wait(&main, [] { return 0; });
    main.setWaitForm(&wait);
    main.show();
    main.FirstActivation();
    QApplication::processEvents();
    cds = main.catalogue().cdCount;
  }
  state.counters["cds"] = cds;
}

BENCHMARK(BM_StartToReadyOffline)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SearchToListedRows)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenCd)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
