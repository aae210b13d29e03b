// The position bar's peaks of a preview: a local file as it is, a demo fetched once into "peaks/demos"
// from a loopback server and read from there; a fetch that fails or is stopped leaves no file.
#include "core/app/PreviewPeaks.h"

#include <fstream>

#include <gtest/gtest.h>

#include "adapters/CurlHttpClient.h"
#include "adapters/SndfilePeakDecoder.h"
#include "core/player/Waveform.h"
#include "support/AudioFiles.h"
#include "support/Fakes.h"
#include "support/LoopbackServer.h"

namespace trakvella::testing {
namespace {

TEST(PreviewPeaks, ADemoIsFetchedOnceAndReadLikeALocalFile) {
  TempDir home, served;
  std::vector<std::int16_t> samples;
  for (int i = 0; i < 44100; ++i) samples.push_back(static_cast<std::int16_t>((i % 200) * 100 - 10000));
  std::ofstream(served.path() / "KMLB_001_001.mp3", std::ios::binary) << Wav16(samples, 1);
  LoopbackServer server = LoopbackServer::ServeFolder(served.path());
  ASSERT_TRUE(server.Running());
  SndfilePeakDecoder decoder;
  CurlHttpClient http;
  const PreviewPeaksSource source{&decoder, &http, home.path()};

  const std::string demo = server.Url("s1/audio/../KMLB_001_001.mp3?x=1");
  EXPECT_EQ(PeakFileOf(home.path(), demo), home.path() / "peaks" / "demos" / "KMLB_001_001.mp3");
  Result<Peaks> peaks = LoadPreviewPeaks(source, server.Url("KMLB_001_001.mp3"), 100, {});
  ASSERT_TRUE(peaks.ok()) << peaks.status().ToString();
  const std::filesystem::path fetched = home.path() / "peaks" / "demos" / "KMLB_001_001.mp3";
  ASSERT_TRUE(std::filesystem::exists(fetched));
  // The same peaks as the local file gives.
  Result<Peaks> local = LoadPreviewPeaks(source, (served.path() / "KMLB_001_001.mp3").string(), 100, {});
  ASSERT_TRUE(local.ok());
  EXPECT_EQ(peaks->points, local->points);
  EXPECT_EQ(peaks->points[0], (PeakPoint{-10000, 9900}));
  // The server gone, the fetched file still gives them.
  std::filesystem::remove(served.path() / "KMLB_001_001.mp3");
  EXPECT_TRUE(LoadPreviewPeaks(source, server.Url("KMLB_001_001.mp3"), 100, {}).ok());

  // A demo the server does not have, and a fetch stopped: no file, nothing half written.
  EXPECT_FALSE(LoadPreviewPeaks(source, server.Url("KMLB_002_001.mp3"), 100, {}).ok());
  std::ofstream(served.path() / "KMLB_003_001.mp3", std::ios::binary) << Wav16(samples, 1);
  std::stop_source stop;
  stop.request_stop();
  EXPECT_FALSE(LoadPreviewPeaks(source, server.Url("KMLB_003_001.mp3"), 100, stop.get_token()).ok());
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(home.path() / "peaks" / "demos")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1u);
}

}  // namespace
}  // namespace trakvella::testing
