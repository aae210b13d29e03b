// The project file scan: the block reader against the window rule read window
// by window, the WAV rule, two-byte text, gzip projects and a 2 GB file.
#include "core/maintenance/ProjectScan.h"

#include <fstream>
#include <random>
#include <set>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "adapters/ZlibInflater.h"
#include "support/Fakes.h"
#include "support/Gzip.h"

namespace trakvella {
namespace {

using testing::Gzip;

using testing::TempDir;
using testing::WriteFile;

bool Kept(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// The window rule read literally: one read of up to 250 bytes per window.
// Its one departure from the rule as first written is the program's too: a
// code cut by the window's end is not taken in part (the window moves on by half).
std::vector<std::string> WindowByWindow(const std::string& bytes, bool wavOnly) {
  std::set<std::string> codes;
  const long long size = static_cast<long long>(bytes.size());
  if (size < 250) return {};
  long long position = 0, step = 1;
  do {
    position += step;
    const std::string window = position < size ? bytes.substr(position, 250) : std::string();
    std::string kept;
    for (char c : window)
      if (Kept(c)) kept += c;
    const size_t at = kept.find("KMLB_");
    if (at == std::string::npos) {
      step = static_cast<long long>(window.size()) / 2;
    } else {
      const std::string word = kept.substr(at, 15);
      if (!wavOnly || word.find("WAV") != std::string::npos) {
        if (word.size() < 12) {
          step = static_cast<long long>(window.size()) / 2;
        } else {
          codes.insert(word.substr(0, 12));
          step = static_cast<long long>(at) + 1 + 12;
        }
      }
    }
  } while (!(position > size - 250));
  return {codes.begin(), codes.end()};
}

std::string Utf16(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

// Random project bytes with planted codes in the forms project files hold them.
std::string RandomProject(std::mt19937& rng, size_t size) {
  std::uniform_int_distribution<int> byte(0, 255), pick(0, 99);
  const int style = pick(rng) % 3;  // binary, upper-case text, mostly dropped bytes
  std::string bytes;
  bytes.reserve(size + 64);
  while (bytes.size() < size) {
    const int p = pick(rng);
    if (p < 2) {
      char code[16];
      std::snprintf(code, sizeof code, "KMLB_%03d_%03d", pick(rng) * 7 % 1000, pick(rng) % 20);
      const char* tails[] = {".WAV", ".wav", ".mp3", "WAV", "", "_WAV.WAV"};
      std::string planted = std::string(code) + tails[pick(rng) % 6];
      if (pick(rng) < 30) planted = Utf16(planted);
      if (pick(rng) < 10) planted = planted.substr(0, pick(rng) % planted.size());  // a cut one
      bytes += planted;
    } else if (p < 4) {
      const char* near[] = {"KMLB", "KML_B_", "K\\MLB_", "KMLB_\\KMLB_", "K"};
      bytes += near[pick(rng) % 5];
    } else if (style == 0) {
      bytes += static_cast<char>(byte(rng));
    } else if (style == 1) {
      bytes += static_cast<char>("ABCKMLB_0123456789 \\:"[pick(rng) % 21]);
    } else {
      bytes += static_cast<char>(pick(rng) < 90 ? 'a' + pick(rng) % 26 : 'A' + pick(rng) % 26);
    }
  }
  bytes.resize(size);
  return bytes;
}

TEST(ProjectScan, BlockReaderFindsWhatTheWindowRuleFinds) {
  TempDir dir;
  std::mt19937 rng(20240611);
  std::vector<size_t> sizes = {0, 1, 249, 250, 251, 252, 499, 500, 501, 1000};
  std::uniform_int_distribution<size_t> small(250, 6000), large(100000, 1500000);
  for (int i = 0; i < 150; ++i) sizes.push_back(small(rng));
  for (int i = 0; i < 6; ++i) sizes.push_back(large(rng));

  ZlibInflater inflater;
  ProjectScanHooks hooks;
  hooks.inflater = &inflater;
  ProjectFileScanner scanners[] = {ProjectFileScanner(61), ProjectFileScanner(613), ProjectFileScanner()};
  int withCodes = 0;
  for (size_t n = 0; n < sizes.size(); ++n) {
    const std::string bytes = RandomProject(rng, sizes[n]);
    const auto file = (dir.path() / std::to_string(n)).replace_extension(".cpr");
    const auto packed = (dir.path() / std::to_string(n)).replace_extension(".als");
    WriteFile(file, bytes);
    WriteFile(packed, Gzip(bytes));
    for (bool wavOnly : {false, true}) {
      const std::vector<std::string> expected = WindowByWindow(bytes, wavOnly);
      withCodes += !expected.empty();
      for (auto& scanner : scanners) {
        if (&scanner == &scanners[0] && bytes.size() > 20000) continue;  // tiny reads: small files only
        std::vector<std::string> codes;
        const int result = scanner.ScanProjectFile(file, wavOnly, codes, hooks);
        ASSERT_EQ(codes, expected) << "size " << bytes.size() << " wavOnly " << wavOnly;
        ASSERT_EQ(result, expected.empty() ? -1 : 0);
        ASSERT_EQ(scanner.ScanProjectFile(packed, wavOnly, codes, hooks), result);
        ASSERT_EQ(codes, expected) << "gzip, size " << bytes.size();
      }
    }
  }
  EXPECT_GT(withCodes, 100);  // the files did plant codes

  // Dense codes: every window holds codes, most not followed by WAV, so with
  // wavOnly the move stays at one byte from the first window on; the fillers
  // between them (none, kept, dropped, two-byte) end the windows' words anywhere,
  // and runs of dropped bytes are passed over many at a time.
  int dense = 0;
  for (int n = 0; n < 48; ++n) {
    std::uniform_int_distribution<int> pick(0, 99);
    std::string bytes = "KMLB_001_001.mp3";
    const size_t size = n < 40 ? 300 + n * 150 : 60000;
    while (bytes.size() < size) {
      char code[16];
      std::snprintf(code, sizeof code, "KMLB_%03d_%03d", pick(rng) * 3 % 1000, pick(rng) % 30);
      const char* tails[] = {".mp3", ".MP3", "_AIF", "", ".mp3\\", ".WAV"};
      std::string planted = std::string(code) + tails[pick(rng) < 97 ? pick(rng) % 5 : 5];
      bytes += pick(rng) < 20 ? Utf16(planted) : planted;
      const int gap = pick(rng) % (n % 4 == 0 ? 3 : 60);
      // Dropped bytes next to the kept ranges' ends and above ASCII, among kept ones.
      static constexpr char kFillers[] = "#Q\0z7 /:@[^`\xC0\xFF\x80";
      for (int g = 0; g < gap; ++g) bytes += kFillers[pick(rng) % (sizeof kFillers - 1)];
    }
    const auto file = (dir.path() / ("dense" + std::to_string(n))).replace_extension(".cpr");
    WriteFile(file, bytes);
    for (bool wavOnly : {true, false}) {
      const std::vector<std::string> expected = WindowByWindow(bytes, wavOnly);
      dense += wavOnly && !expected.empty();
      for (auto& scanner : scanners) {
        std::vector<std::string> codes;
        scanner.ScanProjectFile(file, wavOnly, codes, hooks);
        ASSERT_EQ(codes, expected) << "dense " << n << " wavOnly " << wavOnly;
      }
    }
  }
  EXPECT_GT(dense, 5);  // WAV codes were met among the others

  // Every placement of a code against the window edges, after a first code
  // that sets a long move.
  const std::string pieces[] = {"KMLB_003_012.WAV", "KMLB_003_012.wav", Utf16("KMLB_003_012.WAV"),
                                std::string(1, 'K').append(245, '#').append("MLB_003_012WAV")};
  int edge = 0;
  for (char filler : {'#', 'Q'})
    for (const std::string& piece : pieces)
      for (int offset = 100; offset < 420; ++offset) {
        const std::string bytes = "#KMLB_001_001.WAV" + std::string(offset, filler) + piece + std::string(260, '#');
        // A new file each time: rewriting one would wait for the disk.
        const auto file = (dir.path() / std::to_string(++edge)).replace_extension(".npr");
        WriteFile(file, bytes);
        for (bool wavOnly : {false, true}) {
          std::vector<std::string> codes;
          scanners[2].ScanProjectFile(file, wavOnly, codes, hooks);
          ASSERT_EQ(codes, WindowByWindow(bytes, wavOnly)) << "offset " << offset << " filler " << filler;
        }
      }
}

TEST(ProjectScan, WavRuleTwoByteTextAndCodesCutByAWindowEnd) {
  TempDir dir;
  const std::string filler(300, '#');
  auto scan = [&](const std::string& bytes, bool wavOnly) {
    WriteFile(dir.path() / "x.cpr", bytes);
    std::vector<std::string> codes;
    ScanProjectFile(dir.path() / "x.cpr", wavOnly, codes);
    return codes;
  };
  const std::vector<std::string> track3 = {"KMLB_012_003"};
  const std::string upper = filler + "C:\\Audio\\KMLB_012_003.WAV" + filler;
  const std::string lower = filler + "C:\\Audio\\KMLB_012_003.wav" + filler;
  EXPECT_EQ(scan(upper, false), track3);
  EXPECT_EQ(scan(upper, true), track3);
  EXPECT_EQ(scan(lower, false), track3);
  EXPECT_TRUE(scan(lower, true).empty());
  EXPECT_EQ(scan(Utf16(upper), true), track3);
  EXPECT_EQ(scan(Utf16(lower), false), track3);

  // The same code many times, and two codes: each once, sorted.
  EXPECT_EQ(scan(filler + "KMLB_002_001.wav KMLB_001_009.wav KMLB_002_001.wav" + filler, false),
            (std::vector<std::string>{"KMLB_001_009", "KMLB_002_001"}));

  // Kept bytes up to a code whose end lies past the first window: taken whole,
  // never as "KMLB_00" with the whole code lost.
  EXPECT_EQ(scan(std::string(245, 'Q') + "KMLB_003_012.wav" + filler, false),
            (std::vector<std::string>{"KMLB_003_012"}));
  // Under 250 bytes nothing is read.
  EXPECT_TRUE(scan(std::string(200, '#') + "KMLB_003_012.WAV" + std::string(33, '#'), false).empty());
}

TEST(ProjectScan, GzipProjectsAreDecodedAndDamagedOnesEndWhereTheyBreak) {
  TempDir dir;
  ZlibInflater inflater;
  ProjectScanHooks hooks;
  hooks.inflater = &inflater;
  const std::string first =
      std::string(4000, 'x') + "<FileRef Path=\"/audio/KMLB_021_004.wav\"/>" + std::string(4000, 'y');
  const std::string second = std::string(500, 'z') + "KMLB_033_001.WAV" + std::string(500, 'z');
  std::vector<std::string> codes;

  // Two members in a row, and zero padding after them.
  WriteFile(dir.path() / "set.als", Gzip(first) + Gzip(second) + std::string(512, '\0'));
  EXPECT_EQ(ScanProjectFile(dir.path() / "set.als", false, codes, hooks), 0);
  EXPECT_EQ(codes, (std::vector<std::string>{"KMLB_021_004", "KMLB_033_001"}));
  // Without an inflater the compressed bytes are read as they are: nothing.
  EXPECT_EQ(ScanProjectFile(dir.path() / "set.als", false, codes), -1);

  // Cut in the middle of the second member: the first still counts.
  const std::string packed = Gzip(first) + Gzip(second);
  WriteFile(dir.path() / "cut.prproj", packed.substr(0, packed.size() - 40));
  EXPECT_EQ(ScanProjectFile(dir.path() / "cut.prproj", false, codes, hooks), 0);
  EXPECT_EQ(codes.front(), "KMLB_021_004");
  // Garbage after the signature: nothing, and no crash.
  WriteFile(dir.path() / "junk.cpr", std::string("\x1f\x8b\x08\x00", 4) + std::string(1000, '\x55'));
  EXPECT_EQ(ScanProjectFile(dir.path() / "junk.cpr", false, codes, hooks), -1);
  // The signature with no gzip data behind it: the bytes are read as they are,
  // as every other project's.
  WriteFile(dir.path() / "raw.cpr",
            std::string("\x1f\x8b", 2) + std::string(300, ' ') + "KMLB_012_003.WAV" + std::string(300, ' '));
  EXPECT_EQ(ScanProjectFile(dir.path() / "raw.cpr", false, codes, hooks), 0);
  EXPECT_EQ(codes, std::vector<std::string>{"KMLB_012_003"});
}

TEST(ProjectScan, TwoGigabyteFileIsStreamedInOneBuffer) {
  TempDir dir;
  const auto file = dir.path() / "huge.npr";
  const long long size = 2LL << 30;
  {
    std::ofstream out(file, std::ios::binary);
    out.seekp(size - 300);
    out << "KMLB_101_002.WAV";
  }
  std::filesystem::resize_file(file, size);  // sparse: no disk spent on the zeros
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  testing::FakeProgress progress;
  ProjectScanHooks hooks;
  hooks.progress = &progress;
  long long lastGauge = 0, gaugeMax = 0;
  hooks.onGauge = [&](int64_t position, int64_t maximum) {
    lastGauge = position;
    gaugeMax = maximum;
  };
  std::vector<std::string> codes;
  EXPECT_EQ(ScanProjectFile(file, true, codes, hooks), 0);
  getrusage(RUSAGE_SELF, &after);
  EXPECT_EQ(codes, std::vector<std::string>{"KMLB_101_002"});
  EXPECT_EQ(lastGauge, size);
  EXPECT_EQ(gaugeMax, size);
  EXPECT_GT(progress.pumps, 1000);                           // the window kept being pumped
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024);  // kilobytes
}

}  // namespace
}  // namespace trakvella
