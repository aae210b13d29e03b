// The start window's decisions: the ticks and the connection test over pages in
// memory, then whole updates against the local library servers in a temporary
// program folder — a good archive put in place by the restart script, and the
// archives that must leave the program as it was.
#include "core/startup/StartSequence.h"

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <signal.h>
#include <thread>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "adapters/CurlHttpClient.h"
#include "adapters/LibarchiveReader.h"
#include "adapters/PosixProcessLauncher.h"
#include "core/lang/MessageTable.h"
#include "core/startup/UpdateScript.h"
#include "core/startup/UpdateUnpack.h"
#include "support/Fakes.h"
#include "support/LibraryServers.h"
#include "support/PageHttp.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string M(Msg message) { return LangMessage(Language::English, message); }

// The start window as the sequence sees it: online or not, and the information window's answer.
struct ScriptedStartView : StartView {
  bool online = true;
  std::function<UpdateInfoAnswer(const UpdateInfoShowing&)> showInfo;
  bool IsOnline() override { return online; }
  UpdateInfoAnswer ShowUpdateInfo(const UpdateInfoShowing& showing) override { return showInfo(showing); }
};

// One start window over the given HTTP client, with the program folder home.
struct Start {
  FakeDialogs dialogs;
  FakeProgress progress;
  NetworkState network;
  LibarchiveReader archives;
  const Language language = Language::English;
  Downloader downloader;
  ScriptedStartView view;
  std::unique_ptr<StartSequence> sequence;
  std::vector<std::string> infoCaptions;

  Start(HttpClient& http, ProcessLauncher& launcher, const fs::path& home, const std::string& pageUrl)
      : downloader(http, progress, dialogs, language, network) {
    StartSetup setup{"3.3.1.388", pageUrl, home, home / "trakvella", {"--home", home.string()}, 0};
    sequence = std::make_unique<StartSequence>(StartPorts{dialogs, progress, downloader, archives, launcher}, language,
                                               network, setup);
    sequence->SetView(&view);
    view.showInfo = [this](const UpdateInfoShowing& showing) {
      infoCaptions.push_back(showing.caption);
      return UpdateInfoAnswer{true, showing.checkForUpdate};
    };
  }

  // The first showing up to the end of the seventh tick.
  void Run() {
    sequence->PrepareShowing(0);
    sequence->Activate();
    for (int tick = 0; tick < kTicksBeforeCheck; ++tick) sequence->Tick();
  }
};

TEST(StartSequence, TicksAndTheConnectionTest) {
  TempDir home;
  PageHttp http;
  RecordingLauncher launcher;
  Start start(http, launcher, home.path(), "site/update.html");
  StartSequence& s = *start.sequence;
  start.view.online = false;
  s.PrepareShowing(0);
  s.Activate();
  EXPECT_EQ(s.state.versionLine, "Version 3.3.1.388");
  std::vector<std::string> texts;
  for (int tick = 0; tick < kTicksBeforeCheck; ++tick) {
    EXPECT_FALSE(s.closeRequested());
    s.Tick();
    texts.push_back(s.state.statusLine);
  }
  EXPECT_THAT(texts, ElementsAre("Checking update now.", "Checking update now..", "Checking update now...",
                                 "Checking update now.", "Checking update now..", "Checking update now...",
                                 "Checking update now."));
  EXPECT_THAT(start.dialogs.Texts(), ElementsAre(M(Msg::NetworkFailure)));
  EXPECT_EQ(start.network.networkState, kNetworkOffline);
  EXPECT_TRUE(s.closeRequested());
  EXPECT_TRUE(s.ContinueToMainWindow());
  EXPECT_TRUE(http.requests.empty());

  // At re-initialisation the window only offers "Continue".
  s.PrepareShowing(1);
  s.Activate();
  EXPECT_TRUE(s.state.continueVisible);
  EXPECT_FALSE(s.state.tickerEnabled);
  s.Continue();
  EXPECT_TRUE(s.ContinueToMainWindow());

  EXPECT_EQ(DownloadPercentText(Language::English, 300, 200), "Updates downloaded: 67%");
  EXPECT_EQ(DownloadPercentText(Language::English, 0, 200), "");
}

TEST(StartSequence, ChecksThatEndBeforeAnyDownload) {
  struct Case {
    std::string page;  // empty: the page is missing
    MessageAnswer answer;
    bool closes;
    std::vector<std::string> messages;
  };
  const std::string meta = "<META NAME=\"tvProduct\" CONTENT=\"Trakvella\">\n<META NAME=\"tvVersion\" CONTENT=\"";
  const std::vector<Case> cases = {
      {meta + "3.3.1.388\">", MessageAnswer::Yes, true, {}},
      {meta + "3.3.1.1000\">", MessageAnswer::Yes, true, {}},
      {"<meta name=\"tvProduct\" content=\"Trakvella\">\n<meta name=\"tvVersion\" content=\"9\">",
       MessageAnswer::Yes,
       false,
       {M(Msg::UpdateFailed)}},
      {"", MessageAnswer::Yes, false, {M(Msg::UpdateFailed)}},
      {meta + "3.3.1.389\">", MessageAnswer::No, false, {M(Msg::UpdateNow)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    TempDir home;
    PageHttp http;
    if (!c.page.empty()) http.pages["http://site/update.html"] = c.page;
    RecordingLauncher launcher;
    Start start(http, launcher, home.path(), "site/update.html");
    start.dialogs.answers.push_back(c.answer);
    start.Run();
    StartSequence& s = *start.sequence;
    EXPECT_EQ(start.dialogs.Texts(), c.messages);
    EXPECT_EQ(s.closeRequested(), c.closes);
    EXPECT_EQ(s.state.continueVisible, true);
    EXPECT_EQ(http.requests.size(), 1u);  // the page only: nothing downloaded
    EXPECT_EQ(start.network.networkState,
              c.messages == std::vector{M(Msg::UpdateFailed)} ? kNetworkUpdateFailed : kNetworkWorking);
    if (c.closes) {
      EXPECT_TRUE(s.ContinueToMainWindow());
    } else {
      s.Continue();  // "Continue"
      EXPECT_TRUE(s.ContinueToMainWindow());
    }
  }
}

TEST(StartSequence, AProgramEndingMidwayNeverReachesTheMainWindowNorInstallsAnUpdate) {
  // Ended while the window ticks: no check, and "Continue" cannot bring the main window.
  {
    TempDir home;
    PageHttp http;
    RecordingLauncher launcher;
    Start start(http, launcher, home.path(), "site/update.html");
    StartSequence& s = *start.sequence;
    s.PrepareShowing(0);
    s.Activate();
    s.Tick();
    s.EndProgram();
    for (int tick = 1; tick < kTicksBeforeCheck; ++tick) s.Tick();
    EXPECT_TRUE(http.requests.empty());
    EXPECT_TRUE(s.closeRequested());
    s.Continue();
    EXPECT_FALSE(s.ContinueToMainWindow());
  }
  // Ended while the information window is open: an archive that arrives anyway
  // is neither unpacked nor reported, and no script starts.
  TempDir home;
  PageHttp http;
  http.pages["http://site/update.html"] =
      "<META NAME=\"tvProduct\" CONTENT=\"Trakvella\">\n<META NAME=\"tvVersion\" CONTENT=\"3.3.1.389\">\n"
      "<META NAME=\"tvDownload\" CONTENT=\"http://site/u.rar\">\n"
      "<META NAME=\"tvClientSideName\" CONTENT=\"u.rar\">";
  http.pages["http://site/u.rar"] = std::string(kMinUpdateArchiveSize, 'x');  // would be reported as no archive
  RecordingLauncher launcher;
  Start start(http, launcher, home.path(), "site/update.html");
  start.view.showInfo = [&](const UpdateInfoShowing&) {
    start.sequence->EndProgram();
    return UpdateInfoAnswer{true, true};
  };
  start.Run();
  EXPECT_THAT(start.dialogs.Texts(), ElementsAre(M(Msg::UpdateNow)));
  EXPECT_FALSE(start.sequence->ContinueToMainWindow());
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_FALSE(fs::exists(home.path() / kUpdateFolderName));
}

TEST(StartSequence, ArchiveEntriesMustStayInsideTheUpdateFolder) {
  for (const char* name : {"", "../x", "docs/../../x", "/etc/x", "\\x", "docs\\..\\..\\x", "C:x", ".."})
    EXPECT_FALSE(EntryStaysInside(name)) << name;
  for (const char* name : {"trakvella", "docs/changes.txt", "a..b/c", "..a", "docs\\x.txt"})
    EXPECT_TRUE(EntryStaysInside(name)) << name;
}

// The update's files go through the program's file system: the script is written
// executable, and a pipe at the script's or the archive's name is neither written
// nor read (the test holds both ends open, so the old streams never waited on them).
TEST(UpdateFiles, TheScriptIsExecutableAndAPipeIsNeverWrittenNorRead) {
  TempDir home;
  const UpdateScript script{home.path(), home.path() / "u.rar", home.path() / "trakvella", {}, 0, {"trakvella"}};
  const fs::path file = WriteUpdateScript(script);
  ASSERT_FALSE(file.empty());
  EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_exec, fs::perms::none);
  fs::remove(file);
  ASSERT_EQ(mkfifo(file.c_str(), 0600) | mkfifo(script.archive.c_str(), 0600), 0);
  const int scriptPipe = open(file.c_str(), O_RDWR | O_NONBLOCK);
  const int archivePipe = open(script.archive.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_EQ(write(archivePipe, "NotRar", 6), 6);
  EXPECT_TRUE(WriteUpdateScript(script).empty());
  LibarchiveReader archives;
  FakeProgress progress;
  EXPECT_EQ(UnpackUpdate(archives, script.archive, home.path(), progress).outcome, UnpackOutcome::CannotOpen);
  char bytes[8];
  EXPECT_LT(read(scriptPipe, bytes, sizeof bytes), 0);   // nothing was written into it
  EXPECT_EQ(read(archivePipe, bytes, sizeof bytes), 6);  // nothing was read from it
  close(scriptPipe);
  close(archivePipe);
}

class StartUpdate : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    serverHome_ = new TempDir;
    servers_ = new LibraryServers(serverHome_->path(), "--max-tracks 1 --update-version 3.3.1.389");
  }
  static void TearDownTestSuite() {
    delete servers_;
    delete serverHome_;
  }

  // Offers the update with an archive of kind (named by the page as name when
  // given), and runs a start in the program folder holding the program file
  // "trakvella" (a script that says it was started, unless one is there).
  void RunWith(const std::string& kind, ProcessLauncher& launcher, const std::string& name = "") {
    ASSERT_EQ(HttpGetForTest(servers_->web + "control/update/3.3.1.389/" + kind + (name.empty() ? "" : "/" + name)),
              "ok\n");
    if (!fs::exists(home_.path() / "trakvella")) {
      WriteFile(home_.path() / "trakvella", "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/restarted\"\n");
      fs::permissions(home_.path() / "trakvella", fs::perms::owner_all);
    }
    start_ = std::make_unique<Start>(http_, launcher, home_.path(), servers_->web + "update.html");
    start_->Run();
  }
  fs::path Archive(const std::string& name = "trakvella_update.rar") const {
    return home_.path() / kUpdateArchiveFolderName / name;
  }
  std::vector<std::string> Left() const {
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(home_.path())) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    return left;
  }

  static inline TempDir* serverHome_ = nullptr;
  static inline LibraryServers* servers_ = nullptr;
  TempDir home_;
  CurlHttpClient http_;
  std::unique_ptr<Start> start_;
};

TEST_F(StartUpdate, PutsAGoodArchiveInPlaceAndRestartsTheProgram) {
  PosixProcessLauncher launcher;
  RunWith("good", launcher);
  StartSequence& s = *start_->sequence;
  const fs::path home = home_.path();
  EXPECT_THAT(start_->dialogs.Texts(), ElementsAre(M(Msg::UpdateNow), M(Msg::UpdateDownloaded)));
  EXPECT_THAT(start_->infoCaptions, ElementsAre(M(Msg::UpdateInfoCaption)));
  EXPECT_EQ(s.state.statusLine, "Updates downloaded: 100%");
  EXPECT_EQ(start_->progress.calls.front().text, "Unpacking trakvella_update.rar");
  EXPECT_TRUE(s.closeRequested());
  EXPECT_FALSE(s.ContinueToMainWindow());  // the program ends; the script starts it again

  for (int i = 0; i < 200 && !fs::exists(home / "restarted"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the script's last line
  EXPECT_EQ(ReadFile(home / "restarted"), "--home " + home.string() + "\n");
  EXPECT_EQ(ReadFile(home / "trakvella-update.txt"), "Trakvella update 3.3.1.389\n");
  EXPECT_TRUE(fs::exists(home / "docs" / "changes.txt"));
  EXPECT_GT(FileSizeOf(home / "data" / "update.bin"), 999000);
  EXPECT_FALSE(fs::exists(home / kUpdateFolderName));
  EXPECT_FALSE(fs::exists(home / kUpdateArchiveFolderName));
  EXPECT_FALSE(fs::exists(home / kUpdateScriptName));
}

TEST_F(StartUpdate, BadArchivesLeaveTheProgramFolderAsItWas) {
  struct Case {
    std::string kind;
    Msg message;
    bool archiveStays;
    bool programEnds;
  };
  for (const Case& c :
       {Case{"small", Msg::UpdateFailed, true, false}, Case{"short", Msg::UpdateFailed, false, false},
        Case{"notrar", Msg::ArchiveOpenError, false, true}, Case{"traversal", Msg::ArchiveUnpackError, false, true}}) {
    SCOPED_TRACE(c.kind);
    for (const auto& entry : fs::directory_iterator(home_.path())) fs::remove_all(entry.path());
    RecordingLauncher launcher;
    RunWith(c.kind, launcher);
    const fs::path archive = Archive();
    const std::vector<std::string> texts = start_->dialogs.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], M(Msg::UpdateNow));
    EXPECT_EQ(texts[1], c.message == Msg::UpdateFailed ? M(c.message) : M(c.message) + ":\r" + archive.string());
    EXPECT_EQ(FileSizeOf(archive), c.archiveStays ? 999999 : -1);
    EXPECT_EQ(start_->sequence->closeRequested(), c.programEnds);
    EXPECT_EQ(start_->sequence->state.continueVisible, !c.programEnds);
    EXPECT_TRUE(launcher.started.empty());
    const std::vector<std::string> expected = c.archiveStays
                                                  ? std::vector<std::string>{"trakvella", kUpdateArchiveFolderName}
                                                  : std::vector<std::string>{"trakvella"};
    EXPECT_EQ(Left(), expected);
  }
}

TEST_F(StartUpdate, TheArchiveNeverTakesTheNameOfAFileTheProgramKeeps) {
  // Named by the page like the settings file or servers.ini: it lands in a folder of its own.
  for (const std::string kind : {"good", "small"}) {
    const std::string name = kind == "good" ? "trakvella.ini" : "servers.ini";
    WriteFile(home_.path() / name, "[kept]\r\n");
    RecordingLauncher launcher;
    RunWith(kind, launcher, name);
    EXPECT_EQ(ReadFile(home_.path() / name), "[kept]\r\n");
    EXPECT_GE(FileSizeOf(Archive(name)), 999999);
  }
}

// A copy of a real executable, started and held running until the end of the scope.
struct RunningProgram {
  pid_t pid;
  explicit RunningProgram(const fs::path& file) {
    fs::copy_file("/bin/sleep", file);
    pid = fork();
    if (pid == 0) {
      execl(file.c_str(), "trakvella", "60", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~RunningProgram() {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
};

std::string WaitForFile(const fs::path& file) {
  for (int i = 0; i < 200 && FileSizeOf(file) <= 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the script's last lines
  return FileSizeOf(file) > 0 ? ReadFile(file) : std::string();
}

TEST_F(StartUpdate, TheScriptReplacesARunningProgramAndPutsEverythingBackWhenAStepFails) {
  const fs::path home = home_.path();
  const std::string program = "#!/bin/sh\necho new \"$@\" > \"$(dirname \"$0\")/restarted\"\n";
  PosixProcessLauncher launcher;
  {
    // The old program runs while it is replaced: the new one lands executable
    // and starts; the update's folders go, nothing is left aside.
    RunningProgram running(home / "trakvella");
    RunWith("program", launcher);
    EXPECT_EQ(WaitForFile(home / "restarted"), "new --home " + home.string() + "\n");
    EXPECT_EQ(ReadFile(home / "trakvella"), program);
    EXPECT_EQ(kill(running.pid, 0), 0);
    EXPECT_EQ(Left(), (std::vector<std::string>{"data", "docs", "restarted", "trakvella", "trakvella-update.txt"}));
  }
  // A folder stands where a file goes: every file replaced goes back, the
  // update stays for another try, the old program starts.
  for (const auto& entry : fs::directory_iterator(home)) fs::remove_all(entry.path());
  WriteFile(home / "trakvella", "#!/bin/sh\necho old > \"$(dirname \"$0\")/restarted\"\n");
  fs::permissions(home / "trakvella", fs::perms::owner_all);
  WriteFile(home / "docs" / "changes.txt", "the old changes\n");
  WriteFile(home / "data" / "update.bin" / "in the way", "x");
  RunWith("program", launcher);
  EXPECT_EQ(WaitForFile(home / "restarted"), "old\n");
  EXPECT_EQ(ReadFile(home / "docs" / "changes.txt"), "the old changes\n");
  EXPECT_EQ(Left(), (std::vector<std::string>{"data", "docs", "restarted", "trakvella", kUpdateFolderName,
                                              kUpdateArchiveFolderName}));
  EXPECT_GT(FileSizeOf(Archive()), kMinUpdateArchiveSize);
}

// Runs a callback each time the window is pumped.
struct PumpHook : FakeProgress {
  std::function<void()> onPump;
  void pump() override {
    FakeProgress::pump();
    if (onPump) onPump();
  }
};

TEST_F(StartUpdate, ContinueIsOfferedWhileTheCheckRunsAndStopsIt) {
  PumpHook progress;
  FakeDialogs dialogs;
  NetworkState network;
  LibarchiveReader archives;
  RecordingLauncher launcher;
  const Language language = Language::English;
  Downloader downloader(http_, progress, dialogs, language, network);
  StartSequence s(StartPorts{dialogs, progress, downloader, archives, launcher}, language, network,
                  StartSetup{"3.3.1.388", servers_->web + "silent/update.html", home_.path(), {}, {}, 0});
  progress.onPump = [&] {
    if (s.state.continueVisible && !s.closeRequested()) s.Continue();  // while the site keeps silent
  };
  s.PrepareShowing(0);
  s.Activate();
  for (int tick = 0; tick < kTicksBeforeCheck; ++tick) s.Tick();
  EXPECT_TRUE(s.closeRequested());
  EXPECT_TRUE(s.ContinueToMainWindow());
  EXPECT_TRUE(dialogs.shown.empty());  // nothing failed: the user went on
  EXPECT_EQ(network.networkState, kNetworkWorking);
}

}  // namespace
}  // namespace trakvella::testing
