// The maintenance and documents windows and Qt's file dialog on a real X server (Xvfb, 1280 x 1024,
// at the scale the run is given), over the main window at its design size, in both languages: each
// window within the screen with the texts of its controls whole, the report's instructions in one
// language readable without scrolling, the file dialog's columns as wide as their headings and values.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <functional>

#include "adapters/qt/QtDialogs.h"
#include "core/maintenance/TrackReport.h"
#include "ui/MainWindowFixture.h"
#include "ui/QtText.h"
#include "ui/WindowOnScreen.h"
#include "ui/documents/DocForm.h"
#include "ui/lang/QtOwnDialogs.h"
#include "ui/maintenance/RepForm.h"
#include "ui/maintenance/ScanForm.h"
#include "x11/XServer.h"

namespace trakvella::testing {
namespace {

bool HasCyrillic(const QString& text) {
  for (QChar c : text)
    if (c.script() == QChar::Script_Cyrillic) return true;
  return false;
}

// Runs `check` on the modal dialog the call opens, then closes it.
void OnModal(const std::function<void(QWidget*)>& check) {
  QTimer::singleShot(0, [check] {
    QWidget* dialog = nullptr;
    for (int i = 0; i < 100 && !(dialog = QApplication::activeModalWidget()); ++i) QTest::qWait(20);
    ASSERT_NE(dialog, nullptr);
    QTest::qWait(50);  // the X server has carried out the placing
    check(dialog);
    dialog->close();
  });
}

struct DialogsOnX : MainWindowTest {
  QtOwnDialogs own;  // as the program start has it
  const char* languages[2] = {"Lang1", "Lang0"};

  void SetUp() override {
    SKIP_WITHOUT_X_SERVER();
    // Qt's dialogs keep their state (the file dialog's columns) in the user's settings: a fresh place.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Q(home.path().string()));
    Start();
    main->resize(940, 768);  // the design size, or the screen's room at twice the scale
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
  }
  void Switch(const char* language) {
    main->Item(language)->trigger();
    QCoreApplication::processEvents();
  }
  bool Russian() { return app().language() == kRussian; }

  // The window within the screen's room, and every text of its visible controls whole; a control
  // on the sheet of a scroll area lies on that sheet, and the scroll bars reach all of it.
  static void ExpectOnScreenAndWhole(QWidget* window) {
    QCoreApplication::processEvents();
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(ScreenRoom(window).contains(frame)) << window->objectName().toStdString() << " at " << frame.x()
                                                    << "," << frame.y() << " " << frame.width() << "x"
                                                    << frame.height();
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isVisible()) continue;
      const std::string name = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName().toStdString();
      QWidget* area = window;
      for (QScrollArea* scroller : window->findChildren<QScrollArea*>())
        if (scroller->widget()->isAncestorOf(w)) area = scroller->widget();
      EXPECT_TRUE(area->rect().contains(QRect(w->mapTo(area, QPoint(0, 0)), w->size()))) << name;
      if (auto* scroller = qobject_cast<QScrollArea*>(w)) {
        const QSize view = scroller->viewport()->size(), sheet = scroller->widget()->size();
        EXPECT_GE(scroller->horizontalScrollBar()->maximum(), sheet.width() - view.width()) << name;
        EXPECT_GE(scroller->verticalScrollBar()->maximum(), sheet.height() - view.height()) << name;
      }
      auto* label = qobject_cast<QLabel*>(w);
      auto* button = qobject_cast<QAbstractButton*>(w);
      if ((label && !label->wordWrap() && !label->text().isEmpty()) || (button && !button->text().isEmpty())) {
        EXPECT_GE(w->width(), w->sizeHint().width())
            << name << ": " << (label ? label->text() : button->text()).toStdString();
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << name;
      }
      if (auto* tabs = qobject_cast<QTabBar*>(w))
        for (int i = 0; i < tabs->count(); ++i)
          EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << "tab " << tabs->tabText(i).toStdString();
    }
  }
};

TEST_F(DialogsOnX, ReportWindowShowsItsPagesWholeAndTheInstructionsInOneLanguage) {
  auto* report = main->findChild<TRepForm*>();
  ASSERT_NE(report, nullptr);
  for (const char* language : languages) {
    SCOPED_TRACE(language);
    Switch(language);
    OnModal([&](QWidget*) {
      auto* kinds = report->findChild<QTabWidget*>("PageControl1");
      for (int kind = 0; kind < kinds->count(); ++kind) {
        kinds->setCurrentIndex(kind);
        ExpectOnScreenAndWhole(report);
      }
      report->findChild<QTabWidget*>("PageControl2")->setCurrentIndex(1);
      QCoreApplication::processEvents();
      ExpectOnScreenAndWhole(report);
      auto* shown = report->findChild<QPlainTextEdit*>(Russian() ? "Memo1" : "Memo2");
      auto* hidden = report->findChild<QPlainTextEdit*>(Russian() ? "Memo2" : "Memo1");
      EXPECT_TRUE(shown->isVisible());
      EXPECT_FALSE(hidden->isVisible());
      EXPECT_TRUE(shown->toPlainText().startsWith(Q(ReportInstructions(app().language())[0])));
      // Every line readable without scrolling either way.
      EXPECT_FALSE(shown->horizontalScrollBar()->isVisible());
      EXPECT_EQ(shown->verticalScrollBar()->maximum(), 0);
      report->findChild<QTabWidget*>("PageControl2")->setCurrentIndex(0);
    });
    report->Open();
  }
}

TEST_F(DialogsOnX, DocumentsAndScanWindowsFitTheScreenWithTheirTextsWhole) {
  auto* documents = main->findChild<TDocForm*>("DocForm");
  auto* scan = main->findChild<TScanForm*>();
  ASSERT_TRUE(documents && scan);
  for (const char* language : languages) {
    SCOPED_TRACE(language);
    Switch(language);
    OnModal([&](QWidget*) {
      auto* pages = documents->findChild<QTabWidget*>("PageControl1");
      for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        ExpectOnScreenAndWhole(documents);
      }
      pages->setCurrentIndex(0);
      // With the previews the window takes the room the screen has, and shows them beside the
      // form wide enough to read (scrolling to them where the screen is too narrow).
      documents->findChild<QToolButton*>("OptButton")->click();
      ExpectOnScreenAndWhole(documents);
      const QWidget* act = documents->findChild<QWidget*>("PrList");
      EXPECT_GE(act->width(), 25 * act->fontMetrics().averageCharWidth());
      documents->findChild<QToolButton*>("OptButton")->click();
      ExpectOnScreenAndWhole(documents);
    });
    documents->exec();
    OnModal([&](QWidget*) { ExpectOnScreenAndWhole(scan); });
    scan->Open();
  }
}

TEST_F(DialogsOnX, FileDialogShowsItsColumnsWhole) {
  WriteFile(home.path() / "Договор на использование фонограмм 12.2024.rtf", "{\\rtf1}");
  std::filesystem::create_directory(home.path() / "Документы");
  QtDialogs dialogs(main.get());
  for (const char* language : languages) {
    SCOPED_TRACE(language);
    Switch(language);
    OnModal([&](QWidget* dialog) {
      auto* view = dialog->findChild<QTreeView*>("treeView");
      ASSERT_NE(view, nullptr);
      // The folder is read in the background: wait for its rows.
      for (int i = 0; i < 250 && view->model()->rowCount(view->rootIndex()) < 3; ++i) QTest::qWait(20);
      QTest::qWait(100);
      ExpectOnScreenAndWhole(dialog);
      QHeaderView* header = view->header();
      EXPECT_EQ(HasCyrillic(view->model()->headerData(3, Qt::Horizontal).toString()), Russian());
      int total = 0;
      for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column)) continue;
        total += header->sectionSize(column);
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << "heading of column " << column;
        if (column > 0)
          EXPECT_GE(header->sectionSize(column), static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column))
              << "column " << column;
      }
      EXPECT_LE(total, view->viewport()->width());  // nothing hides to the right
    });
    dialogs.SaveFileName("", "RTF Files|*.rtf", (home.path() / "12.2024.rtf").string());
  }
}

}  // namespace
}  // namespace trakvella::testing
