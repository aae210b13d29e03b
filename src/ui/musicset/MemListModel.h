#pragma once
// MemListModel: the music set's entries as the rows of MemListBox — as many rows as the set holds,
// each reporting its track code; no item per row. The set window owns it; the set outlives it.
#include <QAbstractListModel>

#include "core/musicset/MusicSet.h"

namespace trakvella {

class MemListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit MemListModel(const MusicSet& set, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // After the set changed: the list is laid out and drawn again once.
  void Reset();

 private:
  const MusicSet& set_;
};

}  // namespace trakvella
