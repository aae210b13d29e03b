#include "ui/browse/CategoryListModel.h"

#include "core/lang/MessageTable.h"
#include "ui/QtText.h"

namespace trakvella {

int CategoryIconIndex(const Browser& browser, int row, bool selected) {
  const auto& rows = browser.boxRows();
  int index = 0;
  if (row >= 0 && row < static_cast<int>(rows.size()) && rows[static_cast<size_t>(row)].isCd) {
    index = 4;
  } else if (row == browser.categoryRowCount() - 1) {
    index = 2;
  }
  return index + (selected ? 1 : 0);
}

CategoryRowText CategoryRowDisplay(const Catalogue& catalogue, const Browser& browser, int row, Language language) {
  CategoryRowText out;
  const auto& rows = browser.boxRows();
  if (row < 0 || row >= static_cast<int>(rows.size())) return out;
  const BoxRow& box = rows[static_cast<size_t>(row)];
  if (box.isCd) {
    out.text = Q(box.text);
    return out;
  }
  std::string name = box.text;
  if (language == Language::Russian) {
    if (auto translation = catalogue.Translation(name)) name = std::string(*translation);
  }
  out.text = Q(name);
  if (browser.currentPath().empty() && (out.text.startsWith(QLatin1Char('*')) || out.text.startsWith(QChar(0x2026)))) {
    out.bold = true;
    out.text = out.text.mid(2);
  }
  return out;
}

QString CdTrackCountText(const Catalogue& catalogue, int cdPosition) {
  const size_t count = (cdPosition >= 0 && cdPosition < static_cast<int>(catalogue.Cds().size()))
                           ? catalogue.Cd(cdPosition).tracks.size()
                           : 0;
  return QStringLiteral(" (%1)").arg(count);
}

CategoryListModel::CategoryListModel(const Browser& browser, const Catalogue& catalogue, const Language& language,
                                     QObject* parent)
    : QAbstractListModel(parent), browser_(browser), catalogue_(catalogue), language_(language) {}

int CategoryListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(browser_.boxRows().size());
}

QVariant CategoryListModel::data(const QModelIndex& index, int role) const {
  const auto& rows = browser_.boxRows();
  if (!index.isValid() || index.row() >= static_cast<int>(rows.size())) return {};
  const BoxRow& row = rows[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return CategoryRowDisplay(catalogue_, browser_, index.row(), language_).text;
    case kIsCdRole:
      return row.isCd;
    case kCdPositionRole:
      return row.cdPosition;
    case kNameRole:
      return Q(row.text);
    default:
      return {};
  }
}

void CategoryListModel::Reset() {
  beginResetModel();
  endResetModel();
}

}  // namespace trakvella
