#include "ui/musicset/MemListBoxDelegate.h"

#include <QPainter>

#include "core/musicset/MusicSetView.h"
#include "ui/QtText.h"
#include "ui/browse/RowPictures.h"

namespace trakvella {

namespace {
// The picture every line of the set shows: the track list's "in the music set".
constexpr int kSetPicture = 2;
}  // namespace

MemListBoxDelegate::MemListBoxDelegate(const MusicSet& set, const Browser& browser, const Language& language,
                                       QObject* parent)
    : ListRowDelegate(browser, set.catalogue(), language, parent), set_(set) {}

void MemListBoxDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const int row = index.row();
  if (row < 0 || static_cast<size_t>(row) >= set_.size()) return;
  const MemListLine line = MemListBoxLine(set_, static_cast<size_t>(row), browser_.options());
  const QRect r = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);

  p->save();
  p->setClipRect(r);
  // A selected line is grey but for the picture's cell, which keeps the list's colour.
  FillRow(p, option, selected, kRowIconSize, option.palette.color(QPalette::Base));
  p->drawImage(QPoint(r.left(), IconTop(r)), TrackImage(kSetPicture));
  int x = r.left() + kRowIconSize;
  p->setPen(text);
  if (!line.duration.empty()) {
    p->setFont(BoldFont(option.font));
    x = DrawTextAt(p, r, x, 0, Q(line.duration));
    if (option.state & QStyle::State_HasFocus) DrawFocus(p, r, text);
    p->setPen(text);
  }
  p->setFont(option.font);
  DrawTextAt(p, r, x, 0, Q(line.text));
  p->restore();
}

}  // namespace trakvella
