// The main window goes aside while a tree export works behind its progress
// window, comes back for each message, and is back when the work ends.
#include "core/exports/MinimisedRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;

// Dialogs that write each message into the same log as the window's steps.
struct LoggedDialogs : FakeDialogs {
  std::vector<std::string>& log;
  explicit LoggedDialogs(std::vector<std::string>& into) : log(into) {}
  MessageAnswer Message(const std::string& text, MessageKind kind, MessageButtons buttons) override {
    log.push_back("message " + text.substr(0, 9));
    return FakeDialogs::Message(text, kind, buttons);
  }
};

struct MinimisedRunTest : ::testing::Test {
  FakeProgress progress;
  std::vector<std::string> log;
  LoggedDialogs logged{log};
};

TEST_F(MinimisedRunTest, MessagesShowOverTheWindowAndTheEndRestoresIt) {
  {
    MinimisedRun run(
        progress, logged, [this] { log.push_back("minimise"); }, [this] { log.push_back("restore"); });
    run.Message("before");
    run.ShowProgress("work", ProgressMode::Show, true);
    run.ShowProgress("more", ProgressMode::ChangeText);
    run.Message("duplicate");
    EXPECT_TRUE(run.minimised());
    run.ShowProgress("", ProgressMode::Hide);
    run.Message("finished!");
    // Cancelled work whose progress window was never hidden still gives the window back.
    run.ShowProgress("again", ProgressMode::Show);
  }
  EXPECT_THAT(log, ElementsAre("message before", "minimise", "restore", "message duplicate", "minimise", "restore",
                               "message finished!", "minimise", "restore"));
  // The progress window saw every call.
  ASSERT_EQ(progress.calls.size(), 4u);
  EXPECT_EQ(progress.calls[1].mode, static_cast<int>(ProgressMode::ChangeText));
}

}  // namespace
}  // namespace trakvella::testing
