// The program's writes against a folder someone else may write to, against a
// writer killed half way, and against other processes writing the same file.
#include "adapters/PosixFileSystem.h"

#include <filesystem>
#include <signal.h>
#include <string>
#include <unistd.h>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "core/exports/ExportRun.h"
#include "core/settings/Settings.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

// Waits for a child and gives its exit status (-signal when a signal ended it).
int Reap(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

TEST(FileWrites, ALinkPlantedWhereTheProgramWritesIsNeverFollowed) {
  TempDir home, elsewhere;
  const fs::path victim = elsewhere.path() / "victim";
  WriteFile(victim, "precious");
  // The names the temporary files of earlier versions had: the settings' own,
  // and "." NAME ".trakvella-" PID ".tmp" for every other write; and the lock's.
  const std::string pid = std::to_string(getpid());
  for (const std::string& name : {std::string("trakvella.ini.tmp"), ".out.xml.trakvella-" + pid + ".tmp",
                                  std::string(".out.xml.lock"), std::string(".trakvella.ini.lock")})
    fs::create_symlink(victim, home.path() / name);

  Settings settings;
  settings.webSrv = "2";
  EXPECT_TRUE(WriteSettings(home.path(), settings));
  EXPECT_TRUE(SaveFileBytes(home.path() / "out.xml", "<update />"));

  EXPECT_EQ(ReadFile(victim), "precious");
  EXPECT_FALSE(fs::is_symlink(home.path() / "trakvella.ini"));
  EXPECT_THAT(SplitLines(ReadFile(home.path() / "trakvella.ini")), ::testing::Contains("WEBSRV=2"));
  EXPECT_FALSE(fs::is_symlink(home.path() / "out.xml"));
  EXPECT_EQ(ReadFile(home.path() / "out.xml"), "<update />");
}

TEST(FileWrites, AWriteKilledHalfWayLeavesTheOldFileAndTheNextWriteClearsItsTemporary) {
  TempDir home;
  const fs::path file = home.path() / "set.rq2";
  WriteFile(file, "old");
  const pid_t child = fork();
  if (child == 0) {
    // Killed once its temporary file exists, before anything is renamed.
    (void)Files().UpdateFile(file, 1 << 20, [](const std::optional<std::string>&) -> Result<std::string> {
      raise(SIGKILL);
      return std::string("never");
    });
    _exit(0);
  }
  ASSERT_EQ(Reap(child), -SIGKILL);
  EXPECT_EQ(ReadFile(file), "old");
  EXPECT_GT(Names(home.path()).size(), 1u);  // what the killed write left

  ASSERT_TRUE(WriteFileReplacing(file, "new").ok());
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_THAT(Names(home.path()), ElementsAre("set.rq2"));
}

TEST(FileWrites, SettingsWrittenByFourProcessesAtOnceEndWholeAndEveryWriteSucceeds) {
  TempDir home;
  std::vector<std::string> versions;
  std::vector<pid_t> children;
  for (int writer = 0; writer < 4; ++writer) {
    Settings settings;
    settings.userPlayer = "/usr/bin/player" + std::to_string(writer);
    // Large enough that writes overlap.
    for (int i = 0; i < 20000; ++i)
      settings.musicSetLines.push_back("KMLB_003_001=WRITER " + std::to_string(writer) + " LINE " + std::to_string(i) +
                                       ",-,-");
    versions.push_back(Utf8ToCp1251(JoinLinesCrLf(SettingsLines(settings))));
    const pid_t child = fork();
    if (child == 0) {
      bool all = true;
      for (int round = 0; round < 15; ++round) all = WriteSettings(home.path(), settings) && all;
      _exit(all ? 0 : 1);
    }
    children.push_back(child);
  }
  for (pid_t child : children) EXPECT_EQ(Reap(child), 0);
  EXPECT_THAT(versions, ::testing::Contains(ReadFile(home.path() / kSettingsFileName)));
  EXPECT_THAT(Names(home.path()), ElementsAre(kSettingsFileName));
}

}  // namespace
}  // namespace trakvella::testing
