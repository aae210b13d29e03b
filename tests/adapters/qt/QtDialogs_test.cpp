// The Qt dialogs as the program wires them over the progress window.
#include "adapters/qt/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "program/DesktopPorts.h"

namespace trakvella {
namespace {

// The progress window (on top of every window) steps aside while a box is up and
// comes back as it was; Enter in a question that destroys data answers No.
TEST(QtDialogs, TheProgressWindowStepsAsideForEveryBoxAndEnterNeverDestroys) {
  QMainWindow main;
  main.show();
  const Language language = Language::English;
  TWaitForm progress(&main, language);
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
  QString caption;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    QTest::keyClick(box, Qt::Key_Escape);
    QTimer::singleShot(50, [box] {  // still up: its first button ends the test
      if (QApplication::activeModalWidget() == box) box->buttons().front()->click();
    });
  });
  EXPECT_EQ(QtDialogs().Choose("Подписка", "Выберите откуда взять список треков:", {"Подписка", "Набор"}), -1);
  EXPECT_EQ(caption, QString::fromUtf8("Подписка"));
}

}  // namespace
}  // namespace trakvella
