// The main window on a real X server (Xvfb, 1280 x 1024), at the scale the run is given
// (QT_SCALE_FACTOR unset or 2): it fits the screen, its status bar keeps every field whole in
// both languages after the window grew and shrank, and the close shows its progress window.
#include <QAction>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/MessageTable.h"
#include "program/DesktopPorts.h"
#include "support/Fakes.h"
#include "ui/lang/LangCaptions.h"
#include "ui/main/MainForm.h"
#include "ui/wait/WaitForm.h"
#include "x11/XServer.h"

namespace trakvella::testing {
namespace {

// The main window and its progress window over a fresh program folder, shown
// and with the library loaded.
struct OnX : ::testing::Test {
  TempDir home;
  FakeDialogs dialogs;
  DesktopPorts desktop;
  std::unique_ptr<App> app;
  std::unique_ptr<TMainForm> main;
  std::unique_ptr<TWaitForm> wait;

  void SetUp() override {
    SKIP_WITHOUT_X_SERVER();
    AppOptions o;
    o.programFolder = home.path();
    o.today = [] { return YearMonth{2026, 12}; };
    AppPorts ports = desktop.ports();
    ports.dialogs = &dialogs;
    app = std::make_unique<App>(o, ports);
    main = std::make_unique<TMainForm>(*app, app->Start());
    wait = std::make_unique<TWaitForm>(main.get(), main->language());
    RegisterCaptionWindow("TWaitForm", wait.get());
    main->setWaitForm(wait.get());
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    main->FirstActivation();
  }
  void TearDown() override {
    if (wait) UnregisterCaptionWindow(wait.get());
    wait.reset();
    main.reset();
    app.reset();
  }
  QLabel* Field(int i) { return main->findChild<QLabel*>(QStringLiteral("StatusField%1").arg(i)); }
  // Waits for the X server to carry out a resize.
  void ResizeTo(QSize size) {
    main->resize(size);
    QTest::qWait(150);
  }
};

TEST_F(OnX, TheWindowFitsTheScreenAndMayShrinkToTheDesignSizeOrTheScreen) {
  const QRect screen = main->screen()->availableGeometry();
  const QSize frame = main->frameGeometry().size() - main->size();
  EXPECT_LE(main->minimumWidth() + frame.width(), screen.width());
  EXPECT_LE(main->minimumHeight() + frame.height(), screen.height());
  EXPECT_TRUE(screen.contains(main->frameGeometry()))
      << main->frameGeometry().width() << "x" << main->frameGeometry().height();
  if (screen.width() >= 940 + frame.width() && screen.height() >= 768 + frame.height()) {
    EXPECT_EQ(main->minimumSize(), QSize(940, 768));
  }
  // Resizing below the minimum is refused; down to it works.
  ResizeTo(main->minimumSize());
  EXPECT_EQ(main->size(), main->minimumSize());
  ResizeTo(main->minimumSize() - QSize(50, 50));
  EXPECT_EQ(main->size(), main->minimumSize());
  // The lists and the buttons under them still have room.
  for (const char* name : {"CDCatBox", "FileBox", "KeyBox", "PlayBar"}) {
    const QWidget* w = main->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name;
    EXPECT_GT(w->width(), 40) << name;
    EXPECT_GT(w->height(), 10) << name;
    EXPECT_LE(w->geometry().bottom(), main->centralWidget()->height()) << name;
  }
  const QWidget* counter = main->findChild<QWidget*>("memCountLbl");
  const QWidget* sortLabel = main->findChild<QWidget*>("SortInfoLbl");
  EXPECT_GT(sortLabel->x(), counter->geometry().right());

  // The CD information pop-up beside the narrow lists stays on the screen.
  app->browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
  main->Refresh();
  const auto& rows = app->browser().boxRows();
  int cdRow = 0;
  while (cdRow < static_cast<int>(rows.size()) && !rows[cdRow].isCd) ++cdRow;
  ASSERT_LT(cdRow, static_cast<int>(rows.size()));
  auto* box = main->findChild<QListView*>("CDCatBox");
  QTest::mousePress(box->viewport(), Qt::MiddleButton, {}, box->visualRect(box->model()->index(cdRow, 0)).center());
  QTest::mouseRelease(box->viewport(), Qt::MiddleButton, {}, box->visualRect(box->model()->index(cdRow, 0)).center());
  const QWidget* info = main->findChild<QWidget*>("InfoForm");
  ASSERT_TRUE(info && info->isVisible());
  QTest::qWait(100);
  EXPECT_TRUE(screen.contains(info->frameGeometry())) << info->x() << "," << info->y();
}

TEST_F(OnX, EveryStatusFieldShowsWholeInBothLanguagesAfterTheWindowGrewAndShrank) {
  // A CD of 12 tracks with its first track selected: "1/12", a key and a tempo.
  const Catalogue& catalogue = app->catalogue();
  const CdRecord* twelve = nullptr;
  for (const CdRecord& cd : catalogue.Cds())
    if (cd.tracks.size() == 12) {
      twelve = &cd;
      break;
    }
  ASSERT_NE(twelve, nullptr);
  const QSize largest = main->screen()->availableGeometry().size() - (main->frameGeometry().size() - main->size());
  for (const char* language : {"Lang1", "Lang0"}) {
    main->Item(language)->trigger();
    app->browser().GoToPlace("* ALL LIBRARY >> … ALL CDS : " + twelve->cdText);
    app->browser().SelectRow(0);
    main->Refresh();
    ASSERT_EQ(Field(4)->text(), "1/12");
    ASSERT_FALSE(Field(3)->text().isEmpty());
    for (QSize size : {largest, main->minimumSize(), largest, main->minimumSize()}) {
      ResizeTo(size);
      const QStatusBar* bar = main->statusBar();
      int left = -1;
      for (int i = 0; i < 5; ++i) {
        const QLabel* f = Field(i);
        const QRect r = f->geometry();
        EXPECT_TRUE(f->isVisible()) << language << " field " << i;
        EXPECT_GT(r.left(), left) << language << " field " << i;
        EXPECT_LE(r.right(), bar->width()) << language << " field " << i << " at width " << size.width();
        left = r.right();
        if (i == 1) continue;  // the address takes what the others leave
        EXPECT_GE(f->contentsRect().width(), f->fontMetrics().horizontalAdvance(f->text()))
            << language << " field " << i << " '" << f->text().toStdString() << "' at width " << size.width();
      }
    }
  }
}

// The search panel over the category list: where the list is narrower or lower
// than the panel needs, the panel scrolls to every control instead of cutting it.
TEST_F(OnX, TheSearchPanelScrollsToEveryControlAtTheSmallestSize) {
  ResizeTo(main->minimumSize());
  main->findChild<QToolButton*>("SearchBut")->click();
  QTest::qWait(100);
  auto* scroller = main->findChild<QScrollArea*>("SearchPanelScroller");
  ASSERT_TRUE(scroller && scroller->isVisible());
  const QWidget* panel = scroller->widget();
  EXPECT_GE(panel->width(), panel->minimumSizeHint().width());
  EXPECT_GE(panel->height(), panel->minimumSizeHint().height());
  const QSize view = scroller->viewport()->size();
  EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), std::max(0, panel->width() - view.width()));
  EXPECT_EQ(scroller->verticalScrollBar()->maximum(), std::max(0, panel->height() - view.height()));
  EXPECT_EQ(scroller->horizontalScrollBar()->isVisible(), panel->width() > view.width());
}

// "Отключаемся, в процессе...": the progress window is on the screen, painted and
// moving, before the settings are written, not only for an instant at the end
// (a window manager maps it only once window events go on).
TEST_F(OnX, TheClosingProgressIsPaintedAndMovesWhileTheProgramCloses) {
  struct PaintWatch : QObject {
    std::filesystem::path settings;
    QString paintedText;
    int paintsBeforeSettings = 0;  // of the moving squares, while on the screen
    bool eventFilter(QObject* watched, QEvent* event) override {
      auto* widget = static_cast<QWidget*>(watched);
      if (event->type() != QEvent::Paint || !widget->window()->windowHandle() ||
          !widget->window()->windowHandle()->isExposed() || std::filesystem::exists(settings))
        return false;
      if (widget->objectName() == "TrackBar")
        ++paintsBeforeSettings;
      else if (paintedText.isEmpty())
        paintedText = widget->findChild<QLabel*>("Operation")->text();
      return false;
    }
  } watch;
  watch.settings = home.path() / "trakvella.ini";
  ASSERT_FALSE(std::filesystem::exists(watch.settings));
  wait->installEventFilter(&watch);
  wait->findChild<QWidget*>("TrackBar")->installEventFilter(&watch);
  main->close();
  EXPECT_EQ(watch.paintedText, QString::fromStdString(LangMessage(main->language(), Msg::Closing)));
  EXPECT_GE(watch.paintsBeforeSettings, 10);
  EXPECT_TRUE(std::filesystem::exists(watch.settings));
  EXPECT_FALSE(wait->isVisible());
}

}  // namespace
}  // namespace trakvella::testing
