#include "ui/lang/QtOwnDialogs.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QTreeView>

#include "core/lang/MessageTable.h"

namespace trakvella {

namespace {

QtOwnDialogs* current = nullptr;

// The detail view of a file dialog: the name takes the room the size, type and
// date leave, and those three are as wide as their headings and values.
void ShowColumnsWhole(QFileDialog* dialog) {
  auto* view = dialog->findChild<QTreeView*>("treeView");
  if (!view) return;
  QHeaderView* header = view->header();
  header->setStretchLastSection(false);
  for (int column = 0; column < header->count(); ++column)
    header->setSectionResizeMode(column, column == 0 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
}

}  // namespace

QtOwnDialogs::QtOwnDialogs() {
  current = this;
  if (QCoreApplication* application = QCoreApplication::instance()) application->installEventFilter(this);
}

QtOwnDialogs::~QtOwnDialogs() {
  if (installed_) QCoreApplication::removeTranslator(&russian_);
  if (current == this) current = nullptr;
}

QtOwnDialogs* QtOwnDialogs::Current() { return current; }

QString QtOwnDialogs::TranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool QtOwnDialogs::Apply(Language language) {
  if (language != Language::Russian) {
    if (installed_) QCoreApplication::removeTranslator(&russian_);
    installed_ = false;
    return true;
  }
  if (!loaded_) loaded_ = russian_.load(QStringLiteral("qtbase_ru"), TranslationsFolder());
  if (loaded_ && !installed_) installed_ = QCoreApplication::installTranslator(&russian_);
  return installed_;
}

bool QtOwnDialogs::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show)
    if (auto* dialog = qobject_cast<QFileDialog*>(watched)) ShowColumnsWhole(dialog);
  return QObject::eventFilter(watched, event);
}

}  // namespace trakvella
