#include "adapters/qt/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace trakvella {

// While a dialog is up: tells the window that steps aside, and tells it again
// when the dialog has closed, however the call ends.
class QtDialogs::Showing {
 public:
  explicit Showing(const std::function<void(bool)>& around) : around_(around) {
    if (around_) around_(true);
  }
  ~Showing() {
    if (around_) around_(false);
  }
  Showing(const Showing&) = delete;
  Showing& operator=(const Showing&) = delete;

 private:
  const std::function<void(bool)>& around_;
};

namespace {
// A dialog's text: a CR inside a message is a line break.
QString DialogText(const std::string& text) { return QString::fromStdString(text).replace(QChar('\r'), QChar('\n')); }
}  // namespace

MessageAnswer QtDialogs::Message(const std::string& text, MessageKind kind, MessageButtons buttons) {
  const Showing showing(aroundDialog_);
  QMessageBox box(owner_);
  box.setWindowTitle(QApplication::applicationName());
  box.setText(DialogText(text));
  switch (kind) {
    case MessageKind::Plain:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MessageKind::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageKind::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageKind::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case MessageKind::Confirmation:
      box.setIcon(QMessageBox::Question);
      break;
  }
  switch (buttons) {
    case MessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MessageButtons::YesNoCancel:
    case MessageButtons::YesNoCancelDefaultNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case MessageButtons::YesNoDefaultNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
  }
  // Enter presses the default button: never Yes where Yes destroys data.
  if (DefaultAnswer(buttons) == MessageAnswer::No) box.setDefaultButton(QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    default:
      return MessageAnswer::Ok;
  }
}

std::optional<std::string> QtDialogs::Input(const std::string& caption, const std::string& prompt,
                                            const std::string& initial) {
  const Showing showing(aroundDialog_);
  bool ok = false;
  QString text = QInputDialog::getText(owner_, DialogText(caption), DialogText(prompt), QLineEdit::Normal,
                                       DialogText(initial), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

std::string QtDialogs::SelectFolder(const std::string& title, const std::string& initialFolder) {
  const Showing showing(aroundDialog_);
  QString folder = QFileDialog::getExistingDirectory(owner_, DialogText(title), DialogText(initialFolder),
                                                     QFileDialog::ShowDirsOnly);
  return folder.toStdString();
}

namespace {
// "Description|*.ext|Other|*.x" as Qt writes it: "Description (*.ext);;Other (*.x)".
QString QtFilter(const std::string& filter) {
  const QStringList parts = DialogText(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(';', ' ');
    if (!description.contains('(')) description += " (" + patterns + ")";
    out << description;
  }
  return out.join(";;");
}
}  // namespace

std::string QtDialogs::SaveFileName(const std::string& title, const std::string& filter,
                                    const std::string& initialPath) {
  const Showing showing(aroundDialog_);
  return QFileDialog::getSaveFileName(owner_, DialogText(title), DialogText(initialPath), QtFilter(filter))
      .toStdString();
}

std::string QtDialogs::OpenFileName(const std::string& title, const std::string& filter,
                                    const std::string& initialPath) {
  const Showing showing(aroundDialog_);
  return QFileDialog::getOpenFileName(owner_, DialogText(title), DialogText(initialPath), QtFilter(filter))
      .toStdString();
}

int QtDialogs::Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons) {
  const Showing showing(aroundDialog_);
  QMessageBox box(QMessageBox::Question, DialogText(caption), DialogText(text), QMessageBox::NoButton, owner_);
  std::vector<QAbstractButton*> added;
  for (const auto& label : buttons) added.push_back(box.addButton(DialogText(label), QMessageBox::AcceptRole));
  // Escape and the window's close answer none of the buttons.
  QPushButton* none = box.addButton(QString(), QMessageBox::RejectRole);
  none->hide();
  box.setEscapeButton(none);
  box.exec();
  for (size_t i = 0; i < added.size(); ++i)
    if (box.clickedButton() == added[i]) return static_cast<int>(i);
  return -1;
}

}  // namespace trakvella
