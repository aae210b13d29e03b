// The search panel: mood and tempo groups that keep one box on, the summary
// labels, music and effect mode, the character flags, the tempo edits and tap
// tempo, the presets and the reset, and the style list's drawing.
#include "ui/search/SearchPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

// The built-in catalogue, loaded once: its style counts feed the style list.
const Catalogue& BuiltInCatalogue() {
  static const Catalogue* catalogue = [] {
    auto* c = new Catalogue;
    TempDir home;
    FakeDialogs dialogs;
    FakeProgress progress;
    EmbeddedResourceStore store;
    c->ReadCatalogueTables(store, dialogs);
    LoadOptions options;
    options.programFolder = home.path();
    options.today = {2026, 12};
    c->LoadCatalogue(store, options, dialogs, progress);
    return c;
  }();
  return *catalogue;
}

struct SearchPanelTest : ::testing::Test {
  FakeClock clock;
  Language language = Language::English;
  TSearchPanel panel{nullptr, BuiltInCatalogue(), language, clock};
  QSignalSpy searches{&panel, &TSearchPanel::searchRequested};

  QString Label(const char* name) { return panel.findChild<QLabel*>(name)->text(); }
  void Select(QListWidget* list, std::initializer_list<int> rows) {
    for (int row : rows) list->item(row)->setSelected(true);
  }
  void ChoosePreset(int preset) {
    panel.presetBox()->setCurrentIndex(preset);
    emit panel.presetBox()->activated(preset);
  }
  // Every control of the panel that carries a Tag.
  std::vector<QWidget*> TaggedControls() {
    std::vector<QWidget*> out;
    for (QWidget* w : panel.findChildren<QWidget*>())
      if (w->property("Tag").isValid()) out.push_back(w);
    return out;
  }
};

TEST_F(SearchPanelTest, ControlsCarryTheirNamesCaptionsAndItems) {
  EXPECT_EQ(panel.objectName(), "SearchPanelControls");
  for (const char* name :
       {"SBut",       "TrashBut",   "melody",       "sfx",      "MelformLbl", "SPresets",       "SArea",
        "_mood5",     "_mood4",     "_mood3",       "_mood2",   "_mood1",     "MoodNameLbl",    "_tempo3",
        "_tempo2",    "_tempo1",    "TempoNameLbl", "_image",   "_agression", "_bkgr",          "StyleBox",
        "StyleCheck", "StyleLbl",   "StyleClear",   "TimeBox",  "EpochLbl",   "TimeClear",      "_MKeyBox",
        "_TempoIn",   "_TempoOut",  "_Tap1But",     "_Tap2But", "PresetLbl",  "RangeSearchLbl", "ToneLbl",
        "TempoLbl",   "BkgTypeLbl", "MusOptLbl"})
    EXPECT_EQ(panel.findChildren<QWidget*>(name).size(), 1) << name;
  ASSERT_EQ(panel.areaBox()->count(), 16);
  EXPECT_EQ(panel.areaBox()->itemText(15), "IMAGING ELEMENTS");
  EXPECT_EQ(panel.styleList()->count(), 29);
  EXPECT_EQ(panel.Criteria(), SearchCriteria{});
  EXPECT_GT(panel.sizeHint().height(), 300);
}

TEST_F(SearchPanelTest, TheLastMoodOrTempoBoxCannotBeSwitchedOff) {
  EXPECT_EQ(Label("MoodNameLbl"), "Any mood");
  for (QCheckBox* box : {panel.moodBox(5), panel.moodBox(4), panel.moodBox(3), panel.moodBox(2)}) box->click();
  EXPECT_EQ(Label("MoodNameLbl"), "Mood");
  panel.moodBox(1)->click();
  EXPECT_TRUE(panel.moodBox(1)->isChecked());
  EXPECT_EQ(Label("MoodNameLbl"), "Mood");
  for (QCheckBox* box : {panel.moodBox(5), panel.moodBox(4), panel.moodBox(3), panel.moodBox(2)}) box->click();
  EXPECT_EQ(Label("MoodNameLbl"), "Any mood");

  panel.tempoBox(3)->click();
  panel.tempoBox(1)->click();
  EXPECT_EQ(Label("TempoNameLbl"), "Tempo");
  panel.tempoBox(2)->click();
  EXPECT_TRUE(panel.tempoBox(2)->isChecked());
  EXPECT_EQ(panel.Criteria().tempos, (std::array<bool, 3>{false, true, false}));
}

TEST_F(SearchPanelTest, StyleAndEpochLabelsFollowTheSelections) {
  Select(panel.epochList(), {0});
  EXPECT_EQ(Label("EpochLbl"), "Period");
  Select(panel.epochList(), {1, 2});
  EXPECT_EQ(Label("EpochLbl"), "Any period");  // all three restrict nothing in the label
  EXPECT_EQ(panel.Criteria().epochs.size(), 3u);
  panel.epochClearButton()->click();
  EXPECT_EQ(Label("EpochLbl"), "Any period");
  EXPECT_TRUE(panel.Criteria().epochs.empty());

  Select(panel.styleList(), {14});
  EXPECT_EQ(Label("StyleLbl"), "Style");
  EXPECT_EQ(panel.Criteria().styles, std::vector<std::string>{"JAZZ"});
  panel.styleClearButton()->click();
  EXPECT_EQ(Label("StyleLbl"), "Any style");

  language = Language::Russian;
  panel.LanguageChanged();
  EXPECT_EQ(Label("StyleLbl"), "Стиль любой");
  EXPECT_EQ(Label("MoodNameLbl"), "Настроение любое");
}

TEST_F(SearchPanelTest, EffectModeLeavesOnlyTaggedControlsEnabledAndMusicModeRestoresAll) {
  const QColor grey(128, 128, 128);
  const QColor normalText = panel.moodBox(1)->palette().color(QPalette::WindowText);
  panel.effectButton()->click();
  EXPECT_EQ(Label("MelformLbl"), "Type: only effects");
  for (QWidget* w : TaggedControls()) {
    const bool expected = w->property("Tag").toInt() != 0 || w == panel.presetBox();
    EXPECT_EQ(w->isEnabled(), expected) << w->objectName().toStdString();
  }
  EXPECT_TRUE(panel.searchButton()->isEnabled());
  EXPECT_FALSE(panel.styleList()->isEnabled());
  EXPECT_EQ(panel.moodBox(1)->palette().color(QPalette::WindowText), grey);
  EXPECT_EQ(panel.backgroundBox()->palette().color(QPalette::WindowText), grey);
  EXPECT_NE(panel.keyLabel()->palette().color(QPalette::WindowText), normalText);
  EXPECT_TRUE(panel.Criteria().effectMode);

  // Selecting styles in effect mode (a preset does it) enables the exact-set switch.
  Select(panel.styleList(), {3});
  EXPECT_TRUE(panel.exactStylesBox()->isEnabled());

  panel.musicButton()->click();
  EXPECT_EQ(Label("MelformLbl"), "Type: only music");
  for (QWidget* w : TaggedControls()) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_EQ(panel.moodBox(1)->palette().color(QPalette::WindowText), normalText);
  EXPECT_EQ(panel.keyLabel()->palette().color(QPalette::WindowText), normalText);
  EXPECT_FALSE(panel.Criteria().effectMode);
}

TEST_F(SearchPanelTest, BackgroundAndAggressiveExcludeEachOtherWhileImagingCombinesFreely) {
  panel.aggressiveBox()->click();
  panel.backgroundBox()->click();
  EXPECT_TRUE(panel.backgroundBox()->isChecked());
  EXPECT_FALSE(panel.aggressiveBox()->isChecked());
  panel.imagingBox()->click();
  EXPECT_TRUE(panel.imagingBox()->isChecked());
  EXPECT_TRUE(panel.backgroundBox()->isChecked());
  panel.aggressiveBox()->click();
  EXPECT_TRUE(panel.aggressiveBox()->isChecked());
  EXPECT_FALSE(panel.backgroundBox()->isChecked());
  EXPECT_TRUE(panel.imagingBox()->isChecked());
}

TEST_F(SearchPanelTest, TempoEditsTakeDigitsAndPointsOnly) {
  panel.show();
  QTest::keyClicks(panel.bpmFromEdit(), "1a2 .5-x");
  EXPECT_EQ(panel.bpmFromEdit()->text(), "12.5");
  QTest::keyClick(panel.bpmFromEdit(), Qt::Key_Backspace);
  EXPECT_EQ(panel.bpmFromEdit()->text(), "12.");
  QTest::keyClicks(panel.bpmToEdit(), "bpm 140!");
  EXPECT_EQ(panel.bpmToEdit()->text(), "140");
}

TEST_F(SearchPanelTest, TapButtonsMeasureTheLastIntervalIntoTheirEdits) {
  panel.tapButton(2)->click();
  EXPECT_EQ(panel.tapState().upperTick, 10'000);
  clock.now = 11'000;
  panel.tapButton(1)->click();  // a first click only starts, clearing nothing
  EXPECT_EQ(panel.bpmFromEdit()->text(), "");
  EXPECT_EQ(panel.tapState().upperTick, 10'000);
  clock.now = 11'500;
  panel.tapButton(1)->click();
  EXPECT_EQ(panel.bpmFromEdit()->text(), "120");
  EXPECT_EQ(panel.tapState().upperTick, 0);

  clock.now = 12'000;
  panel.tapButton(2)->click();  // starts afresh after the other button measured
  EXPECT_EQ(panel.bpmToEdit()->text(), "");
  clock.now = 12'200;
  panel.tapButton(2)->click();
  EXPECT_EQ(panel.bpmToEdit()->text(), "250");
  EXPECT_EQ(panel.Criteria().tempoIn, "120");
  EXPECT_TRUE(searches.isEmpty());
}

TEST_F(SearchPanelTest, PresetsSetTheControlsAndSearchOnceEach) {
  // Preset 3: positive pop-rock.
  panel.bpmFromEdit()->setText("90");
  panel.tapButton(1)->click();
  ChoosePreset(3);
  EXPECT_EQ(searches.count(), 1);
  SearchCriteria c = panel.Criteria();
  EXPECT_FALSE(c.effectMode);
  EXPECT_EQ(c.moods, (std::array<bool, 5>{false, false, false, true, true}));
  EXPECT_EQ(c.tempos, (std::array<bool, 3>{false, true, true}));
  EXPECT_EQ(c.styles, std::vector<std::string>{"PPRCK"});
  EXPECT_TRUE(c.exactStyles);
  EXPECT_TRUE(c.epochs.empty());
  EXPECT_EQ(c.tempoIn, "");
  EXPECT_EQ(panel.tapState().lowerTick, 0);
  EXPECT_EQ(Label("StyleLbl"), "Style");
  EXPECT_EQ(Label("MoodNameLbl"), "Mood");

  // Preset 1: effect mode over the criteria left as they were.
  ChoosePreset(1);
  EXPECT_EQ(searches.count(), 2);
  SearchCriteria effects = c;
  effects.effectMode = true;
  EXPECT_EQ(panel.Criteria(), effects);
  EXPECT_FALSE(panel.moodBox(1)->isEnabled());
  EXPECT_EQ(Label("MelformLbl"), "Type: only effects");

  // Preset 2: all imaging jingles, back in music mode.
  ChoosePreset(2);
  EXPECT_EQ(searches.count(), 3);
  SearchCriteria imaging;
  imaging.imaging = true;
  EXPECT_EQ(panel.Criteria(), imaging);
  EXPECT_EQ(Label("MoodNameLbl"), "Any mood");

  // Preset 0: every music track.
  ChoosePreset(0);
  EXPECT_EQ(searches.count(), 4);
  EXPECT_EQ(panel.Criteria(), SearchCriteria{});
}

TEST_F(SearchPanelTest, ResetRestoresTheDefaultsWithoutSearching) {
  SearchCriteria c;
  c.effectMode = true;
  c.area = 4;
  c.moods = {true, false, false, false, false};
  c.aggressive = true;
  c.styles = {"FUNK"};
  c.epochs = {"RETRO"};
  c.key = 7;
  c.tempoIn = "80";
  panel.SetCriteria(c);
  panel.presetBox()->setCurrentIndex(3);
  panel.tapButton(1)->click();

  QTest::mouseClick(panel.resetButton(), Qt::LeftButton);
  EXPECT_TRUE(searches.isEmpty());
  EXPECT_EQ(panel.Criteria(), SearchCriteria{});
  EXPECT_EQ(panel.presetBox()->currentIndex(), 0);
  EXPECT_EQ(panel.keyBox()->currentText(), "");
  EXPECT_EQ(panel.tapState().lowerTick, 0);
  EXPECT_EQ(Label("MelformLbl"), "Type: only music");
  EXPECT_EQ(Label("MoodNameLbl"), "Any mood");
  EXPECT_TRUE(panel.moodBox(3)->isEnabled());
}

TEST_F(SearchPanelTest, CriteriaComeBackAsTheyWereSet) {
  SearchCriteria c;
  c.area = 15;
  c.moods = {false, true, false, true, false};
  c.tempos = {true, false, false};
  c.background = true;
  c.imaging = true;
  c.styles = {"JAZZ", "LATINA"};
  c.exactStyles = true;
  c.epochs = {"60-70s", "80-90s"};
  c.key = 12;
  c.tempoIn = "40";
  c.tempoOut = "250";
  panel.SetCriteria(c);
  EXPECT_EQ(panel.Criteria(), c);
  EXPECT_EQ(Label("MoodNameLbl"), "Mood");
  EXPECT_EQ(Label("EpochLbl"), "Period");
  EXPECT_EQ(panel.bpmToEdit()->text(), "250");
}

// The number of pixels unlike the background from column x0 on, and the darkest of them.
std::pair<int, int> InkFrom(const QImage& image, int x0, QRgb background) {
  int pixels = 0, darkest = 255;
  for (int y = 0; y < image.height(); ++y)
    for (int x = x0; x < image.width(); ++x)
      if (const QRgb px = image.pixel(x, y); px != background) {
        ++pixels;
        darkest = std::min(darkest, qGray(px));
      }
  return {pixels, darkest};
}

TEST_F(SearchPanelTest, StyleRowsShowTheirTrackCountInSilverAfterTheName) {
  EXPECT_EQ(StyleCountText(12), " (12)");
  QStyleOptionViewItem option;
  option.rect = QRect(0, 0, 240, 22);
  option.font = panel.styleList()->font();
  option.palette.setColor(QPalette::Base, Qt::white);
  option.palette.setColor(QPalette::Text, Qt::black);
  option.state = QStyle::State_Enabled;
  auto render = [&](const std::function<void(QPainter*)>& draw) {
    QImage image(option.rect.size(), QImage::Format_RGB32);
    QPainter p(&image);
    draw(&p);
    return image;
  };
  const int countStart = 3 + QFontMetrics(option.font).horizontalAdvance("JAZZ") + 3;

  const QImage plain = render([&](QPainter* p) { StyleBoxDrawItem(p, option, "JAZZ", 1234); });
  const auto [countPixels, countDarkest] = InkFrom(plain, countStart, qRgb(255, 255, 255));
  EXPECT_GT(countPixels, 5);
  EXPECT_GE(countDarkest, 180);  // silver, not the name's black
  EXPECT_LT(InkFrom(plain, 0, qRgb(255, 255, 255)).second, 100);

  option.state |= QStyle::State_Selected;
  const QImage selected = render([&](QPainter* p) { StyleBoxDrawItem(p, option, "JAZZ", 1234); });
  EXPECT_EQ(selected.pixel(option.rect.right(), option.rect.bottom()), qRgb(128, 128, 128));

  // The list's own delegate draws the catalogue's count for the row.
  const int jazz = 14;
  ASSERT_EQ(panel.styleList()->item(jazz)->text(), "JAZZ");
  const int tracks = BuiltInCatalogue().StyleCounts()[jazz];
  EXPECT_GT(tracks, 0);
  option.state = QStyle::State_Enabled;
  EXPECT_EQ(render([&](QPainter* p) {
              panel.styleList()->itemDelegate()->paint(p, option, panel.styleList()->model()->index(jazz, 0));
            }),
            render([&](QPainter* p) { StyleBoxDrawItem(p, option, "JAZZ", tracks); }));
}

}  // namespace
}  // namespace trakvella::testing
