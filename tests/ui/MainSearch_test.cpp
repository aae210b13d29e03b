// The search panel in the main window: opening and closing it, a search listing
// its results, and the panel's captions following the language.
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/Fakes.h"
#include "ui/MainWindowFixture.h"
#include "ui/main/MainForm.h"
#include "ui/search/SearchPanel.h"

namespace trakvella::testing {
namespace {

struct MainSearch : MainWindowTest {
  int plays = 0;
  void SetUp() override {
    Start();
    app().browser().hooks.playCurrent = [this](bool) { ++plays; };
  }
};

TEST_F(MainSearch, TheSearchButtonOpensThePanelInPlaceOfTheCategoryList) {
  Control<QToolButton>("SearchBut")->click();
  EXPECT_TRUE(Control<QFrame>("SearchPanel")->isVisible());
  EXPECT_FALSE(CDCatBox()->isVisible());
  EXPECT_TRUE(Control<QToolButton>("SearchBut")->isChecked());
  EXPECT_EQ(StatusField(0), "*");
  EXPECT_EQ(app().browser().currentPath(), "* ALL LIBRARY >> … ALL CDS");
  const QFrame* panel = Control<QFrame>("SearchPanel");
  EXPECT_LE(panel->y() + panel->height(), CDCatBox()->y() + CDCatBox()->height());
  EXPECT_GE(panel->y(), CDCatBox()->y());

  // Closing with an empty track list goes home.
  Control<QToolButton>("SearchBut")->click();
  EXPECT_FALSE(Control<QFrame>("SearchPanel")->isVisible());
  EXPECT_TRUE(CDCatBox()->isVisible());
  EXPECT_EQ(app().browser().currentPath(), "");
}

TEST_F(MainSearch, FindingListsTheMatchesAndClosingKeepsThem) {
  main->Item("MMSearchItem")->trigger();
  ASSERT_TRUE(Control<QFrame>("SearchPanel")->isVisible());
  Control<QPushButton>("SBut")->click();
  const int rows = FileBox()->model()->rowCount();
  EXPECT_GT(rows, 100);  // every music track of the sample catalogue
  EXPECT_EQ(FileBox()->currentIndex().row(), 0);
  EXPECT_EQ(plays, 1);
  EXPECT_GT(CDCatBox()->model()->rowCount(), 5);
  EXPECT_EQ(StatusField(0), "*");
  // Effect mode lists only the effects.
  Control<QRadioButton>("sfx")->click();
  Control<QPushButton>("SBut")->click();
  const int effects = FileBox()->model()->rowCount();
  EXPECT_GT(effects, 0);
  EXPECT_LT(effects, rows);
  for (const auto& [cd, track] : app().browser().rows())
    EXPECT_EQ(app().catalogue().Track(cd, track).styleText, "SFX/ID");
  // The button closes the panel and the results stay, their CDs in the box.
  Control<QToolButton>("SearchBut")->click();
  EXPECT_FALSE(Control<QFrame>("SearchPanel")->isVisible());
  EXPECT_TRUE(CDCatBox()->isVisible());
  EXPECT_EQ(FileBox()->model()->rowCount(), effects);
  EXPECT_EQ(StatusField(0), "");
}

TEST_F(MainSearch, ThePanelFollowsTheLanguage) {
  Control<QToolButton>("SearchBut")->click();
  main->Item("Lang1")->trigger();
  auto* area = Control<QComboBox>("SArea");
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->itemText(0), QString::fromUtf8("ВСЕ НАПРАВЛЕНИЯ"));
  EXPECT_EQ(area->itemText(1), QString::fromUtf8("Бизнес тематика"));
  EXPECT_TRUE(Control<QFrame>("SearchPanel")->isVisible());  // the panel shown again in the new language
  main->Item("Lang0")->trigger();
  EXPECT_EQ(area->itemText(0), "ALL PACKAGES");
  EXPECT_EQ(area->itemText(1), "CORPORATE MUSIC");
}

// The progress window's first word of a search finds the track list in the
// button-face colour, not redrawn; afterwards it is in its own colour again.
TEST_F(MainSearch, TheTrackListWaitsInTheButtonFaceColourWhileASearchRuns) {
  struct Watch : FakeProgress {
    QListView* files = nullptr;
    std::vector<std::pair<QColor, bool>> seen;  // the list's colour and whether it redraws
    void ShowProgress(const std::string& text, ProgressMode mode, bool tall) override {
      const QWidget* rows = files->viewport();
      if (mode == ProgressMode::Show)
        seen.emplace_back(rows->palette().color(rows->backgroundRole()), files->updatesEnabled());
      FakeProgress::ShowProgress(text, mode, tall);
    }
  } watch;
  watch.files = FileBox();
  const QPalette own = FileBox()->palette();
  app().SetProgressWindow(&watch);
  Control<QToolButton>("SearchBut")->click();
  Control<QPushButton>("SBut")->click();
  app().SetProgressWindow(nullptr);
  ASSERT_FALSE(watch.seen.empty());
  EXPECT_EQ(watch.seen.front().first, own.color(QPalette::Button));
  EXPECT_FALSE(watch.seen.front().second);
  EXPECT_EQ(FileBox()->viewport()->backgroundRole(), QPalette::Base);
  EXPECT_TRUE(FileBox()->updatesEnabled());
}

// At the window's smallest size every visible control of the panel is whole,
// inside the panel and apart from the others; the style list shows whole rows.
// The same again in a process of its own at twice the scale.
TEST_F(MainSearch, ThePanelsControlsAreWholeAndApartAtTheSmallestSize) {
  const bool twice = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
  main->resize(940, 768);
  Control<QToolButton>("SearchBut")->click();
  QCoreApplication::processEvents();
  if (twice) {
    EXPECT_EQ(main->devicePixelRatio(), 2.0);
  }
  const auto* frame = Control<QFrame>("SearchPanel");
  const auto* panel = main->findChild<TSearchPanel*>();
  ASSERT_NE(panel, nullptr);
  for (const char* language : {"Lang1", "Lang0"}) {
    SCOPED_TRACE(language);
    main->Item(language)->trigger();
    QCoreApplication::processEvents();
    ASSERT_TRUE(frame->isVisible());
    std::vector<QWidget*> shown;
    for (QWidget* w : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
      if (w->isVisible()) shown.push_back(w);
    ASSERT_GE(shown.size(), 38u);
    for (size_t i = 0; i < shown.size(); ++i) {
      const QWidget* w = shown[i];
      const std::string name = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName().toStdString();
      const QRect r(w->mapTo(frame, QPoint(0, 0)), w->size());
      EXPECT_TRUE(frame->rect().contains(r)) << name;
      // Whole: never squeezed below what its text or items need (or the size it was given).
      const bool scalable =
          qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QListWidget*>(w);
      const QSize needs = (scalable ? w->minimumSizeHint() : w->sizeHint().expandedTo(w->minimumSizeHint()))
                              .boundedTo(w->maximumSize())
                              .expandedTo(w->minimumSize());
      EXPECT_GE(w->width(), needs.width()) << name;
      EXPECT_GE(w->height(), needs.height()) << name;
      for (size_t j = i + 1; j < shown.size(); ++j)
        EXPECT_FALSE(w->geometry().intersects(shown[j]->geometry()))
            << name << " and " << shown[j]->objectName().toStdString();
    }
    const auto* styles = Control<QListWidget>("StyleBox");
    const int row = styles->sizeHintForRow(0);
    EXPECT_GE(styles->viewport()->height() / row, 5);
    EXPECT_EQ(styles->viewport()->height() % row, 0);
  }
  if (twice) return;
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_SCALE_FACTOR", "2");
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=MainSearch.ThePanelsControlsAreWholeAndApartAtTheSmallestSize"});
  ASSERT_TRUE(child.waitForFinished(60000));
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
}

}  // namespace
}  // namespace trakvella::testing
