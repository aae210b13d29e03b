#include "ui/main/ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QtMath>
#include <cmath>

namespace trakvella {

namespace {

// Every picture is drawn on a 16 x 16 grid and scaled to the button.
constexpr qreal kGrid = 16.0;

const QColor kInk(55, 60, 70);
const QColor kBlue(40, 95, 175);
const QColor kGreen(40, 140, 60);
const QColor kGold(235, 180, 35);

QPen Ink(qreal width, const QColor& colour = kInk) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Home(QPainter& p) {
  p.setPen(Ink(1.2));
  p.setBrush(QColor(250, 250, 250));
  p.drawRect(QRectF(4, 7.5, 8, 6.5));
  p.setBrush(QColor(190, 60, 50));
  p.drawPolygon(QPolygonF({QPointF(1.5, 8.5), QPointF(8, 2), QPointF(14.5, 8.5)}));
  p.setBrush(kInk);
  p.drawRect(QRectF(7, 10.5, 2, 3.5));
}

void Arrow(QPainter& p, bool right) {
  QPolygonF arrow({QPointF(2, 8), QPointF(8.5, 2.5), QPointF(8.5, 5.5), QPointF(14, 5.5), QPointF(14, 10.5),
                   QPointF(8.5, 10.5), QPointF(8.5, 13.5)});
  if (right)
    for (QPointF& point : arrow) point.setX(kGrid - point.x());
  p.setPen(Ink(1.1, kBlue.darker(130)));
  p.setBrush(kBlue);
  p.drawPolygon(arrow);
}

void Star(QPainter& p) {
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const qreal angle = qDegreesToRadians(-90.0 + 36.0 * i);
    const qreal radius = i % 2 == 0 ? 7.0 : 2.9;
    star << QPointF(8 + radius * std::cos(angle), 8.6 + radius * std::sin(angle));
  }
  p.setPen(Ink(1.0, kGold.darker(150)));
  p.setBrush(kGold);
  p.drawPolygon(star);
}

void Magnifier(QPainter& p, const QPointF& centre, qreal radius) {
  p.setPen(Ink(radius / 2.5));
  p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7), centre + QPointF(radius * 1.75, radius * 1.75));
  p.setPen(Ink(radius / 3.5));
  p.setBrush(QColor(205, 230, 250));
  p.drawEllipse(centre, radius, radius);
}

void TextLines(QPainter& p) {
  p.setPen(Ink(1.4));
  p.drawLine(QPointF(1.5, 3), QPointF(12.5, 3));
  p.drawLine(QPointF(1.5, 6.5), QPointF(9, 6.5));
  p.drawLine(QPointF(1.5, 10), QPointF(6, 10));
  Magnifier(p, QPointF(10.5, 10.5), 2.8);
}

void Plus(QPainter& p) {
  p.setPen(Ink(3.0, kGreen));
  p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
  p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
}

void List(QPainter& p) {
  for (qreal y : {3.5, 8.0, 12.5}) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(2.8, y), 1.5, 1.5);
    p.setPen(Ink(1.6));
    p.drawLine(QPointF(6, y), QPointF(14.5, y));
  }
}

void Info(QPainter& p) {
  p.setPen(Ink(1.0, kBlue.darker(140)));
  p.setBrush(kBlue);
  p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8, 4.6), 1.25, 1.25);
  p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 6.0), 0.6, 0.6);
}

void Sheet(QPainter& p) {
  QPainterPath sheet;
  sheet.moveTo(3, 1.5);
  sheet.lineTo(10, 1.5);
  sheet.lineTo(13, 4.5);
  sheet.lineTo(13, 14.5);
  sheet.lineTo(3, 14.5);
  sheet.closeSubpath();
  p.setPen(Ink(1.0));
  p.setBrush(QColor(252, 252, 248));
  p.drawPath(sheet);
  p.drawPolyline(QPolygonF({QPointF(10, 1.5), QPointF(10, 4.5), QPointF(13, 4.5)}));
  p.setPen(Ink(1.0, kBlue));
  for (qreal y : {6.5, 9.0, 11.5}) p.drawLine(QPointF(5, y), QPointF(11, y));
}

void Cog(QPainter& p) {
  QPainterPath cog;
  const QPointF centre(8, 8);
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth * 4; ++i) {
    // Each tooth: two points out, two points in.
    const qreal angle = qDegreesToRadians(360.0 / (kTeeth * 4) * (i - 0.5));
    const qreal radius = (i % 4 == 0 || i % 4 == 1) ? 7.2 : 5.2;
    const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    if (i == 0)
      cog.moveTo(point);
    else
      cog.lineTo(point);
  }
  cog.closeSubpath();
  cog.addEllipse(centre, 2.2, 2.2);
  cog.setFillRule(Qt::OddEvenFill);
  p.setPen(Ink(0.8));
  p.setBrush(QColor(130, 135, 145));
  p.drawPath(cog);
}

void Chevrons(QPainter& p) {
  p.setPen(Ink(2.0));
  p.setBrush(Qt::NoBrush);
  for (qreal x : {3.0, 8.5}) p.drawPolyline(QPolygonF({QPointF(x, 3.5), QPointF(x + 4.5, 8), QPointF(x, 12.5)}));
}

void PlayTriangle(QPainter& p) {
  p.setPen(Ink(1.0, kGreen.darker(140)));
  p.setBrush(kGreen);
  p.drawPolygon(QPolygonF({QPointF(3, 1.5), QPointF(14, 8), QPointF(3, 14.5)}));
}

void PauseBars(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRect(QRectF(3, 2, 3.5, 12));
  p.drawRect(QRectF(9.5, 2, 3.5, 12));
}

void StopSquare(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(180, 50, 45));
  p.drawRect(QRectF(2.5, 2.5, 11, 11));
}

}  // namespace

void DrawButtonPicture(QPainter& p, ButtonPicture picture, qreal side) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(side / kGrid, side / kGrid);
  switch (picture) {
    case ButtonPicture::Home:
      Home(p);
      break;
    case ButtonPicture::Back:
      Arrow(p, false);
      break;
    case ButtonPicture::Forward:
      Arrow(p, true);
      break;
    case ButtonPicture::Favourites:
      Star(p);
      break;
    case ButtonPicture::Search:
      Magnifier(p, QPointF(6.5, 6.5), 4.6);
      break;
    case ButtonPicture::SearchName:
      TextLines(p);
      break;
    case ButtonPicture::MemCopy:
      Plus(p);
      break;
    case ButtonPicture::MemOper:
      List(p);
      break;
    case ButtonPicture::TrackInfo:
      Info(p);
      break;
    case ButtonPicture::Passport:
      Sheet(p);
      break;
    case ButtonPicture::Options:
      Cog(p);
      break;
    case ButtonPicture::KeyGo:
      Chevrons(p);
      break;
    case ButtonPicture::Play:
      PlayTriangle(p);
      break;
    case ButtonPicture::Pause:
      PauseBars(p);
      break;
    case ButtonPicture::Stop:
      StopSquare(p);
      break;
  }
  p.restore();
}

QIcon ButtonIcon(ButtonPicture picture, int side) {
  QIcon icon;
  for (qreal scale : {1.0, 1.5, 2.0, 3.0}) {
    const int pixels = qRound(side * scale);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    {
      // Drawn in device pixels, so each scale gets its own sharp edges.
      QPainter painter(&pixmap);
      DrawButtonPicture(painter, picture, pixels);
    }
    pixmap.setDevicePixelRatio(scale);
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace trakvella
