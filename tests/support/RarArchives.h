#pragma once
// Real RAR 4 archives for the tests, written by tools/rar4_store.py.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace trakvella::testing {

// Writes archive with one entry per (name, bytes), in order; names are stored
// as given ("../x" included). Throws std::runtime_error when the writer fails.
void WriteRarArchive(const std::filesystem::path& archive,
                     const std::vector<std::pair<std::string, std::string>>& entries);

// An entry with its Unix permission bits; a link entry's bytes are its target.
struct RarEntry {
  std::string name;
  std::string bytes;
  unsigned permissions = 0644;
  bool link = false;
};
void WriteRarEntries(const std::filesystem::path& archive, const std::vector<RarEntry>& entries);

}  // namespace trakvella::testing
