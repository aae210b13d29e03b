// Trakvella: the desktop catalogue browser. Creates the windows in their order,
// reads the settings, applies the interface language and runs the main window.
#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "ui/lang/LangCaptions.h"
#include "core/lang/Version.h"
#include "ui/main/MainForm.h"
#include "ui/wait/WaitForm.h"
#include "program/DesktopPorts.h"
#include "program/SignalCloser.h"

int main(int argc, char** argv) {
  using namespace trakvella;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));

  // "-local" as the first parameter starts offline; --home and --catalogue
  // replace the program folder and the embedded catalogue.
  MainFormOptions options;
  options.programFolder = QCoreApplication::applicationDirPath().toStdString();
  const QStringList args = QCoreApplication::arguments();
  options.localSwitch = args.size() > 1 && args[1] == "-local";
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--home" && i + 1 < args.size()) options.programFolder = args[++i].toStdString();
    else if (args[i] == "--catalogue" && i + 1 < args.size()) options.catalogueFolder = args[++i].toStdString();
  }

  // The adapters, once; then the windows, once each, main window first.
  DesktopPorts desktop;
  TMainForm mainForm(options, desktop.ports());
  desktop.dialogs.setOwner(&mainForm);
  TWaitForm waitForm(&mainForm, [&mainForm] { return mainForm.Language(); });
  waitForm.setObjectName("WaitForm");
  RegisterCaptionWindow("TWaitForm", &waitForm);
  mainForm.setWaitForm(&waitForm);

  mainForm.ReadAndApplySettings();
  mainForm.ApplyCaptions();

  SignalCloser closer(&mainForm);
  mainForm.show();
  mainForm.activateWindow();
  // A window manager that does not activate new windows still gets its library.
  QTimer::singleShot(300, &mainForm, [&mainForm] {
    mainForm.FirstActivation();
  });
  const int code = app.exec();
  UnregisterCaptionWindow(&waitForm);
  return code;
}
