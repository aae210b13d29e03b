#pragma once
// The small catalogue the export tests share: a CD filed under both FILM MUSIC
// and FX / JINGLES with tracks that exercise the tag-line rules, and a second
// CD whose texts need escaping; scripted ports and a program folder.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/exports/ExportRun.h"
#include "core/musicset/MusicSet.h"
#include "core/text/Text.h"
#include "support/CatalogueFixture.h"

namespace trakvella::testing {

struct ExportTest : ::testing::Test {
  TempDir cat, home;
  LoadedCatalogue loaded;
  FakeDialogs dialogs;
  FakeProgress progress;
  FakeClipboard clipboard;
  std::unique_ptr<ExportContext> context;

  const Language russian = Language::Russian;  // the set's

  void SetUp() override {
    FixtureCatalogue f;
    f.titles = {"KMLB_003=KMLB_003 Promo",
                "KMLB_003_001=Main Theme\tRU-A47-07-003-001\t00:14\tA. One, B. Two (обр.), C. Three, D. Four\tBand",
                "KMLB_003_002=Main Theme (30 sec)\tI2\t00:15\tA. One\tBand",
                "KMLB_003_003=Other\tI3\t01:05\tA. One\tBand",
                "KMLB_003_004=Long\tI4\t01:06\tA. One\tBand",
                "KMLB_012=KMLB_012 Drama",
                "KMLB_012_001=Tension & <Co>\tI5\t02:00\tИ. Петров\tОркестр"};
    f.tracks = {"KMLB_003_001=0 !I", "KMLB_003_002=5 !F DANCE ETHNO !S [120] <8B>",
                "KMLB_003_003=3 !B !I POP RETRO 80-90s [90] <12A>", "KMLB_003_004=2 !M NEW YEAR [100] <5A>",
                "KMLB_012_001=1 !H CINEMATIC 60-70s [70] <9A>"};
    f.writers = {"И. Петров=Иван Петров"};
    f.translate = {"DRAMA=Драма", "SUSPENSE=Напряжение"};
    f.blocks = {{"KMLB_003", NfoBlock("KMLB_003", "Promo",
                                      {"* ALL LIBRARY >> FILM MUSIC", "* ALL LIBRARY >> FX / JINGLES"}, "122007")},
                {"KMLB_012", NfoBlock("KMLB_012", "Drama", {"DRAMA >> SUSPENSE"}, "052010")}};
    f.Write(cat.path());
    LoadOptions o;
    o.programFolder = home.path();
    o.today = {2026, 12};
    LoadFolder(loaded, cat.path(), o);
    context = std::make_unique<ExportContext>(
        ExportContext{loaded.catalogue, dialogs, progress, clipboard, Language::Russian, home.path(), {}});
  }

  // A music set of the tracks, loaded as a list file of bare codes.
  MusicSet Set(const std::vector<std::string>& codes) {
    MusicSet set(loaded.catalogue, dialogs, russian);
    set.LoadSet(codes);
    return set;
  }

  // The clipboard text cut into lines, and a line into its TAB fields.
  static std::vector<std::string> Lines(const std::string& text) { return SplitLines(text); }
  static std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
      fields.push_back(line.substr(from, tab - from));
    fields.push_back(line.substr(from));
    return fields;
  }
};

}  // namespace trakvella::testing
