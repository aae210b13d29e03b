// The main window on the generated full-size catalogue (offscreen): from the
// search button "Найти" to the listed rows, and opening a CD of 20-odd tracks.
#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "FullCatalogueWindow.h"
#include "adapters/qt/QtDesktop.h"
#include "adapters/qt/QtMediaDevice.h"
#include "core/app/App.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/player/Player.h"
#include "program/DesktopPorts.h"
#include "ui/main/MainForm.h"
#include "ui/wait/WaitForm.h"

namespace {

using namespace trakvella;
namespace fs = std::filesystem;

struct Window : bench::FullCatalogueWindow {
  Window() : FullCatalogueWindow("trakvella-window-bench") {}
};

// The window lives while the benchmarks run and goes before the application object does.
std::unique_ptr<Window> window;
Window& W() {
  if (!window) window = std::make_unique<Window>();
  return *window;
}

void BM_SearchToListedRows(benchmark::State& state) {
  TMainForm& main = *W().main;
  auto* panel = main.findChild<QWidget*>("SearchPanel");
  auto* searchButton = main.findChild<QToolButton*>("SearchBut");
  if (!panel->isVisible()) searchButton->click();
  auto* find = main.findChild<QPushButton*>("SBut");
  for (auto _ : state) {
    find->click();
    QApplication::processEvents();
  }
  state.counters["rows"] = main.findChild<QListView*>("FileBox")->model()->rowCount();
}

void BM_OpenCd(benchmark::State& state) {
  TMainForm& main = *W().main;
  if (main.findChild<QWidget*>("SearchPanel")->isVisible()) main.findChild<QToolButton*>("SearchBut")->click();
  W().app->browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
  main.Refresh();
  int row = 0;
  for (auto _ : state) {
    main.CDCatBoxClick(row);
    QApplication::processEvents();
    row = (row + 1) % 50;
  }
  state.counters["tracks"] = main.findChild<QListView*>("FileBox")->model()->rowCount();
}

// "-local" with the full catalogue and a local file for every track: from App's
// creation and start, through the window's, to the root level listed.
void BM_StartToReadyOffline(benchmark::State& state) {
  const fs::path root = W().root;
  static const bool audio = [&] {
    bench::Generate("--out '" + (root / "unused").string() + "' --audio-home '" + (root / "audio-home").string() +
                    "' --audio-all");
    return true;
  }();
  (void)audio;
  int cds = 0;
  for (auto _ : state) {
    AppOptions o;
    o.programFolder = root / "audio-home";
    o.catalogueFolder = root / "catalogue";
    o.localSwitch = true;
    o.today = &DesktopPorts::ThisMonth;
    DesktopPorts desktop;
    bench::NoDialogs dialogs;
    AppPorts ports = desktop.ports();
    ports.dialogs = &dialogs;
    App app(o, ports);
    TMainForm main(app, app.Start());
    const Language english = Language::English;
    TWaitForm wait(&main, english);
    main.setWaitForm(&wait);
    main.show();
    main.FirstActivation();
    QApplication::processEvents();
    cds = app.catalogue().CdCount();
  }
  state.counters["cds"] = cds;
}

// A double click on a track with a local file: PlayCurrent as from the Play
// button until the device plays (the player's own 200 ms pause included).
void BM_DoubleClickToPlaybackLocal(benchmark::State& state) {
  const fs::path root = W().root;
  const fs::path wav = root / "tone.wav", mp3 = root / "tone.mp3";
  static const bool made = [&] {
    const std::string script =
        "import wave,struct,math\nw=wave.open('" + wav.string() +
        "','wb');w.setnchannels(1);w.setsampwidth(2);w.setframerate(22050)\n"
        "w.writeframes(b''.join(struct.pack('<h',int(8000*math.sin(i/10))) for i in range(22050*3)))\nw.close()\n";
    const std::string command =
        "python3 -c \"" + script + "\" && lame --quiet -b 64 '" + wav.string() + "' '" + mp3.string() + "'";
    return std::system(command.c_str()) == 0;
  }();
  if (!made) throw std::runtime_error("could not make the MP3");
  QtMediaDevice device;
  QtShell shell;
  PlayerHooks hooks;
  hooks.currentAddress = [&] { return mp3.string(); };
  hooks.selectedRow = [] { return 0; };
  hooks.rowCount = [] { return 1; };
  // The pause after opening passes with window events going on, as the program's progress window pumps them.
  struct EventPump : SilentProgress {
    void pump() override { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); }
  } events;
  hooks.clock = &SystemClock();
  hooks.progress = &events;
  Player player(device, shell, hooks);
  for (auto _ : state) {
    player.PlayCurrent(true);
    while (device.Mode() != MediaMode::Playing) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    state.PauseTiming();
    player.Stop();
    (void)device.Close();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_DoubleClickToPlaybackLocal)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
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
  window.reset();
  return 0;
}
