// What the subscription windows show, decided without them: the sign-in
// fields, the music set window's panel, the menu's account list, the caption.
#include "core/subscription/SubscriptionView.h"

#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/documents/DocumentEnabling.h"
#include "core/lang/MessageTable.h"
#include "core/subscription/SubscriptionEnabling.h"
#include "support/Fakes.h"

namespace trakvella {
namespace {

using testing::TempDir;
using testing::WriteFile;

TEST(SubscriptionView, SignInFieldsCloseOnlyWithBothFilledAndCancelEmptiesThem) {
  SignInFields fields{"anna", ""};
  EXPECT_FALSE(fields.SignInEnabled());
  EXPECT_FALSE(fields.Accept());  // Enter in passEdit with one field: nothing
  EXPECT_FALSE(fields.closed);
  fields.password = "pw";
  EXPECT_TRUE(fields.Accept());
  EXPECT_TRUE(fields.accepted);
  fields.TogglePasswordView();
  EXPECT_FALSE(fields.passwordMasked);
  fields.Cancel();
  EXPECT_EQ(fields.login + fields.password, "");
  EXPECT_FALSE(fields.accepted);
}

TEST(SubscriptionView, PanelCaptionAndMenuFollowTheSignedInState) {
  AccountState account;
  Endpoints endpoints;
  EXPECT_TRUE(SubscriptionPanelOf(account, endpoints, "").setupButtonVisible);
  EXPECT_EQ(SubscriptionCaption(account, Language::English), "");
  account.login = "anna";  // a login alone is not signed in
  EXPECT_FALSE(SubscriptionPanelOf(account, endpoints, "").accountControlsVisible);
  account.password = "pw";
  const SubscriptionPanelState panel = SubscriptionPanelOf(account, endpoints, "Tracks(s) left: 3");
  EXPECT_TRUE(panel.accountControlsVisible);
  EXPECT_FALSE(panel.setupButtonVisible);
  EXPECT_EQ(panel.ftpLabel, endpoints.ftpHost);
  EXPECT_EQ(panel.statusText, "Tracks(s) left: 3");
  EXPECT_EQ(SubscriptionCaption(account, Language::English), " | Subscription anna (not entered) ");
  account.quota = 3;
  EXPECT_EQ(SubscriptionCaption(account, Language::Russian), " | Подписка anna (осталось: 3) ");

  TempDir home;
  PodpMenu empty = PodpMenuState(account, home.path());
  EXPECT_TRUE(empty.leaveEnabled);
  EXPECT_FALSE(empty.accountListVisible);
  WriteFile(home.path() / "zed.kmlb", "Login=zed\r\n");
  WriteFile(home.path() / "sub" / "Anna.KMLB", "Login=Anna\r\n");
  WriteFile(home.path() / "notes.txt", "");
  account.password.clear();
  const PodpMenu menu = PodpMenuState(account, home.path());
  EXPECT_FALSE(menu.showDownloadedEnabled);
  ASSERT_EQ(menu.accounts.size(), 2u);
  EXPECT_EQ(menu.accounts[0].caption, "1. Anna");
  EXPECT_EQ(menu.accounts[1].caption, "2. zed");
  EXPECT_EQ(menu.accounts[1].hint, "zed");
}

TEST(SubscriptionView, CommandsNeedTheServerAndAnAccountOrASet) {
  bool server = true, signedIn = false, setEntries = false;
  CommandEnabling enabling;
  enabling.DefineState(kStateTrackRows, [] { return true; });
  DefineDocumentEnabling(
      enabling, [&] { return signedIn; }, [] { return true; });
  DefineSubscriptionEnabling(
      enabling, [&] { return server; }, [&] { return setEntries; });
  auto enabled = [&](const char* command) { return enabling.Enabled(command); };

  EXPECT_TRUE(enabled("PodQuotaItem") && enabled("ShowPodListItem") && enabled("downitem") && enabled("SetupPodBtn"));
  EXPECT_FALSE(enabled("ShowPodItem") || enabled("quitpodpiska") || enabled("ftpbut") || enabled("FileDownBut"));
  signedIn = setEntries = true;
  EXPECT_TRUE(enabled("ShowPodItem") && enabled("quitpodpiska") && enabled("ftpbut") && enabled("FileDownBut"));
  // Without a download server only the demo download is left.
  server = false;
  EXPECT_FALSE(enabled("PodQuotaItem") || enabled("quitpodpiska") || enabled("downitem") || enabled("ftpbut"));
  EXPECT_TRUE(enabled("FileDownBut"));
}

}  // namespace
}  // namespace trakvella
