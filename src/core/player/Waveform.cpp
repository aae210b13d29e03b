#include "core/player/Waveform.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text/FileIO.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

// A cache entry, all numbers little-endian: the mark, the file's size, modification time (ns),
// frames, exactness (one byte), the point count, the path's length and bytes, the points (least
// and greatest sample, 16 bits each), then the FNV-1a hash of every byte before it.
constexpr std::string_view kEntryMark = "TrakvellaPeaks1\n";
constexpr std::uint64_t kEntryLimit = 1024 * 1024;
constexpr std::size_t kMaxKeyPath = 16 * 1024;

struct CacheKey {
  std::string path;  // absolute, without "." and ".." steps
  std::uint64_t size = 0;
  std::int64_t modified = 0;
};

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
  return hash;
}

void PutNumber(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Reads the entry's numbers in order; a read past the end marks the reader bad.
class EntryReader {
 public:
  explicit EntryReader(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t Number(int bytes) {
    if (bytes_.size() - at_ < static_cast<std::size_t>(bytes)) {
      bad_ = true;
      return 0;
    }
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint64_t{static_cast<unsigned char>(bytes_[at_ + i])} << (8 * i);
    at_ += static_cast<std::size_t>(bytes);
    return value;
  }
  std::string_view Text(std::size_t length) {
    if (bytes_.size() - at_ < length) {
      bad_ = true;
      return {};
    }
    at_ += length;
    return bytes_.substr(at_ - length, length);
  }
  std::size_t left() const { return bytes_.size() - at_; }
  bool bad() const { return bad_; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool bad_ = false;
};

std::string EncodeEntry(const CacheKey& key, const Peaks& fine) {
  std::string out(kEntryMark);
  out.reserve(out.size() + 64 + key.path.size() + fine.points.size() * 4);
  PutNumber(out, key.size, 8);
  PutNumber(out, static_cast<std::uint64_t>(key.modified), 8);
  PutNumber(out, fine.frames, 8);
  PutNumber(out, fine.exact ? 1 : 0, 1);
  PutNumber(out, fine.points.size(), 4);
  PutNumber(out, key.path.size(), 4);
  out += key.path;
  for (const PeakPoint& point : fine.points) {
    PutNumber(out, static_cast<std::uint16_t>(point.min), 2);
    PutNumber(out, static_cast<std::uint16_t>(point.max), 2);
  }
  PutNumber(out, Fnv1a(out), 8);
  return out;
}

// The entry's peaks when it is whole and made from the file as the key describes it.
std::optional<Peaks> DecodeEntry(std::string_view bytes, const CacheKey& key) {
  if (bytes.size() < kEntryMark.size() + 8 || bytes.substr(0, kEntryMark.size()) != kEntryMark) return std::nullopt;
  const std::string_view body = bytes.substr(0, bytes.size() - 8);
  EntryReader reader(bytes);
  reader.Text(kEntryMark.size());
  const std::uint64_t size = reader.Number(8);
  const auto modified = static_cast<std::int64_t>(reader.Number(8));
  Peaks fine;
  fine.frames = reader.Number(8);
  fine.exact = reader.Number(1) == 1;
  const std::uint64_t count = reader.Number(4);
  const std::string_view path = reader.Text(reader.Number(4));
  if (reader.bad() || size != key.size || modified != key.modified || path != key.path) return std::nullopt;
  if (count != std::min<std::uint64_t>(fine.frames, kFinePeakPoints) || reader.left() != count * 4 + 8)
    return std::nullopt;
  fine.points.resize(count);
  for (PeakPoint& point : fine.points) {
    point.min = static_cast<std::int16_t>(static_cast<std::uint16_t>(reader.Number(2)));
    point.max = static_cast<std::int16_t>(static_cast<std::uint16_t>(reader.Number(2)));
  }
  if (reader.Number(8) != Fnv1a(body)) return std::nullopt;
  return fine;
}

// A file shorter than the fine points leaves points that cover no frame: without them each point
// is one frame.
Peaks WithoutEmptyPoints(Peaks peaks) {
  const std::size_t count = peaks.points.size();
  if (peaks.frames >= count) return peaks;
  std::vector<PeakPoint> kept;
  kept.reserve(static_cast<std::size_t>(peaks.frames));
  for (std::size_t i = 0; i < count; ++i)
    if (PeakPointStart(peaks.frames, count, i) < PeakPointStart(peaks.frames, count, i + 1))
      kept.push_back(peaks.points[i]);
  peaks.points = std::move(kept);
  return peaks;
}

// `points` points made of the fine ones (as many as the frames, or fewer; none empty): each takes
// the fine points that hold one of its frames. Exact when every point begins and ends where fine
// points do.
Peaks Reduce(const Peaks& fine, std::size_t points) {
  Peaks out;
  out.frames = fine.frames;
  out.exact = fine.exact;
  out.points.resize(points);
  const std::uint64_t frames = fine.frames;
  const std::size_t fineCount = fine.points.size();
  if (frames == 0 || fineCount == 0) return out;
  // The fine point holding frame f: the last one that begins at or before it.
  auto holding = [&](std::uint64_t f) {
    return static_cast<std::size_t>(((f + 1) * fineCount + frames - 1) / frames - 1);
  };
  for (std::size_t i = 0; i < points; ++i) {
    const std::uint64_t begin = PeakPointStart(frames, points, i), end = PeakPointStart(frames, points, i + 1);
    if (begin == end) continue;
    const std::size_t first = holding(begin), last = holding(end - 1);
    PeakPoint point = fine.points[first];
    for (std::size_t j = first + 1; j <= last; ++j) {
      point.min = std::min(point.min, fine.points[j].min);
      point.max = std::max(point.max, fine.points[j].max);
    }
    out.points[i] = point;
    if (PeakPointStart(frames, fineCount, first) != begin || PeakPointStart(frames, fineCount, last + 1) != end)
      out.exact = false;
  }
  return out;
}

std::string KeyPath(const fs::path& file) {
  std::error_code error;
  const fs::path absolute = fs::absolute(file, error);
  return (error ? file : absolute).lexically_normal().string();
}

}  // namespace

Waveform::Waveform(AudioPeakDecoder& decoder, fs::path programFolder)
    : decoder_(decoder), programFolder_(std::move(programFolder)) {}

fs::path Waveform::CacheFolder() const { return programFolder_ / "peaks"; }

Result<Peaks> Waveform::Load(const fs::path& file, std::size_t points, PeakPrecision precision,
                             std::stop_token stop) const {
  if (points == 0 || points > kMaxPeakPoints) return Status::InvalidArgument("waveform", "points out of range");
  Result<std::unique_ptr<ReadableFile>> opened = Files().OpenForReading(file);
  if (!opened.ok()) return opened.status();
  ReadableFile& audio = **opened;
  const CacheKey key{KeyPath(file), audio.Size(), audio.ModifiedNanoseconds()};
  // Entries are named by the path's hash; a path sharing another's hash only takes its place.
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.peaks", static_cast<unsigned long long>(Fnv1a(key.path)));
  const fs::path entry = CacheFolder() / name;

  std::optional<Peaks> fine;
  if (key.path.size() <= kMaxKeyPath) {
    Result<std::string> cached = Files().ReadFile(entry, kEntryLimit);
    if (cached.ok()) fine = DecodeEntry(*cached, key);
  }
  if (!fine) {
    Result<Peaks> decoded = decoder_.Decode(audio, kFinePeakPoints, stop);
    if (!decoded.ok()) return decoded.status();
    fine = WithoutEmptyPoints(std::move(*decoded));
    if (key.path.size() <= kMaxKeyPath && Files().MakePrivateFolder(CacheFolder()).ok())
      (void)Files().ReplaceFile(entry, EncodeEntry(key, *fine), WriteOptions{.durable = false});
  }
  Peaks reduced = Reduce(*fine, points);
  if (reduced.exact || !fine->exact || precision == PeakPrecision::Nearest) return reduced;
  return decoder_.Decode(audio, points, stop);
}

}  // namespace trakvella
