#pragma once
// Small catalogue folders written by the tests: UTF-8 lines in, code page 1251
// files with CR LF line ends and the end mark out, in the TYPE/NAME.ext layout.
#include <filesystem>
#include <string>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "support/Fakes.h"

namespace trakvella::testing {

// The bytes of a resource: lines in code page 1251, CR LF, then the end mark line.
std::string ResourceBytes(const std::vector<std::string>& lines, bool endMark = true);

// A valid information block: Library, Title, CD#, Description, Composers, one
// composer, Categories, the paths, "-", the date.
std::vector<std::string> NfoBlock(const std::string& cdCode, const std::string& title,
                                  const std::vector<std::string>& categories, const std::string& date);

struct FixtureCatalogue {
  std::vector<std::string> tracks;                                       // KMLB_TRACKS rows
  std::vector<std::string> titles;                                       // KMLB_XLS rows
  std::vector<std::string> translate;                                    // TRANSLATECATS rows
  std::vector<std::string> similar;                                      // SIMILARCD rows
  std::vector<std::string> writers;                                      // WRITERSINFO rows
  std::vector<std::pair<std::string, std::vector<std::string>>> blocks;  // NFO name, lines

  void Write(const std::filesystem::path& folder) const;
};

// One CD (KMLB_010, "Tags") whose tracks KMLB_010_001, _002, ... carry the tag lines, in order.
FixtureCatalogue TagLineCatalogue(const std::vector<std::string>& tagLines);

// Reads and loads a catalogue folder with scripted dialogs and progress.
struct LoadedCatalogue {
  Catalogue catalogue;
  FakeDialogs dialogs;
  FakeProgress progress;
};
void LoadFolder(LoadedCatalogue& out, const std::filesystem::path& folder, LoadOptions options);

// The path of the generated full-size catalogue (made once per test run).
std::filesystem::path GeneratedCatalogue(bool shuffled);

}  // namespace trakvella::testing
