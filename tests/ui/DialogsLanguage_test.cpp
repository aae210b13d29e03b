// Qt's own dialogs and the captions beyond the design's table follow the interface language: the
// message boxes' buttons and the folder dialog, the report window's caption, the developer menu and the
// music set window's developer items.
// Their sizes on a real X server: x11/DialogsX_test.cpp.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

#include "adapters/qt/QtDialogs.h"
#include "ui/MainWindowFixture.h"
#include "ui/lang/QtOwnDialogs.h"
#include "ui/maintenance/RepForm.h"

namespace trakvella::testing {
namespace {

bool HasCyrillic(const QString& text) {
  for (QChar c : text)
    if (c.script() == QChar::Script_Cyrillic) return true;
  return false;
}

struct DialogsInTheLanguage : MainWindowTest {
  QtOwnDialogs own;  // as the program start has it
  void SetUp() override {
    // The folder dialog keeps its state in the user's settings: a fresh place.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(home.path().string()));
    MainWindowTest::SetUp();
  }
  // The texts of the buttons of the next modal dialog, which is then closed.
  static void ButtonsOfNextDialog(QStringList& texts) {
    QTimer::singleShot(0, [&texts] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
        if (b->isVisible() && !b->text().isEmpty()) texts << b->text();
      dialog->close();
    });
  }
};

TEST_F(DialogsInTheLanguage, QtsOwnDialogsTheReportCaptionAndTheDeveloperMenuFollowTheLanguage) {
  ASSERT_TRUE(QFileInfo::exists(QtOwnDialogs::TranslationsFolder() + "/qtbase_ru.qm"))
      << "Qt's translations are missing (Debian: qt6-translations-l10n)";
  QtDialogs qtDialogs(main.get());
  auto* report = main->findChild<TRepForm*>();
  auto* developer = Control<QMenu>("DevMenu");
  for (const char* language : {"Lang1", "Lang0"}) {
    SCOPED_TRACE(language);
    main->Item(language)->trigger();
    const bool russian = app().language() == Language::Russian;
    // Yes, No and Cancel; the folder dialog's buttons.
    QStringList texts;
    ButtonsOfNextDialog(texts);
    EXPECT_EQ(qtDialogs.Message("?", MessageKind::Confirmation, MessageButtons::YesNoCancel), MessageAnswer::Cancel);
    EXPECT_EQ(texts.size(), 3);
    ButtonsOfNextDialog(texts);
    EXPECT_EQ(qtDialogs.SelectFolder("", home.path().string()), "");
    EXPECT_GE(texts.size(), 5);
    for (const QString& text : texts) EXPECT_EQ(HasCyrillic(text), russian) << text.toStdString();

    // The developer menu's title and its exports (two are named alike in both languages).
    Control<QAction>("ShowMe1")->trigger();
    EXPECT_EQ(HasCyrillic(developer->title()), russian);
    for (QAction* item : developer->actions()) {
      if (!item->isSeparator() && item->objectName() != "AllowOpenCD" && item->objectName() != "WebAsyst") {
        EXPECT_EQ(HasCyrillic(item->text()), russian) << item->objectName().toStdString();
      }
    }
    // The music set window's pop-up menu, its developer items with the others.
    for (QAction* item : Control<QMenu>("MemPopupMenu")->actions()) {
      if (!item->isSeparator()) {
        EXPECT_EQ(HasCyrillic(item->text()), russian) << item->objectName().toStdString();
      }
    }
  }
  EXPECT_EQ(report->windowTitle(), "Track list report");
}

}  // namespace
}  // namespace trakvella::testing
