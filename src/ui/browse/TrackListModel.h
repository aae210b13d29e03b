#pragma once
// TrackListModel: the track list's rows as a model — as many as the Browser's row table, each
// reporting its track code; no item per row. The window owns it; the Browser and Catalogue outlive it.
#include <QAbstractListModel>

#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"

namespace trakvella {

class TrackListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  TrackListModel(const Browser& browser, const Catalogue& catalogue, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // After every listing: the list is laid out and drawn again once.
  void Reset();

 private:
  const Browser& browser_;
  const Catalogue& catalogue_;
};

}  // namespace trakvella
