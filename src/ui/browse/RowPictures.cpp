#include "ui/browse/RowPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>

namespace trakvella {

namespace {

const QColor kTreeLine(160, 160, 160);

// Each picture is drawn once on a transparent image; kept as images so they
// outlive the application object without trouble.
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

}  // namespace

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

QPixmap TrackIcon(int index) { return QPixmap::fromImage(TrackImage(index)); }
QPixmap CategoryIcon(int index) { return QPixmap::fromImage(CategoryImage(index)); }
QPixmap SortArrowPixmap(bool up) { return QPixmap::fromImage(DrawSortArrow(up)); }

}  // namespace trakvella
