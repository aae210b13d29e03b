// The waveform's peaks of a 5-minute 44.1 kHz stereo 320 kb/s MP3 (goal: 300 ms on two cores),
// the cache emptied before each run, with the decoder's threads and with one; and from the cache
// at a bar's width (goal: 5 ms). A 5-minute 16-bit WAV, exact, for comparison.
// Run: build/bench/waveform_bench  (medians over 10 repetitions)
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "adapters/SndfilePeakDecoder.h"
#include "core/player/Waveform.h"
#include "support/AudioFiles.h"

namespace {

using namespace trakvella;
namespace fs = std::filesystem;

// Five minutes of chords that change each second over a slow swell, with a little noise: as dense
// to decode as music. Written as WAV and encoded once per run; removed at the end.
struct Recording {
  fs::path root = fs::temp_directory_path() / ("trakvella-waveform-bench-" + std::to_string(::getpid()));
  fs::path wav = root / "five-minutes.wav", mp3 = root / "five-minutes.mp3", home = root / "home";

  Recording() {
    fs::create_directories(home);
    constexpr int kRate = 44100, kFrames = 300 * kRate;
    std::vector<std::int16_t> samples;
    samples.reserve(2 * kFrames);
    std::uint32_t noise = 1;
    for (int f = 0; f < kFrames; ++f) {
      const double t = static_cast<double>(f) / kRate, swell = 0.55 + 0.45 * std::sin(2 * M_PI * 0.05 * t);
      const double pitch = 110.0 * (1 + (f / kRate) % 7 / 4.0);
      noise = noise * 1664525 + 1013904223;
      const double hiss = (static_cast<double>(noise >> 16) / 65536.0 - 0.5) * 0.08;
      const double left = swell * (0.35 * std::sin(2 * M_PI * pitch * t) + 0.25 * std::sin(2 * M_PI * pitch * 1.5 * t) +
                                   0.15 * std::sin(2 * M_PI * pitch * 4.02 * t)) +
                          hiss;
      const double right =
          swell * (0.3 * std::sin(2 * M_PI * pitch * 1.25 * t + 1) + 0.3 * std::sin(2 * M_PI * pitch * 3 * t)) - hiss;
      samples.push_back(static_cast<std::int16_t>(left * 30000));
      samples.push_back(static_cast<std::int16_t>(right * 30000));
    }
    std::ofstream(wav, std::ios::binary) << testing::Wav16(samples, 2);
    if (!testing::EncodeMp3(wav, mp3)) throw std::runtime_error("lame could not make the benchmark's MP3");
  }
  ~Recording() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

Recording& Audio() {
  static Recording recording;
  return recording;
}

// Decoded whole each time: the cache folder is emptied before each run.
void Decoded(benchmark::State& state, const fs::path& file, unsigned threads) {
  SndfilePeakDecoder decoder(threads);
  const Waveform waveform(decoder, Audio().home);
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(waveform.CacheFolder());
    state.ResumeTiming();
    Result<Peaks> peaks = waveform.Load(file, 1000, PeakPrecision::Nearest);
    if (!peaks.ok()) state.SkipWithError(peaks.status().ToString().c_str());
    benchmark::DoNotOptimize(peaks);
  }
}
void BM_Mp3PeaksDecoded(benchmark::State& state) { Decoded(state, Audio().mp3, 0); }
void BM_Mp3PeaksDecodedOneThread(benchmark::State& state) { Decoded(state, Audio().mp3, 1); }
void BM_WavPeaksDecoded(benchmark::State& state) { Decoded(state, Audio().wav, 0); }

// A second open at another width: the cache's entry, reduced (a bar of 1,843 device pixels).
void BM_Mp3PeaksFromCache(benchmark::State& state) {
  SndfilePeakDecoder decoder;
  const Waveform waveform(decoder, Audio().home);
  if (!waveform.Load(Audio().mp3, 1000, PeakPrecision::Nearest).ok()) state.SkipWithError("no peaks");
  for (auto _ : state) {
    Result<Peaks> peaks = waveform.Load(Audio().mp3, 1843, PeakPrecision::Nearest);
    if (!peaks.ok()) state.SkipWithError(peaks.status().ToString().c_str());
    benchmark::DoNotOptimize(peaks);
  }
}

}  // namespace

BENCHMARK(BM_Mp3PeaksDecoded)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Mp3PeaksDecodedOneThread)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WavPeaksDecoded)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Mp3PeaksFromCache)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
