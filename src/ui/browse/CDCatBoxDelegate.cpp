#include "ui/browse/CDCatBoxDelegate.h"

#include <QPainter>

#include "ui/browse/CategoryListModel.h"
#include "ui/browse/RowPictures.h"

namespace trakvella {

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
  FillRow(p, option, selected, kCategoryStripWidth, palette.color(QPalette::Base));
  const int icon = CategoryIconIndex(browser_, row, selected);
  p->drawImage(QPoint(r.left(), IconTop(r)), CategoryImage(icon));
  if (!box.isCd && r.height() > 15) {
    const bool last = icon >= 2;
    p->setPen(kSilver);
    p->drawLine(r.left() + 3, r.top(), r.left() + 3, last ? r.top() + 15 : r.bottom());
  }

  const CategoryRowText shown = CategoryRowDisplay(catalogue_, browser_, row, language());
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

}  // namespace trakvella
