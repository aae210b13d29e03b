#include "ui/wait/WaitForm.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace trakvella {
namespace {

QString Text(const TWaitForm& form, const char* name) {
  auto* label = form.findChild<QLabel*>(name);
  return label ? label->text() : QString("<no %1>").arg(name);
}

QWidget* Child(const TWaitForm& form, const char* name) {
  auto* widget = form.findChild<QWidget*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

class WaitFormTest : public ::testing::Test {
 protected:
  Language language = Language::English;
  std::unique_ptr<TWaitForm> form = std::make_unique<TWaitForm>(nullptr, language);

  void TearDown() override {
    if (form) form->ShowProgress("", ProgressMode::Hide);
  }
};

TEST_F(WaitFormTest, ShowChangeMessageAndHideSetTheLabelsAsEachModeSays) {
  form->SetPerMille(500);
  form->ShowProgress("Scanning catalog...", ProgressMode::Show);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Text(*form, "Operation"), "Scanning catalog...");
  EXPECT_EQ(Text(*form, "PRLbl"), "");
  EXPECT_FALSE(Child(*form, "CLabel")->isVisible());
  EXPECT_TRUE(Child(*form, "TrackBar")->isVisible());
  EXPECT_FALSE(Child(*form, "CancelBut")->isVisible());
  EXPECT_EQ(form->height(), TWaitForm::kShortHeight);
  EXPECT_TRUE(form->Animating());

  form->ShowProgress("Building database...", ProgressMode::ChangeText);
  EXPECT_EQ(Text(*form, "Operation"), "Building database...");
  EXPECT_TRUE(form->Animating());

  form->ShowProgress("Nothing found", ProgressMode::Message);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Text(*form, "Operation"), "");
  EXPECT_EQ(Text(*form, "PRLbl"), "");
  EXPECT_EQ(Text(*form, "CLabel"), "Nothing found");
  EXPECT_TRUE(Child(*form, "CLabel")->isVisible());
  EXPECT_FALSE(Child(*form, "TrackBar")->isVisible());
  EXPECT_TRUE(form->Animating());  // only mode 0 stops the timer
  EXPECT_EQ(form->Animation().left, 10);
  EXPECT_EQ(form->Animation().right, 254);

  form->ShowProgress("", ProgressMode::Hide);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Text(*form, "CLabel"), "");
  EXPECT_TRUE(Child(*form, "CLabel")->isHidden());
  EXPECT_FALSE(Child(*form, "TrackBar")->isHidden());
  EXPECT_FALSE(form->Animating());
}

TEST_F(WaitFormTest, ModeTwoWhileHiddenChangesTheTextWithoutShowing) {
  form->ShowProgress("Adding...", ProgressMode::ChangeText);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Text(*form, "Operation"), "Adding...");
  EXPECT_FALSE(form->Animating());
}

TEST_F(WaitFormTest, StatusLineIsFreeTextOfOneOperation) {
  form->ShowProgress("Scanning...", ProgressMode::Show);
  form->SetStatus("Tracks found: 12");
  EXPECT_EQ(Text(*form, "StatusLbl"), "Tracks found: 12");
  form->ShowProgress("Building database...", ProgressMode::ChangeText);
  EXPECT_EQ(Text(*form, "StatusLbl"), "Tracks found: 12");
  // The next operation's progress (the close's "Closing in Progress...") shows only its own lines.
  for (ProgressMode mode : {ProgressMode::Show, ProgressMode::Message}) {
    form->ShowProgress("", ProgressMode::Hide);
    form->SetStatus("Tracks found: 0");
    form->ShowProgress("Closing in Progress...", mode);
    EXPECT_EQ(Text(*form, "StatusLbl"), "") << static_cast<int>(mode);
  }
}

TEST_F(WaitFormTest, PerMilleIsShownByTheTimerAndMinusOneShowsNothing) {
  form->ShowProgress("Downloading files", ProgressMode::Show);
  form->SetPerMille(675);
  EXPECT_EQ(Text(*form, "PRLbl"), "");  // not before the timer's next tick
  EXPECT_TRUE(QTest::qWaitFor([&] { return Text(*form, "PRLbl") == "67.5 %"; }, 2000));

  form->SetPerMille(-1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Text(*form, "PRLbl").isEmpty(); }, 2000));

  // A new operation starts without a percentage.
  form->SetPerMille(1000);
  form->ShowProgress("Downloading files", ProgressMode::Show);
  EXPECT_EQ(Text(*form, "PRLbl"), "");
  QTest::qWait(40);
  EXPECT_EQ(Text(*form, "PRLbl"), "");
}

TEST_F(WaitFormTest, SquaresMoveWhileShownAndGoHomeOnHide) {
  form->ShowProgress("Searching...", ProgressMode::Show);
  const ProgressAnimation& animation = form->Animation();
  EXPECT_TRUE(QTest::qWaitFor([&] { return animation.left > 14; }, 2000));
  EXPECT_GT(animation.left, 10);
  EXPECT_LT(animation.right, 254);
  // They move towards each other by the same step.
  EXPECT_EQ(animation.left + animation.right, 264);

  form->ShowProgress("", ProgressMode::Hide);
  EXPECT_EQ(animation.left, 10);
  EXPECT_EQ(animation.right, 254);
  EXPECT_EQ(animation.step, 0);
}

TEST_F(WaitFormTest, PumpKeepsTheAnimationGoingDuringALongLoop) {
  form->ShowProgress("Building database...", ProgressMode::Show);
  QElapsedTimer clock;
  clock.start();
  // A busy loop that only pumps: the squares move all the same.
  while (form->Animation().left <= 18 && clock.elapsed() < 2000) form->pump();
  EXPECT_GT(form->Animation().left, 18);
}

TEST_F(WaitFormTest, TallFormOffersAbortInTheCurrentLanguageAndSetsTheCancelFlag) {
  form->ShowProgress("Downloading files", ProgressMode::Show, true);
  auto* cancel = form->findChild<QPushButton*>("CancelBut");
  ASSERT_NE(cancel, nullptr);
  EXPECT_TRUE(cancel->isVisible());
  EXPECT_EQ(form->height(), TWaitForm::kTallHeight);
  EXPECT_EQ(cancel->text(), "Abort");
  EXPECT_FALSE(form->Cancelled());

  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_TRUE(form->Cancelled());
  EXPECT_EQ(cancel->text(), "In Progress...");
  // The click is on the button, not a dismissal of the window.
  EXPECT_TRUE(form->isVisible());

  form->ClearCancel();
  EXPECT_FALSE(form->Cancelled());
  form->ShowProgress("", ProgressMode::Hide);

  // The next showing reads the language anew.
  language = Language::Russian;
  form->ShowProgress("Загрузка файлов", ProgressMode::Show, true);
  EXPECT_EQ(cancel->text(), "Остановить");
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_TRUE(form->Cancelled());
  EXPECT_EQ(cancel->text(), "В процессе...");

  // The short form has no cancel button.
  form->ShowProgress("", ProgressMode::Hide);
  form->ShowProgress("Searching...", ProgressMode::Show, false);
  EXPECT_FALSE(cancel->isVisible());
  EXPECT_EQ(form->height(), TWaitForm::kShortHeight);
}

TEST_F(WaitFormTest, UserCannotCloseTheWindowWhileAnOperationHoldsIt) {
  form->ShowProgress("Scanning...", ProgressMode::Show);
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  form->ShowProgress("Message", ProgressMode::Message);
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  form->ShowProgress("", ProgressMode::Hide);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(WaitFormTest, AClickDismissesAMessageButNotTheAnimation) {
  form->ShowProgress("Scanning...", ProgressMode::Show);
  QTest::mouseClick(form.get(), Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_TRUE(form->isVisible());
  // A message during an operation keeps the animation timer: only mode 0 ends it.
  form->ShowProgress("Almost done", ProgressMode::Message);
  QTest::mouseClick(Child(*form, "CLabel"), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Text(*form, "CLabel"), "Almost done");
  form->ShowProgress("", ProgressMode::Hide);

  form->ShowProgress("Done", ProgressMode::Message);
  // On the message label itself: the click reaches the window's panel.
  QTest::mouseClick(Child(*form, "CLabel"), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Text(*form, "CLabel"), "");
}

class WaitFormMainWindowTest : public ::testing::Test {
 protected:
  QMainWindow mainWindow;
  std::vector<QWidget*> controls;
  const Language english = Language::English;
  TWaitForm* form = nullptr;  // owned by the main window

  void SetUp() override {
    auto* central = new QWidget(&mainWindow);
    auto* layout = new QVBoxLayout(central);
    for (int i = 0; i < 4; ++i) {
      auto* button = new QPushButton(QString("Button %1").arg(i), central);
      layout->addWidget(button);
      controls.push_back(button);
    }
    auto* panel = new QWidget(central);
    auto* inner = new QPushButton("Inner", panel);
    layout->addWidget(panel);
    controls.push_back(panel);
    mainWindow.setCentralWidget(central);
    controls.push_back(mainWindow.menuBar());
    mainWindow.menuBar()->addMenu("File");
    controls.push_back(mainWindow.statusBar());
    controls[1]->setEnabled(false);
    controls[3]->setEnabled(false);
    mainWindow.statusBar()->setEnabled(false);
    inner_ = inner;
    mainWindow.resize(600, 400);
    mainWindow.show();
    form = new TWaitForm(&mainWindow, english);
  }

  QWidget* inner_ = nullptr;
};

TEST_F(WaitFormMainWindowTest, ShowingDisablesEveryControlAndHidingEnablesThemAll) {
  form->ShowProgress("Scanning catalog...", ProgressMode::Show);
  for (QWidget* control : controls) EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
  EXPECT_FALSE(inner_->isEnabled());
  // The window itself stays enabled, so it repaints.
  EXPECT_TRUE(mainWindow.isEnabled());
  EXPECT_TRUE(form->isEnabled());

  form->ShowProgress("Building database...", ProgressMode::ChangeText);
  for (QWidget* control : controls) EXPECT_FALSE(control->isEnabled());

  form->ShowProgress("", ProgressMode::Hide);
  for (QWidget* control : controls) EXPECT_TRUE(control->isEnabled()) << control->metaObject()->className();
  EXPECT_TRUE(inner_->isEnabled());

  form->ShowProgress("Nothing found", ProgressMode::Message);
  for (QWidget* control : controls) EXPECT_FALSE(control->isEnabled());
  QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(20, 20));
  for (QWidget* control : controls) EXPECT_TRUE(control->isEnabled());
}

TEST_F(WaitFormMainWindowTest, WindowIsCentredOnTheMainWindow) {
  form->ShowProgress("Scanning catalog...", ProgressMode::Show, true);
  const QPoint offset = form->frameGeometry().center() - mainWindow.frameGeometry().center();
  EXPECT_LE(offset.manhattanLength(), 2);
}

}  // namespace
}  // namespace trakvella
