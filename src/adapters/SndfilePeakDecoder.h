#pragma once
// SndfilePeakDecoder: the AudioPeakDecoder port over libsndfile, which reads WAV, AIFF, FLAC, Ogg
// and MPEG audio (MP3, through libmpg123). The bytes come through the caller's ReadableFile. A long
// file is cut into consecutive stretches of points, one thread each; libsndfile seeks to a
// stretch's first frame exactly, so the points are those of one pass from the start. Keeps no
// state between calls.
#include "ports/AudioPeaks.h"

namespace trakvella {

class SndfilePeakDecoder : public AudioPeakDecoder {
 public:
  // `threads`: the most threads one call uses; 0 takes one per processor.
  explicit SndfilePeakDecoder(unsigned threads = 0);
  Result<Peaks> Decode(ReadableFile& file, std::size_t points, std::stop_token stop = {}) override;

 private:
  unsigned threads_;
};

}  // namespace trakvella
