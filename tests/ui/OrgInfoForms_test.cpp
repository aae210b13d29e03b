// The favourites organiser (reorder, delete, captions in both languages) and
// the CD information pop-up (filling, the grace period, closing, covers).
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/lang/LangCaptions.h"
#include "ui/maintenance/InfoForm.h"
#include "ui/maintenance/OrgForm.h"

namespace trakvella {
namespace {

using Places = std::vector<std::string>;

template <typename T>
T* Child(const QWidget& window, const char* name) {
  auto* child = window.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

class OrgFormTest : public ::testing::Test {
 protected:
  TOrgForm form;
  QListWidget* list = Child<QListWidget>(form, "FavListBox");

  void SetUp() override { form.SetPlaces({"A", "B", "C", "D", "E"}); }

  void Click(const char* button) {
    auto* b = Child<QAbstractButton>(form, button);
    if (b) QTest::mouseClick(b, Qt::LeftButton);
  }

  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->isSelected()) rows.push_back(i);
    return rows;
  }
};

TEST_F(OrgFormTest, PlacesComeBackInOrderAndReplaceTheOldOnes) {
  EXPECT_EQ(form.Places(), (Places{"A", "B", "C", "D", "E"}));
  form.SetPlaces({"* ALL LIBRARY >> … ALL CDS", "… CDS BY YEAR >> 2004"});
  form.AddPlace("Keyword [ Рок ]");
  EXPECT_EQ(form.Places(), (Places{"* ALL LIBRARY >> … ALL CDS", "… CDS BY YEAR >> 2004", "Keyword [ Рок ]"}));
  form.SetPlaces({});
  EXPECT_TRUE(form.Places().empty());
}

TEST_F(OrgFormTest, ArrowsAtTheEndsOrWithNothingCurrentChangeNothing) {
  list->setCurrentRow(0);
  Click("UpButton");
  EXPECT_EQ(form.Places(), (Places{"A", "B", "C", "D", "E"}));
  EXPECT_EQ(list->currentRow(), 0);

  list->setCurrentRow(4);
  Click("DownButton");
  EXPECT_EQ(form.Places(), (Places{"A", "B", "C", "D", "E"}));
  EXPECT_EQ(list->currentRow(), 4);

  list->setCurrentItem(nullptr);
  Click("UpButton");
  Click("DownButton");
  EXPECT_EQ(form.Places(), (Places{"A", "B", "C", "D", "E"}));

  form.SetPlaces({});
  form.UpButtonClick();
  form.DownButtonClick();
  EXPECT_TRUE(form.Places().empty());
}

TEST_F(OrgFormTest, ArrowsMoveTheCurrentPlaceWhichStaysCurrentAndAloneSelected) {
  list->setCurrentRow(2);            // C
  list->item(4)->setSelected(true);  // E selected too
  Click("UpButton");
  EXPECT_EQ(form.Places(), (Places{"A", "C", "B", "D", "E"}));
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_EQ(SelectedRows(), std::vector<int>{1});

  Click("UpButton");
  EXPECT_EQ(form.Places(), (Places{"C", "A", "B", "D", "E"}));
  Click("UpButton");  // now at the top
  EXPECT_EQ(form.Places(), (Places{"C", "A", "B", "D", "E"}));

  Click("DownButton");
  Click("DownButton");
  Click("DownButton");
  EXPECT_EQ(form.Places(), (Places{"A", "B", "D", "C", "E"}));
  EXPECT_EQ(list->currentRow(), 3);
  EXPECT_EQ(SelectedRows(), std::vector<int>{3});
}

TEST_F(OrgFormTest, DeleteRemovesEverySelectedPlaceAndKeepsTheRestInOrder) {
  list->item(0)->setSelected(true);
  list->item(2)->setSelected(true);
  list->item(3)->setSelected(true);
  Click("DelButton");
  EXPECT_EQ(form.Places(), (Places{"B", "E"}));
  EXPECT_TRUE(SelectedRows().empty());

  Click("DelButton");  // nothing selected: nothing goes
  EXPECT_EQ(form.Places(), (Places{"B", "E"}));
}

TEST_F(OrgFormTest, ExitClosesTheOrganiserAndTheLanguageSwitchReachesIt) {
  form.show();
  ASSERT_TRUE(form.isVisible());
  Click("ExitButton");
  EXPECT_FALSE(form.isVisible());

  EXPECT_EQ(form.windowTitle(), "Редактировать Избранное");
  EXPECT_EQ(Child<QPushButton>(form, "DelButton")->text(), "Удалить");
  EXPECT_EQ(Child<QPushButton>(form, "ExitButton")->text(), "Выход");
  EXPECT_EQ(CaptionWindow("TOrgForm"), &form);
  const Translator none = [](std::string_view) { return std::optional<std::string>(); };
  SetLangCaptions(Language::English, none);
  EXPECT_EQ(form.windowTitle(), "Organizing Favorites");
  EXPECT_EQ(Child<QPushButton>(form, "DelButton")->text(), "Delete");
  EXPECT_EQ(Child<QPushButton>(form, "ExitButton")->text(), "Quit");
  SetLangCaptions(Language::Russian, none);
  EXPECT_EQ(form.windowTitle(), "Редактировать Избранное");
  EXPECT_EQ(Child<QPushButton>(form, "DelButton")->text(), "Удалить");
}

// --- the CD information pop-up -------------------------------------------------

const std::string kDescription =
    "Big orchestral themes for trailers and documentaries: brass fanfares, driving strings, "
    "choir and percussion, from heroic openings to quiet reflective endings.";

class InfoFormTest : public ::testing::Test {
 protected:
  TInfoForm form;
  QLabel* label = Child<QLabel>(form, "Label1");
  QWidget* panel = Child<QWidget>(form, "Panel1");
  QLabel* image = Child<QLabel>(form, "Image1");
  QTimer* timer = form.findChild<QTimer*>("CloseTimer");

  void MoveOver(QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
  }

  void Release(QWidget* w) {
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
  }

  void TearDown() override { form.hide(); }
};

TEST_F(InfoFormTest, ShowingFillsTheWindowForTheCd) {
  form.ShowCd(kDescription, 17, QPoint(200, 150));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(label->text().toStdString(), kDescription);
  EXPECT_TRUE(label->wordWrap());
  EXPECT_EQ(label->width(), TInfoForm::kLabelWidth);
  EXPECT_EQ(form.width(), TInfoForm::kClientWidth);
  EXPECT_EQ(form.Tag(), 17);
  EXPECT_EQ(form.pos(), QPoint(200, 150));
  // Fitted to the text: all of it shows, without the unfitted height's empty space.
  EXPECT_GT(label->height(), 13);
  EXPECT_LE(label->geometry().bottom(), form.height());
  EXPECT_LT(form.height(), 200);
  EXPECT_FALSE(Child<QWidget>(form, "SpeedButton1")->isVisible());
  EXPECT_EQ(Child<QWidget>(form, "SpeedButton1")->pos(), QPoint(330 - 72, form.height() - 50));
  EXPECT_EQ(image->pixmap().toImage(), TInfoForm::CoverFor(17).toImage());

  // A one-line text still leaves the cover whole; a longer one makes it taller.
  const int longHeight = form.height();
  form.ShowCd("Short.", 3, QPoint(200, 150));
  EXPECT_GE(form.height(), TInfoForm::kCoverSize);
  EXPECT_LT(form.height(), longHeight);
}

TEST_F(InfoFormTest, TheSizeIsKnownBeforeThePositionIsAskedFor) {
  QSize asked;
  form.ShowCd(kDescription, 5, [&](QSize size) {
    asked = size;
    return QPoint(600 - size.width() - 30, 400 - size.height() - 20);
  });
  EXPECT_EQ(asked, form.size());
  EXPECT_EQ(form.pos(), QPoint(600 - form.width() - 30, 400 - form.height() - 20));
}

TEST_F(InfoFormTest, MouseMovesCloseOnlyAfterTheGracePeriod) {
  form.ShowCd(kDescription, 42, QPoint(100, 100));
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), TInfoForm::kGraceMs);
  MoveOver(label);
  MoveOver(panel);
  MoveOver(image);
  EXPECT_TRUE(form.isVisible());

  QTest::qWait(250);
  EXPECT_FALSE(timer->isActive());
  EXPECT_TRUE(form.isVisible());
  MoveOver(image);
  EXPECT_FALSE(form.isVisible());

  // Every showing starts the grace period anew.
  form.ShowCd(kDescription, 43, QPoint(100, 100));
  MoveOver(label);
  EXPECT_TRUE(form.isVisible());
  QTest::qWait(250);
  QTest::mouseMove(label, QPoint(20, 5));
  QTest::mouseMove(label, QPoint(30, 6));
  EXPECT_FALSE(form.isVisible());
}

TEST_F(InfoFormTest, ReleaseOverTextOrPanelClosesAtOnceButNotOverTheCover) {
  form.ShowCd(kDescription, 42, QPoint(100, 100));
  Release(image);
  EXPECT_TRUE(form.isVisible());
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());

  form.ShowCd(kDescription, 42, QPoint(100, 100));
  Release(panel);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(InfoFormTest, ShowingAnotherCdWhileVisibleRedrawsTheCoverAndRestartsTheGrace) {
  form.ShowCd(kDescription, 42, QPoint(100, 100));
  QTest::qWait(250);
  form.ShowCd(kDescription, 777, QPoint(100, 100));
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(image->pixmap().toImage(), TInfoForm::CoverFor(777).toImage());
  MoveOver(label);
  EXPECT_TRUE(form.isVisible());
}

TEST_F(InfoFormTest, KeysGoToTheHandler) {
  std::vector<int> keys;
  form.onKey = [&](QKeyEvent* e) { keys.push_back(e->key()); };
  form.ShowCd(kDescription, 1, QPoint(100, 100));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_F3, Qt::NoModifier);
  QApplication::sendEvent(&form, &press);
  EXPECT_EQ(keys, std::vector<int>{Qt::Key_F3});
}

TEST(InfoFormCovers, FirstListUpToCd500AndSecondListFrom501) {
  EXPECT_EQ(TInfoForm::CoverList(0), 1);
  EXPECT_EQ(TInfoForm::CoverIndex(0), 0);
  EXPECT_EQ(TInfoForm::CoverList(500), 1);
  EXPECT_EQ(TInfoForm::CoverIndex(500), 500);
  EXPECT_EQ(TInfoForm::CoverList(501), 2);
  EXPECT_EQ(TInfoForm::CoverIndex(501), 0);
  EXPECT_EQ(TInfoForm::CoverList(999), 2);
  EXPECT_EQ(TInfoForm::CoverIndex(999), 498);

  const QImage first = TInfoForm::CoverFor(7).toImage();
  EXPECT_EQ(first.size(), QSize(60, 60));
  EXPECT_EQ(first, TInfoForm::CoverFor(7).toImage());
  std::vector<QImage> seen;
  for (int cd : {0, 1, 2, 7, 360, 500, 501, 502, 861, 999}) {
    const QImage cover = TInfoForm::CoverFor(cd).toImage();
    EXPECT_EQ(cover.size(), QSize(60, 60)) << cd;
    for (const QImage& other : seen) EXPECT_NE(cover, other) << cd;
    seen.push_back(cover);
  }
  // The lists look different: the same image number in each has another colour.
  EXPECT_NE(TInfoForm::CoverFor(10).toImage().pixel(2, 2), TInfoForm::CoverFor(511).toImage().pixel(2, 2));
}

}  // namespace
}  // namespace trakvella
