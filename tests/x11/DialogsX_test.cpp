// The report, documents and scan windows and Qt's file dialog on a real X server (at the scale the
// run is given), over the main window at its design size, in both languages: within the screen,
// every text whole, the report's instructions in one language without scrolling, the file
// dialog's columns as wide as their headings and values.
#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <functional>

#include <gtest/gtest.h>

#include "adapters/qt/QtDialogs.h"
#include "ui/MainWindowFixture.h"
#include "ui/WindowOnScreen.h"
#include "ui/documents/DocForm.h"
#include "ui/lang/QtOwnDialogs.h"
#include "ui/maintenance/RepForm.h"
#include "ui/maintenance/ScanForm.h"
#include "x11/XServer.h"

namespace trakvella::testing {
namespace {

// Runs `check` on the modal dialog the call opens, then closes it.
void OnModal(const std::function<void(QWidget*)>& check) {
  QTimer::singleShot(0, [check] {
    QWidget* dialog = nullptr;
    for (int i = 0; i < 100 && !(dialog = QApplication::activeModalWidget()); ++i) QTest::qWait(20);
    ASSERT_NE(dialog, nullptr);
    QTest::qWait(50);
    check(dialog);
    dialog->close();
  });
}

// The window within the screen's room; each control within the window or the
// sheet of its scroll area, and its text whole.
void ExpectOnScreenAndWhole(QWidget* window) {
  QCoreApplication::processEvents();
  EXPECT_TRUE(ScreenRoom(window).contains(window->frameGeometry())) << window->objectName().toStdString();
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    const std::string name = w->objectName().toStdString() + ":" + w->metaObject()->className();
    QWidget* area = window;
    for (QScrollArea* scroller : window->findChildren<QScrollArea*>())
      if (scroller->widget()->isAncestorOf(w)) area = scroller->widget();
    EXPECT_TRUE(area->rect().contains(QRect(w->mapTo(area, QPoint(0, 0)), w->size()))) << name;
    const auto* label = qobject_cast<QLabel*>(w);
    const auto* button = qobject_cast<QAbstractButton*>(w);
    if ((label && !label->wordWrap() && !label->text().isEmpty()) || (button && !button->text().isEmpty())) {
      EXPECT_GE(w->width(), w->sizeHint().width()) << name;
    }
  }
}

struct DialogsOnX : MainWindowTest {
  QtOwnDialogs own;  // as the program start has it

  void SetUp() override {
    SKIP_WITHOUT_X_SERVER();
    // The file dialog keeps its columns in the user's settings: a fresh place.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(home.path().string()));
    Start();
    main->resize(940, 768);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
  }
  // Runs the check in Russian, then in English.
  void InBothLanguages(const std::function<void(bool russian)>& check) {
    for (const char* language : {"Lang1", "Lang0"}) {
      SCOPED_TRACE(language);
      main->Item(language)->trigger();
      check(app().language() == Language::Russian);
    }
  }
};

TEST_F(DialogsOnX, ReportDocumentsAndScanWindowsFitWithTheirTextsWhole) {
  auto* report = main->findChild<TRepForm*>();
  auto* documents = main->findChild<TDocForm*>("DocForm");
  auto* scan = main->findChild<TScanForm*>();
  ASSERT_TRUE(report && documents && scan);
  InBothLanguages([&](bool russian) {
    OnModal([&](QWidget*) {
      ExpectOnScreenAndWhole(report);
      report->findChild<QTabWidget*>("PageControl2")->setCurrentIndex(1);
      ExpectOnScreenAndWhole(report);
      // The instructions in the interface's language, every line readable without scrolling.
      auto* shown = report->findChild<QPlainTextEdit*>(russian ? "Memo1" : "Memo2");
      EXPECT_TRUE(shown->isVisible());
      EXPECT_FALSE(report->findChild<QPlainTextEdit*>(russian ? "Memo2" : "Memo1")->isVisible());
      EXPECT_FALSE(shown->horizontalScrollBar()->isVisible());
      EXPECT_EQ(shown->verticalScrollBar()->maximum(), 0);
      report->findChild<QTabWidget*>("PageControl2")->setCurrentIndex(0);
    });
    report->Open();
    OnModal([&](QWidget*) {
      auto* pages = documents->findChild<QTabWidget*>("PageControl1");
      for (int page : {1, 2, 0}) {
        pages->setCurrentIndex(page);
        ExpectOnScreenAndWhole(documents);
      }
      // With the previews wide enough to read, scrolling to them where the screen is narrow.
      auto* previews = documents->findChild<QToolButton*>("OptButton");
      previews->click();
      ExpectOnScreenAndWhole(documents);
      const QWidget* act = documents->findChild<QWidget*>("PrList");
      EXPECT_GE(act->width(), 25 * act->fontMetrics().averageCharWidth());
      auto* scroller = documents->findChild<QScrollArea*>();
      EXPECT_GE(scroller->horizontalScrollBar()->maximum(),
                scroller->widget()->width() - scroller->viewport()->width());
      previews->click();
    });
    documents->exec();
    OnModal([&](QWidget*) { ExpectOnScreenAndWhole(scan); });
    scan->Open();
  });
}

TEST_F(DialogsOnX, FileDialogShowsItsColumnsWhole) {
  WriteFile(home.path() / "Договор на использование фонограмм 12.2024.rtf", "{\\rtf1}");
  std::filesystem::create_directory(home.path() / "Документы");
  QtDialogs qtDialogs(main.get());
  InBothLanguages([&](bool) {
    OnModal([&](QWidget* dialog) {
      auto* view = dialog->findChild<QTreeView*>("treeView");
      ASSERT_NE(view, nullptr);
      for (int i = 0; i < 250 && view->model()->rowCount(view->rootIndex()) < 3; ++i) QTest::qWait(20);
      QTest::qWait(100);  // the folder is read in the background
      ExpectOnScreenAndWhole(dialog);
      QHeaderView* header = view->header();
      int total = 0;
      for (int column = 0; column < header->count(); ++column) {
        total += header->sectionSize(column);
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << "heading " << column;
        if (column > 0) {
          EXPECT_GE(header->sectionSize(column), static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column))
              << "column " << column;
        }
      }
      EXPECT_LE(total, view->viewport()->width());  // nothing hides to the right
    });
    qtDialogs.SaveFileName("", "RTF Files|*.rtf", (home.path() / "12.2024.rtf").string());
  });
}

}  // namespace
}  // namespace trakvella::testing
