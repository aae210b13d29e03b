#pragma once
// BsdtarArchiveReader: the ArchiveReader port over the bsdtar tool, for tests
// that unpack real archives before the program's own libarchive adapter is
// at hand. Lists with "bsdtar -tvf", extracts keeping folders with "bsdtar -xf".
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ports/ArchiveReader.h"

namespace trakvella::testing {

class BsdtarArchiveReader : public ArchiveReader {
 public:
  bool List(const std::filesystem::path& archive, std::vector<ArchiveEntry>& entries, std::string& error) override {
    entries.clear();
    std::string out;
    if (!Run("bsdtar -tvf " + Quoted(archive.string()) + " 2>/dev/null", out)) {
      error = "bsdtar cannot read " + archive.string();
      return false;
    }
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      // mode links uid gid size month day time name
      std::istringstream fields(line);
      std::string mode, links, uid, gid, month, day, time;
      ArchiveEntry entry;
      if (!(fields >> mode >> links >> uid >> gid >> entry.size >> month >> day >> time)) continue;
      std::getline(fields >> std::ws, entry.name);
      entry.isDirectory = !mode.empty() && mode[0] == 'd';
      entries.push_back(entry);
    }
    return true;
  }

  ExtractResult Extract(const std::filesystem::path& archive, const std::filesystem::path& folder, ExtractPaths,
                        const std::function<bool(int64_t, int64_t)>& onProgress) override {
    ExtractResult result;
    std::string out;
    std::filesystem::create_directories(folder);
    result.ok = Run("bsdtar -xf " + Quoted(archive.string()) + " -C " + Quoted(folder.string()) + " 2>&1", out);
    if (!result.ok) result.error = out;
    if (onProgress) onProgress(1, 1);
    return result;
  }

 private:
  static std::string Quoted(const std::string& word) { return "'" + word + "'"; }
  static bool Run(const std::string& command, std::string& out) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    return pclose(pipe) == 0;
  }
};

}  // namespace trakvella::testing
