// The documents window and the passport as the user sees them: the marks of
// the fields, the pages deciding what is required, the quota presets and the
// preview toggle; the three documents made through the save dialogs and read
// back by unrtf; the window opening only when signed in; the passport of the
// main window's selected track.
#include "ui/documents/DocForm.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextTable>
#include <QTimer>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/documents/LicenceDocuments.h"
#include "core/lang/MessageTable.h"
#include "support/RtfReaders.h"
#include "ui/MainWindowFixture.h"
#include "ui/WindowOnScreen.h"
#include "ui/main/DocumentCommands.h"
#include "ui/subscription/SignInForm.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct DocumentsWindow : MainWindowTest {
  TDocForm* form = nullptr;
  void SetUp() override {
    MainWindowTest::SetUp();
    form = main->findChild<TDocForm*>("DocForm");
    ASSERT_NE(form, nullptr);
  }
  template <class T>
  T* In(const char* name) {
    T* control = form->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // Types the text into a field key by key (Cyrillic too, which QTest's key clicks do not know).
  void Type(const char* field, const QString& text) {
    QWidget* into = In<QWidget>(field);
    for (QChar ch : text)
      for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(into, &key);
      }
  }
  // The colour of a field's mark as a name.
  std::string Mark(const char* name) {
    const QColor c = In<QWidget>(name)->property("colour").value<QColor>();
    if (c.red() > 150 && c.green() > 150) return "yellow";
    if (c.red() > 150) return "red";
    if (c.green() > 150) return "green";
    return "?";
  }
  int Tag(const char* name) { return In<QWidget>(name)->property("Tag").toInt(); }
  void SignIn(std::vector<std::string> downloaded = {}) {
    Subscription* s = app().subscription();
    ASSERT_NE(s, nullptr);
    AccountState account = s->account();
    account.login = "demo-login";
    account.password = "secret";
    account.downloadedTracks = std::move(downloaded);
    s->SetAccount(std::move(account));
  }
  std::string Message(Msg m) { return LangMessage(app().language(), m); }
  bool Asked(Msg m) {
    for (const auto& shown : dialogs.shown)
      if (shown.text == Message(m)) return true;
    return false;
  }
  QString Preview(const char* name) { return In<QTextEdit>(name)->document()->toPlainText(); }
};

TEST_F(DocumentsWindow, MarksPagesPresetsAndPreviewsAsTheUserSeesThem) {
  form->show();
  // At the start: the initial texts are filled, the rest required, quota and price optional.
  EXPECT_EQ(Mark("fCEOBtn"), "green");
  EXPECT_EQ(Tag("fCEO"), kFilledTag);
  EXPECT_EQ(Mark("fLLCBtn"), "red");
  EXPECT_EQ(Tag("fLLC"), 0);
  EXPECT_EQ(Mark("fQuotaEditBtn"), "yellow");
  EXPECT_EQ(Mark("fShape1"), "red");
  EXPECT_EQ(Tag("fReq"), 1);  // a memo's tag names its indicator

  // Nothing filled in: the warning, and no question follows.
  In<QPushButton>("ViewDocBut")->click();
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().text, Message(Msg::FillRequiredFields));
  EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Warning);

  // The entrepreneur's page: its requisites are not asked for until the memo is touched.
  Type("fDogNumberEdit", "77-Д");
  EXPECT_EQ(Mark("fDogNumberEditBtn"), "green");
  In<QTabWidget>("PageControl1")->setCurrentIndex(1);
  Type("fIP", QString::fromUtf8("ИП Сидоров"));
  Type("fOGRNIP", "123");
  EXPECT_EQ(Tag("fShape2"), 1);
  dialogs.shown.clear();
  In<QPushButton>("ViewDocBut")->click();  // the source question is cancelled
  EXPECT_THAT(dialogs.Texts(), ElementsAre(Message(Msg::SelectDocumentSource)));
  EXPECT_TRUE(Preview("Dog").contains(QString::fromUtf8("ОГРНИП 123")));
  EXPECT_FALSE(Preview("Dog").contains("$$$"));
  EXPECT_TRUE(dialogs.fileDialogTitles.empty());  // "Сформировать" saves nothing
  Type("fReqIP", "x");
  QTest::keyClick(In<QPlainTextEdit>("fReqIP"), Qt::Key_Backspace);
  EXPECT_EQ(Tag("fShape2"), 0);
  EXPECT_EQ(Mark("fShape2"), "red");
  In<QPushButton>("ViewDocBut")->click();
  EXPECT_EQ(dialogs.shown.back().text, Message(Msg::FillRequiredFields));

  // Back on the legal entity's page its own empty fields block the documents again.
  In<QTabWidget>("PageControl1")->setCurrentIndex(0);
  dialogs.shown.clear();
  In<QPushButton>("ViewDocBut")->click();
  EXPECT_THAT(dialogs.Texts(), ElementsAre(Message(Msg::FillRequiredFields)));

  // A quota preset fills the quota.
  In<QMenu>("PodQuotas")->findChild<QAction*>("N3")->trigger();
  EXPECT_EQ(In<QLineEdit>("fQuotaEdit")->text(), "25");
  EXPECT_EQ(Mark("fQuotaEditBtn"), "green");

  // The preview toggle widens the window to show the three documents (as far as the
  // screen has room) and narrows it back.
  In<QToolButton>("OptButton")->click();
  EXPECT_GT(form->width(), TDocForm::kNarrowWidth);
  EXPECT_TRUE(ScreenRoom(form).contains(form->frameGeometry()));
  EXPECT_TRUE(In<QTextEdit>("DogPril")->isVisible());
  In<QToolButton>("OptButton")->click();
  EXPECT_EQ(form->width(), TDocForm::kNarrowWidth);
  EXPECT_FALSE(In<QTextEdit>("DogPril")->isVisible());
  form->hide();

  // The window follows the interface language, its page tabs included.
  main->Item("Lang0")->trigger();
  EXPECT_EQ(form->windowTitle(), "Subscription's license");
  EXPECT_EQ(In<QPushButton>("MakeDocBut")->text(), "Get Contract");
  EXPECT_EQ(In<QTabWidget>("PageControl1")->tabText(1), "Individual entrepreneur");
}

TEST_F(DocumentsWindow, MakesTheThreeDocumentsThroughTheSaveDialogs) {
  SignIn({"KMLB_012_002", "KMLB_003_005", "KMLB_999_999"});
  form->show();
  Type("fDogNumberEdit", QString::fromUtf8("77-Д"));
  Type("fLLC", QString::fromUtf8("ООО «Ромашка»"));
  Type("fFIOCEO", QString::fromUtf8("Иванов Иван Иванович"));
  Type("fReq", QString::fromUtf8("ИНН 7712345678"));
  Type("fPriceEdit", "5000");
  Type("fQuotaEdit", "25");

  dialogs.choices = {0};  // the subscription's downloaded tracks
  // While the source is asked, the previews hold the filled documents, not the templates' fields.
  QString previewsWhileAsked;
  dialogs.whileChoosing = [&] { previewsWhileAsked = Preview("Dog") + Preview("DogPril") + Preview("PrList"); };
  const auto dog = home.path() / "contract.rtf", pril = home.path() / "appendix.rtf", act = home.path() / "act.rtf";
  dialogs.fileNames = {(home.path() / "contract").string(), pril.string(), (home.path() / "act").string()};
  In<QPushButton>("MakeDocBut")->click();
  form->hide();

  EXPECT_TRUE(previewsWhileAsked.contains(QString::fromUtf8("ООО «Ромашка»")));
  EXPECT_FALSE(previewsWhileAsked.contains("$$$"));
  const std::string title = SaveRtfTitle(app().language());
  EXPECT_THAT(dialogs.fileDialogTitles, ElementsAre(title, title, title));
  EXPECT_THAT(dialogs.fileDialogInitialPaths, ElementsAre("77-Д.rtf", (home.path() / "77-Д_pril.rtf").string(),
                                                          (home.path() / "77-Д_akt.rtf").string()));

  EXPECT_THAT(UnrtfText(dog), HasSubstr("5000 ( Пять тысяч ) рублей"));
  EXPECT_THAT(UnrtfText(dog), HasSubstr("ООО «Ромашка», Генеральный директор Иванов Иван Иванович"));
  const std::string appendix = UnrtfText(pril);
  EXPECT_THAT(appendix, HasSubstr("25 (двадцать пять )"));
  EXPECT_THAT(appendix, HasSubstr("demo-login"));
  std::string table = UnrtfText(act);
  std::erase(table, '\t');
  EXPECT_TRUE(InOrder(table, {"1", "KMLB_003_005", "2", "KMLB_012_002"})) << table;
  EXPECT_THAT(table, ::testing::Not(HasSubstr("KMLB_999_999")));

  // The act's preview shows the track table as a table: the header and two tracks.
  QTextTable* shown = nullptr;
  for (QTextFrame* frame : In<QTextEdit>("PrList")->document()->rootFrame()->childFrames())
    if (auto* t = qobject_cast<QTextTable*>(frame); t && t->columns() == 6) shown = t;
  ASSERT_NE(shown, nullptr);
  ASSERT_EQ(shown->rows(), 3);
  auto cell = [shown](int r, int c) {
    QTextCursor from = shown->cellAt(r, c).firstCursorPosition();
    from.setPosition(shown->cellAt(r, c).lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return from.selectedText();
  };
  EXPECT_EQ(cell(0, 2), QString::fromUtf8("Код"));
  EXPECT_EQ(cell(1, 2), "KMLB_003_005");
  EXPECT_EQ(cell(2, 0), "2");

  // A document that cannot be written is named in an error box; the others are still offered.
  dialogs.shown.clear();
  dialogs.choices = {0};
  const auto lost = home.path() / "missing" / "contract.rtf";
  dialogs.fileNames = {lost.string(), "", ""};
  In<QPushButton>("MakeDocBut")->click();
  EXPECT_EQ(dialogs.fileDialogTitles.size(), 6u);
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().text, lost.string());
  EXPECT_EQ(dialogs.shown.back().kind, MessageKind::Error);
}

TEST_F(DocumentsWindow, OpensOnlyForASignedInAccount) {
  QAction* item = main->Item("PodDocItem");
  emit main->SubMenu("MMPodItem")->aboutToShow();
  EXPECT_FALSE(item->isEnabled());
  EXPECT_FALSE(main->Item("MMPodDocItem")->isEnabled());
  // Reached anyway: the sign-in window asks first; after its Cancel, the warning and no window.
  auto* signIn = main->findChild<TSignInForm*>("SignInForm");
  ASSERT_NE(signIn, nullptr);
  QTimer::singleShot(0, signIn, [signIn] { signIn->findChild<QPushButton*>("CancelBut")->click(); });
  main->findChild<DocumentCommands*>()->PodDocItemClick();
  EXPECT_THAT(dialogs.Texts(), ElementsAre(Message(Msg::PleaseSignIn)));
  EXPECT_FALSE(form->isVisible());

  SignIn();
  emit main->SubMenu("PodpItem")->aboutToShow();
  EXPECT_TRUE(item->isEnabled());
  bool shownModally = false;
  QTimer::singleShot(0, form, [&] {
    shownModally = form->isVisible() && form->isModal();
    In<QPushButton>("CancelBut")->click();
  });
  main->Item("MMPodDocItem")->trigger();
  EXPECT_TRUE(shownModally);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(DocumentsWindow, PassportOfTheSelectedTrack) {
  auto* button = Control<QToolButton>("TrPassportBut");
  EXPECT_FALSE(button->isEnabled());  // no track row yet
  app().browser().GoToPlace(std::string(kAllCdsPath));
  main->Refresh();
  const TrackRecord* track = app().browser().SelectedTrack();
  ASSERT_NE(track, nullptr);
  EXPECT_TRUE(button->isEnabled());
  emit Control<QMenu>("TrPopupMenu")->aboutToShow();
  EXPECT_TRUE(main->Item("PassportItem")->isEnabled());

  const auto file = home.path() / "passport.rtf";
  dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  dialogs.fileNames = {(home.path() / "passport").string()};
  button->click();
  EXPECT_THAT(dialogs.Texts(), ElementsAre(Message(Msg::SavePassport), Message(Msg::PassportSaved)));
  EXPECT_THAT(shell.files, ElementsAre(file.string()));
  EXPECT_TRUE(InOrder(UnrtfText(file), {track->title + " (" + track->code + ")", track->duration})) << UnrtfText(file);

  // A file that cannot be written is reported, and nothing is opened.
  dialogs.shown.clear();
  dialogs.answers = {MessageAnswer::Yes};
  dialogs.fileNames = {(home.path() / "missing" / "passport").string()};
  main->Item("MMPassportItem")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, Message(Msg::PassportSaveError));
  EXPECT_EQ(dialogs.shown[1].kind, MessageKind::Error);
  EXPECT_EQ(shell.files.size(), 1u);
}

}  // namespace
}  // namespace trakvella::testing
