// The search panel in the main window: opening and closing it, a search listing
// its results, and the panel's captions following the language.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/main/MainForm.h"
#include "ui/search/SearchPanel.h"
#include "support/Fakes.h"
#include "ui/MainWindowFixture.h"

namespace trakvella::testing {
namespace {

struct MainSearch : MainWindowTest {
  int plays = 0;
  void SetUp() override {
    Start();
    main->browser().hooks.playCurrent = [this](bool) { ++plays; };
  }

  template <class T>
  T* Control(const char* name) {
    return main->findChild<T*>(name);
  }
};

TEST_F(MainSearch, TheSearchButtonOpensThePanelInPlaceOfTheCategoryList) {
  main->SearchBut->click();
  EXPECT_TRUE(main->SearchPanel->isVisible());
  EXPECT_FALSE(main->CDCatBox->isVisible());
  EXPECT_TRUE(main->SearchBut->isChecked());
  EXPECT_EQ(main->StatusField(0), "*");
  EXPECT_EQ(main->browser().currentPath(), "* ALL LIBRARY >> … ALL CDS");
  EXPECT_LE(main->SearchPanel->y() + main->SearchPanel->height(), main->CDCatBox->y() + main->CDCatBox->height());
  EXPECT_GE(main->SearchPanel->y(), main->CDCatBox->y());

  // Closing with an empty track list goes home.
  main->SearchBut->click();
  EXPECT_FALSE(main->SearchPanel->isVisible());
  EXPECT_TRUE(main->CDCatBox->isVisible());
  EXPECT_EQ(main->browser().currentPath(), "");
}

TEST_F(MainSearch, FindingListsTheMatchesAndClosingKeepsThem) {
  main->Item("MMSearchItem")->trigger();
  ASSERT_TRUE(main->SearchPanel->isVisible());
  Control<QPushButton>("SBut")->click();
  const int rows = main->FileBox->model()->rowCount();
  EXPECT_GT(rows, 100);  // every music track of the sample catalogue
  EXPECT_EQ(main->FileBox->currentIndex().row(), 0);
  EXPECT_EQ(plays, 1);
  EXPECT_GT(main->CDCatBox->model()->rowCount(), 5);
  EXPECT_EQ(main->StatusField(0), "*");
  // Effect mode lists only the effects.
  Control<QRadioButton>("sfx")->click();
  Control<QPushButton>("SBut")->click();
  const int effects = main->FileBox->model()->rowCount();
  EXPECT_GT(effects, 0);
  EXPECT_LT(effects, rows);
  for (const auto& [cd, track] : main->browser().rows())
    EXPECT_EQ(main->catalogue().Track(cd, track).styleText, "SFX/ID");
  // The button closes the panel and the results stay, their CDs in the box.
  main->SearchBut->click();
  EXPECT_FALSE(main->SearchPanel->isVisible());
  EXPECT_TRUE(main->CDCatBox->isVisible());
  EXPECT_EQ(main->FileBox->model()->rowCount(), effects);
  EXPECT_EQ(main->StatusField(0), "");
}

TEST_F(MainSearch, ThePanelFollowsTheLanguage) {
  main->SearchBut->click();
  main->LangClick(main->Item("Lang1"));
  auto* area = Control<QComboBox>("SArea");
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->itemText(0), QString::fromUtf8("ВСЕ НАПРАВЛЕНИЯ"));
  EXPECT_EQ(area->itemText(1), QString::fromUtf8("Бизнес тематика"));
  EXPECT_TRUE(main->SearchPanel->isVisible());  // the panel shown again in the new language
  main->LangClick(main->Item("Lang0"));
  EXPECT_EQ(area->itemText(0), "ALL PACKAGES");
  EXPECT_EQ(area->itemText(1), "CORPORATE MUSIC");
}

}  // namespace
}  // namespace trakvella::testing
