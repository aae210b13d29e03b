#pragma once
// QtOwnDialogs: the dialogs Qt draws itself (file and folder dialogs, the Yes, No, Cancel and OK of
// message boxes) in the interface language, with the file dialog's columns wide enough for their
// headings and values. The program start owns one; while it lives, SetLangCaptions applies the
// language to it: Qt's Russian translation ("qtbase_ru" from Qt's translations folder) is installed
// for Russian and removed again for English.
#include <QObject>
#include <QString>
#include <QTranslator>

#include "core/lang/Language.h"

namespace trakvella {

class QtOwnDialogs : public QObject {
 public:
  QtOwnDialogs();
  ~QtOwnDialogs() override;

  // Installs or removes the Russian translation; false when Russian was asked
  // for and Qt's translation could not be loaded (Qt's texts stay English).
  bool Apply(Language language);
  bool russianInstalled() const { return installed_; }

  // The one that lives, or nullptr.
  static QtOwnDialogs* Current();
  // Where Qt's translations are installed.
  static QString TranslationsFolder();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTranslator russian_;
  bool loaded_ = false;
  bool installed_ = false;
};

}  // namespace trakvella
