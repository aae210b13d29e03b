#pragma once
// A small catalogue and an empty music set over it, shared by the music set tests.
// CD 003 (one category path holds a comma) has three tracks, one of them a local
// .wav and one a local .mp3; CD 005 has one.
#include <memory>

#include <gtest/gtest.h>

#include "core/musicset/MusicSet.h"
#include "support/CatalogueFixture.h"

namespace trakvella::testing {

struct SetTest : ::testing::Test, MusicSetView {
  TempDir cat, home;
  LoadedCatalogue loaded;
  Language language = Language::English;
  bool developer = false;
  std::unique_ptr<MusicSet> set;
  int changes = 0;

  void SetUp() override {
    FixtureCatalogue f;
    f.titles = {"KMLB_003=KMLB_003 Promo",
                "KMLB_003_001=Wind, Rain\tRU-A47-08-003-001\t03:10\tИ. Петров\tОркестр",
                "KMLB_003_002=Who? / Why\t\t00:45\tJ. Smith\tBand",
                "KMLB_003_012=Tail\t\t1:3\tC\tP",
                "KMLB_005=KMLB_005 Dance",
                "KMLB_005_001=Night\t\t02:00\tC\tP"};
    f.tracks = {"KMLB_003_001=4 POP", "KMLB_003_002=2 JAZZ", "KMLB_003_012=0", "KMLB_005_001=4 DANCE"};
    f.blocks = {
        {"KMLB_003", NfoBlock("KMLB_003", "Promo", {"DANCE MUSIC >> LINKS, LOGOS & STINGS", "FX >> SWEEPS"}, "012010")},
        {"KMLB_005", NfoBlock("KMLB_005", "Dance", {"A >> B"}, "022012")}};
    f.Write(cat.path());
    WriteFile(home.path() / "audio" / "KMLB_003_001 Wind.wav", "x");
    WriteFile(home.path() / "audio" / "KMLB_003_002 Who.mp3", "x");
    LoadOptions o;
    o.programFolder = home.path();
    o.today = {2026, 12};
    LoadFolder(loaded, cat.path(), o);
    loaded.dialogs.shown.clear();
    set = std::make_unique<MusicSet>(loaded.catalogue, loaded.dialogs, language);
    set->SetView(this);
  }
  void SetChanged() override { ++changes; }
  bool DeveloperMenuShown() const override { return developer; }

  const Catalogue& catalogue() const { return loaded.catalogue; }
  TrackRef At(const std::string& code) const { return loaded.catalogue.LocateTrack(code); }
  std::string Specific(int cd) const { return catalogue().Cd(cd).categories[1] + " : " + catalogue().Cd(cd).cdText; }
  std::vector<std::string> Codes() const { return set->Codes(); }
  std::vector<std::string> Shown() const { return loaded.dialogs.Texts(); }
};

}  // namespace trakvella::testing
