#include "support/RarArchives.h"

#include <cstdlib>
#include <stdexcept>

#include "support/Fakes.h"

namespace trakvella::testing {

namespace {
std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  q += '\'';
  return q;
}
}  // namespace

void WriteRarArchive(const std::filesystem::path& archive,
                     const std::vector<std::pair<std::string, std::string>>& entries) {
  std::vector<RarEntry> plain;
  for (const auto& [name, bytes] : entries) plain.push_back({name, bytes});
  WriteRarEntries(archive, plain);
}

void WriteRarEntries(const std::filesystem::path& archive, const std::vector<RarEntry>& entries) {
  namespace fs = std::filesystem;
  TempDir sources;
  std::string command =
      "python3 " + Quote(std::string(TRAKVELLA_SOURCE_DIR) + "/tools/rar4_store.py") + " " + Quote(archive.string());
  for (size_t i = 0; i < entries.size(); ++i) {
    const auto source = sources.path() / std::to_string(i);
    if (entries[i].link) {
      fs::create_symlink(entries[i].bytes, source);
    } else {
      WriteFile(source, entries[i].bytes);
      fs::permissions(source, static_cast<fs::perms>(entries[i].permissions), fs::perm_options::replace);
    }
    command += ' ';
    command += Quote(entries[i].name + "=" + source.string());
  }
  if (std::system(command.c_str()) != 0) throw std::runtime_error("rar4_store.py failed: " + command);
}

}  // namespace trakvella::testing
