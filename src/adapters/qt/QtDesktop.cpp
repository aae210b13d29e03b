#include "adapters/qt/QtDesktop.h"

#include <QClipboard>
#include <QDBusInterface>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

namespace trakvella {

void QtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string QtClipboard::Text() const { return QGuiApplication::clipboard()->text().toStdString(); }

bool QtShell::OpenUrl(const std::string& url) { return QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); }

bool QtShell::OpenFile(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtShell::RevealFile(const std::string& path) {
  // The desktop's file manager shows the file selected; without one, its folder opens.
  const QUrl file = QUrl::fromLocalFile(QString::fromStdString(path));
  QDBusInterface manager("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                         "org.freedesktop.FileManager1");
  if (manager.isValid()) {
    manager.call("ShowItems", QStringList{file.toString()}, QString());
    return true;
  }
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).absolutePath()));
}

bool QtShell::Run(const std::string& program, const std::vector<std::string>& arguments) {
  QStringList args;
  for (const auto& a : arguments) args << QString::fromStdString(a);
  return QProcess::startDetached(QString::fromStdString(program), args);
}

}  // namespace trakvella
