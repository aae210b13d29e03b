// Set list files the program is started with (a .rq2 file opened from the
// desktop) join the set the settings kept at the first initialisation only;
// a file that cannot be read is named and changes nothing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/app/AppView.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/MessageTable.h"
#include "core/musicset/MusicSet.h"
#include "core/settings/Settings.h"
#include "core/text/Text.h"
#include "ports/Random.h"
#include "support/Fakes.h"
#include "support/PageHttp.h"
#include "support/ScriptedMediaDevice.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(AppOpenedSetLists, AreAppendedOnceAfterTheKeptSetAndAnUnreadableOneIsNamed) {
  TempDir home;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeShell shell;
  StdRandom random{3};
  ScriptedMediaDevice device;
  PageHttp http;
  WriteFile(home.path() / "opened.rq2", "KMLB_005_002=Sale,-,-\r\nKMLB_003_001=Promo,/work/a,Promo\r\n");
  AppOptions options;
  options.programFolder = home.path();
  options.today = [] { return YearMonth{2026, 12}; };
  options.setListFiles = {home.path() / "missing.rq2", home.path() / "opened.rq2"};
  struct SetShownView : AppView {
    int shown = 0;
    void ShowOpenedSetLists() override { ++shown; }
  } view;
  App app(options, AppPorts{&dialogs, &clipboard, &shell, &random, &device, &http});
  app.Start();
  app.SetView(&view);
  Settings kept;
  kept.musicSetLines = {"KMLB_003_002=Kept,-,-"};
  app.ApplySettings(kept);

  app.FirstActivation();
  EXPECT_THAT(app.musicSet().Codes(), ElementsAre("KMLB_003_002", "KMLB_005_002", "KMLB_003_001"));
  EXPECT_EQ(app.musicSet()[2].projectFolder, "/work/a");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_THAT(dialogs.shown[0].text, HasSubstr(LangMessage(app.language(), Msg::FileNotRead)));
  EXPECT_THAT(dialogs.shown[0].text, HasSubstr("missing.rq2"));
  EXPECT_EQ(view.shown, 1);

  // A re-initialisation keeps the set as it stands and opens no file again.
  app.ReinitialiseLibrary(false);
  EXPECT_EQ(app.musicSet().size(), 3u);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(view.shown, 1);
}

}  // namespace
}  // namespace trakvella::testing
