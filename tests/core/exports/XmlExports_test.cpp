// The site and desktop XML catalogues, read back with a real XML parser
// (xmllint), and the category tree they walk.
#include "core/exports/XmlExports.h"

#include <cstdio>
#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/exports/ExportFixture.h"
#include "core/exports/ShopExports.h"
#include "ports/Random.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct Lint {
  int status = -1;
  std::string out;
};

// Runs xmllint with the arguments and collects its standard output.
Lint XmlLint(const std::string& arguments) {
  Lint r;
  FILE* pipe = ::popen(("xmllint " + arguments + " 2>/dev/null").c_str(), "r");
  if (!pipe) return r;
  char buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) r.out.append(buffer, n);
  r.status = ::pclose(pipe);
  return r;
}

// How often each track code stands in the album blocks of an XML file.
std::map<std::string, int> AlbumTrackCodes(const std::filesystem::path& file) {
  const Lint r = XmlLint("--xpath '//albums/album/tracks/track/@code' '" + file.string() + "'");
  std::map<std::string, int> codes;
  for (size_t at = r.out.find("code=\""); at != std::string::npos; at = r.out.find("code=\"", at)) {
    at += 6;
    const size_t end = r.out.find('"', at);
    ++codes[r.out.substr(at, end - at)];
  }
  return codes;
}

// The lines of one track's block.
std::string TrackBlock(const std::string& xml, const std::string& code) {
  const size_t from = xml.find("<track code=\"" + code + "\">");
  if (from == std::string::npos) return {};
  return xml.substr(from, xml.find("</track>", from) - from);
}

struct XmlExports : ExportTest {
  StdRandom random{3};
  const Language russian = Language::Russian;
  std::unique_ptr<Browser> browser;
  void SetUp() override {
    ExportTest::SetUp();
    browser = std::make_unique<Browser>(loaded.catalogue, dialogs, progress, random, russian);
    browser->Home();
  }
};

TEST_F(XmlExports, DesktopXmlIsWellFormedWithStyleThirtyAndImagingType) {
  const ExportResult r = ExportDesktopXml(*context, *browser, DesktopXmlFiles(home.path()));
  ASSERT_TRUE(r.done());
  const auto file = home.path() / "trakvella-desktop_UTF8_wo_BOM.xml";
  const std::string bytes = ReadFile(file);
  EXPECT_EQ(bytes, r.texts[0]);
  EXPECT_EQ(bytes.substr(0, 5), "<?xml");  // no byte-order mark
  EXPECT_EQ(XmlLint("--noout '" + file.string() + "'").status, 0);

  // A track without any style word gets the SFX/ID style 30; "!B" with "!I" is type 1.
  const std::string effect = TrackBlock(bytes, "KMLB_003_001");
  EXPECT_THAT(effect, HasSubstr("<track_mood />\r\n<track_styles>\r\n<track_style id=\"30\" />\r\n</track_styles>\r\n"
                                "<track_type>1</track_type>\r\n<sfx>1</sfx>\r\n<track_periods />\r\n"
                                "<track_tempos />"));
  EXPECT_THAT(TrackBlock(bytes, "KMLB_003_003"), HasSubstr("<track_type>1</track_type>"));
  EXPECT_THAT(TrackBlock(bytes, "KMLB_003_002"),
              HasSubstr("<trackprice>1250</trackprice>\r\n<isrc>I2</isrc>\r\n<title>Main Theme (30 sec)</title>\r\n"
                        "<composer>A. One</composer>\r\n<artist>Band</artist>\r\n<length>15</length>\r\n"
                        "<key>Cmaj</key>\r\n<bpm>120</bpm>\r\n<track_mood>5</track_mood>"));
  EXPECT_THAT(bytes, HasSubstr("<title>Tension &amp; &lt;Co&gt;</title>"));
  EXPECT_THAT(bytes, HasSubstr("<style id=\"12\"  weigth=\"100\">Ethn\xD0\xBE/World</style>"));
  EXPECT_THAT(bytes, HasSubstr("<style id=\"30\" weigth=\"50\">SFX/ID</style>"));
  EXPECT_THAT(bytes, HasSubstr("<period id=\"1\">Ретро</period>"));
  EXPECT_FALSE(browser->allowOpenCd());
}

TEST_F(XmlExports, DesktopPlaylistWithoutANameStopsTheExportOnly) {
  WriteFile(home.path() / "playlists_desktop.txt", "PLST_001\r\nNo quotes\r\nd\r\n1\r\nKMLB_003_001\r\n@\r\n");
  const ExportResult r = ExportDesktopXml(*context, *browser, DesktopXmlFiles(home.path()));
  EXPECT_EQ(r.outcome, ExportOutcome::Failed);
  EXPECT_EQ(dialogs.Texts().back(), "Ошибка! Не найдено имя плейлиста (имя должно быть между « и »)!\r1: No quotes");
  EXPECT_FALSE(std::filesystem::exists(home.path() / "trakvella-desktop_UTF8_wo_BOM.xml"));
  EXPECT_FALSE(progress.visible);
}

TEST_F(XmlExports, SiteXmlPricesTrendsPlaylistsAndTheEntryTest) {
  WriteFile(home.path() / "prices.txt", "kmlb_003=5000\r\n");
  WriteFile(home.path() / "trends.txt", "KMLB_012\r\n");
  WriteFile(home.path() / "playlists.txt",
            Utf8ToCp1251("PLST_001\r\nУтро & день\r\nБодрое\r\n4\r\nKMLB_003_002\r\nKMLB_012_001\r\n\r\n"
                         "PLST_001\r\nCopy\r\nd\r\n0\r\nKMLB_003_001\r\n\r\n"
                         "PLST_002\r\nВечер\r\nТихое\r\n0\r\nKMLB_003_002\r\n\r\n"
                         "PLST_701\r\nArchive\r\nd\r\n0\r\nKMLB_012_001\r\n@\r\n"));
  const ExportResult r = ExportSiteXml(*context, *browser, SiteXmlFiles(home.path()));
  ASSERT_TRUE(r.done());
  const auto file = home.path() / "trakvella-com_UTF8_wo_BOM.xml";
  EXPECT_EQ(XmlLint("--noout '" + file.string() + "'").status, 0);
  const std::string& xml = r.texts[0];
  EXPECT_THAT(xml, HasSubstr("<album code=\"KMLB_003\">\r\n<title>Promo</title>\r\n<price>5000</price>\r\n"
                             "<description><![CDATA[Promo for every occasion]]></description>\r\n<album_tags>\r\n"
                             "<album_tag id=\"20\" />\r\n"));
  EXPECT_THAT(xml, HasSubstr("<album_tag id=\"20\" />\r\n<album_tag id=\"3\" />"));  // the trend CD
  EXPECT_THAT(TrackBlock(xml, "KMLB_003_001"), HasSubstr("<track_styles />"));
  EXPECT_THAT(xml, HasSubstr("<style id=\"23\">POP-ROCK</style>"));
  EXPECT_THAT(xml, HasSubstr("<playlist code=\"PLST_001\" order=\"1\">\r\n<title>Утро &amp; день</title>\r\n"
                             "<description><![CDATA[ Бодрое ]]></description>\r\n<playlist_tags>\r\n"
                             "<playlist_tag id=\"5\" />"));
  EXPECT_THAT(xml, Not(HasSubstr("<title>Copy</title>")));  // a code already written is skipped
  EXPECT_THAT(xml, HasSubstr("<playlist code=\"PLST_002\" order=\"2\">"));
  // The tree: the first category met is the head of the directions.
  EXPECT_THAT(xml, HasSubstr("<tags>\r\n<tag id=\"1\"><title>НАПРАВЛЕНИЯ</title></tag>\r\n"));
  EXPECT_THAT(xml, HasSubstr("<title>9. Напряжение</title>"));  // translated in the Russian interface
  // PLST_701 does not count; KMLB_003_002 stands in two playlists.
  EXPECT_EQ(ReadFile(home.path() / "playlists_entry_test.txt"), "KMLB_003_002=PLST_001,PLST_002\r\n");
}

TEST_F(XmlExports, CategoryTreeHtmlNestsEveryLevel) {
  ASSERT_TRUE(ExportCategoryTreeHtml(*context, *browser).done());
  // A category opens a list of its level, which the end of that level closes.
  const std::string fold = "<li class=\"cl\"><div><p><a class=\"sc\" href=\"#\" onclick=\"return UnHide(this)\">";
  EXPECT_THAT(clipboard.text,
              HasSubstr(fold + "&#9658;&nbsp;Драма</a></p></div><ul>\r\n" + fold +
                        "&#9658;&nbsp;Напряжение</a></p></div><ul>\r\n<li class=\"cl\"><div><p><a class=\"fancybox "
                        "fancybox.iframe\" href=\"http://old.kmlb-library.example/KMLB?style=ВСЕ "
                        "СБОРНИКИ&playlist=KMLB_012 Drama\"><img class=\"i\" src=\"images/idisk.gif\">KMLB_012 "
                        "Drama</a></p></div></li>\r\n</ul></li>\r\n</ul></li>\r\n"));
  EXPECT_THAT(clipboard.text, ::testing::EndsWith("</ul></li>\r\n</ul></li>\r\n</ul></li>\r\n</div>\r\n</div>\r\n"));
}

TEST(XmlExportsFull, EveryTrackOfTheFullCatalogueStandsOnceInBothFiles) {
  TempDir home;
  LoadedCatalogue loaded;
  LoadOptions options;
  options.programFolder = home.path();
  options.today = {2026, 12};
  LoadFolder(loaded, GeneratedCatalogue(false), options);
  FakeDialogs dialogs;
  FakeProgress progress;
  FakeClipboard clipboard;
  StdRandom random{5};
  ExportContext context{loaded.catalogue, dialogs, progress, clipboard, Language::English, home.path(), {}};
  std::map<std::string, int> expected;
  for (int p = 0; p < loaded.catalogue.CdCount(); ++p)
    for (const auto& t : loaded.catalogue.Cd(p).tracks) ++expected[t.code];
  ASSERT_EQ(expected.size(), static_cast<size_t>(loaded.catalogue.TrackCount()));

  const Language english = Language::English;
  for (bool site : {true, false}) {
    Browser browser(loaded.catalogue, dialogs, progress, random, english);
    browser.Home();
    const ExportResult r = site ? ExportSiteXml(context, browser, SiteXmlFiles(home.path()))
                                : ExportDesktopXml(context, browser, DesktopXmlFiles(home.path()));
    ASSERT_TRUE(r.done());
    const auto file = home.path() / (site ? kSiteXmlFile : kDesktopXmlFile);
    EXPECT_EQ(XmlLint("--noout '" + file.string() + "'").status, 0) << file;
    EXPECT_EQ(AlbumTrackCodes(file), expected) << file;
  }
}

}  // namespace
}  // namespace trakvella::testing
