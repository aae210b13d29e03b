// The Qt dialogs as the program wires them over the progress window.
#include "adapters/qt/QtDialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "program/DesktopPorts.h"

namespace trakvella {
namespace {

// The progress window (on top of every window) steps aside while a box is up and
// comes back as it was; Enter in a question that destroys data answers No.
TEST(QtDialogs, TheProgressWindowStepsAsideForEveryBoxAndEnterNeverDestroys) {
  QMainWindow main;
  main.show();
  TWaitForm progress(&main, [] { return kEnglish; });
  DesktopPorts desktop;
  desktop.dialogs.setOwner(&main);
  desktop.KeepDialogsAbove(progress);
  progress.ShowProgress("Downloading files (1 of 2)...", ProgressMode::Show, true);
  auto* cancel = progress.findChild<QPushButton*>("CancelBut");
  QTest::mouseClick(cancel, Qt::LeftButton);

  auto enterIn = [&](MessageButtons buttons, bool& progressShown) {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      progressShown = progress.isVisible() || !box;
      if (box) QTest::keyClick(box, Qt::Key_Return);
    });
    return desktop.dialogs.Message("KMLB_003_001\rtry again?", MessageKind::Information, buttons);
  };
  bool shown = true;
  EXPECT_EQ(enterIn(MessageButtons::YesNoCancelDefaultNo, shown), MessageAnswer::No);
  EXPECT_FALSE(shown);
  EXPECT_EQ(enterIn(MessageButtons::YesNo, shown), MessageAnswer::Yes);  // a question that goes on
  EXPECT_FALSE(shown);
  EXPECT_TRUE(progress.isVisible());
  EXPECT_EQ(progress.findChild<QLabel*>("Operation")->text(), "Downloading files (1 of 2)...");
  EXPECT_EQ(cancel->text(), "In Progress...");  // the cancel still under way

  progress.ShowProgress("", ProgressMode::Hide);
  enterIn(MessageButtons::Ok, shown);
  EXPECT_FALSE(progress.isVisible());  // hidden, it stays hidden
}

// A question of buttons of its own shows its caption; Escape answers none of the buttons.
TEST(QtDialogs, AChoiceShowsItsCaptionAndEscapeChoosesNothing) {
  QtDialogs dialogs;
  QString caption;
  bool stayedOpen = false;
  auto answer = [&](bool escape) {
    QTimer::singleShot(0, [&, escape] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      caption = box->windowTitle();
      if (escape) QTest::keyClick(box, Qt::Key_Escape);
      // Still up after Escape (or asked for a button): the second button answers.
      QTimer::singleShot(50, [&, escape] {
        auto* still = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!still) return;
        stayedOpen = escape;
        for (QAbstractButton* b : still->buttons())
          if (b->text() == QString::fromUtf8("Набор")) b->click();
      });
    });
    return dialogs.Choose("Подписка", "Выберите откуда взять список треков:", {"Подписка", "Набор", "Отменить"});
  };
  EXPECT_EQ(answer(true), -1);
  EXPECT_FALSE(stayedOpen);
  EXPECT_EQ(caption, QString::fromUtf8("Подписка"));
  EXPECT_EQ(answer(false), 1);
}

}  // namespace
}  // namespace trakvella
