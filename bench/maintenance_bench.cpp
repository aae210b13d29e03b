// The library maintenance work: scanning project files already in the page
// cache (goal: at least 300 MB/s; the same for a project dense with codes not
// followed by WAV, scanned with wavOnly), a scan of 100,000 small project files in
// 1,000 folders (goal: 2 s) and the usage report of a 50,001-entry set on the
// generated full-size catalogue (goal: 100 ms).
// Run: build/bench/maintenance_bench  (medians over 10 repetitions)
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "adapters/ZlibInflater.h"
#include "core/maintenance/FolderScan.h"
#include "core/maintenance/ProjectScan.h"
#include "core/maintenance/TrackReport.h"
#include "ports/Random.h"

namespace {

using namespace trakvella;
namespace fs = std::filesystem;

// A temporary folder for the bench's files, removed at the end of the run.
struct Scratch {
  fs::path root = fs::temp_directory_path() / ("trakvella-maintenance-bench-" + std::to_string(::getpid()));
  Scratch() { fs::create_directories(root); }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};
Scratch& Files() {
  static Scratch scratch;
  return scratch;
}

// Project-like bytes: binary noise with a sample path and code every 64 KiB.
std::string ProjectBytes(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; i += 4) {
    const uint32_t r = rng();
    std::memcpy(&bytes[i], &r, std::min<size_t>(4, size - i));
  }
  for (size_t at = 1000, n = 0; at + 64 < size; at += 65536, ++n) {
    char path[64];
    std::snprintf(path, sizeof path, "D:\\Lib\\KMLB_%03zu_%03zu.WAV", n % 999 + 1, n % 20 + 1);
    std::memcpy(&bytes[at], path, std::strlen(path));
  }
  return bytes;
}

// One 256 MiB project file, read once so the page cache holds it.
const fs::path& BigProject() {
  static const fs::path file = [] {
    const fs::path path = Files().root / "big.cpr";
    std::ofstream(path, std::ios::binary) << ProjectBytes(256u << 20, 7);
    std::vector<std::string> codes;
    ScanProjectFile(path, false, codes);
    return path;
  }();
  return file;
}

void BM_ScanProjectFromPageCache(benchmark::State& state) {
  const fs::path& file = BigProject();
  ProjectFileScanner scanner;
  std::vector<std::string> codes;
  for (auto _ : state) scanner.ScanProjectFile(file, state.range(0) != 0, codes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fs::file_size(file)));
  state.counters["codes"] = static_cast<double>(codes.size());
}

// A 32 MiB project whose every window holds a code not followed by WAV, one in
// 20,000 followed by it: with --wav-only the move stays at one byte, and the
// windows that give the last one's result are passed over (goal: the page-cache
// speed of BM_ScanProjectFromPageCache; one byte at a time it took ~0.3 s/MiB).
void BM_ScanDenseCodesWavOnly(benchmark::State& state) {
  static const fs::path file = [] {
    const fs::path path = Files().root / "dense.cpr";
    std::string bytes;
    for (size_t n = 1; bytes.size() < (32u << 20); ++n) {
      char part[64];
      std::snprintf(part, sizeof part, "C:\\Lib\\KMLB_%03zu_%03zu.%s", n % 20000 ? n * 7 % 1000 : n / 20000, n % 20,
                    n % 20000 ? "mp3" : "WAV");
      bytes += std::string(part).append(200 - std::strlen(part), '#');
    }
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }();
  ProjectFileScanner scanner;
  std::vector<std::string> codes;
  for (auto _ : state) scanner.ScanProjectFile(file, true, codes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fs::file_size(file)));
  state.counters["codes"] = static_cast<double>(codes.size());
}

// 100,000 project files of 600 bytes with one code each, 100 to a folder.
const fs::path& SmallProjects() {
  static const fs::path root = [] {
    const fs::path path = Files().root / "projects";
    const std::string bytes = ProjectBytes(600, 3);
    for (int folder = 0; folder < 1000; ++folder) {
      const fs::path dir = path / ("Show " + std::to_string(folder));
      fs::create_directories(dir);
      for (int p = 0; p < 100; ++p) {
        std::string project = bytes;
        std::snprintf(&project[300], 32, "KMLB_%03d_%03d.WAV", folder % 999 + 1, p % 20 + 1);
        std::ofstream((dir / ("episode " + std::to_string(p) + ".cpr")), std::ios::binary) << project;
      }
    }
    return path;
  }();
  return root;
}

void BM_ScanHundredThousandSmallProjects(benchmark::State& state) {
  const fs::path& root = SmallProjects();
  SilentProgress progress;
  ZlibInflater inflater;
  const Language english = Language::English;
  FolderScan scan(progress, &inflater, english);
  ScanSettings settings = DefaultScanSettings();
  settings.startFolder = root.string();
  size_t entries = 0;
  for (auto _ : state) {
    scan.Run(settings, [&](const std::vector<ScanEntry>& found) { return entries = found.size(); });
  }
  state.counters["projects"] = static_cast<double>(scan.projects().size());
  state.counters["entries"] = static_cast<double>(entries);
}

// The search alone: one type's walk over the same tree.
void BM_FindHundredThousandSmallProjects(benchmark::State& state) {
  const fs::path& root = SmallProjects();
  SilentProgress progress;
  const auto exclusions = ExclusionList(std::string(kDefaultExcludeNames));
  std::vector<std::string> found;
  for (auto _ : state) {
    found.clear();
    FindProjects(root, ".cpr", exclusions, progress, found);
  }
  state.counters["projects"] = static_cast<double>(found.size());
}

struct Library : bench::Library {
  Library() : bench::Library("maintenance-bench") {}
};
Library& Lib() {
  static Library library;
  return library;
}

void Report(benchmark::State& state, ReportKind kind) {
  Library& lib = Lib();
  std::vector<ReportEntry> entries;
  while (entries.size() < 50001)
    for (int cd = 0; cd < lib.catalogue.CdCount() && entries.size() < 50001; ++cd)
      for (int t = 0; t < static_cast<int>(lib.catalogue.Cd(cd).tracks.size()); ++t)
        if (entries.size() < 50001)
          entries.push_back({lib.catalogue.Cd(cd).tracks[t].code, "-", "Morning Show", "Episode 12", cd, t});
  ReportOptions options;
  options.kind = kind;
  options.columns.assign(static_cast<size_t>(ReportColumnCount(kind)), true);
  options.rowNames = true;
  StdRandom random(1);
  size_t lines = 0;
  for (auto _ : state) {
    lines = ReportClipboardText(ReportLines(entries, lib.catalogue, options, random)).size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["bytes"] = static_cast<double>(lines);
}
void BM_Report50001Broadcast(benchmark::State& state) { Report(state, ReportKind::Broadcast); }
void BM_Report50001User(benchmark::State& state) { Report(state, ReportKind::User); }

}  // namespace

BENCHMARK(BM_ScanProjectFromPageCache)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ScanDenseCodesWavOnly)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_ScanHundredThousandSmallProjects)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FindHundredThousandSmallProjects)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Report50001Broadcast)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_Report50001User)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
