// The folder scan window (a scan of a project tree into the music set, the close
// refused while it runs, its captions) and the report window (the report of some
// columns with row numbers on the clipboard, the pages, what stays between openings).
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/lang/MessageTable.h"
#include "core/maintenance/TrackReport.h"
#include "support/Gzip.h"
#include "ui/MainWindowFixture.h"
#include "ui/lang/LangCaptions.h"
#include "ui/maintenance/RepForm.h"
#include "ui/maintenance/ScanForm.h"

namespace trakvella::testing {
namespace {

// A project as an editor writes it: binary filler around the paths of its audio files.
std::string Project(const std::vector<std::string>& files) {
  std::string bytes(300, '\x01');
  for (const auto& file : files) bytes += "D:\\Library\\" + file + std::string(200, '\x02');
  return bytes;
}

struct ScanRepFormsTest : MainWindowTest {
  template <class T>
  T* In(QWidget* window, const char* name) {
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // A click on the music set window's button opens `form` modally; true when it did.
  bool OpensModally(const char* button, QDialog* form) {
    QWidget* setWindow = CaptionWindow("TMusicSetForm");
    if (!setWindow) return false;
    bool opened = false;
    QTimer::singleShot(0, form, [&] {
      opened = form->isVisible() && QApplication::activeModalWidget() == form;
      form->close();
    });
    auto* b = In<QAbstractButton>(setWindow, button);
    if (!b || !b->isEnabled()) return false;
    b->click();
    return opened;
  }
  void Click(QWidget* window, const char* button) {
    QTest::mouseClick(In<QAbstractButton>(window, button), Qt::LeftButton);
  }
  std::string Text(Msg message) { return LangMessage(app().language(), message); }
};

TEST_F(ScanRepFormsTest, ScanOfAProjectTreeFillsTheSetAndCannotBeClosedWhileItRuns) {
  auto* form = main->findChild<TScanForm*>();
  ASSERT_NE(form, nullptr);
  TempDir projects;
  const auto& root = projects.path();
  // With only WAVs counted, the ".wav" written in lower case is not read as a code.
  WriteFile(root / "Promo" / "spot.cpr", Project({"KMLB_003_001.WAV", "KMLB_003_002.wav"}));
  WriteFile(root / "Promo" / "spot_bak.cpr", Project({"KMLB_003_004.WAV"}));  // a backup: excluded
  WriteFile(root / "Promo" / "Реклама.ses", Project({"KMLB_003_001.WAV"}));
  // Ableton Live keeps its project gzip-compressed.
  WriteFile(root / "Film" / "Score" / "cue.als", Gzip(Project({"KMLB_012_004.WAV", "KMLB_012_001.WAV"})));
  WriteFile(root / "Film" / "Score" / "cue.npr", Project({"KMLB_012_004.WAV", "KMLB_999_999.WAV"}));

  EXPECT_TRUE(OpensModally("CollectBut", form));
  form->show();
  In<QCheckBox>(form, "WAVCheck")->setChecked(true);
  In<QCheckBox>(form, "CheckBox7")->setChecked(true);  // Ableton Live, unticked at start
  In<QCheckBox>(form, "CheckBox6")->setChecked(true);
  In<QLineEdit>(form, "OtherExt")->setText(".ses");
  dialogs.folders.push_back(root.string());
  Click(form, "SelDirBut");
  EXPECT_EQ(In<QLineEdit>(form, "spath")->text().toStdString(), root.string());

  // While the scan runs, window events go on: the close and Escape are refused.
  bool ranDuringScan = false, buttonsOffDuringScan = false, stayedOpen = false;
  QTimer::singleShot(0, form, [&] {
    ranDuringScan = true;
    buttonsOffDuringScan = !In<QWidget>(form, "SBut")->isEnabled() && !In<QWidget>(form, "ExitBut")->isEnabled() &&
                           !In<QWidget>(form, "SelDirBut")->isEnabled();
    form->close();
    QTest::keyClick(form, Qt::Key_Escape);
    stayedOpen = form->isVisible();
  });
  const size_t before = app().musicSet().size();
  Click(form, "SBut");
  EXPECT_TRUE(ranDuringScan);
  EXPECT_TRUE(buttonsOffDuringScan);
  EXPECT_TRUE(stayedOpen);

  // Type by type: Cubase, Nuendo, "Other", Ableton Live; the unknown code is dropped by the set.
  const MusicSet& set = app().musicSet();
  ASSERT_EQ(set.size(), before + 4);
  auto entry = [&](size_t i) {
    const MusicSetEntry& e = set[before + i];
    return e.code + "|" + e.projectFolder + "|" + e.projectName;
  };
  EXPECT_EQ(entry(0), "KMLB_003_001|Promo|spot");
  EXPECT_EQ(entry(1), "KMLB_012_004|Score|cue");
  EXPECT_EQ(entry(2), "KMLB_003_001|Promo|Реклама");
  EXPECT_EQ(entry(3), "KMLB_012_001|Score|cue");  // cue.npr gave KMLB_012_004 for this folder already
  EXPECT_EQ(In<QLabel>(form, "reslabel")->text().toStdString(), Text(Msg::ScanTracksAdded) + "4");
  EXPECT_EQ(In<QLabel>(form, "flabel1")->text(), "1");
  EXPECT_EQ(In<QLabel>(form, "flabel2")->text(), "1");
  EXPECT_EQ(In<QLabel>(form, "flabel6")->text(), "1");
  EXPECT_EQ(In<QLabel>(form, "flabel7")->text(), "1");
  EXPECT_EQ(In<QLabel>(form, "proNum")->text(), "4/4");
  EXPECT_EQ(In<QProgressBar>(form, "OverAll")->value(), 4);
  EXPECT_FALSE(In<QWidget>(form, "Animate1")->isVisible());
  EXPECT_TRUE(In<QWidget>(form, "SBut")->isEnabled());

  // Done: the window closes, and opens again cleared.
  Click(form, "ExitBut");
  EXPECT_FALSE(form->isVisible());
  form->FormActivate();
  EXPECT_TRUE(In<QLabel>(form, "reslabel")->text().isEmpty());
  EXPECT_TRUE(In<QLabel>(form, "proNum")->text().isEmpty());

  // The captions follow the language; the editing programs keep their names.
  main->Item("Lang0")->trigger();
  EXPECT_EQ(form->windowTitle(), "DAW Data Collecting");
  EXPECT_EQ(In<QCheckBox>(form, "CheckBox6")->text(), "Other... ");
  EXPECT_EQ(In<QCheckBox>(form, "CheckBox7")->text(), "Ableton Live");
  main->Item("Lang1")->trigger();
  EXPECT_EQ(In<QAbstractButton>(form, "SBut")->text(), QString::fromUtf8("Сканировать"));
  EXPECT_EQ(In<QCheckBox>(form, "CheckBox1")->text(), "Steinberg Cubase");
}

TEST_F(ScanRepFormsTest, UserReportOfTwoColumnsWithRowNumbersGoesToTheClipboard) {
  auto* form = main->findChild<TRepForm*>();
  ASSERT_NE(form, nullptr);
  FillLines lines;
  lines.Add("KMLB_012_004", "Morning Show", "ep1");
  lines.Add("KMLB_003_001", "-", "-");
  MusicSet& set = app().musicSet();
  set.Clear();
  ASSERT_EQ(set.FillMem(lines, FillMode::AppendAll), 2u);

  EXPECT_TRUE(OpensModally("RepButton", form));
  form->show();
  auto* pages = In<QTabWidget>(form, "PageControl2");
  auto* kinds = In<QTabWidget>(form, "PageControl1");
  auto* list = In<QListWidget>(form, "ListBox3");
  ASSERT_EQ(list->count(), 9);
  EXPECT_EQ(list->selectedItems().size(), 9);  // every column chosen at the start
  EXPECT_FALSE(In<QWidget>(form, "ReadyBut")->isVisible());

  // The year goes as far as the year after this one, the quarter from 1 to 4.
  auto* year = In<QSpinBox>(form, "SpinEdit2");
  EXPECT_EQ(year->maximum(), LastReportYear(QDate::currentDate().year()));
  EXPECT_EQ(year->minimum(), 2008);
  EXPECT_EQ(In<QSpinBox>(form, "SpinEdit3")->maximum(), 4);
  EXPECT_TRUE(year->toolTip().contains(QString::number(year->maximum())));  // the hint says how far

  kinds->setCurrentIndex(2);
  for (int column : {0, 1, 2, 5, 6, 7, 8}) list->item(column)->setSelected(false);
  In<QCheckBox>(form, "CheckColRowNames")->click();
  EXPECT_TRUE(app().settings().checkColRowNames);
  Click(form, "MakeRepBut");

  EXPECT_EQ(clipboard.text,
            "N\tНазвание\tКод\t\r\n"
            "1\tСамба на пляже\tKMLB_012_004\r\n"
            "2\tАплодисменты - 01\tKMLB_003_001\r\n");
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().text,
            Text(Msg::CopiedRows) + "3" + Text(Msg::RowsToClipboard) + "\n" + Text(Msg::ReadReportInstructions));
  // The instructions follow, with the English text only in the English interface.
  EXPECT_EQ(pages->currentIndex(), 1);
  EXPECT_TRUE(In<QWidget>(form, "ReadyBut")->isVisible());
  EXPECT_EQ(In<QPlainTextEdit>(form, "Memo2")->isVisible(), app().language() == Language::English);
  Click(form, "ReadyBut");
  EXPECT_FALSE(form->isVisible());

  // The next opening starts on the kind page with the columns as they were left;
  // with no column chosen nothing is copied and the page stays.
  form->show();
  form->FormActivate();
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(kinds->currentIndex(), 2);
  EXPECT_EQ(list->selectedItems().size(), 2);
  EXPECT_TRUE(In<QCheckBox>(form, "CheckColRowNames")->isChecked());
  list->clearSelection();
  const int copies = clipboard.sets;
  Click(form, "MakeRepBut");
  EXPECT_EQ(clipboard.sets, copies);
  EXPECT_EQ(dialogs.shown.back().text, Text(Msg::ExtractError));
  EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Error);
  EXPECT_EQ(pages->currentIndex(), 0);
  Click(form, "BitBtn1");
  EXPECT_EQ(list->selectedItems().size(), 9);
  Click(form, "CancelBut");
  EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace trakvella::testing
