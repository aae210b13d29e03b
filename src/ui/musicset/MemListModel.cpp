#include "ui/musicset/MemListModel.h"

#include "ui/QtText.h"

namespace trakvella {

MemListModel::MemListModel(const MusicSet& set, QObject* parent) : QAbstractListModel(parent), set_(set) {}

int MemListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(set_.size());
}

QVariant MemListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || static_cast<size_t>(index.row()) >= set_.size() || role != Qt::DisplayRole) return {};
  return Q(set_[static_cast<size_t>(index.row())].code);
}

void MemListModel::Reset() {
  beginResetModel();
  endResetModel();
}

}  // namespace trakvella
