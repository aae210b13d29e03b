#pragma once
// PreviewPeaks: the peaks the position bar draws for the preview the player opened, a local file or a
// demo. A demo is fetched once into "peaks/demos" of the program folder under its server name and its
// peaks are taken from that file, so the peaks cache knows it the next time. Keeps no state: the window's worker
// thread calls it and stops it through the stop token; the window thread never waits on it.
#include <cstddef>
#include <filesystem>
#include <stop_token>
#include <string>

#include "ports/AudioPeaks.h"
#include "ports/Status.h"

namespace trakvella {

class HttpClient;

struct PreviewPeaksSource {
  AudioPeakDecoder* decoder = nullptr;  // none: no preview has peaks
  HttpClient* http = nullptr;           // none: a demo has no peaks
  std::filesystem::path programFolder;
};

// The file a preview's peaks are read from: the address itself for a local file, "peaks/demos/NAME"
// for a demo address ".../NAME"; empty for an address that names no file.
std::filesystem::path PeakFileOf(const std::filesystem::path& programFolder, const std::string& address);

// The peaks of the preview at `address` in `points` points, each made of the cache's nearest points.
// A demo not yet in "peaks/demos" is fetched first (a failed or stopped fetch leaves no file). Whatever
// cannot be fetched or decoded is a Status the bar ignores.
Result<Peaks> LoadPreviewPeaks(const PreviewPeaksSource& source, const std::string& address, std::size_t points,
                               std::stop_token stop);

}  // namespace trakvella
