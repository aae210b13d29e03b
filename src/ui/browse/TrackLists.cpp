#include "ui/browse/TrackLists.h"

#include <QFontMetrics>
#include <QListView>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>

#include "core/lang/MessageTable.h"

namespace trakvella {

namespace {

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

const QColor kSelectedGrey(128, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kTreeLine(160, 160, 160);

// --- Pictures ----------------------------------------------------------------------
// Drawn once on a transparent 16 x 16 image; kept as images so they outlive the
// application object without trouble.

QImage BlankIcon(int width = kRowIconSize, int height = kRowIconSize) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Antialiased(QPainter& p) { p.setRenderHint(QPainter::Antialiasing, true); }

// A sheet of paper with a folded corner and a waveform: a WAV file on disk.
QImage DrawWavIcon() {
  QImage image = BlankIcon();
  QPainter p(&image);
  Antialiased(p);
  QPainterPath sheet;
  sheet.moveTo(2.5, 0.5);
  sheet.lineTo(10.5, 0.5);
  sheet.lineTo(13.5, 3.5);
  sheet.lineTo(13.5, 15.5);
  sheet.lineTo(2.5, 15.5);
  sheet.closeSubpath();
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.drawLine(QPointF(10.5, 0.5), QPointF(10.5, 3.5));
  p.drawLine(QPointF(10.5, 3.5), QPointF(13.5, 3.5));
  // Waveform bars, centred on the sheet's middle line.
  p.setRenderHint(QPainter::Antialiasing, false);
  const std::array<int, 5> halfHeights{1, 3, 4, 2, 3};
  for (size_t i = 0; i < halfHeights.size(); ++i) {
    const int x = 4 + static_cast<int>(i) * 2;
    p.fillRect(QRect(x, 9 - halfHeights[i], 1, 2 * halfHeights[i] + 1), QColor(20, 90, 200));
  }
  return image;
}

// A globe: a demo played from the library's web server.
QImage DrawDemoIcon() {
  QImage image = BlankIcon();
  QPainter p(&image);
  Antialiased(p);
  const QRectF globe(1.5, 1.5, 13, 13);
  p.setPen(QPen(QColor(20, 70, 150), 1));
  p.setBrush(QColor(110, 170, 230));
  p.drawEllipse(globe);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(235, 245, 255), 0.9));
  p.drawEllipse(QRectF(5, 1.5, 6, 13));
  p.drawLine(QPointF(8, 2), QPointF(8, 14));
  p.drawLine(QPointF(2, 8), QPointF(14, 8));
  p.drawLine(QPointF(3, 5), QPointF(13, 5));
  p.drawLine(QPointF(3, 11), QPointF(13, 11));
  return image;
}

// A green disc with a tick: the track is in the music set.
QImage DrawInSetIcon() {
  QImage image = BlankIcon();
  QPainter p(&image);
  Antialiased(p);
  p.setPen(QPen(QColor(20, 110, 30), 1));
  p.setBrush(QColor(60, 170, 70));
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const std::array<QPointF, 3> tick{QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5)};
  p.drawPolyline(tick.data(), 3);
  return image;
}

// An arrow into a tray: downloaded through the subscription.
QImage DrawDownloadedIcon() {
  QImage image = BlankIcon();
  QPainter p(&image);
  Antialiased(p);
  const QColor orange(225, 120, 20);
  p.setPen(Qt::NoPen);
  p.setBrush(orange);
  p.drawRect(QRectF(6, 1, 4, 6));
  const std::array<QPointF, 3> head{QPointF(3, 7), QPointF(13, 7), QPointF(8, 12)};
  p.drawPolygon(head.data(), 3);
  p.setPen(QPen(QColor(80, 80, 80), 1.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  const std::array<QPointF, 4> tray{QPointF(1.5, 11), QPointF(1.5, 14.5), QPointF(14.5, 14.5), QPointF(14.5, 11)};
  p.drawPolyline(tray.data(), 4);
  return image;
}

// The tree branch at the left of a category picture: "├" or, for the last
// category of a level, "└".
void DrawBranch(QPainter& p, bool last) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(kTreeLine);
  p.drawLine(3, 0, 3, last ? 8 : 15);
  p.drawLine(3, 8, 5, 8);
}

// A folder right of the branch; open (and lighter) when selected.
void DrawFolder(QPainter& p, bool open) {
  Antialiased(p);
  const QColor edge(150, 110, 20);
  p.setPen(QPen(edge, 1));
  p.setBrush(open ? QColor(255, 224, 120) : QColor(240, 190, 60));
  QPainterPath back;
  back.moveTo(6.5, 4.5);
  back.lineTo(9.5, 4.5);
  back.lineTo(10.5, 5.5);
  back.lineTo(15.5, 5.5);
  back.lineTo(15.5, 13.5);
  back.lineTo(6.5, 13.5);
  back.closeSubpath();
  p.drawPath(back);
  if (open) {
    QPainterPath flap;
    flap.moveTo(6.5, 13.5);
    flap.lineTo(8.5, 8.5);
    flap.lineTo(15.5, 8.5);
    flap.lineTo(15.5, 13.5);
    flap.closeSubpath();
    p.setBrush(QColor(255, 240, 170));
    p.drawPath(flap);
  } else {
    p.drawLine(QPointF(6.5, 7.5), QPointF(15.5, 7.5));
  }
}

// A compact disc; tinted blue when selected.
QImage DrawCdIcon(bool selected) {
  QImage image = BlankIcon();
  QPainter p(&image);
  Antialiased(p);
  p.setPen(QPen(QColor(100, 100, 110), 1));
  p.setBrush(selected ? QColor(150, 190, 240) : QColor(215, 215, 225));
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(QPen(selected ? QColor(230, 240, 255) : QColor(245, 245, 250), 1));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(3.5, 3.5, 9, 9), 30 * 16, 60 * 16);
  p.drawArc(QRectF(3.5, 3.5, 9, 9), 210 * 16, 60 * 16);
  p.setPen(QPen(QColor(100, 100, 110), 1));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(6, 6, 4, 4));
  return image;
}

QImage DrawCategoryIcon(int index) {
  if (index >= 4) return DrawCdIcon(index == 5);
  QImage image = BlankIcon();
  QPainter p(&image);
  DrawBranch(p, index >= 2);
  DrawFolder(p, index % 2 == 1);
  return image;
}

const QImage& TrackImage(int index) {
  static const std::array<QImage, kTrackIconCount> images{DrawWavIcon(), DrawDemoIcon(), DrawInSetIcon(),
                                                          DrawDownloadedIcon()};
  return images[static_cast<size_t>(std::clamp(index, 0, kTrackIconCount - 1))];
}

const QImage& CategoryImage(int index) {
  static const std::array<QImage, kCategoryIconCount> images{DrawCategoryIcon(0), DrawCategoryIcon(1),
                                                             DrawCategoryIcon(2), DrawCategoryIcon(3),
                                                             DrawCategoryIcon(4), DrawCategoryIcon(5)};
  return images[static_cast<size_t>(std::clamp(index, 0, kCategoryIconCount - 1))];
}

QImage DrawSortArrow(bool up) {
  QImage image = BlankIcon(11, 11);
  QPainter p(&image);
  Antialiased(p);
  p.setPen(QPen(QColor(60, 60, 60), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(90, 90, 90));
  const std::array<QPointF, 3> down{QPointF(1.5, 3), QPointF(9.5, 3), QPointF(5.5, 8.5)};
  const std::array<QPointF, 3> upward{QPointF(1.5, 8), QPointF(9.5, 8), QPointF(5.5, 2.5)};
  p.drawPolygon((up ? upward : down).data(), 3);
  return image;
}

// The small silver font of the style words and the CD track counts.
QFont SmallFont(const QFont& listFont) {
  QFont f = listFont;
  f.setPointSize(8);
  return f;
}

QFont BoldFont(const QFont& listFont) {
  QFont f = listFont;
  f.setBold(true);
  return f;
}

// Draws text from x in the row's rectangle (shifted down by dy), vertically
// centred; returns the x after it.
int DrawTextAt(QPainter* p, const QRect& row, int x, int dy, const QString& text) {
  const int width = QFontMetrics(p->font()).horizontalAdvance(text);
  p->drawText(QRect(x, row.top() + dy, width + 1, row.height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
              text);
  return x + width;
}

void DrawFocus(QPainter* p, const QRect& row, const QColor& colour) {
  QPen pen(colour, 1, Qt::DotLine);
  p->setPen(pen);
  p->setBrush(Qt::NoBrush);
  p->drawRect(row.adjusted(0, 0, -1, -1));
}

int IconTop(const QRect& row) { return row.top() + (row.height() - kRowIconSize) / 2; }

}  // namespace

QPixmap TrackIcon(int index) { return QPixmap::fromImage(TrackImage(index)); }
QPixmap CategoryIcon(int index) { return QPixmap::fromImage(CategoryImage(index)); }
QPixmap SortArrowPixmap(bool up) { return QPixmap::fromImage(DrawSortArrow(up)); }

// --- Row texts ---------------------------------------------------------------------

QString TrackRowTimeText(const TrackRecord& track) { return QStringLiteral(" ") + Q(track.duration); }

QString TrackRowMainText(const DisplayOptions& options, bool resultMode, const TrackRecord& track, int language) {
  std::string text = resultMode ? " * " : " ";
  if (options.showCode) text += "[" + track.code + "] ";
  if (options.showName) text += track.title;
  if (options.showComposer && options.showArtist) {
    text += LangMessage(language, Msg::StatusArtistComposer) + track.composer + " / " + track.performer + " ";
  } else {
    if (options.showComposer) text += LangMessage(language, Msg::StatusComposer) + track.composer + " ";
    if (options.showArtist) text += LangMessage(language, Msg::StatusArtist) + track.performer + " ";
  }
  return Q(text);
}

QString TrackRowMainText(const Browser& browser, const TrackRecord& track, int language) {
  return TrackRowMainText(browser.options, browser.resultMode(), track, language);
}

QString TrackRowStyleText(const TrackRecord& track) { return Q(track.styleText).toLower(); }

int TrackIconIndex(const TrackMarks& marks, int cd, int track, const TrackRecord& record) {
  if (marks.inMusicSet && marks.inMusicSet(cd, track)) return 2;
  if (marks.downloaded && marks.downloaded(record.code)) return 3;
  if (Q(record.location).toLower().contains(QStringLiteral(".wav"))) return 0;
  return 1;
}

int CategoryIconIndex(const Browser& browser, int row, bool selected) {
  const auto& rows = browser.boxRows();
  int index = 0;
  if (row >= 0 && row < static_cast<int>(rows.size()) && rows[static_cast<size_t>(row)].isCd) {
    index = 4;
  } else if (row == browser.categoryRowCount() - 1) {
    index = 2;
  }
  return index + (selected ? 1 : 0);
}

CategoryRowText CategoryRowDisplay(const Catalogue& catalogue, const Browser& browser, int row, int language) {
  CategoryRowText out;
  const auto& rows = browser.boxRows();
  if (row < 0 || row >= static_cast<int>(rows.size())) return out;
  const BoxRow& box = rows[static_cast<size_t>(row)];
  if (box.isCd) {
    out.text = Q(box.text);
    return out;
  }
  std::string name = box.text;
  if (language == kRussian) {
    if (auto translation = catalogue.Translation(name)) name = std::string(*translation);
  }
  out.text = Q(name);
  if (browser.currentPath().empty() &&
      (out.text.startsWith(QLatin1Char('*')) || out.text.startsWith(QChar(0x2026)))) {
    out.bold = true;
    out.text = out.text.mid(2);
  }
  return out;
}

QString CdTrackCountText(const Catalogue& catalogue, int cdPosition) {
  const size_t count = (cdPosition >= 0 && cdPosition < static_cast<int>(catalogue.cds.size()))
                           ? catalogue.cds[static_cast<size_t>(cdPosition)].tracks.size()
                           : 0;
  return QStringLiteral(" (%1)").arg(count);
}

// --- Models ------------------------------------------------------------------------

TrackListModel::TrackListModel(const Browser& browser, const Catalogue& catalogue, QObject* parent)
    : QAbstractListModel(parent), browser_(browser), catalogue_(catalogue) {}

int TrackListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : browser_.rowCount();
}

QVariant TrackListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= browser_.rowCount() || role != Qt::DisplayRole) return {};
  const auto [cd, track] = browser_.rows()[static_cast<size_t>(index.row())];
  return Q(catalogue_.Track(cd, track).code);
}

void TrackListModel::Reset() {
  beginResetModel();
  endResetModel();
}

CategoryListModel::CategoryListModel(const Browser& browser, const Catalogue& catalogue,
                                     std::function<int()> language, QObject* parent)
    : QAbstractListModel(parent), browser_(browser), catalogue_(catalogue), language_(std::move(language)) {}

int CategoryListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(browser_.boxRows().size());
}

QVariant CategoryListModel::data(const QModelIndex& index, int role) const {
  const auto& rows = browser_.boxRows();
  if (!index.isValid() || index.row() >= static_cast<int>(rows.size())) return {};
  const BoxRow& row = rows[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return CategoryRowDisplay(catalogue_, browser_, index.row(), language_ ? language_() : kEnglish).text;
    case kIsCdRole:
      return row.isCd;
    case kCdPositionRole:
      return row.cdPosition;
    case kNameRole:
      return Q(row.text);
    default:
      return {};
  }
}

void CategoryListModel::Reset() {
  beginResetModel();
  endResetModel();
}

// --- Delegates ---------------------------------------------------------------------

FileBoxDelegate::FileBoxDelegate(const Browser& browser, const Catalogue& catalogue, std::function<int()> language,
                                 QObject* parent)
    : QStyledItemDelegate(parent), browser_(browser), catalogue_(catalogue), language_(std::move(language)) {}

QSize FileBoxDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return QSize(kRowIconSize, itemHeight_);
}

void FileBoxDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const int row = index.row();
  if (row < 0 || row >= browser_.rowCount()) return;
  const auto [cd, trackPosition] = browser_.rows()[static_cast<size_t>(row)];
  const TrackRecord& track = catalogue_.Track(cd, trackPosition);
  const QRect r = option.rect;
  const QPalette& palette = option.palette;
  const bool selected = option.state & QStyle::State_Selected;
  const bool comment = marks.hasComment && marks.hasComment(track.code);
  const DisplayOptions& options = browser_.options;

  p->save();
  p->setClipRect(r);
  if (selected) {
    p->fillRect(r, kSelectedGrey);
    p->fillRect(QRect(r.left(), r.top(), kRowIconSize, r.height()), palette.color(QPalette::Base));
  } else {
    p->fillRect(r, palette.color(comment ? QPalette::ToolTipBase : QPalette::Base));
  }
  p->drawImage(QPoint(r.left(), IconTop(r)), TrackImage(TrackIconIndex(marks, cd, trackPosition, track)));

  const QColor textColour = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  int x = r.left() + kRowIconSize + 5;
  p->setPen(textColour);
  if (options.showTime) {
    p->setFont(BoldFont(option.font));
    x = DrawTextAt(p, r, x, 0, TrackRowTimeText(track)) + 2;
  }
  p->setFont(option.font);
  p->setPen(selected && comment ? QColor(Qt::yellow) : textColour);
  x = DrawTextAt(p, r, x, 0, TrackRowMainText(browser_, track, language_ ? language_() : kEnglish));
  if (options.showStyle) {
    p->setFont(SmallFont(option.font));
    p->setPen(kSilver);
    DrawTextAt(p, r, x + 2, 1, TrackRowStyleText(track));
  }
  if (option.state & QStyle::State_HasFocus) DrawFocus(p, r, textColour);
  p->restore();
}

CDCatBoxDelegate::CDCatBoxDelegate(const Browser& browser, const Catalogue& catalogue, std::function<int()> language,
                                   QObject* parent)
    : QStyledItemDelegate(parent), browser_(browser), catalogue_(catalogue), language_(std::move(language)) {}

QSize CDCatBoxDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return QSize(kRowIconSize, itemHeight_);
}

void CDCatBoxDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const int row = index.row();
  const auto& rows = browser_.boxRows();
  if (row < 0 || row >= static_cast<int>(rows.size())) return;
  const BoxRow& box = rows[static_cast<size_t>(row)];
  const QRect r = option.rect;
  const QPalette& palette = option.palette;
  const bool selected = option.state & QStyle::State_Selected;

  p->save();
  p->setClipRect(r);
  if (selected) {
    p->fillRect(r, kSelectedGrey);
    p->fillRect(QRect(r.left(), r.top(), kCategoryStripWidth, r.height()), palette.color(QPalette::Base));
  } else {
    p->fillRect(r, palette.color(QPalette::Base));
  }
  const int icon = CategoryIconIndex(browser_, row, selected);
  p->drawImage(QPoint(r.left(), IconTop(r)), CategoryImage(icon));
  if (!box.isCd && r.height() > 15) {
    const bool last = icon >= 2;
    p->setPen(kSilver);
    p->drawLine(r.left() + 3, r.top(), r.left() + 3, last ? r.top() + 15 : r.bottom());
  }

  const CategoryRowText shown = CategoryRowDisplay(catalogue_, browser_, row, language_ ? language_() : kEnglish);
  const QColor textColour = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  p->setPen(textColour);
  p->setFont(shown.bold ? BoldFont(option.font) : option.font);
  const int x = DrawTextAt(p, r, r.left() + kRowIconSize + 6, 0, shown.text);
  if (box.isCd) {
    p->setFont(SmallFont(option.font));
    p->setPen(kSilver);
    DrawTextAt(p, r, x + 2, 0, CdTrackCountText(catalogue_, box.cdPosition));
  }
  if (option.state & QStyle::State_HasFocus) DrawFocus(p, r, textColour);
  p->restore();
}

void PrepareOwnerDrawnList(QListView* view) {
  view->setUniformItemSizes(true);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

}  // namespace trakvella
