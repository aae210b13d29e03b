// Trakvella: the desktop catalogue browser. Builds the adapters, then App over them and starts it (the
// server list, the catalogue's tables, the settings), then the windows in their order; applies the
// interface language, lets the start window check for an update and runs the main window.
#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "adapters/PosixFileSystem.h"
#include "core/app/App.h"
#include "core/catalogue/Catalogue.h"
#include "core/lang/Version.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/ServerConfig.h"
#include "core/text/FileIO.h"
#include "program/DesktopPorts.h"
#include "program/SignalCloser.h"
#include "ui/lang/LangCaptions.h"
#include "ui/lang/QtOwnDialogs.h"
#include "ui/main/MainForm.h"
#include "ui/startup/StartForm.h"
#include "ui/wait/WaitForm.h"

namespace {

using namespace trakvella;

// The program's name for Qt, and its icon; the desktop finds the program's entry and icon by the desktop
// name, and its windows carry the icon themselves.
void NameTheProgram() {
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  QGuiApplication::setDesktopFileName(QStringLiteral(TRAKVELLA_DESKTOP_ID));
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/%1x%1/" TRAKVELLA_DESKTOP_ID ".png").arg(size));
  QApplication::setWindowIcon(icon);
}

// "-local" as the first parameter starts offline; --home and --catalogue replace the program folder and
// the embedded catalogue; other parameters name set list files to open (the desktop opens a .rq2 file
// so). Returns the program folder: the program's own, or the user's data folder of an installed program.
ProgramFolderChoice ReadArguments(const QStringList& args, AppOptions& options) {
  options.today = &DesktopPorts::ThisMonth;
  std::optional<std::filesystem::path> home;
  options.localSwitch = args.size() > 1 && args[1] == "-local";
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--home" && i + 1 < args.size())
      home = args[++i].toStdString();
    else if (args[i] == "--catalogue" && i + 1 < args.size())
      options.catalogueFolder = args[++i].toStdString();
    else if (!args[i].startsWith('-'))
      options.setListFiles.push_back(std::filesystem::absolute(args[i].toStdString()));
  }
  ProgramFolderChoice place = ProgramFolderForThisRun(home, QCoreApplication::applicationDirPath().toStdString());
  options.programFolder = place.folder;
  return place;
}

// The start window's setup; an update it installs restarts this program file with the same arguments.
StartSetup StartSetupFor(App& app, const ProgramFolderChoice& place, const QStringList& args) {
  StartSetup setup;
  setup.programVersion = kFileVersion;
  setup.updatePageUrl = UpdatePageUrl(app.endpoints());
  setup.programFolder = place.folder;
  setup.programFile = QCoreApplication::applicationFilePath().toStdString();
  setup.installed = place.installed;
  for (int i = 1; i < args.size(); ++i) setup.restartArguments.push_back(args[i].toStdString());
  return setup;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace trakvella;
  QApplication qt(argc, argv);
  NameTheProgram();
  // Every file the program reads or writes goes through one file system.
  PosixFileSystem files;
  InstallFileSystem(&files);
  // Qt's own dialogs follow the interface language from the first caption on.
  QtOwnDialogs ownDialogs;

  const QStringList args = QCoreApplication::arguments();
  AppOptions options;
  const ProgramFolderChoice place = ReadArguments(args, options);

  // The adapters, once; the program's state over them, started; then the windows, once each, main
  // window first. What the start cannot read or make it reports as it goes, and the program goes on.
  DesktopPorts desktop;
  App app(options, desktop.ports());
  const AppStartReport started = app.Start();
  TMainForm mainForm(app, started);
  desktop.dialogs.setOwner(&mainForm);
  TWaitForm waitForm(&mainForm, app.language());
  waitForm.setObjectName("WaitForm");
  RegisterCaptionWindow("TWaitForm", &waitForm);
  mainForm.setWaitForm(&waitForm);
  desktop.KeepDialogsAbove(waitForm);

  // The start window.
  const StartSetup setup = StartSetupFor(app, place, args);
  TStartForm startForm(desktop.startPorts(app), app.language(), app.network(), setup, &mainForm);
  mainForm.setStartForm(&startForm);
  mainForm.ApplyCaptions();

  // A signal ends the program in order: an open start window stops its check
  // first; the main window closes as "Exit" does and keeps the settings.
  bool endedAtStart = false;
  SignalCloser closer(&mainForm, [&] {
    if (startForm.isVisible()) {
      startForm.EndProgram();
      if (!mainForm.isVisible()) {
        endedAtStart = true;
        return;
      }
    }
    mainForm.close();
  });

  // Unless offline, the start window checks the web site for an update first:
  // the main window follows only when it says so (an installed update has
  // started the restart script, which starts the program again).
  if (!app.IsOffline()) {
    desktop.dialogs.setOwner(&startForm);
    const bool mainWindowFollows = startForm.ShowAtStart();
    desktop.dialogs.setOwner(&mainForm);
    if (!mainWindowFollows) {
      if (endedAtStart) mainForm.close();
      UnregisterCaptionWindow(&waitForm);
      return 0;
    }
  }

  mainForm.show();
  mainForm.activateWindow();
  // A window manager that does not activate new windows still gets its library.
  QTimer::singleShot(300, &mainForm, [&mainForm] { mainForm.FirstActivation(); });
  const int code = qt.exec();
  UnregisterCaptionWindow(&waitForm);
  return code;
}
