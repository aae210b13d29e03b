#pragma once
// MemListBoxDelegate: draws a line of the music set's list — the set picture, the duration in bold and
// the code, title and authors as the main window's view options say. The set window owns it; App's parts outlive it.
#include "core/musicset/MusicSet.h"
#include "ui/browse/ListRowDelegate.h"

namespace trakvella {

class MemListBoxDelegate : public ListRowDelegate {
  Q_OBJECT

 public:
  // The view options are the browser's (the main window's "Вид" switches); the language is the user's.
  MemListBoxDelegate(const MusicSet& set, const Browser& browser, const Language& language, QObject* parent = nullptr);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const MusicSet& set_;
};

}  // namespace trakvella
