// An installed program learns of a newer version but never downloads it over
// its own files: the user is told how the package is updated, and the main
// window follows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/LibarchiveReader.h"
#include "core/lang/MessageTable.h"
#include "core/startup/StartSequence.h"
#include "support/Fakes.h"
#include "support/PageHttp.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;

TEST(InstalledUpdate, ANewerVersionIsAnnouncedWithHowThePackageIsUpdatedAndNothingIsDownloaded) {
  TempDir home;
  PageHttp http;
  http.pages["http://site/update.html"] =
      "<META NAME=\"tvProduct\" CONTENT=\"Trakvella\">\n<META NAME=\"tvVersion\" CONTENT=\"3.3.1.389\">\n"
      "<META NAME=\"tvDownload\" CONTENT=\"http://site/u.rar\">\n"
      "<META NAME=\"tvClientSideName\" CONTENT=\"u.rar\">";
  http.pages["http://site/u.rar"] = std::string(2000000, 'x');
  FakeDialogs dialogs;
  FakeProgress progress;
  NetworkState network;
  LibarchiveReader archives;
  RecordingLauncher launcher;
  const Language language = Language::English;
  Downloader downloader(http, progress, dialogs, language, network);
  StartSetup setup{"3.3.1.388", "site/update.html", home.path(), "/usr/bin/trakvella", {}, 0};
  setup.installed = true;
  StartSequence s(StartPorts{dialogs, progress, downloader, archives, launcher}, language, network, setup);
  struct InfoWindow : StartView {
    bool shown = false;
    UpdateInfoAnswer ShowUpdateInfo(const UpdateInfoShowing& showing) override {
      shown = true;
      return UpdateInfoAnswer{true, showing.checkForUpdate};
    }
  } infoWindow;
  s.SetView(&infoWindow);
  s.PrepareShowing(0);
  s.Activate();
  for (int tick = 0; tick < kTicksBeforeCheck; ++tick) s.Tick();

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, LangMessage(Language::English, Msg::NewerVersionAvailable) + "3.3.1.389\r\r" +
                                       LangMessage(Language::English, Msg::UpdateThroughPackage));
  EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Information);
  EXPECT_THAT(http.requests, ElementsAre("http://site/update.html"));
  EXPECT_FALSE(infoWindow.shown);
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_TRUE(s.ContinueToMainWindow());
  EXPECT_TRUE(s.closeRequested());
  EXPECT_EQ(network.networkState, kNetworkWorking);
}

}  // namespace
}  // namespace trakvella::testing
