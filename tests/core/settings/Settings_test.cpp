#include "core/settings/Settings.h"

#include <climits>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/settings/ServerConfig.h"
#include "core/text/Text.h"
#include "support/Fakes.h"
#include "support/FileSizeLimit.h"

namespace trakvella {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using trakvella::testing::ReadFile;
using trakvella::testing::TempDir;
using trakvella::testing::WriteFile;

namespace fs = std::filesystem;

// Reads a settings file of the given bytes into default settings.
Settings ReadText(const std::string& bytes) {
  TempDir dir;
  WriteFile(dir.path() / kSettingsFileName, bytes);
  Settings settings;
  EXPECT_TRUE(ReadSettings(dir.path(), settings));
  return settings;
}

std::vector<std::string> KeyNames(const std::vector<std::string>& lines) {
  std::vector<std::string> names;
  for (const std::string& line : lines) {
    if (line == kMusicSetMarker) break;
    names.push_back(line.substr(0, line.find('=')));
  }
  return names;
}

TEST(Settings, MissingFileReportsAbsenceAndChangesNothing) {
  TempDir dir;
  Settings settings;
  settings.language = 1;  // what the locale chose before reading
  EXPECT_FALSE(ReadSettings(dir.path(), settings));
  Settings expected;
  expected.language = 1;
  EXPECT_EQ(settings, expected);
}

TEST(Settings, FullSettingsSurviveAWriteAndARead) {
  Settings full;
  full.windowState = WindowState::Normal;
  full.top = -20;
  full.left = 35;
  full.width = 1280;
  full.height = 1000;
  full.webSrv = "2";
  full.lastDownloadFolder = "/home/пользователь/Загрузки";
  full.favourites = {"* ALL LIBRARY\\Джаз", "a=b", ""};
  full.login = "ivan";
  full.password = "секрет";
  full.activeAccount = "ivan";
  full.font = FontSpec{-16777208, -15, "DejaVu Sans", 2, 11, true, false, true, false};
  full.offlineMode = true;
  full.autoplay = true;
  full.nonStop = true;
  full.bkgPlay = true;
  full.display.showName = false;
  full.display.showCode = false;
  full.display.showComposer = true;
  full.display.showArtist = true;
  full.display.showStyle = false;
  full.display.showTime = false;
  full.language = 1;
  full.extPlayer = false;
  full.checkColRowNames = true;
  full.alwaysInfo = true;
  full.userPlayer = "/usr/bin/mpv";
  full.musicSetLines = {"KMLB_001_001\tНазвание\t0:30", "KMLB_002_003"};
  full.commentLines = {"KMLB_001_001=хороший «трек» №1"};

  TempDir dir;
  ASSERT_TRUE(WriteSettings(dir.path(), full));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);  // no temporary left

  Settings read;
  ASSERT_TRUE(ReadSettings(dir.path(), read));
  // The password is not kept here: the account file holds it.
  EXPECT_EQ(read.activeAccount, "ivan");
  EXPECT_EQ(read.login, "");
  EXPECT_EQ(read.password, "");
  read.login = full.login;
  read.password = full.password;
  EXPECT_EQ(read, full);

  // A maximized window writes no placement; a minimized one no state at all.
  full.windowState = WindowState::Maximized;
  std::vector<std::string> names = KeyNames(SettingsLines(full));
  EXPECT_THAT(SettingsLines(full), Contains("State=wsMaximized"));
  for (const char* key : {"Top", "Left", "Width", "Height"}) EXPECT_THAT(names, Not(Contains(key)));
  full.windowState = WindowState::Minimized;
  names = KeyNames(SettingsLines(full));
  for (const char* key : {"State", "Top", "Left", "Width", "Height"}) {
    EXPECT_THAT(names, Not(Contains(key)));
  }
}

TEST(Settings, WrittenFileIsCodePage1251WithCrLf) {
  Settings settings;
  settings.windowState = WindowState::Maximized;
  settings.lastDownloadFolder = "/музыка";
  settings.favourites = {"Джаз"};
  settings.font = FontSpec{-16777208, -12, "Tahoma", 0, 9, false, false, false, false};
  settings.musicSetLines = {"KMLB_003_012"};
  settings.commentLines = {"KMLB_003_012=№1"};

  TempDir dir;
  ASSERT_TRUE(WriteSettings(dir.path(), settings));
  EXPECT_EQ(ReadFile(dir.path() / kSettingsFileName),
            "WEBSRV=\r\n"
            "LastDownloadFolder=/\xEC\xF3\xE7\xFB\xEA\xE0\r\n"
            "fav0=\xC4\xE6\xE0\xE7\r\n"
            "State=wsMaximized\r\n"
            "Font=-16777208|-12|Tahoma|0|9|nnnn\r\n"
            "OfflineMode=0\r\nAutoplay=0\r\nNonStop=0\r\nBkgPlay=0\r\n"
            "ShowName=1\r\nShowCode=1\r\nShowComposer=0\r\nShowArtist=0\r\n"
            "ShowStyle=1\r\nShowTime=1\r\nLanguage=0\r\nExtPlayer=1\r\n"
            "CheckColRowNames=0\r\nAlwaysInfo=0\r\nUserPlayer=\r\n"
            "*** Music Set ***\r\n"
            "musicset/KMLB_003_012\r\n"
            "*** Comments ***\r\n"
            "comments/KMLB_003_012=\xB9\x31\r\n");
}

TEST(Settings, KeysTakeTheirDefaultsAndLimits) {
  Settings settings = ReadText(
      "State=wsNormal\r\nWidth=800\r\nHeight=700\r\nTop=12\r\n"
      "ShowCode=0\r\nShowName=\r\nLanguage=1\r\n");
  EXPECT_EQ(settings.windowState, WindowState::Normal);
  EXPECT_EQ(settings.width, 940);
  EXPECT_EQ(settings.height, 768);
  EXPECT_EQ(settings.top, 12);
  EXPECT_EQ(settings.left, std::nullopt);  // the window keeps its position
  EXPECT_FALSE(settings.display.showCode);
  EXPECT_FALSE(settings.display.showName);  // present and not "1"
  EXPECT_TRUE(settings.display.showStyle);  // absent
  EXPECT_FALSE(settings.autoplay);          // absent
  EXPECT_TRUE(settings.extPlayer);          // absent
  EXPECT_EQ(settings.language, 1);

  // Names are matched ignoring case; LF and CR alone also end lines.
  settings = ReadText("state=wsMaximized\nWIDTH=2000\rautoplay=1\nshowcode=1");
  EXPECT_EQ(settings.windowState, WindowState::Maximized);
  EXPECT_EQ(settings.width, 940);  // not read for a maximized window
  EXPECT_TRUE(settings.autoplay);
  EXPECT_TRUE(settings.display.showCode);

  // Favourites end at the first missing number.
  settings = ReadText("fav0=A\r\nfav1=B\r\nfav3=D\r\n");
  EXPECT_THAT(settings.favourites, ElementsAre("A", "B"));
}

TEST(Settings, DemoServerChoice) {
  Endpoints endpoints;
  Settings settings = ReadText("WEBSRV=2\r\n");
  EXPECT_EQ(settings.DemoServerNumber(), 2);
  EXPECT_EQ(settings.CustomDemoBase(), "");
  EXPECT_EQ(DemoBaseUrl(settings, endpoints), endpoints.demoServer2);

  // No WEBSRV, or an empty one, names no custom server: server 1, as without a
  // settings file, rather than a base no preview plays from.
  for (const char* text : {"Autoplay=1\r\n", "WEBSRV=\r\n"}) {
    settings = ReadText(text);
    EXPECT_EQ(settings.DemoServerNumber(), 1) << text;
    EXPECT_EQ(DemoBaseUrl(settings, endpoints), endpoints.demoServer1) << text;
  }
  settings = ReadText("WEBSRV=1\r\nWEBROOTURL=http://mirror.test/audio/\r\n");
  EXPECT_EQ(settings.DemoServerNumber(), 1);
  EXPECT_EQ(DemoBaseUrl(settings, endpoints), "http://mirror.test/audio/");
  // The program never sets it, so it goes back into the file as it stood.
  EXPECT_THAT(SettingsLines(settings), Contains("WEBROOTURL=http://mirror.test/audio/"));

  // A custom base is written back as it is and read as custom again.
  Settings custom;
  custom.webSrv = "http://127.0.0.1:8081/audio/";
  TempDir dir;
  ASSERT_TRUE(WriteSettings(dir.path(), custom));
  EXPECT_THAT(SplitLines(ReadFile(dir.path() / kSettingsFileName)), Contains("WEBSRV=http://127.0.0.1:8081/audio/"));
  Settings read;
  ASSERT_TRUE(ReadSettings(dir.path(), read));
  EXPECT_EQ(read.DemoServerNumber(), 0);
  EXPECT_EQ(read.CustomDemoBase(), "http://127.0.0.1:8081/audio/");
  EXPECT_EQ(DemoBaseUrl(read, endpoints), "http://127.0.0.1:8081/audio/");
}

TEST(Settings, AccountKeysOldAndNew) {
  // Older files kept the account here.
  Settings settings = ReadText(
      "Login=olga\r\nPassword=pw\r\ndownload0=KMLB_003_012,2011-05-01\r\n"
      "download1=KMLB_004_001\r\ndownload3=KMLB_009_009\r\n");
  EXPECT_EQ(settings.login, "olga");
  EXPECT_EQ(settings.activeAccount, "olga");
  EXPECT_EQ(settings.password, "pw");
  EXPECT_THAT(settings.downloadedTracks, ElementsAre("KMLB_003_012", "KMLB_004_001"));
  // They are stored as the active account, never as the old keys.
  const std::vector<std::string> names = KeyNames(SettingsLines(settings));
  EXPECT_THAT(SettingsLines(settings), Contains("ActivePodpiska=olga"));
  for (const char* key : {"Login", "Password", "download0"}) {
    EXPECT_THAT(names, Not(Contains(key)));
  }

  // ActivePodpiska makes the old keys void.
  settings = ReadText("ActivePodpiska=petr\r\nLogin=olga\r\ndownload0=KMLB_003_012\r\n");
  EXPECT_EQ(settings.activeAccount, "petr");
  EXPECT_EQ(settings.login, "");
  EXPECT_THAT(settings.downloadedTracks, IsEmpty());

  // Written only while both login and password are filled in.
  Settings signedOut;
  signedOut.login = "petr";
  EXPECT_THAT(KeyNames(SettingsLines(signedOut)), Not(Contains("ActivePodpiska")));
}

TEST(Settings, BlocksKeepTheirLinesAndOnlyTheirs) {
  Settings settings = ReadText(
      "LastDownloadFolder=/home/me/musicset/\r\n"
      "UserPlayer=/opt/comments/player\r\n"
      "*** Music Set ***\r\n"
      "musicset/KMLB_001_001\t=odd\r\n"
      "musicset/\r\n"
      "*** Comments ***\r\n"
      "comments/KMLB_001_001=see musicset/KMLB_001_002\r\n");
  EXPECT_THAT(settings.musicSetLines, ElementsAre("KMLB_001_001\t=odd", ""));
  EXPECT_THAT(settings.commentLines, ElementsAre("KMLB_001_001=see musicset/KMLB_001_002"));
  EXPECT_EQ(settings.lastDownloadFolder, "/home/me/musicset/");
  EXPECT_EQ(settings.userPlayer, "/opt/comments/player");

  // A line break inside a value cannot smuggle a line into the file.
  settings.commentLines = {"KMLB_001_001=line one\r\nShowCode=0"};
  settings.userPlayer = "a\nAutoplay=1";
  const std::vector<std::string> lines = SettingsLines(settings);
  EXPECT_THAT(lines, Contains("comments/KMLB_001_001=line one  ShowCode=0"));
  EXPECT_THAT(lines, Contains("UserPlayer=a Autoplay=1"));
}

TEST(Settings, BadInputKeepsDefaultsAndTheNextWriteIsWhole) {
  std::string bytes =
      "just some words\r\n"
      "=\r\n"
      "Autoplay=1\r\nAutoplay=0\r\n"
      "Width=abc\r\nHeight=99999999999999999999\r\nTop=1 2\r\n"
      "Language=7\r\nItemHeight=-4\r\n"
      "Font=garbage|x\r\n"
      "Autoplay\r\n";
  static const char kBinary[] = "\x01\x02\x98\xFF\x00=\x00\x7F\r\n\x00\x00\x98\x81\x1B junk\r\n";
  bytes.append(kBinary, sizeof kBinary - 1);
  for (int n = 0; n < 10000; ++n) bytes += "fav" + std::to_string(n) + "=F" + std::to_string(n) + "\r\n";
  bytes += "UserPlayer=" + std::string(1 << 20, 'x') + "\r\n";

  Settings caller;
  caller.font = FontSpec{0, -12, "Sans", 0, 10, false, false, false, false};
  TempDir dir;
  WriteFile(dir.path() / kSettingsFileName, bytes);
  ASSERT_TRUE(ReadSettings(dir.path(), caller));
  EXPECT_TRUE(caller.autoplay);  // the first of a name wins
  EXPECT_EQ(caller.width, 940);
  EXPECT_EQ(caller.height, 768);
  EXPECT_EQ(caller.top, std::nullopt);
  EXPECT_EQ(caller.language, 7);
  EXPECT_EQ(caller.itemHeight, 15);
  ASSERT_TRUE(caller.font);
  EXPECT_EQ(caller.font->name, "Sans");  // a font that does not parse changes nothing
  ASSERT_EQ(caller.favourites.size(), 10000u);
  EXPECT_EQ(caller.favourites.back(), "F9999");
  EXPECT_EQ(caller.userPlayer.size(), 1u << 20);

  ASSERT_TRUE(WriteSettings(dir.path(), caller));
  Settings again;
  ASSERT_TRUE(ReadSettings(dir.path(), again));
  EXPECT_EQ(again.favourites.size(), 10000u);
  const std::vector<std::string> names = KeyNames(SettingsLines(again));
  for (const char* key : {"WEBSRV",           "LastDownloadFolder", "State",     "Width",    "Height",   "Font",
                          "OfflineMode",      "Autoplay",           "NonStop",   "BkgPlay",  "ShowName", "ShowCode",
                          "ShowComposer",     "ShowArtist",         "ShowStyle", "ShowTime", "Language", "ExtPlayer",
                          "CheckColRowNames", "AlwaysInfo",         "UserPlayer"}) {
    EXPECT_THAT(names, Contains(key)) << key;
  }
  EXPECT_THAT(SettingsLines(again), Contains("Language=7"));

  // An empty file is a present file that leaves everything as it was.
  Settings untouched;
  untouched.language = 1;
  WriteFile(dir.path() / kSettingsFileName, "");
  EXPECT_TRUE(ReadSettings(dir.path(), untouched));
  EXPECT_EQ(untouched.language, 1);
}

TEST(Settings, UnreadableFileLeavesDefaultsAndCannotBeReplaced) {
  TempDir dir;
  fs::create_directory(dir.path() / kSettingsFileName);
  Settings settings;
  EXPECT_TRUE(ReadSettings(dir.path(), settings));
  EXPECT_EQ(settings, Settings{});
  EXPECT_FALSE(WriteSettings(dir.path(), settings));
  EXPECT_TRUE(fs::is_directory(dir.path() / kSettingsFileName));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);  // no temporary left
}

TEST(Settings, FailedWriteLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string old = "WEBSRV=1\r\nAutoplay=1\r\n";
  WriteFile(dir.path() / kSettingsFileName, old);
  Settings settings;
  settings.webSrv = "2";
  {
    // The disk takes no more than a few bytes of the new file.
    testing::FileSizeLimit full(16);
    EXPECT_FALSE(WriteSettings(dir.path(), settings));
  }
  EXPECT_EQ(ReadFile(dir.path() / kSettingsFileName), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);  // no temporary left

  // Once the way is clear the file is replaced.
  EXPECT_TRUE(WriteSettings(dir.path(), settings));
  EXPECT_THAT(SplitLines(ReadFile(dir.path() / kSettingsFileName)), Contains("WEBSRV=2"));
}

TEST(Settings, OldProgramFileIsMovedUnlessNewOneExistsAndTheOldProgramGoes) {
  TempDir dir;
  WriteFile(dir.path() / kLegacySettingsFileName, "Language=1\r\n");
  WriteFile(dir.path() / kLegacyProgramFileName, "MZ");
  Settings settings;
  EXPECT_EQ(ReadSettingsFile(dir.path(), settings), SettingsFileRead::Applied);
  EXPECT_EQ(settings.language, 1);
  EXPECT_FALSE(fs::exists(dir.path() / kLegacySettingsFileName));
  EXPECT_FALSE(fs::exists(dir.path() / kLegacyProgramFileName));
  EXPECT_EQ(ReadFile(dir.path() / kSettingsFileName), "Language=1\r\n");

  // A file the program already wrote is never overwritten by an old one.
  WriteFile(dir.path() / kLegacySettingsFileName, "Language=0\r\n");
  EXPECT_TRUE(ReadSettings(dir.path(), settings));
  EXPECT_EQ(settings.language, 1);
  EXPECT_TRUE(fs::exists(dir.path() / kLegacySettingsFileName));
}

TEST(Settings, FontText) {
  const std::optional<FontSpec> font = ParseFontText("-16777208|-12|Tahoma|0|9|nnnn");
  ASSERT_TRUE(font);
  EXPECT_EQ(*font, (FontSpec{-16777208, -12, "Tahoma", 0, 9, false, false, false, false}));
  EXPECT_EQ(FontText(*font), "-16777208|-12|Tahoma|0|9|nnnn");

  const FontSpec styled{255, -16, "Liberation Sans", 1, 12, true, false, true, true};
  EXPECT_EQ(FontText(styled), "255|-16|Liberation Sans|1|12|ynyy");
  EXPECT_EQ(ParseFontText(FontText(styled)), styled);
  // Missing style letters are off.
  EXPECT_EQ(ParseFontText("0|-12|Sans|0|9|y")->bold, true);
  EXPECT_EQ(ParseFontText("0|-12|Sans|0|9|")->italic, false);

  for (const char* bad :
       {"", "garbage", "0|-12|Sans|0|9", "x|-12|Sans|0|9|nnnn", "0|-12||0|9|nnnn", "0|-12|Sans|7|9|nnnn",
        "0|-12|Sans|0|0|nnnn", "0|-12|Sans|0|99999|nnnn", "0|-12|Sans|0|9.5|nnnn"}) {
    EXPECT_EQ(ParseFontText(bad), std::nullopt) << bad;
  }

  // Read from a file, the font decides the lists' item height.
  Settings settings = ReadText("ItemHeight=22\r\nFont=0|-16|Sans|0|12|nnnn\r\n");
  EXPECT_EQ(settings.itemHeight, 22);
  EXPECT_EQ(ListItemHeight(settings, 96), 23);
  settings.font.reset();
  EXPECT_EQ(ListItemHeight(settings, 96), 22);
}

TEST(Settings, MulDivAndItemHeight) {
  EXPECT_EQ(MulDiv(9, 25, 10), 23);  // 22.5 away from zero
  EXPECT_EQ(MulDiv(-9, 25, 10), -23);
  EXPECT_EQ(MulDiv(9, -25, -10), 23);
  EXPECT_EQ(MulDiv(23, 72, 96), 17);  // 17.25
  EXPECT_EQ(MulDiv(5, 1, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 4, 2), -1);
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);

  EXPECT_EQ(ItemHeightForFont(96, 12), 23);  // 30 * 72 / 96 = 22.5 -> 23
  EXPECT_EQ(ItemHeightForFont(96, 14), 26);
  EXPECT_EQ(ItemHeightForFont(120, 12), 22);  // 1.25 * 18 = 22.5 -> 22
  EXPECT_EQ(ItemHeightForFont(120, 20), 38);  // 1.25 * 30 = 37.5 -> 38
  EXPECT_EQ(ItemHeightForFont(96, 9), 19);    // 17 -> at least 19
  EXPECT_EQ(ItemHeightForFont(120, 9), 19);
  EXPECT_EQ(ItemHeightForFont(96, 1), 19);
  EXPECT_EQ(ItemHeightForFont(0, 9), 19);
}

}  // namespace
}  // namespace trakvella
