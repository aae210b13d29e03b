// trakvella-cli waveform as a process: WAV files written here (exact values), MP3s made with lame
// (plausible values, the cache in the program folder), files without audio.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/AudioFiles.h"
#include "support/CliProcess.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

CliResult Waveform(const TempDir& home, const fs::path& file, int points) {
  return RunCli({"--home", home.path().string(), "waveform", file.string(), "--points", std::to_string(points)});
}

// The expected output, point by point from the samples.
std::vector<std::string> Reference(const std::vector<std::int16_t>& samples, int channels, std::uint64_t points) {
  const std::uint64_t frames = samples.size() / channels;
  std::vector<std::string> lines = {"points=" + std::to_string(points), "frames=" + std::to_string(frames)};
  for (std::uint64_t i = 0; i < points; ++i) {
    const auto begin = samples.begin() + static_cast<std::ptrdiff_t>(frames * i / points * channels);
    const auto end = samples.begin() + static_cast<std::ptrdiff_t>(frames * (i + 1) / points * channels);
    const auto [low, high] = begin == end
                                 ? std::pair(0, 0)
                                 : std::pair<int, int>(*std::min_element(begin, end), *std::max_element(begin, end));
    lines.push_back("peak=" + std::to_string(low) + "," + std::to_string(high));
  }
  return lines;
}

// A tone of `amplitude` (left) and half of it (right) that drops to `after` from frame `drop` on.
std::vector<std::int16_t> Tone(int frames, int amplitude, int drop, int after) {
  std::vector<std::int16_t> samples;
  for (int f = 0; f < frames; ++f) {
    const double a = f < drop ? amplitude : after, phase = 2 * 3.14159265358979 * 440 * f / 44100;
    samples.push_back(static_cast<std::int16_t>(a * std::sin(phase)));
    samples.push_back(static_cast<std::int16_t>(a / 2 * std::sin(1.5 * phase)));
  }
  return samples;
}

std::pair<int, int> Peak(const std::string& line) {
  const auto comma = line.find(',');
  return {std::stoi(line.substr(5, comma - 5)), std::stoi(line.substr(comma + 1))};
}

TEST(WaveformCli, SixteenBitWavIsExactForEveryWidthWithTheCacheOrWithout) {
  TempDir home, audio;
  // Ten stereo frames: the points' edges, both channels, the extremes.
  const fs::path small = audio.path() / "small.wav";
  WriteFile(small,
            Wav16({100, -100, -200, 20, 300, 30, 50, -500, 0, 600, -7, 7, 8000, -32768, -8000, 32767, 1, 3, 2, -4}, 2));
  EXPECT_THAT(Waveform(home, small, 3).out,
              ElementsAre("points=3", "frames=10", "peak=-200,300", "peak=-500,600", "peak=-32768,32767"));
  // More points than frames: a point without a frame is 0,0.
  EXPECT_THAT(Waveform(home, small, 12).out,
              ElementsAre("points=12", "frames=10", "peak=0,0", "peak=-100,100", "peak=-200,20", "peak=30,300",
                          "peak=-500,50", "peak=0,600", "peak=0,0", "peak=-7,7", "peak=-32768,8000", "peak=-8000,32767",
                          "peak=1,3", "peak=-4,2"));

  // Longer than the cache's fine points: a rising ramp (right: its negative half, and one spike),
  // where a point one frame too wide shows.
  const int frames = 100003;
  std::vector<std::int16_t> ramp;
  for (int f = 0; f < frames; ++f) {
    const auto left = static_cast<std::int16_t>(static_cast<long long>(f) * 65535 / frames - 32768);
    ramp.push_back(left);
    ramp.push_back(static_cast<std::int16_t>(f == 57143 ? 32767 : -left / 2));
  }
  const fs::path long_ = audio.path() / "ramp.wav";
  WriteFile(long_, Wav16(ramp, 2));
  for (int points : {1000, 7, 1000, 7, 333}) {  // the second time of each from the cache
    const CliResult run = Waveform(home, long_, points);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Reference(ramp, 2, points)) << points << " points";
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(home.path() / "peaks"), fs::directory_iterator()), 2);
}

TEST(WaveformCli, Mp3PeaksComeFromTheCacheUntilTheFileChangesAndADamagedEntryIsRewritten) {
  TempDir home, audio;
  const fs::path wav = audio.path() / "tone.wav", mp3 = audio.path() / "tone.mp3";
  // 25 s (decoded in two stretches where there are two processors), loud until 9.5 s.
  WriteFile(wav, Wav16(Tone(1102500, 24000, 418950, 6000), 2));
  ASSERT_TRUE(EncodeMp3(wav, mp3)) << "lame makes the test MP3";

  const CliResult first = Waveform(home, mp3, 10);
  ASSERT_EQ(first.status, 0) << first.err;
  ASSERT_EQ(first.out.size(), 12u);
  EXPECT_EQ(first.out[1], "frames=1102500");
  for (int i : {0, 1, 2, 4, 5, 6, 7, 8, 9}) {
    const auto [low, high] = Peak(first.out[2 + i]);
    const int expected = i < 3 ? 24000 : 6000;
    EXPECT_NEAR(high, expected, expected / 25) << first.out[2 + i];
    EXPECT_NEAR(low, -expected, expected / 25) << first.out[2 + i];
  }
  const fs::path peaks = home.path() / "peaks";
  ASSERT_EQ(std::distance(fs::directory_iterator(peaks), fs::directory_iterator()), 1);
  const fs::path entry = fs::directory_iterator(peaks)->path();

  // Zeros of the same size at the same time: still the cached peaks, nothing decoded.
  const auto modified = fs::last_write_time(mp3);
  WriteFile(mp3, std::string(fs::file_size(mp3), '\0'));
  fs::last_write_time(mp3, modified);
  EXPECT_EQ(Waveform(home, mp3, 10).out, first.out);
  // The same bytes at another time are decoded, and are no audio.
  fs::last_write_time(mp3, modified + std::chrono::seconds(1));
  const CliResult zeros = Waveform(home, mp3, 10);
  EXPECT_EQ(zeros.status, 1);
  EXPECT_THAT(zeros.err, HasSubstr("no audio this program can decode"));

  // Another recording at the same path: decoded, and its entry replaces the old one.
  const std::string oldEntry = ReadFile(entry);
  WriteFile(wav, Wav16(Tone(132300, 3000, 132300, 0), 2));
  ASSERT_TRUE(EncodeMp3(wav, mp3));
  const CliResult quiet = Waveform(home, mp3, 10);
  ASSERT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_EQ(quiet.out[1], "frames=132300");
  EXPECT_NEAR(Peak(quiet.out[5]).second, 3000, 120);
  const std::string newEntry = ReadFile(entry);
  EXPECT_NE(newEntry, oldEntry);

  // A damaged entry is not believed, and is written whole again.
  std::string damaged = newEntry;
  damaged[damaged.size() / 2] ^= 0x40;
  WriteFile(entry, damaged);
  EXPECT_EQ(Waveform(home, mp3, 10).out, quiet.out);
  EXPECT_EQ(ReadFile(entry), newEntry);
}

TEST(WaveformCli, AFileWithoutAudioOrNoFileIsStatusOneAndNothingCached) {
  TempDir home, audio;
  WriteFile(audio.path() / "notes.mp3", "These are the session notes, not audio.\n");
  const CliResult text = Waveform(home, audio.path() / "notes.mp3", 10);
  EXPECT_EQ(text.status, 1);
  EXPECT_TRUE(text.out.empty());
  EXPECT_THAT(text.err, HasSubstr("notes.mp3: no audio this program can decode"));
  EXPECT_FALSE(fs::exists(home.path() / "peaks"));
  EXPECT_EQ(Waveform(home, audio.path() / "missing.wav", 10).status, 1);
  EXPECT_EQ(Waveform(home, audio.path() / "notes.mp3", 0).status, 2);
}

}  // namespace
}  // namespace trakvella::testing
