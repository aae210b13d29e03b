// SndfilePeakDecoder on real files: a long file cut into stretches, one thread each, gives the
// points of one pass from the start (the MP3's stretch seeks land on the frame); a stop asked for
// while the file is being read ends the decoding.
#include "adapters/SndfilePeakDecoder.h"

#include <cstdint>
#include <memory>
#include <stop_token>
#include <vector>

#include <gtest/gtest.h>

#include "adapters/PosixFileSystem.h"
#include "support/AudioFiles.h"
#include "support/Fakes.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// 24 s of stereo noise whose loudness changes each 0.1 s: neighbouring points differ.
fs::path WriteNoise(const TempDir& dir) {
  std::vector<std::int16_t> samples;
  std::uint32_t state = 12345;
  for (int f = 0; f < 24 * 44100; ++f) {
    const int loudness = 2000 + (f / 4410 * 7919) % 28000;
    for (int c = 0; c < 2; ++c) {
      state = state * 1664525 + 1013904223;
      samples.push_back(static_cast<std::int16_t>(static_cast<int>(state >> 16) % (2 * loudness) - loudness));
    }
  }
  testing::WriteFile(dir.path() / "noise.wav", testing::Wav16(samples, 2));
  return dir.path() / "noise.wav";
}

Result<Peaks> DecodeFile(const fs::path& file, unsigned threads, std::size_t points) {
  PosixFileSystem files;
  Result<std::unique_ptr<ReadableFile>> opened = files.OpenForReading(file);
  if (!opened.ok()) return opened.status();
  return SndfilePeakDecoder(threads).Decode(**opened, points);
}

TEST(SndfilePeakDecoder, StretchesOnTheirOwnThreadsGiveThePointsOfOnePass) {
  TempDir dir;
  const fs::path wav = WriteNoise(dir), mp3 = dir.path() / "noise.mp3";
  ASSERT_TRUE(testing::EncodeMp3(wav, mp3)) << "lame makes the test MP3";
  for (const fs::path& file : {wav, mp3}) {
    const Result<Peaks> one = DecodeFile(file, 1, 997), four = DecodeFile(file, 4, 997);
    ASSERT_TRUE(one.ok() && four.ok()) << one.status().ToString() << four.status().ToString();
    EXPECT_EQ(one->frames, 24u * 44100);
    EXPECT_EQ(one->exact, file == wav);
    EXPECT_TRUE(four->points == one->points) << file;
  }
}

// Reads through the real file and asks for a stop at the twentieth read.
class StoppingFile : public ReadableFile {
 public:
  StoppingFile(std::unique_ptr<ReadableFile> file, std::stop_source& stop) : file_(std::move(file)), stop_(stop) {}
  std::uint64_t Size() const override { return file_->Size(); }
  std::int64_t ModifiedNanoseconds() const override { return file_->ModifiedNanoseconds(); }
  Result<std::size_t> ReadAt(std::uint64_t offset, char* out, std::size_t size) override {
    if (++reads_ == 20) stop_.request_stop();
    return file_->ReadAt(offset, out, size);
  }

 private:
  std::unique_ptr<ReadableFile> file_;
  std::stop_source& stop_;
  int reads_ = 0;
};

TEST(SndfilePeakDecoder, AStopWhileReadingEndsTheDecodingAsAborted) {
  TempDir dir;
  PosixFileSystem files;
  Result<std::unique_ptr<ReadableFile>> opened = files.OpenForReading(WriteNoise(dir));
  ASSERT_TRUE(opened.ok());
  std::stop_source stop;
  StoppingFile file(std::move(*opened), stop);
  const Result<Peaks> peaks = SndfilePeakDecoder(1).Decode(file, 1000, stop.get_token());
  EXPECT_TRUE(peaks.status().IsAborted()) << peaks.status().ToString();
}

}  // namespace
}  // namespace trakvella
