#pragma once
// Waveform: the peaks of a preview file for the position bar and `trakvella-cli waveform`, through a
// cache of one file per audio file in the program folder's "peaks" folder. An entry holds the file's
// peaks in kFinePeakPoints points (or one per frame for a shorter file), keyed by the file's path,
// size and modification time; any width is reduced from it, so a second open at another width needs
// no decoding. An entry that does not match the file as it is now, or is damaged, is decoded again
// and rewritten. Load keeps no state and touches nothing but the file system and the decoder: a
// worker thread may call it, and stop it through its stop token.
#include <cstddef>
#include <filesystem>
#include <stop_token>

#include "ports/AudioPeaks.h"
#include "ports/Status.h"

namespace trakvella {

// The points a cache entry keeps: a multiple of the command line's default 1000, so that its
// widths and those dividing the entry are reduced exactly, and more than the widest bar draws.
inline constexpr std::size_t kFinePeakPoints = 32000;

enum class PeakPrecision {
  // Each point covers exactly its frames: where the file's samples are its own (16-bit PCM) and the
  // cache's points do not divide the request exactly, the file is decoded at the width asked for.
  Exact,
  // Each point is made of the cache's points its frames touch (at most one fine point more at each
  // end): what a bar needs to draw at once.
  Nearest,
};

class Waveform {
 public:
  // The decoder and the program folder are the caller's and outlive the object.
  Waveform(AudioPeakDecoder& decoder, std::filesystem::path programFolder);

  // The peaks of `file` in `points` points (1 to kMaxPeakPoints). A file that cannot be opened
  // gives the file system's Status; one that holds no audio the decoder reads, Unsupported; a stop
  // requested through `stop` while decoding, Aborted. The cache is used and written on the way; a
  // cache that cannot be written only costs the next call a decoding.
  Result<Peaks> Load(const std::filesystem::path& file, std::size_t points, PeakPrecision precision,
                     std::stop_token stop = {}) const;

  // The cache folder ("peaks" in the program folder).
  std::filesystem::path CacheFolder() const;

 private:
  AudioPeakDecoder& decoder_;
  std::filesystem::path programFolder_;
};

}  // namespace trakvella
