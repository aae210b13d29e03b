#pragma once
// CategoryListModel: the category/CD box's rows as a model, and what each row shows (the category's
// name in the interface language, or the CD). The window owns it; the Browser and Catalogue outlive it.
#include <QAbstractListModel>
#include <QString>
#include <functional>

#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"

namespace trakvella {

struct CategoryRowText {
  QString text;
  bool bold = false;
};
// What box row `row` shows: a category's name (translated in Russian, and at the
// top level a "*" or "…" name in bold without its first two characters), or the
// CD's text.
CategoryRowText CategoryRowDisplay(const Catalogue& catalogue, const Browser& browser, int row, Language language);
// The count after a CD row: " (" + number of tracks + ")".
QString CdTrackCountText(const Catalogue& catalogue, int cdPosition);
// The picture of box row `row`, its unselected or selected form.
int CategoryIconIndex(const Browser& browser, int row, bool selected);

class CategoryListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // DisplayRole gives the text as shown; these roles what the row stands for.
  static constexpr int kIsCdRole = Qt::UserRole + 1;
  static constexpr int kCdPositionRole = Qt::UserRole + 2;
  static constexpr int kNameRole = Qt::UserRole + 3;  // the untranslated text of the row

  CategoryListModel(const Browser& browser, const Catalogue& catalogue, const Language& language,
                    QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  void Reset();

 private:
  const Browser& browser_;
  const Catalogue& catalogue_;
  const Language& language_;
};

}  // namespace trakvella
