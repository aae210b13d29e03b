// The developer menu as the user sees it: Ctrl+Alt+D shows it, its exports run
// from it behind the progress window over the bundled catalogue, and the set
// window's conversions and "Build info" use the catalogue and the category buffer.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cstdio>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/catalogue/TrackCodes.h"
#include "core/lang/MessageTable.h"
#include "core/text/Text.h"
#include "ui/MainWindowFixture.h"
#include "ui/musicset/MusicSetForm.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// Runs a shell command; its exit status and its standard output without the last line end.
std::pair<int, std::string> Command(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return {-1, out};
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  if (!out.empty() && out.back() == '\n') out.pop_back();
  return {::pclose(pipe), out};
}

// Records whether the window was ever minimised.
struct StateWatch : QObject {
  bool minimised = false;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange && static_cast<QWidget*>(watched)->isMinimized()) minimised = true;
    return false;
  }
};

struct DeveloperMenu : MainWindowTest {
  FakeProgress progress;

  void SetUp() override {
    MainWindowTest::SetUp();
    app().SetProgressWindow(&progress);
    app().SetLanguage(Language::Russian);
    // The editors' playlists the maximum and desktop XML exports read.
    WriteFile(home.path() / "playlists_desktop.txt",
              Utf8ToCp1251("PLST_001\r\n«Утро»\r\nБодрое начало\r\n1\r\nKMLB_003_001\r\nKMLB_003_002\r\n\r\n@\r\n"));
  }
  void TearDown() override {
    if (auto* form = main->findChild<TMusicSetForm*>("MusicSetForm")) form->close();
    app().SetProgressWindow(nullptr);
    MainWindowTest::TearDown();
  }
  QAction* Dev(const char* name) { return Control<QAction>(name); }
  QMenu* DevMenu() { return Control<QMenu>("DevMenu"); }
  bool ShownWithBusyProgress() const {
    return !progress.calls.empty() && progress.calls.front().mode == 1 &&
           progress.calls.front().text == LangMessage(Language::Russian, Msg::InProgress) &&
           progress.calls.back().mode == 0;
  }
};

TEST_F(DeveloperMenu, CtrlAltDShowsItAndTheMaximumExportFillsTheClipboard) {
  EXPECT_FALSE(DevMenu()->menuAction()->isVisible());
  EXPECT_FALSE(Dev("catplus")->isVisible());
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  QTest::keyClick(CDCatBox(), Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_TRUE(DevMenu()->menuAction()->isVisible());
  EXPECT_TRUE(Dev("catplus")->isVisible());

  emit DevMenu()->aboutToShow();
  EXPECT_TRUE(Dev("N15")->isEnabled());
  EXPECT_TRUE(Dev("XML2")->isEnabled());
  EXPECT_FALSE(Dev("catplus")->isEnabled());   // at the root there is no category to keep
  EXPECT_FALSE(Dev("catclear")->isEnabled());  // nothing to clear

  // The track table first (its count in its message), then the playlist table on the clipboard.
  Dev("N15")->trigger();
  EXPECT_TRUE(ShownWithBusyProgress());
  const int tracks = app().catalogue().TrackCount();
  ASSERT_GT(tracks, 0);
  EXPECT_THAT(dialogs.Texts(), ::testing::Contains(HasSubstr("записей: " + std::to_string(tracks))));
  const std::vector<std::string> lines = SplitLines(clipboard.text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "TRACK CODE\tTRACK ORDER\tPL CODE\tPL TITLE\tPL DESCRIPTION\tPL ORDER");
  EXPECT_EQ(lines[2], "KMLB_003_002\t2\tPLST_001\tУтро\tБодрое начало\t1");
  EXPECT_NE(clipboard.text.find("\r\n"), std::string::npos);

  // Cancelled in the progress window: the clipboard keeps what it had.
  progress.calls.clear();
  progress.cancelAfterPumps = progress.pumps + 20;
  const int sets = clipboard.sets;
  Dev("ITFactory1")->trigger();
  EXPECT_EQ(clipboard.sets, sets);
  EXPECT_TRUE(ShownWithBusyProgress());
}

TEST_F(DeveloperMenu, DesktopXmlIsWrittenToTheProgramFolderWithTheWindowAsideMeanwhile) {
  main->findChild<QAction*>("ShowMe1")->trigger();
  StateWatch watch;
  main->installEventFilter(&watch);
  Dev("XML2")->trigger();
  main->removeEventFilter(&watch);
  EXPECT_TRUE(watch.minimised);
  EXPECT_FALSE(main->isMinimized());
  EXPECT_TRUE(ShownWithBusyProgress());

  const std::string file = (home.path() / "trakvella-desktop_UTF8_wo_BOM.xml").string();
  EXPECT_THAT(ReadFile(file), StartsWith("<?xml"));
  EXPECT_EQ(Command("xmllint --noout '" + file + "'").first, 0);
  EXPECT_EQ(Command("xmllint --xpath 'count(//albums/album/tracks/track)' '" + file + "'").second,
            std::to_string(app().catalogue().TrackCount()));
  EXPECT_EQ(Command("xmllint --xpath 'string(//playlists/playlist/title)' '" + file + "'").second, "Утро");
  // The walk leaves "Allow Open CD" off, and the lists show where it ended.
  EXPECT_FALSE(Dev("AllowOpenCD")->isChecked());
  EXPECT_GT(CDCatBox()->model()->rowCount(), 0);
}

TEST_F(DeveloperMenu, SetWindowConvertsItsTracksAndBuildInfoTakesTheCategoryBuffer) {
  main->findChild<QAction*>("ShowMe1")->trigger();
  app().browser().GoToPlace(std::string(kAllCdsPath));
  main->Refresh();
  // The category buffer: one path, kept in "cat.txt".
  emit DevMenu()->aboutToShow();
  ASSERT_TRUE(Dev("catplus")->isEnabled());
  Dev("catplus")->trigger();
  EXPECT_EQ(Cp1251ToUtf8(ReadFile(home.path() / "cat.txt")), std::string(kAllCdsPath) + "\r\n");
  emit DevMenu()->aboutToShow();
  EXPECT_TRUE(Dev("catclear")->isEnabled());

  FileBox()->setCurrentIndex(FileBox()->model()->index(0, 0));
  main->Item("copyAll")->trigger();
  const size_t entries = app().musicSet().size();
  ASSERT_GT(entries, 1u);
  Control<QToolButton>("MemOperBut")->click();
  auto* form = main->findChild<TMusicSetForm*>("MusicSetForm");
  emit form->MemPopupMenu()->aboutToShow();
  auto* mstock = form->findChild<QAction*>("MSTOCK1");
  ASSERT_TRUE(mstock->isVisible());
  ASSERT_TRUE(mstock->isEnabled());

  progress.calls.clear();
  mstock->trigger();
  EXPECT_TRUE(ShownWithBusyProgress());
  EXPECT_TRUE(form->isEnabled());
  const std::vector<std::string> lines = SplitLines(clipboard.text);
  ASSERT_EQ(lines.size(), entries);
  EXPECT_THAT(lines[0], HasSubstr("\t" + app().musicSet().TrackOf(0).code + "\t"));
  EXPECT_EQ(dialogs.shown.back().text, "Импорт для MStock Готов!\rВ буфере строк: " + std::to_string(entries));

  // "Build info" offers the buffer's paths as the block's categories.
  dialogs.shown.clear();
  form->findChild<QPushButton*>("BInfoBut")->click();
  EXPECT_THAT(dialogs.Texts(), ::testing::Contains(HasSubstr(std::string(kAllCdsPath))));
}

}  // namespace
}  // namespace trakvella::testing
