// What catalogue texts may hold and the web exports must survive: a control
// character in a title, quotes and an ampersand in a CD's name. The XML files
// are read back by xmllint.
#include <cstdlib>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/browse/Browser.h"
#include "core/exports/ShopExports.h"
#include "core/exports/XmlExports.h"
#include "ports/Random.h"
#include "support/CatalogueFixture.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;

TEST(ExportTexts, XmlStaysWellFormedAndTheTreeLinkKeepsTheWholeNameWhateverTheTextsHold) {
  TempDir cat, home;
  FixtureCatalogue f;
  // A word processor's line break (VT) inside a title.
  f.titles = {"KMLB_020=KMLB_020 Rock \"n\" Roll & Co", "KMLB_020_001=Line\vBreak\tI1\t01:00\tA. One\tBand"};
  f.tracks = {"KMLB_020_001=4 !F ROCK [120] <8B>"};
  f.blocks = {{"KMLB_020", NfoBlock("KMLB_020", "Rock", {"ROCK >> OLD"}, "122007")}};
  f.Write(cat.path());
  LoadedCatalogue loaded;
  LoadOptions options;
  options.programFolder = home.path();
  options.today = {2026, 12};
  LoadFolder(loaded, cat.path(), options);
  FakeDialogs dialogs;
  FakeProgress progress;
  FakeClipboard clipboard;
  ExportContext context{loaded.catalogue, dialogs, progress, clipboard, Language::English, home.path(), {}};
  StdRandom random(3);
  const Language english = Language::English;
  Browser browser(loaded.catalogue, dialogs, progress, random, english);

  browser.Home();
  ASSERT_TRUE(ExportDesktopXml(context, browser, DesktopXmlFiles(home.path())).done());
  browser.Home();
  ASSERT_TRUE(ExportSiteXml(context, browser, SiteXmlFiles(home.path())).done());
  for (const char* name : {"trakvella-desktop_UTF8_wo_BOM.xml", "trakvella-com_UTF8_wo_BOM.xml"}) {
    const std::string file = (home.path() / name).string();
    EXPECT_EQ(std::system(("xmllint --noout '" + file + "' 2>/dev/null").c_str()), 0) << name;
    EXPECT_THAT(ReadFile(home.path() / name), HasSubstr("<title>Line Break</title>")) << name;
  }

  browser.Home();
  ASSERT_TRUE(ExportCategoryTreeHtml(context, browser).done());
  EXPECT_THAT(clipboard.text, HasSubstr("&playlist=KMLB_020 Rock &quot;n&quot; Roll &amp; Co\"><img"));
}

}  // namespace
}  // namespace trakvella::testing
