#include "adapters/qt/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace trakvella {

namespace {
QString Q(const std::string& text) {
  // A CR inside a message is a line break.
  return QString::fromStdString(text).replace(QChar('\r'), QChar('\n'));
}
}  // namespace

MessageAnswer QtDialogs::Message(const std::string& text, MessageKind kind, MessageButtons buttons) {
  QMessageBox box(owner_);
  box.setWindowTitle(QApplication::applicationName());
  box.setText(Q(text));
  switch (kind) {
    case MessageKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
    case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
    case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageKind::Confirmation: box.setIcon(QMessageBox::Question); break;
  }
  switch (buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
  }
}

std::optional<std::string> QtDialogs::Input(const std::string& caption, const std::string& prompt,
                                            const std::string& initial) {
  bool ok = false;
  QString text = QInputDialog::getText(owner_, Q(caption), Q(prompt), QLineEdit::Normal, Q(initial), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

std::string QtDialogs::SelectFolder(const std::string& title, const std::string& initialFolder) {
  QString folder = QFileDialog::getExistingDirectory(owner_, Q(title), Q(initialFolder),
                                                     QFileDialog::ShowDirsOnly);
  return folder.toStdString();
}

}  // namespace trakvella
