// The tools' RAR 4 writer, checked by two readers that are not ours: Debian's
// bsdtar (libarchive) and unar (The Unarchiver) must list the same names and
// extract the same bytes as went in.
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  q += '\'';
  return q;
}

// Runs a shell command in the UTF-8 locale; its exit status, stdout in *out.
int Shell(const std::string& command, const fs::path& scratch, std::string* out = nullptr) {
  const fs::path file = scratch / "command.out";
  const int raw = std::system(("LC_ALL=C.UTF-8 " + command + " > " + Quote(file.string()) + " 2>&1").c_str());
  if (out) *out = ReadFile(file);
  return raw;
}

std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) files[fs::relative(e.path(), folder).string()] = ReadFile(e.path());
  return files;
}

TEST(Rar4StoreWriter, BsdtarAndUnarListAndExtractWhatWentIn) {
  TempDir dir;
  std::string binary(300000, '\0');
  std::mt19937 random(7);
  for (char& c : binary) c = static_cast<char>(random());
  const std::map<std::string, std::string> entries = {
      {"KMLB_003_001 Аплодисменты.mp3", binary},             // a Unicode name, more than one 64 KiB block
      {"sub/deeper/notes.txt", "first line\r\nsecond\r\n"},  // folders
      {"empty.dat", ""},
  };
  std::string arguments;
  int n = 0;
  for (const auto& [name, bytes] : entries) {
    const fs::path source = dir.path() / "in" / std::to_string(n++);
    WriteFile(source, bytes);
    arguments += ' ';
    arguments += Quote(name + "=" + source.string());
  }
  const fs::path archive = dir.path() / "t.rar";
  ASSERT_EQ(Shell("/usr/bin/python3 " + Quote(std::string(TRAKVELLA_SOURCE_DIR) + "/tools/rar4_store.py") + " " +
                      Quote(archive.string()) + arguments,
                  dir.path()),
            0);

  std::string listed;
  ASSERT_EQ(Shell("bsdtar -tf " + Quote(archive.string()), dir.path(), &listed), 0) << listed;
  std::string unarListed;
  ASSERT_EQ(Shell("lsar " + Quote(archive.string()), dir.path(), &unarListed), 0) << unarListed;
  for (const auto& [name, bytes] : entries) {
    EXPECT_NE(listed.find(name + "\n"), std::string::npos) << name << " in\n" << listed;
    EXPECT_NE(unarListed.find(name + "\n"), std::string::npos) << name << " in\n" << unarListed;
  }

  const fs::path byBsdtar = dir.path() / "bsdtar", byUnar = dir.path() / "unar";
  fs::create_directories(byBsdtar);
  fs::create_directories(byUnar);
  std::string output;
  ASSERT_EQ(Shell("bsdtar -xf " + Quote(archive.string()) + " -C " + Quote(byBsdtar.string()), dir.path(), &output), 0)
      << output;
  ASSERT_EQ(Shell("unar -q -D -o " + Quote(byUnar.string()) + " " + Quote(archive.string()), dir.path(), &output), 0)
      << output;
  EXPECT_EQ(FilesUnder(byBsdtar), entries);
  EXPECT_EQ(FilesUnder(byUnar), entries);
}

}  // namespace
}  // namespace trakvella
