// The main window's two lists: the texts and pictures of a row, the drawn rows
// and the models over the Browser's tables.
#include <QApplication>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <memory>

#include <gtest/gtest.h>

#include "core/browse/Browser.h"
#include "core/lang/MessageTable.h"
#include "support/CatalogueFixture.h"
#include "ui/browse/CDCatBoxDelegate.h"
#include "ui/browse/CategoryListModel.h"
#include "ui/browse/FileBoxDelegate.h"
#include "ui/browse/RowPictures.h"
#include "ui/browse/TrackListModel.h"

namespace trakvella::testing {
namespace {

LoadOptions Today(const TempDir& home) {
  LoadOptions o;
  o.programFolder = home.path();
  o.today = {2026, 12};
  return o;
}

// Two CDs: 003 under EFFECTS >> SWEEPS and DANCE MUSIC >> CLUB >> HOUSE, 005 under
// DANCE MUSIC >> CLUB (so that level shows one category, HOUSE, then CD 005).
FixtureCatalogue TwoCds() {
  FixtureCatalogue f;
  f.titles = {"KMLB_003=KMLB_003 Промо эффекты",
              "KMLB_003_001=Аплодисменты\tRU-A47-08-003-001\t00:45\tИ. Петров\tОркестр",
              "KMLB_003_002=Sweep Up\tRU-A47-25-09059\t1:05\tJohn Smith\tBand", "KMLB_005=KMLB_005 Dance Floor",
              "KMLB_005_001=Night Drive\t\t03:10\tA. Composer\tDJ"};
  f.tracks = {"KMLB_003_001=3", "KMLB_003_002=4 !M POP, DANCE [120] <8B>", "KMLB_005_001=2 !F BREAKBEAT [140] <5A>"};
  f.translate = {"DANCE MUSIC=Танцевальная музыка", "CLUB=Клубная", "* ALL LIBRARY=* НАПРАВЛЕНИЯ", "EFFECTS=Эффекты"};
  f.blocks = {{"KMLB_003",
               NfoBlock("KMLB_003", "Промо эффекты", {"EFFECTS >> SWEEPS", "DANCE MUSIC >> CLUB >> HOUSE"}, "122007")},
              {"KMLB_005", NfoBlock("KMLB_005", "Dance Floor", {"DANCE MUSIC >> CLUB"}, "112026")}};
  return f;
}

// A loaded fixture catalogue and a Browser over it, in the language set in `language`.
struct Lists {
  TempDir folder, home;
  LoadedCatalogue loaded;
  StdRandom random{1};
  Language language = Language::English;
  std::unique_ptr<Browser> browser;

  explicit Lists(const FixtureCatalogue& fixture) {
    fixture.Write(folder.path());
    LoadFolder(loaded, folder.path(), Today(home));
    browser = std::make_unique<Browser>(loaded.catalogue, loaded.dialogs, loaded.progress, random, language);
  }
  const Catalogue& catalogue() const { return loaded.catalogue; }
  int BoxRowOf(const std::string& text) const {
    const auto& rows = browser->boxRows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].text == text) return static_cast<int>(i);
    return -1;
  }
  // Opens the category named `name` at the current level.
  void Open(const std::string& name) {
    int row = BoxRowOf(name);
    ASSERT_GE(row, 0) << name;
    browser->SelectBoxRow(row);
    browser->OpenSelectedRow(true);
  }
};

TrackRecord SweepUp() {
  TrackRecord t;
  t.code = "KMLB_003_002";
  t.title = "Sweep Up";
  t.duration = "01:05";
  t.composer = "John Smith";
  t.performer = "Band";
  t.styleText = " DANCE POP";
  t.location = "KMLB_003/KMLB_003_002.mp3";
  return t;
}

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// --- Row texts -----------------------------------------------------------------------

TEST(TrackListText, MainTextFollowsTheCodeAndNameOptionsAndThePrefix) {
  const TrackRecord t = SweepUp();
  DisplayOptions o;  // code and name on
  EXPECT_EQ(TrackRowMainText(o, false, t, Language::English), U(" [KMLB_003_002] Sweep Up"));
  EXPECT_EQ(TrackRowMainText(o, true, t, Language::English), U(" * [KMLB_003_002] Sweep Up"));
  o.showCode = false;
  EXPECT_EQ(TrackRowMainText(o, false, t, Language::English), U(" Sweep Up"));
  o.showCode = true;
  o.showName = false;
  EXPECT_EQ(TrackRowMainText(o, false, t, Language::English), U(" [KMLB_003_002] "));
  EXPECT_EQ(TrackRowTimeText(t), U(" 01:05"));
  EXPECT_EQ(TrackRowStyleText(t), U(" dance pop"));
}

TEST(TrackListText, AuthorPartsAreSeparateOrJointButNeverBoth) {
  const TrackRecord t = SweepUp();
  DisplayOptions o;
  o.showComposer = true;
  const QString composer = TrackRowMainText(o, false, t, Language::English);
  EXPECT_EQ(composer, U(" [KMLB_003_002] Sweep Up с:John Smith "));
  EXPECT_TRUE(composer.contains(QChar(0x0441)));  // the English text keeps its Cyrillic es
  EXPECT_FALSE(composer.contains(QLatin1Char('c')));

  o.showComposer = false;
  o.showArtist = true;
  EXPECT_EQ(TrackRowMainText(o, false, t, Language::English), U(" [KMLB_003_002] Sweep Up a:Band "));

  o.showComposer = true;
  const QString joint = TrackRowMainText(o, false, t, Language::English);
  EXPECT_EQ(joint, U(" [KMLB_003_002] Sweep Up a/c: John Smith / Band "));
  EXPECT_EQ(joint.count(U("John Smith")), 1);

  EXPECT_EQ(TrackRowMainText(o, false, t, Language::Russian), U(" [KMLB_003_002] Sweep Up а/и: John Smith / Band "));
  o.showArtist = false;
  EXPECT_EQ(TrackRowMainText(o, false, t, Language::Russian), U(" [KMLB_003_002] Sweep Up а:John Smith "));
  o.showComposer = false;
  o.showArtist = true;
  EXPECT_EQ(TrackRowMainText(o, false, t, Language::Russian), U(" [KMLB_003_002] Sweep Up и:Band "));
}

TEST(TrackListText, BrowserFormTakesTheOptionsAndResultModeOfTheBrowser) {
  Lists l(TwoCds());
  const TrackRecord& t = l.catalogue().Track(0, 1);
  l.browser->SetShowName(false);
  EXPECT_EQ(TrackRowMainText(*l.browser, t, Language::English), U(" [KMLB_003_002] "));
  l.browser->EnterResultMode();
  EXPECT_EQ(TrackRowMainText(*l.browser, t, Language::English), U(" * [KMLB_003_002] "));
}

TEST(TrackListIcons, MusicSetThenDownloadedThenWavThenDemo) {
  TrackRecord t = SweepUp();
  TrackMarks none;
  EXPECT_EQ(TrackIconIndex(none, 0, 1, t), 1);  // a demo name
  t.location = "/home/user/audio/KMLB_003_002.WAV";
  EXPECT_EQ(TrackIconIndex(none, 0, 1, t), 0);

  TrackMarks marks;
  marks.downloaded = [](const std::string& code) { return code == "KMLB_003_002"; };
  EXPECT_EQ(TrackIconIndex(marks, 0, 1, t), 3);
  marks.inMusicSet = [](int cd, int track) { return cd == 0 && track == 1; };
  EXPECT_EQ(TrackIconIndex(marks, 0, 1, t), 2);
  EXPECT_EQ(TrackIconIndex(marks, 0, 0, t), 3);  // another track of the CD: not in the set
}

// --- Category/CD box texts and pictures ---------------------------------------------------

TEST(CategoryListText, TopLevelStarAndEllipsisNamesAreBoldAndCut) {
  Lists l(TwoCds());
  l.browser->Home();
  const int all = l.BoxRowOf("* ALL LIBRARY");
  const int years = l.BoxRowOf("… CDS BY YEAR");
  const int dance = l.BoxRowOf("DANCE MUSIC");
  ASSERT_GE(all, 0);
  ASSERT_GE(years, 0);
  ASSERT_GE(dance, 0);

  CategoryRowText shown = CategoryRowDisplay(l.catalogue(), *l.browser, all, Language::English);
  EXPECT_EQ(shown.text, U("ALL LIBRARY"));
  EXPECT_TRUE(shown.bold);
  shown = CategoryRowDisplay(l.catalogue(), *l.browser, years, Language::English);
  EXPECT_EQ(shown.text, U("CDS BY YEAR"));  // "…" is one character, cut with its blank
  EXPECT_TRUE(shown.bold);
  shown = CategoryRowDisplay(l.catalogue(), *l.browser, dance, Language::English);
  EXPECT_EQ(shown.text, U("DANCE MUSIC"));
  EXPECT_FALSE(shown.bold);

  // Russian: translated first, then cut at the top level.
  shown = CategoryRowDisplay(l.catalogue(), *l.browser, all, Language::Russian);
  EXPECT_EQ(shown.text, U("НАПРАВЛЕНИЯ"));
  EXPECT_TRUE(shown.bold);
  EXPECT_EQ(CategoryRowDisplay(l.catalogue(), *l.browser, dance, Language::Russian).text, U("Танцевальная музыка"));
  // Without a translation the English name stays.
  EXPECT_EQ(CategoryRowDisplay(l.catalogue(), *l.browser, years, Language::Russian).text, U("CDS BY YEAR"));
}

TEST(CategoryListText, BelowTheTopLevelNamesKeepTheirMarksAndCdsShowTheirTrackCount) {
  Lists l(TwoCds());
  l.browser->Home();
  l.Open("* ALL LIBRARY");
  const int allCds = l.BoxRowOf("… ALL CDS");
  ASSERT_GE(allCds, 0);
  const CategoryRowText shown = CategoryRowDisplay(l.catalogue(), *l.browser, allCds, Language::English);
  EXPECT_EQ(shown.text, U("… ALL CDS"));
  EXPECT_FALSE(shown.bold);

  l.browser->Home();
  l.Open("DANCE MUSIC");
  l.Open("CLUB");
  const int cd = l.BoxRowOf("KMLB_005 Dance Floor");
  ASSERT_GE(cd, 0);
  EXPECT_EQ(CategoryRowDisplay(l.catalogue(), *l.browser, cd, Language::Russian).text, U("KMLB_005 Dance Floor"));
  EXPECT_EQ(CdTrackCountText(l.catalogue(), l.browser->boxRows()[cd].cdPosition), U(" (1)"));
  EXPECT_EQ(CdTrackCountText(l.catalogue(), 0), U(" (2)"));
}

TEST(CategoryListIcons, LastCategoryAndCdRowsHaveTheirOwnPictures) {
  Lists l(TwoCds());
  l.browser->Home();
  const int categories = l.browser->categoryRowCount();
  ASSERT_GE(categories, 3);
  EXPECT_EQ(CategoryIconIndex(*l.browser, 0, false), 0);
  EXPECT_EQ(CategoryIconIndex(*l.browser, 0, true), 1);
  EXPECT_EQ(CategoryIconIndex(*l.browser, categories - 1, false), 2);
  EXPECT_EQ(CategoryIconIndex(*l.browser, categories - 1, true), 3);

  l.Open("DANCE MUSIC");
  l.Open("CLUB");
  ASSERT_EQ(l.browser->categoryRowCount(), 1);  // HOUSE, then the CD
  ASSERT_EQ(l.browser->boxRows().size(), 2u);
  EXPECT_EQ(CategoryIconIndex(*l.browser, 0, false), 2);  // the only category is the last
  EXPECT_EQ(CategoryIconIndex(*l.browser, 1, false), 4);
  EXPECT_EQ(CategoryIconIndex(*l.browser, 1, true), 5);
}

// --- Drawn rows ------------------------------------------------------------------------------

constexpr int kRowWidth = 900;
constexpr int kRowHeight = 20;
const QColor kBase(255, 255, 255);
const QColor kTip(255, 255, 200);

QStyleOptionViewItem RowOption(bool selected) {
  QStyleOptionViewItem option;
  option.rect = QRect(0, 0, kRowWidth, kRowHeight);
  option.state = QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
  option.palette = QApplication::palette();
  option.palette.setColor(QPalette::Base, kBase);
  option.palette.setColor(QPalette::ToolTipBase, kTip);
  option.palette.setColor(QPalette::Text, Qt::black);
  option.palette.setColor(QPalette::HighlightedText, Qt::white);
  option.font = QApplication::font();
  return option;
}

template <typename Delegate>
QImage Render(const Delegate& delegate, const QAbstractItemModel& model, int row, bool selected) {
  QImage image(kRowWidth, kRowHeight, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  delegate.paint(&painter, RowOption(selected), model.index(row, 0));
  painter.end();
  return image;
}

int YellowPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() > 200 && c.blue() < 90) ++n;
    }
  return n;
}

struct TrackRows : Lists {
  TrackListModel model;
  FileBoxDelegate delegate;
  TrackRows() : Lists(TwoCds()), model(*browser, catalogue()), delegate(*browser, catalogue(), language) {
    browser->ListTracks({"KMLB_003_001", "KMLB_003_002", "KMLB_005_001"}, std::nullopt, false, "");
    model.Reset();
    delegate.setItemHeight(kRowHeight);
    delegate.marks.hasComment = [](const std::string& code) { return code == "KMLB_003_002"; };
  }
};

TEST(TrackListDrawing, SelectedCommentedRowIsGreyWithAStripAndYellowText) {
  TrackRows r;
  ASSERT_EQ(r.model.rowCount(), 3);
  const QImage image = Render(r.delegate, r.model, 1, true);
  EXPECT_EQ(image.pixelColor(kRowWidth - 2, kRowHeight / 2), QColor(128, 128, 128));
  EXPECT_EQ(image.pixelColor(0, 0), kBase);  // the icon strip keeps the list's colour
  EXPECT_EQ(image.pixelColor(15, kRowHeight - 1), kBase);
  EXPECT_EQ(image.pixelColor(16, kRowHeight - 1), QColor(128, 128, 128));
  EXPECT_GT(YellowPixels(image), 10);
}

TEST(TrackListDrawing, UnselectedRowsUseTheTooltipColourOnlyWithAComment) {
  TrackRows r;
  const QImage commented = Render(r.delegate, r.model, 1, false);
  EXPECT_EQ(commented.pixelColor(kRowWidth - 2, kRowHeight / 2), kTip);
  EXPECT_EQ(commented.pixelColor(0, 0), kTip);
  EXPECT_EQ(YellowPixels(commented), 0);

  const QImage plain = Render(r.delegate, r.model, 0, false);
  EXPECT_EQ(plain.pixelColor(kRowWidth - 2, kRowHeight / 2), kBase);
  // A selected row without a comment has no yellow text.
  EXPECT_EQ(YellowPixels(Render(r.delegate, r.model, 0, true)), 0);
}

struct CategoryRows : Lists {
  CategoryListModel model;
  CDCatBoxDelegate delegate;
  CategoryRows() : Lists(TwoCds()), model(*browser, catalogue(), language), delegate(*browser, catalogue(), language) {
    delegate.setItemHeight(kRowHeight);
  }
};

bool IsSilver(const QColor& c) { return c == QColor(192, 192, 192); }

TEST(CategoryListDrawing, SelectedRowIsGreyWithANineteenPixelStrip) {
  CategoryRows r;
  r.browser->Home();
  r.Open("DANCE MUSIC");
  r.Open("CLUB");
  r.model.Reset();
  ASSERT_EQ(r.model.rowCount(), 2);
  const QImage cd = Render(r.delegate, r.model, 1, true);
  EXPECT_EQ(cd.pixelColor(18, 0), kBase);
  EXPECT_EQ(cd.pixelColor(19, 0), QColor(128, 128, 128));
  EXPECT_EQ(cd.pixelColor(kRowWidth - 2, kRowHeight / 2), QColor(128, 128, 128));
  EXPECT_FALSE(IsSilver(cd.pixelColor(3, kRowHeight - 1)));  // CD rows have no tree line
}

TEST(CategoryListDrawing, TreeLineRunsToTheBottomExceptForTheLastCategory) {
  CategoryRows r;
  r.browser->Home();
  r.model.Reset();
  const int last = r.browser->categoryRowCount() - 1;
  ASSERT_GE(last, 1);
  EXPECT_TRUE(IsSilver(Render(r.delegate, r.model, 0, false).pixelColor(3, kRowHeight - 1)));
  const QImage lastRow = Render(r.delegate, r.model, last, false);
  EXPECT_TRUE(IsSilver(lastRow.pixelColor(3, 0)));
  EXPECT_EQ(lastRow.pixelColor(3, kRowHeight - 1), kBase);
}

// --- Models --------------------------------------------------------------------------------

TEST(CategoryListModel, FollowsTheBoxRowsAfterReset) {
  CategoryRows r;
  EXPECT_EQ(r.model.rowCount(), static_cast<int>(r.browser->boxRows().size()));
  r.browser->Home();
  r.model.Reset();
  ASSERT_EQ(r.model.rowCount(), static_cast<int>(r.browser->boxRows().size()));
  const QModelIndex all = r.model.index(r.BoxRowOf("* ALL LIBRARY"), 0);
  EXPECT_EQ(r.model.data(all).toString(), U("ALL LIBRARY"));
  EXPECT_EQ(r.model.data(all, CategoryListModel::kNameRole).toString(), U("* ALL LIBRARY"));
  EXPECT_FALSE(r.model.data(all, CategoryListModel::kIsCdRole).toBool());
  r.language = Language::Russian;
  EXPECT_EQ(r.model.data(all).toString(), U("НАПРАВЛЕНИЯ"));

  r.Open("DANCE MUSIC");
  r.Open("CLUB");
  r.model.Reset();
  ASSERT_EQ(r.model.rowCount(), 2);
  EXPECT_TRUE(r.model.data(r.model.index(1, 0), CategoryListModel::kIsCdRole).toBool());
  EXPECT_EQ(r.model.data(r.model.index(1, 0), CategoryListModel::kCdPositionRole).toInt(), 1);
}

TEST(TrackListModel, ListingTheWholeLibraryMakesNoObjectPerRow) {
  TempDir home;
  LoadedCatalogue loaded;
  LoadFolder(loaded, GeneratedCatalogue(false), Today(home));
  StdRandom random(1);
  const Language english = Language::English;
  Browser browser(loaded.catalogue, loaded.dialogs, loaded.progress, random, english);
  std::vector<std::string> codes;
  for (int p = 0; p < loaded.catalogue.CdCount(); ++p)
    for (const TrackRecord& t : loaded.catalogue.Cd(p).tracks) codes.push_back(t.code);
  ASSERT_GT(codes.size(), 21000u);

  QListView view;
  PrepareOwnerDrawnList(&view);
  TrackListModel model(browser, loaded.catalogue);
  auto* delegate = new FileBoxDelegate(browser, loaded.catalogue, english, &view);
  delegate->setItemHeight(18);
  view.setItemDelegate(delegate);
  view.setModel(&model);
  view.resize(600, 400);
  view.show();
  QApplication::processEvents();
  const qsizetype objectsBefore = view.findChildren<QObject*>().size();

  browser.ListTracks(codes, std::nullopt, false, "");
  model.Reset();
  QApplication::processEvents();

  EXPECT_EQ(model.rowCount(), static_cast<int>(codes.size()));
  EXPECT_EQ(view.model()->rowCount(), static_cast<int>(codes.size()));
  EXPECT_EQ(model.data(model.index(0, 0)).toString(), QString::fromStdString(codes.front()));
  EXPECT_EQ(view.findChildren<QObject*>().size(), objectsBefore);
  EXPECT_EQ(view.visualRect(model.index(model.rowCount() - 1, 0)).height(), 18);
}

}  // namespace
}  // namespace trakvella::testing
