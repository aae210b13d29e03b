// ProjectScan: the sliding-window code scan over a file read in large blocks.
//
// The window rule is followed window by window, but the bytes are not read per
// window: the file comes in blocks, every "KMLB_" of the kept text (its "K",
// then "M", "L", "B", "_" as the next kept bytes, within one window's width) is
// found once by looking for the byte "K", and a window only looks at its bytes
// when such an occurrence lies wholly inside it.
#include "core/maintenance/ProjectScan.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <set>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/catalogue/TrackRef.h"
#include "core/text/FileIO.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

constexpr std::array<bool, 256> MakeKeptTable() {
  std::array<bool, 256> kept{};
  for (int c = 'A'; c <= 'Z'; ++c) kept[c] = true;
  for (int c = '0'; c <= '9'; ++c) kept[c] = true;
  kept['_'] = true;
  return kept;
}
constexpr std::array<bool, 256> kKept = MakeKeptTable();

// The first kept byte in [from, stop), or stop; runs of other bytes are passed sixteen at a time.
int64_t NextKept(const unsigned char* bytes, int64_t from, int64_t stop) {
  if (from < stop && kKept[bytes[from]]) return from;  // within a word
#ifdef __SSE2__
  // Signed compares: a byte from 0x80 on is below every range, as it is never kept.
  const __m128i below0 = _mm_set1_epi8('0' - 1), above9 = _mm_set1_epi8('9' + 1);
  const __m128i belowA = _mm_set1_epi8('A' - 1), aboveZ = _mm_set1_epi8('Z' + 1);
  const __m128i underscore = _mm_set1_epi8('_');
  while (from + 16 <= stop) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
    const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(v, below0), _mm_cmplt_epi8(v, above9));
    const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(v, belowA), _mm_cmplt_epi8(v, aboveZ));
    const int kept = _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(digit, letter), _mm_cmpeq_epi8(v, underscore)));
    if (kept != 0) return from + std::countr_zero(static_cast<unsigned>(kept));
    from += 16;
  }
#endif
  while (from < stop && !kKept[bytes[from]]) ++from;
  return from;
}

// The bytes to hold beyond a window's start: the window, and room to tell
// whether a "K" at its end starts an occurrence.
constexpr int64_t kLookAhead = 2 * kScanWindow;

}  // namespace

struct ProjectFileScanner::OpenFile {
  std::unique_ptr<ReadableFile> file;
  int64_t size = 0;  // the size when opened: nothing beyond it is read
  int64_t read = 0;  // bytes of the file read so far
  bool gzip = false;

  size_t ReadRaw(unsigned char* out, size_t n) {
    if (read >= size) return 0;
    n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(n), size - read));
    const Result<size_t> got = file->ReadAt(static_cast<uint64_t>(read), reinterpret_cast<char*>(out), n);
    if (!got.ok()) {
      read = size;  // a read error ends the file where it stands
      return 0;
    }
    read += static_cast<int64_t>(*got);
    return *got;
  }
};

ProjectFileScanner::ProjectFileScanner(size_t blockSize) : blockSize_(std::max<size_t>(blockSize, 1)) {}

size_t ProjectFileScanner::ReadSource(unsigned char* out, size_t size) {
  if (file_->gzip) return hooks_->inflater->Read(out, size);
  return file_->ReadRaw(out, size);
}

bool ProjectFileScanner::Refill() {
  if (ended_ || cancelled_) return false;
  if (keepFrom_ > base_) {  // bytes before the window are done with
    const size_t drop = static_cast<size_t>(std::min<int64_t>(keepFrom_ - base_, static_cast<int64_t>(length_)));
    std::memmove(buffer_.data(), buffer_.data() + drop, length_ - drop);
    length_ -= drop;
    base_ += static_cast<int64_t>(drop);
  }
  const size_t room = std::min(buffer_.size() - length_, blockSize_);
  const size_t got = room == 0 ? 0 : ReadSource(buffer_.data() + length_, room);
  length_ += got;
  if (got == 0 || (!file_->gzip && file_->read >= file_->size)) {
    ended_ = true;
    total_ = base_ + static_cast<int64_t>(length_);
  }
  if (hooks_->onGauge) hooks_->onGauge(file_->gzip ? file_->read : base_ + static_cast<int64_t>(length_), file_->size);
  if (hooks_->progress) {
    hooks_->progress->pump();
    if (hooks_->progress->Cancelled()) cancelled_ = true;
  }
  return got > 0;
}

bool ProjectFileScanner::Ensure(int64_t upTo) {
  while (!ended_ && !cancelled_ && base_ + static_cast<int64_t>(length_) < upTo) Refill();
  return !cancelled_;
}

void ProjectFileScanner::FindUpTo(int64_t limit) {
  found_ = std::max(found_, keepFrom_);
  const int64_t end = base_ + static_cast<int64_t>(length_);
  limit = std::min(limit, end);
  const unsigned char* bytes = buffer_.data();
  while (found_ < limit) {
    const void* at = std::memchr(bytes + (found_ - base_), 'K', static_cast<size_t>(limit - found_));
    if (!at) {
      found_ = limit;
      break;
    }
    const int64_t k = base_ + (static_cast<const unsigned char*>(at) - bytes);
    // An occurrence wider than a window never fits one, so look no further.
    const int64_t stop = std::min(k + kScanWindow, end);
    static constexpr char kRest[] = "MLB_";
    int matched = 0;
    int64_t j = k + 1;
    for (; j < stop && matched < 4; ++j) {
      const unsigned char c = bytes[j - base_];
      if (!kKept[c]) continue;
      if (c != static_cast<unsigned char>(kRest[matched])) break;
      ++matched;
    }
    if (matched == 4) pending_.push_back({k, j - 1});
    found_ = k + 1;
  }
}

void ProjectFileScanner::ReadFirstBlock(OpenFile& file, const ProjectScanHooks& hooks) {
  Refill();
  if (hooks.inflater && length_ >= 2 && buffer_[0] == kGzipMagic0 && buffer_[1] == kGzipMagic1) {
    // Compressed: read again from the start, decoded.
    file.gzip = true;
    file.read = 0;
    length_ = 0;
    ended_ = false;
    hooks.inflater->Begin([&file](unsigned char* out, size_t n) { return file.ReadRaw(out, n); });
    Refill();
    if (length_ == 0 && !cancelled_) {
      // The signature without gzip data behind it: the file's own bytes are
      // read, as every other project's.
      file.gzip = false;
      file.read = 0;
      ended_ = false;
      total_ = 0;
      Refill();
    }
  }
}

bool ProjectFileScanner::Begin(const fs::path& path, OpenFile& file) {
  cancelled_ = false;
  ended_ = false;
  length_ = 0;
  base_ = keepFrom_ = found_ = total_ = 0;
  pending_.clear();

  // Only a regular file is read (a pipe named like a project would block).
  Result<std::unique_ptr<ReadableFile>> opened = Files().OpenForReading(path);
  if (!opened.ok()) return false;
  file.file = std::move(*opened);
  file.size = static_cast<int64_t>(std::min<uint64_t>(file.file->Size(), INT64_MAX));
  const size_t capacity = blockSize_ + static_cast<size_t>(2 * kLookAhead);
  if (buffer_.size() < capacity) buffer_.resize(capacity);
  return true;
}

// Where the windows stand, and the first occurrence's word as far as it has been read.
struct ProjectFileScanner::Walk {
  std::set<std::string> found;
  int64_t position = 0;
  int64_t step = 1;
  std::string word;                      // the first occurrence's word: its kept characters, at most 15
  int64_t wordStart = -1, wordEnd = -1;  // its occurrence's start, and where its reading stopped
};

void ProjectFileScanner::ReadWindow(Walk& walk, int64_t width, bool wavOnly, const ProjectScanHooks& hooks) {
  const Occurrence first = pending_.front();
  const unsigned char* bytes = buffer_.data() - base_;  // indexed by file offset
  // The word of an occurrence only grows as the windows' end moves on: while it
  // stays the first one, reading goes on from where the last window stopped.
  if (first.start != walk.wordStart) {
    walk.wordStart = walk.wordEnd = first.start;
    walk.word.clear();
  }
  const int64_t limit = walk.position + width;
  while (walk.wordEnd < limit && walk.word.size() < 15) {
    // The next run of kept bytes, as far as the word's 15 characters and the window go.
    const int64_t from = NextKept(bytes, walk.wordEnd, limit);
    const int64_t most = from + static_cast<int64_t>(15 - walk.word.size());
    int64_t to = from;
    while (to < limit && to < most && kKept[bytes[to]]) ++to;
    walk.word.append(reinterpret_cast<const char*>(bytes + from), static_cast<size_t>(to - from));
    walk.wordEnd = to;
  }
  if (!wavOnly || walk.word.find("WAV") != std::string::npos) {
    if (walk.word.size() < kTrackCodeLength) {
      walk.step = width / 2;  // cut by the window's end: the next window reads it whole
    } else {
      int64_t x = 1;  // its place in the kept text of the window, from 1
      for (int64_t i = walk.position; i < first.start; ++i) x += kKept[bytes[i]];
      walk.found.insert(walk.word.substr(0, kTrackCodeLength));
      if (hooks.onCodeFound) hooks.onCodeFound(walk.found.size());
      walk.step = x + static_cast<int64_t>(kTrackCodeLength);
    }
  } else if (width == kScanWindow) {
    PassUncountedWindows(walk, first);
  }
}

void ProjectFileScanner::PassUncountedWindows(Walk& walk, const Occurrence& first) {
  // Not counted, and the move stays as it was: the windows that follow give
  // this same result while the occurrence stays their first one, they are
  // whole, and (for a word under 15 characters) their end reaches no
  // further kept byte. They are passed over in one jump to the last of them.
  const unsigned char* bytes = buffer_.data() - base_;  // indexed by file offset
  int64_t last = first.start;
  if (ended_) last = std::min(last, total_ - kScanWindow);
  if (walk.word.size() < 15) {
    const int64_t end = base_ + static_cast<int64_t>(length_);
    int64_t next = walk.position + kScanWindow;
    const int64_t stop = std::min(first.start + kScanWindow, end);
    next = NextKept(bytes, next, stop);
    if (next < stop) last = std::min(last, next - kScanWindow);
    walk.wordEnd = next;  // the bytes up to it are dropped: the word reads on from there
  }
  if (last > walk.position) walk.position += (last - walk.position) / walk.step * walk.step;
}

int ProjectFileScanner::ScanProjectFile(const fs::path& path, bool wavOnly, std::vector<std::string>& codes,
                                        const ProjectScanHooks& hooks) {
  codes.clear();
  OpenFile file;
  if (!Begin(path, file)) return -1;
  file_ = &file;
  hooks_ = &hooks;
  struct Release {
    ProjectFileScanner* self;
    ~Release() {
      self->file_ = nullptr;
      self->hooks_ = nullptr;
    }
  } release{this};

  ReadFirstBlock(file, hooks);
  if (!Ensure(kLookAhead) || (ended_ && total_ < kScanWindow)) return -1;

  Walk walk;
  while (true) {
    walk.position += walk.step;
    keepFrom_ = walk.position;
    if (!Ensure(walk.position + kLookAhead)) break;
    int64_t width = kScanWindow;
    if (ended_) width = std::clamp<int64_t>(total_ - walk.position, 0, kScanWindow);
    FindUpTo(walk.position + width);
    while (!pending_.empty() && pending_.front().start < walk.position) pending_.pop_front();

    if (pending_.empty() || pending_.front().last >= walk.position + width) {
      walk.step = width / 2;
    } else {
      ReadWindow(walk, width, wavOnly, hooks);
    }
    if (width < kScanWindow) break;
  }
  codes.assign(walk.found.begin(), walk.found.end());
  return codes.empty() ? -1 : 0;
}

int ScanProjectFile(const fs::path& path, bool wavOnly, std::vector<std::string>& codes,
                    const ProjectScanHooks& hooks) {
  ProjectFileScanner scanner;
  return scanner.ScanProjectFile(path, wavOnly, codes, hooks);
}

}  // namespace trakvella
