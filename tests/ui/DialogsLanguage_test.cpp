// Qt's own dialogs and the English interface: the message boxes' buttons and the file and folder
// dialogs in the interface language, and the report window's caption and the developer menu in
// English. Their sizes on a real X server are tested in x11/DialogsX_test.cpp.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

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

// Runs `check` on the modal dialog the call opens, then closes it.
void OnModal(const std::function<void(QWidget*)>& check) {
  QTimer::singleShot(0, [check] {
    QWidget* dialog = nullptr;
    for (int i = 0; i < 100 && !(dialog = QApplication::activeModalWidget()); ++i) QTest::qWait(20);
    ASSERT_NE(dialog, nullptr);
    check(dialog);
    dialog->close();
  });
}

struct DialogsInTheLanguage : MainWindowTest {
  QtOwnDialogs own;  // as the program start has it

  void SetUp() override {
    // Qt's dialogs keep their state in the user's settings: a fresh place.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(home.path().string()));
    MainWindowTest::SetUp();
  }
  const char* languages[2] = {"Lang1", "Lang0"};

  void Switch(const char* language) {
    main->Item(language)->trigger();
    QCoreApplication::processEvents();
  }
  bool Russian() { return app().language() == kRussian; }
};

TEST_F(DialogsInTheLanguage, MessageBoxButtonsAndFileDialogsSpeakTheInterfaceLanguage) {
  ASSERT_TRUE(QFileInfo::exists(QtOwnDialogs::TranslationsFolder() + "/qtbase_ru.qm"))
      << "Qt's translations are missing (Debian: qt6-translations-l10n)";
  QtDialogs dialogs(main.get());
  for (const char* language : languages) {
    SCOPED_TRACE(language);
    Switch(language);
    EXPECT_EQ(own.russianInstalled(), Russian());
    QStringList buttons;
    OnModal([&](QWidget* box) {
      for (QAbstractButton* b : static_cast<QMessageBox*>(box)->buttons()) buttons << b->text();
    });
    EXPECT_EQ(dialogs.Message("?", MessageKind::Confirmation, MessageButtons::YesNoCancel), MessageAnswer::Cancel);
    ASSERT_EQ(buttons.size(), 3);
    for (const QString& text : buttons) EXPECT_EQ(HasCyrillic(text), Russian()) << text.toStdString();

    // The folder dialog: its buttons and its columns' headings.
    QStringList texts;
    OnModal([&](QWidget* dialog) {
      for (QPushButton* b : dialog->findChildren<QPushButton*>()) texts << b->text();
      if (auto* view = dialog->findChild<QTreeView*>("treeView"))
        texts << view->model()->headerData(0, Qt::Horizontal).toString();
    });
    EXPECT_EQ(dialogs.SelectFolder("", home.path().string()), "");
    ASSERT_GE(texts.size(), 3);
    for (const QString& text : texts) EXPECT_EQ(HasCyrillic(text), Russian()) << text.toStdString();
  }
}

TEST_F(DialogsInTheLanguage, TheEnglishInterfaceShowsTheReportCaptionAndTheDeveloperMenuInEnglish) {
  auto* report = main->findChild<TRepForm*>();
  ASSERT_NE(report, nullptr);
  auto* developer = Control<QMenu>("DevMenu");
  auto* showMe = Control<QAction>("ShowMe1");
  for (const char* language : languages) {
    SCOPED_TRACE(language);
    Switch(language);
    showMe->trigger();
    EXPECT_EQ(HasCyrillic(report->windowTitle()), Russian());
    EXPECT_EQ(HasCyrillic(developer->title()), Russian());
    EXPECT_EQ(HasCyrillic(showMe->text()), Russian());
    int exports = 0;
    for (QAction* item : developer->actions()) {
      if (item->isSeparator() || item->objectName() == "AllowOpenCD" || item->objectName() == "WebAsyst") continue;
      EXPECT_EQ(HasCyrillic(item->text()), Russian()) << item->objectName().toStdString();
      ++exports;
    }
    EXPECT_EQ(exports, 12);
  }
  EXPECT_EQ(report->windowTitle(), "Track list report");
}

}  // namespace
}  // namespace trakvella::testing
