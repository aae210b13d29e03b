#pragma once
// TSignInForm: the sign-in window — the login and password of a subscription account, asked modally,
// borderless and above the other windows. The main window owns it; it owns only its controls.
#include <QDialog>
#include <optional>

#include "core/subscription/Subscription.h"
#include "core/subscription/SubscriptionView.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace trakvella {

class TSignInForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSignInForm(QWidget* parent = nullptr);
  ~TSignInForm() override;

  // Both fields pre-filled with the current account, the window shown modally;
  // the entered login and password, or nothing after Cancel.
  std::optional<Credentials> AskCredentials(const Credentials& current);

  // Both fields are filled in.
  bool PassLoginCorrect() const;

  // The handlers, as the controls call them.
  void SignInButClick();  // also Enter in passEdit
  void CancelButClick();
  void PassViewBtnClick();
  // Escape and closing the window count as Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FieldsChanged();

  SignInFields fields_;
  QLabel* SignInLbl_ = nullptr;
  QLineEdit* logEdit_ = nullptr;
  QLineEdit* passEdit_ = nullptr;
  QPushButton* SignInBut_ = nullptr;
  QPushButton* CancelBut_ = nullptr;
  QToolButton* PassViewBtn_ = nullptr;
};

}  // namespace trakvella
