#include "ui/browse/TrackListModel.h"

#include "ui/QtText.h"

namespace trakvella {

TrackListModel::TrackListModel(const Browser& browser, const Catalogue& catalogue, QObject* parent)
    : QAbstractListModel(parent), browser_(browser), catalogue_(catalogue) {}

int TrackListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : browser_.rowCount(); }

QVariant TrackListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= browser_.rowCount() || role != Qt::DisplayRole) return {};
  const auto [cd, track] = browser_.rows()[static_cast<size_t>(index.row())];
  return Q(catalogue_.Track(cd, track).code);
}

void TrackListModel::Reset() {
  beginResetModel();
  endResetModel();
}

}  // namespace trakvella
