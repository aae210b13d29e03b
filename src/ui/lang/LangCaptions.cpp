#include "ui/lang/LangCaptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <map>

#include "ui/QtText.h"
#include "ui/lang/QtOwnDialogs.h"

namespace trakvella {

namespace {

std::map<std::string, QWidget*>& Windows() {
  static std::map<std::string, QWidget*> windows;
  return windows;
}

// The search panel's group applies once the panel's controls exist.
constexpr int kSearchPanelGroup = 8;

}  // namespace

void RegisterCaptionWindow(const char* windowClass, QWidget* window) { Windows()[windowClass] = window; }

void UnregisterCaptionWindow(QWidget* window) {
  for (auto it = Windows().begin(); it != Windows().end();)
    it = it->second == window ? Windows().erase(it) : std::next(it);
}

QWidget* CaptionWindow(const char* windowClass) {
  auto it = Windows().find(windowClass);
  return it == Windows().end() ? nullptr : it->second;
}

QWidget* GroupWindow(int group) {
  for (const CaptionRow& row : CaptionTable()) {
    if (row.group != group) continue;
    QWidget* window = CaptionWindow(row.window);
    if (window && group == kSearchPanelGroup && !window->findChild<QObject*>("SArea")) return nullptr;
    return window;
  }
  return nullptr;
}

QString TableCaption(std::string_view windowClass, std::string_view component, CaptionProperty property,
                     Language language) {
  for (const CaptionRow& row : CaptionTable())
    if (row.window == windowClass && row.component == component && row.property == property)
      return Q(CaptionText(row, language));
  return {};
}

std::vector<QObject*> CaptionTargets(QWidget* window, const CaptionRow& row) {
  if (row.property == CaptionProperty::WindowCaption) return {window};
  QString name = QString::fromUtf8(row.component);
  if (row.property == CaptionProperty::LabelCaption) name += "Label";  // a labelled edit's label
  std::vector<QObject*> found;
  for (QObject* o : window->findChildren<QObject*>(name)) {
    // A window owned by this one (a dialog of the main window) has captions of its own.
    bool inOtherWindow = false;
    for (QObject* p = o->parent(); p && p != window && !inOtherWindow; p = p->parent())
      if (p->isWidgetType()) {
        for (const auto& [windowClass, registered] : Windows())
          if (registered == p) inOtherWindow = true;
      }
    if (!inOtherWindow) found.push_back(o);
  }
  return found;
}

namespace {

void SetCaption(QObject* target, const QString& text) {
  // Menus first: a pop-up menu is a window of its own.
  if (auto* m = qobject_cast<QMenu*>(target))
    m->setTitle(text);
  else if (auto* a = qobject_cast<QAction*>(target))
    a->setText(text);
  else if (auto* w = qobject_cast<QWidget*>(target); w && w->isWindow())
    w->setWindowTitle(text);
  else if (auto* b = qobject_cast<QAbstractButton*>(target))
    b->setText(text);
  else if (auto* l = qobject_cast<QLabel*>(target))
    l->setText(text);
  else if (auto* g = qobject_cast<QGroupBox*>(target))
    g->setTitle(text);
  else if (auto* page = qobject_cast<QWidget*>(target)) {
    // A tab sheet: its caption is the tab's text.
    for (QWidget* p = page->parentWidget(); p; p = p->parentWidget())
      if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
        int i = tabs->indexOf(page);
        if (i >= 0) tabs->setTabText(i, text);
        break;
      }
  } else {
    target->setProperty("caption", text);
  }
}

void Apply(QObject* target, const CaptionRow& row, const QString& text) {
  switch (row.property) {
    case CaptionProperty::WindowCaption:
      static_cast<QWidget*>(target)->setWindowTitle(text);
      break;
    case CaptionProperty::Caption:
    case CaptionProperty::LabelCaption:
      SetCaption(target, text);
      break;
    case CaptionProperty::Hint:
      if (auto* a = qobject_cast<QAction*>(target))
        a->setToolTip(text);
      else if (auto* w = qobject_cast<QWidget*>(target))
        w->setToolTip(text);
      break;
    case CaptionProperty::DialogTitle:
      target->setProperty("title", text);
      break;
    case CaptionProperty::Item:
      // The table replaces texts of items that exist; it never adds any.
      if (auto* box = qobject_cast<QComboBox*>(target)) {
        if (row.index < box->count()) box->setItemText(row.index, text);
      } else if (auto* list = qobject_cast<QListWidget*>(target)) {
        if (row.index < list->count()) list->item(row.index)->setText(text);
      }
      break;
  }
}

}  // namespace

void SetLangCaptions(Language language, const Translator& translate) {
  // Qt's own dialogs first, so that nothing shown after this speaks the old language.
  if (QtOwnDialogs* own = QtOwnDialogs::Current()) own->Apply(language);
  for (const CaptionRow& row : CaptionTable()) {
    QWidget* window = GroupWindow(row.group);
    if (!window) continue;
    const QString text = Q(CaptionText(row, language));
    for (QObject* target : CaptionTargets(window, row)) Apply(target, row, text);
  }
  // The search areas after the fixed rows of the search panel.
  if (QWidget* window = GroupWindow(kSearchPanelGroup)) {
    if (auto* area = window->findChild<QComboBox*>("SArea"); area && area->count() >= 2)
      for (int i = 1; i < area->count() && i < static_cast<int>(kSearchAreaNames.size()); ++i)
        area->setItemText(i, Q(SearchAreaCaption(language, i, translate)));
  }
}

}  // namespace trakvella
