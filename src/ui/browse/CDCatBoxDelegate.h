#pragma once
// CDCatBoxDelegate: draws a row of the category/CD box (CDCatBox) — a category with its tree branch
// or a CD with its track count. The window owns it; the Browser and Catalogue outlive it.
#include "ui/browse/ListRowDelegate.h"

namespace trakvella {

// The left strip of a selected category/CD row left in the list's colour.
inline constexpr int kCategoryStripWidth = 19;

class CDCatBoxDelegate : public ListRowDelegate {
  Q_OBJECT

 public:
  using ListRowDelegate::ListRowDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace trakvella
