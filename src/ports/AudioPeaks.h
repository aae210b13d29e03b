#pragma once
// AudioPeaks: the waveform of an audio file as the position bar draws it — for each of N points the
// least and the greatest sample of the frames it covers, all channels together, as 16-bit values.
// Point i of N covers frames floor(i*F/N) to floor((i+1)*F/N) - 1 of the file's F frames; a point
// that covers no frame (N > F) is 0,0. The decoder is shared: any thread may call it, several calls
// may run at once, and a call may be stopped from another thread.
#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <vector>

#include "ports/FileSystem.h"
#include "ports/Status.h"

namespace trakvella {

// The most points one call gives, and the most frames a file may hold (over two months at
// 192 kHz): frame times point counts stay within 64 bits.
inline constexpr std::size_t kMaxPeakPoints = std::size_t{1} << 22;
inline constexpr std::uint64_t kMaxPeakFrames = std::uint64_t{1} << 40;

struct PeakPoint {
  std::int16_t min = 0;
  std::int16_t max = 0;
  bool operator==(const PeakPoint&) const = default;
};

struct Peaks {
  std::uint64_t frames = 0;  // F: the file's frames (samples per channel)
  // Each point holds the file's own samples (16-bit or 8-bit PCM) over exactly its frames; a
  // compressed file's samples are the decoder's.
  bool exact = false;
  std::vector<PeakPoint> points;
};

// The first frame of point `index` of `count` over `frames` frames; index == count gives `frames`.
inline std::uint64_t PeakPointStart(std::uint64_t frames, std::size_t count, std::size_t index) {
  return frames * index / count;
}

class AudioPeakDecoder {
 public:
  virtual ~AudioPeakDecoder() = default;

  // The peaks of the audio in `file` in `points` points (1 to kMaxPeakPoints). Bytes that are no
  // audio this decoder knows, or audio too damaged to begin, are Unsupported; audio that ends
  // before the frames its header announced leaves the points after its end at 0,0. A stop
  // requested through `stop` ends the work with Aborted. The file is read at its own offsets,
  // possibly from several threads; the caller keeps it open until the call returns.
  virtual Result<Peaks> Decode(ReadableFile& file, std::size_t points, std::stop_token stop = {}) = 0;
};

}  // namespace trakvella
