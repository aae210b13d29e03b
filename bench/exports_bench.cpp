// The catalogue exports on the generated full-size catalogue (999 CDs, 21,800
// tracks): the maximum export's track table (goal: 300 ms) and each XML
// catalogue with its tree walk, saved into the program folder (goal: 1 s each).
// Run: build/bench/exports_bench  (medians over 10 repetitions)
#include <string>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/browse/Browser.h"
#include "core/exports/TabularExports.h"
#include "core/exports/XmlExports.h"
#include "ports/Random.h"

namespace {

using namespace trakvella;

// The exports end with a message; answered at once.
class QuietDialogs : public bench::NoDialogs {
 public:
  MessageAnswer Message(const std::string&, MessageKind, MessageButtons) override { return MessageAnswer::Ok; }
};

class MemoryClipboard : public Clipboard {
 public:
  std::string text;
  void SetText(const std::string& t) override { text = t; }
  std::string Text() const override { return text; }
};

struct Library : bench::Library {
  Library() : bench::Library("exports-bench") {}
};

Library& Lib() {
  static Library library;
  return library;
}

void BM_MaximumExport(benchmark::State& state) {
  Library& lib = Lib();
  QuietDialogs dialogs;
  MemoryClipboard clipboard;
  ExportContext context{lib.catalogue, dialogs, lib.progress, clipboard, Language::Russian, lib.root / "home", {}};
  for (auto _ : state) {
    ExportResult r = MaximumTrackTable(context, nullptr);
    if (!r.done()) state.SkipWithError("the export did not finish");
    benchmark::DoNotOptimize(clipboard.text.data());
  }
  state.counters["bytes"] = static_cast<double>(clipboard.text.size());
}

void Xml(benchmark::State& state, bool site) {
  Library& lib = Lib();
  QuietDialogs dialogs;
  MemoryClipboard clipboard;
  StdRandom random(1);
  ExportContext context{lib.catalogue, dialogs, lib.progress, clipboard, Language::Russian, lib.root / "home", {}};
  const auto home = lib.root / "home";
  size_t bytes = 0;
  for (auto _ : state) {
    Browser browser(lib.catalogue, dialogs, lib.progress, random, context.language);
    browser.Home();
    ExportResult r = site ? ExportSiteXml(context, browser, SiteXmlFiles(home))
                          : ExportDesktopXml(context, browser, DesktopXmlFiles(home));
    if (!r.done()) state.SkipWithError("the export did not finish");
    bytes = r.texts.front().size();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_SiteXml(benchmark::State& state) { Xml(state, true); }
void BM_DesktopXml(benchmark::State& state) { Xml(state, false); }

}  // namespace

BENCHMARK(BM_MaximumExport)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_SiteXml)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_DesktopXml)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
