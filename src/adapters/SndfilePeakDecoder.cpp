#include "adapters/SndfilePeakDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

#include "adapters/LoadedLibraries.h"

namespace trakvella {

namespace {

constexpr sf_count_t kBlockFrames = 4096;
// A stretch earns a thread and a decoder of its own from this length on (about 12 s at 44.1 kHz).
constexpr std::uint64_t kMinFramesPerThread = std::uint64_t{1} << 19;
constexpr unsigned kMostThreads = 8;

// The caller's file as one libsndfile handle reads it: at the handle's own position, so several
// handles read one file at once.
struct VirtualFile {
  ReadableFile* file;
  sf_count_t position = 0;
  Status error;  // the first read that failed
};

sf_count_t FileLength(void* data) { return static_cast<sf_count_t>(static_cast<VirtualFile*>(data)->file->Size()); }

sf_count_t FileSeek(sf_count_t offset, int whence, void* data) {
  auto* at = static_cast<VirtualFile*>(data);
  const sf_count_t base = whence == SEEK_CUR ? at->position : whence == SEEK_END ? FileLength(data) : 0;
  if (base + offset < 0) return -1;
  at->position = base + offset;
  return at->position;
}

sf_count_t FileRead(void* out, sf_count_t count, void* data) {
  auto* at = static_cast<VirtualFile*>(data);
  sf_count_t done = 0;
  while (done < count) {
    Result<std::size_t> got = at->file->ReadAt(static_cast<std::uint64_t>(at->position), static_cast<char*>(out) + done,
                                               static_cast<std::size_t>(count - done));
    if (!got.ok()) {
      if (at->error.ok()) at->error = got.status();
      break;
    }
    if (*got == 0) break;
    done += static_cast<sf_count_t>(*got);
    at->position += static_cast<sf_count_t>(*got);
  }
  return done;
}

sf_count_t FileWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t FileTell(void* data) { return static_cast<VirtualFile*>(data)->position; }

// libsndfile's table: Decode loads it before anything here calls it.
const SndfileApi& Api() {
  std::string unused;
  return *Sndfile(unused);
}

SF_VIRTUAL_IO kReadOnlyCalls = {FileLength, FileSeek, FileRead, FileWrite, FileTell};

// One libsndfile handle over the file; the header is read as it is made.
class Stream {
 public:
  explicit Stream(ReadableFile& file) : io_{&file, 0, Status::OK()} {
    handle_ = Api().open_virtual(&kReadOnlyCalls, SFM_READ, &info_, &io_);
  }
  ~Stream() {
    if (handle_) Api().close(handle_);
  }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  // Why there is no handle: the read that failed, else bytes libsndfile does not take for audio.
  Status OpenStatus() const {
    if (handle_) return Status::OK();
    if (!io_.error.ok()) return io_.error;
    return Status::Unsupported("audio file", "no audio libsndfile reads");
  }
  SNDFILE* handle() const { return handle_; }
  const SF_INFO& info() const { return info_; }
  const Status& readError() const { return io_.error; }

 private:
  VirtualFile io_;
  SF_INFO info_{};
  SNDFILE* handle_ = nullptr;
};

// Samples of 16 and 8 bits come as floats that are their values over 32768 and 128: times 32768
// they are the 16-bit values exactly.
bool ExactSamples(int format) {
  const int subtype = format & SF_FORMAT_SUBMASK;
  return subtype == SF_FORMAT_PCM_16 || subtype == SF_FORMAT_PCM_S8 || subtype == SF_FORMAT_PCM_U8;
}

std::int16_t ToSample(float value) {
  const float scaled = value * 32768.0f;
  if (std::isnan(scaled)) return 0;
  if (scaled >= 32767.0f) return 32767;
  if (scaled <= -32768.0f) return -32768;
  return static_cast<std::int16_t>(std::lrint(scaled));
}

// The least and greatest of no sample at all is 0,0.
PeakPoint ToPoint(float low, float high) {
  if (low > high) return {};
  return {ToSample(low), ToSample(high)};
}

// The points [from, to) of `count` over `frames` frames, from the frames they cover; points
// after the end of the audio stay as they are (0,0).
Status DecodeStretch(Stream& stream, std::uint64_t frames, std::size_t count, std::size_t from, std::size_t to,
                     PeakPoint* out, const std::stop_token& stop) {
  const std::uint64_t first = PeakPointStart(frames, count, from);
  const std::uint64_t end = PeakPointStart(frames, count, to);
  if (first == end) return Status::OK();
  if (first > 0 &&
      Api().seek(stream.handle(), static_cast<sf_count_t>(first), SEEK_SET) != static_cast<sf_count_t>(first))
    return stream.readError();  // OK when the audio ends before this stretch
  const auto channels = static_cast<std::size_t>(stream.info().channels);
  std::vector<float> block(static_cast<std::size_t>(kBlockFrames) * channels);
  constexpr float kNone = std::numeric_limits<float>::infinity();
  float low = kNone, high = -kNone;
  std::size_t point = from;
  std::uint64_t pointEnd = PeakPointStart(frames, count, point + 1);
  std::uint64_t at = first;
  while (at < end) {
    if (stop.stop_requested()) return Status::Aborted("audio peaks", "stopped");
    const auto want = static_cast<sf_count_t>(std::min<std::uint64_t>(kBlockFrames, end - at));
    const sf_count_t got = Api().readf_float(stream.handle(), block.data(), want);
    if (got <= 0) break;
    const float* sample = block.data();
    auto left = static_cast<std::uint64_t>(got);
    while (left > 0) {
      for (; pointEnd <= at; pointEnd = PeakPointStart(frames, count, ++point + 1)) {
        out[point] = ToPoint(low, high);
        low = kNone;
        high = -kNone;
      }
      const std::uint64_t take = std::min(left, pointEnd - at);
      const float* stretchEnd = sample + take * channels;
      for (; sample != stretchEnd; ++sample) {
        low = std::min(low, *sample);
        high = std::max(high, *sample);
      }
      at += take;
      left -= take;
    }
  }
  if (!stream.readError().ok()) return stream.readError();
  if (point < to) out[point] = ToPoint(low, high);
  return Status::OK();
}

}  // namespace

SndfilePeakDecoder::SndfilePeakDecoder(unsigned threads) : threads_(threads) {}

Result<Peaks> SndfilePeakDecoder::Decode(ReadableFile& file, std::size_t points, std::stop_token stop) {
  if (points == 0 || points > kMaxPeakPoints) return Status::InvalidArgument("audio peaks", "points out of range");
  if (std::string why; !Sndfile(why)) return Status::Unsupported("audio file", why);
  Stream head(file);
  if (!head.handle()) return head.OpenStatus();
  const SF_INFO& info = head.info();
  if (info.channels < 1 || info.frames < 0 || static_cast<std::uint64_t>(info.frames) > kMaxPeakFrames)
    return Status::Unsupported("audio file", "no channel, or frames beyond count");

  Peaks peaks;
  peaks.frames = static_cast<std::uint64_t>(info.frames);
  peaks.exact = ExactSamples(info.format);
  peaks.points.resize(points);

  std::uint64_t parts = threads_ ? threads_ : std::max(1u, std::thread::hardware_concurrency());
  parts = std::min<std::uint64_t>({parts, kMostThreads, peaks.frames / kMinFramesPerThread, points});
  if (!info.seekable || parts == 0) parts = 1;
  auto bound = [&](std::uint64_t part) { return static_cast<std::size_t>(points * part / parts); };

  std::vector<Status> results(parts);
  {
    std::vector<std::jthread> helpers;
    for (std::uint64_t part = 1; part < parts; ++part)
      helpers.emplace_back([&, part] {
        Stream own(file);
        results[part] = own.handle() ? DecodeStretch(own, peaks.frames, points, bound(part), bound(part + 1),
                                                     peaks.points.data(), stop)
                                     : own.OpenStatus();
      });
    results[0] = DecodeStretch(head, peaks.frames, points, 0, bound(1), peaks.points.data(), stop);
  }
  for (Status& result : results)
    if (!result.ok()) return result;
  return peaks;
}

}  // namespace trakvella
