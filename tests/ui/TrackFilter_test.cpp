// The filter over the track list: Ctrl+L reaches it, typing narrows the list and the status bar's
// count, Esc gives the list back with its selection; a new listing is filtered too.
#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "ui/MainWindowFixture.h"

namespace trakvella::testing {
namespace {

struct TrackFilter : MainWindowTest {};

TEST_F(TrackFilter, TypingNarrowsTheListAndEscGivesItBack) {
  app().browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
  main->Refresh();
  const int all = FileBox()->model()->rowCount();
  ASSERT_GT(all, 6);
  FileBox()->setCurrentIndex(FileBox()->model()->index(2, 0));
  const std::string code = app().browser().SelectedTrack()->code;
  const std::string other = app().catalogue().Track(app().browser().rows()[5].cd, app().browser().rows()[5].track).code;
  const bool result = app().browser().resultMode();

  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  QTest::keyClick(main.get(), Qt::Key_L, Qt::ControlModifier);
  auto* field = Control<QLineEdit>("TrackFilterEdit");
  ASSERT_TRUE(field->hasFocus());
  QTest::keyClicks(field, QString::fromStdString(other).toLower());
  ASSERT_EQ(FileBox()->model()->rowCount(), 1);
  EXPECT_EQ(app().browser().SelectedTrack(), nullptr);  // the selected track is not among them
  EXPECT_EQ(StatusField(4), "0/1");
  EXPECT_EQ(app().browser().resultMode(), result);

  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_TRUE(field->text().isEmpty());
  EXPECT_EQ(FileBox()->model()->rowCount(), all);
  ASSERT_NE(app().browser().SelectedTrack(), nullptr);
  EXPECT_EQ(app().browser().SelectedTrack()->code, code);
  EXPECT_EQ(FileBox()->currentIndex().row(), 2);
  EXPECT_EQ(StatusField(4), QString("3/%1").arg(all));

  // The text stays and filters the next listing as well.
  field->setText(QString::fromStdString(code));
  app().browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
  main->Refresh();
  EXPECT_EQ(FileBox()->model()->rowCount(), 1);
}

}  // namespace
}  // namespace trakvella::testing
