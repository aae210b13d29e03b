// The track information window without a window: the status line's precedence,
// the rows and their copy text, comments with time stamps and their removal.
#include "core/musicset/TrackInfo.h"

#include <gmock/gmock.h>

#include "SetFixture.h"
#include "core/text/Text.h"

namespace trakvella::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

TEST_F(SetTest, TrackStatusTakesTheFirstRuleThatApplies) {
  // KMLB_003_001 is a local .wav, KMLB_003_002 a local .mp3, KMLB_005_001 a web demo.
  TrackInfoAccount account{"acme", {"kmlb_003_001", "KMLB_005_001"}};
  TrackComments comments;
  auto status = [&](const char* code) {
    return ShowTrackInfo(code, catalogue(), *set, account, comments, language).status;
  };
  set->LoadSet({"KMLB_003_001"});
  EXPECT_EQ(status("KMLB_003_001"), "Status: In Music Set");  // in the set and downloaded
  set->Clear();
  EXPECT_EQ(status("KMLB_003_001"), "Status: Downloaded via acme");
  account.downloadedTracks.clear();
  EXPECT_EQ(status("KMLB_003_001"), "Status: Local HD .wav");
  EXPECT_EQ(status("KMLB_003_002"), "Status: Web Demo");  // only .wav counts as local
  language = Language::Russian;
  EXPECT_EQ(status("KMLB_003_001"), "Статус: На жестком диске в формате .wav");
  EXPECT_EQ(status("KMLB_005_001"), "Статус: Демо на веб-сервере");
}

TEST_F(SetTest, TrackInformationRowsAndTheirCopyText) {
  TrackComments comments;
  comments.Load({"KMLB_003_001=for the spring spot"});
  const TrackInfoView view = ShowTrackInfo("KMLB_003_001", catalogue(), *set, {}, comments, Language::English);
  ASSERT_TRUE(view.found);
  EXPECT_EQ(view.comment, "for the spring spot");
  EXPECT_EQ(view.commentLabel, "Comments");
  EXPECT_EQ(TrackInfoCopyText(view),
            "Code: KMLB_003_001\r\nISRC: RUA470803001\r\nTitle: Wind, Rain\r\nComposer: И. Петров\r\n"
            "Artist: Оркестр\r\nTime: 03:10");
  const TrackInfoView ru = ShowTrackInfo("KMLB_003_001", catalogue(), *set, {}, comments, Language::Russian);
  EXPECT_EQ(ru.rows[0].label, "Код KMLB");
  EXPECT_EQ(ru.rows[5].label, "Длительность");
}

TEST_F(SetTest, CommentsAreStampedStoredAndRemovedWhenCleared) {
  TrackComments comments;
  RestoreComments(comments, [] {
    Settings s;
    s.commentLines = {"KMLB_003_001=old", "KMLB_005_001=keep"};
    return s;
  }());
  std::string text = comments.Get("kmlb_003_001");  // codes match ignoring case
  EXPECT_EQ(text, "old");
  text = TimeDataStamp(TimeDataStamp(text, "01.02.2026 10:00:00"), "01.02.2026 10:00:05");
  EXPECT_EQ(text, "old 01.02.2026 10:00:00 01.02.2026 10:00:05");
  CloseTrackInfo("KMLB_003_001", text, comments);
  CloseTrackInfo("KMLB_003_002", "new", comments);
  EXPECT_THAT(comments.lines(), ElementsAre("KMLB_003_001=" + text, "KMLB_005_001=keep", "KMLB_003_002=new"));

  CloseTrackInfo("KMLB_003_001", "", comments);  // a cleared comment goes
  Settings settings;
  StoreComments(comments, settings);
  ASSERT_TRUE(WriteSettings(home.path(), settings));
  const auto lines = SplitLines(Cp1251ToUtf8(ReadFile(home.path() / kSettingsFileName)));
  EXPECT_THAT(lines, Contains("comments/KMLB_005_001=keep"));
  EXPECT_THAT(lines, Contains("comments/KMLB_003_002=new"));
  for (const auto& line : lines) EXPECT_FALSE(line.starts_with("comments/KMLB_003_001")) << line;
}

}  // namespace
}  // namespace trakvella::testing
