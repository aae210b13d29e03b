#include "support/CatalogueFixture.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <unistd.h>

#include "core/text/Text.h"

namespace trakvella::testing {

std::string ResourceBytes(const std::vector<std::string>& lines, bool endMark) {
  std::string text = JoinLinesCrLf(lines);
  if (endMark) text += "®\r\n";
  return Utf8ToCp1251(text);
}

std::vector<std::string> NfoBlock(const std::string& cdCode, const std::string& title,
                                  const std::vector<std::string>& categories, const std::string& date) {
  std::vector<std::string> lines = {
      "Library: KMLB", "Title: " + title, "CD#: " + cdCode, "Description: " + title + " for every occasion",
      "Composers:",    "Иван Петров",     "Categories:"};
  lines.insert(lines.end(), categories.begin(), categories.end());
  lines.push_back("-");
  lines.push_back(date);
  return lines;
}

void FixtureCatalogue::Write(const std::filesystem::path& folder) const {
  WriteFile(folder / "TEXT" / "KMLB_TRACKS.txt", ResourceBytes(tracks));
  WriteFile(folder / "TEXT" / "KMLB_XLS.txt", ResourceBytes(titles));
  WriteFile(folder / "TEXT" / "TRANSLATECATS.txt", ResourceBytes(translate));
  WriteFile(folder / "TEXT" / "SIMILARCD.txt", ResourceBytes(similar));
  WriteFile(folder / "TEXT" / "WRITERSINFO.txt", ResourceBytes(writers));
  for (const auto& [name, lines] : blocks) WriteFile(folder / "NFO" / (name + ".nfo"), ResourceBytes(lines));
}

FixtureCatalogue TagLineCatalogue(const std::vector<std::string>& tagLines) {
  FixtureCatalogue f;
  f.titles = {"KMLB_010=KMLB_010 Tags"};
  for (size_t i = 0; i < tagLines.size(); ++i) {
    char code[32];
    std::snprintf(code, sizeof code, "KMLB_010_%03zu", i + 1);
    f.titles.push_back(std::string(code) + "=Track " + std::to_string(i + 1) + "\tI\t01:00\tC\tP");
    f.tracks.push_back(std::string(code) + "=" + tagLines[i]);
  }
  f.blocks = {{"KMLB_010", NfoBlock("KMLB_010", "Tags", {"A >> B"}, "012020")}};
  return f;
}

void LoadFolder(LoadedCatalogue& out, const std::filesystem::path& folder, LoadOptions options) {
  FolderResourceStore store(folder);
  out.catalogue.ReadCatalogueTables(store, out.dialogs);
  out.catalogue.LoadCatalogue(store, options, out.dialogs, out.progress);
}

std::filesystem::path GeneratedCatalogue(bool shuffled) {
  static std::map<bool, std::filesystem::path> made;
  auto it = made.find(shuffled);
  if (it != made.end()) return it->second;
  auto folder = std::filesystem::temp_directory_path() /
                ("trakvella-generated-" + std::to_string(::getpid()) + (shuffled ? "-shuffled" : ""));
  std::string command = std::string("python3 ") + TRAKVELLA_SOURCE_DIR + "/tools/gen_catalogue.py --out '" +
                        folder.string() + "'" + (shuffled ? " --shuffle" : "") + " > /dev/null";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("catalogue generator failed: " + command);
  made[shuffled] = folder;
  // Removed when the test program ends.
  static struct Cleanup {
    std::map<bool, std::filesystem::path>* folders;
    ~Cleanup() {
      std::error_code ec;
      for (auto& [_, f] : *folders) std::filesystem::remove_all(f, ec);
    }
  } cleanup{&made};
  return folder;
}

}  // namespace trakvella::testing
