#pragma once
// ProjectScan: reads one audio-editor project file as raw bytes for the
// library's track codes. The scanner owns one read buffer, reused file to file.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ports/Inflater.h"
#include "ports/Progress.h"

namespace trakvella {

// The width of the window the codes are looked for in, in bytes.
inline constexpr int kScanWindow = 250;
// How much of a file is read at once.
inline constexpr size_t kScanBlock = 1 << 20;

// What a scan reports while it reads; every member may be left empty.
struct ProjectScanHooks {
  // Pumped after every block read; its cancel flag ends the file where it stands.
  Progress* progress = nullptr;
  // Files that begin with the gzip signature are read through it as the bytes
  // they stand for; without one they are read as they are.
  Inflater* inflater = nullptr;
  // The file gauge: bytes of the file read so far and the file's size.
  std::function<void(int64_t position, int64_t maximum)> onGauge;
  // After each code counted: how many different codes the file has given so far.
  std::function<void(size_t codesOfFile)> onCodeFound;
};

// The scan of one project file. A window of 250 bytes slides over the file
// (decoded first when it is gzip data); of each window only "A"-"Z", "0"-"9"
// and "_" are kept, the other bytes dropped, so codes written with one or two
// bytes per character read alike. A window without "KMLB_" moves on by half
// its length; one with it takes the 15 characters from the first "KMLB_" and,
// when they count (with wavOnly only when "WAV" is among them), adds their first
// 12 as a code and moves on to just after it (by its position in the kept
// text plus 12); a window whose 15 characters do not count keeps the last move.
// The first window starts at byte 1 and the last is the first that ends at
// the file's end; a file under 250 bytes is not read. A code cut by a
// window's end is never taken in part: the window moves on by half its length
// and the next one reads the code whole.
class ProjectFileScanner {
 public:
  // blockSize: the size of each read (tests use small ones to reach block edges).
  explicit ProjectFileScanner(size_t blockSize = kScanBlock);

  // Fills codes with the file's codes, sorted and each once. Returns 0 when at
  // least one was found, -1 otherwise (also for a file that cannot be read).
  int ScanProjectFile(const std::filesystem::path& path, bool wavOnly, std::vector<std::string>& codes,
                      const ProjectScanHooks& hooks = {});

  // Whether the last scan ended on the cancel flag.
  bool cancelled() const { return cancelled_; }

 private:
  struct Occurrence {
    int64_t start;  // the byte of its "K"
    int64_t last;   // the byte of its "_"
  };
  bool Ensure(int64_t upTo);
  struct OpenFile;
  struct Walk;
  // Resets the scan and opens path; false when it cannot be read.
  bool Begin(const std::filesystem::path& path, OpenFile& file);
  // A window holding a whole occurrence: its word is read on, and counted or passed over.
  void ReadWindow(Walk& walk, int64_t width, bool wavOnly, const ProjectScanHooks& hooks);
  // A whole window whose word does not count: the windows that give the same result are passed in one jump.
  void PassUncountedWindows(Walk& walk, const Occurrence& first);
  // Reads the first block; a file with the gzip signature is read again from its start, decoded, when
  // its data decode.
  void ReadFirstBlock(OpenFile& file, const ProjectScanHooks& hooks);
  bool Refill();
  void FindUpTo(int64_t limit);
  size_t ReadSource(unsigned char* out, size_t size);

  size_t blockSize_;
  std::vector<unsigned char> buffer_;
  size_t length_ = 0;  // buffer_[0, length_) holds the bytes from base_ on
  int64_t base_ = 0;
  int64_t keepFrom_ = 0;  // nothing before this byte is needed any more
  bool ended_ = false;
  int64_t total_ = 0;               // the decoded size, once ended_
  int64_t found_ = 0;               // every "K" before this byte has been looked at
  std::deque<Occurrence> pending_;  // occurrences from keepFrom_ on, in file order
  bool cancelled_ = false;

  // The file being read.
  OpenFile* file_ = nullptr;
  const ProjectScanHooks* hooks_ = nullptr;
};

// One scan with a scanner of its own.
int ScanProjectFile(const std::filesystem::path& path, bool wavOnly, std::vector<std::string>& codes,
                    const ProjectScanHooks& hooks = {});

}  // namespace trakvella
