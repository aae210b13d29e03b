#pragma once
// DesktopPorts: every adapter the program reaches the desktop through, built once. The program start
// owns one and hands its ports to App; tests and benchmarks replace the ports they script.
#include <QDate>

#include "adapters/CurlFtpClient.h"
#include "adapters/CurlHttpClient.h"
#include "adapters/FreedesktopTrash.h"
#include "adapters/LibarchiveReader.h"
#include "adapters/PosixProcessLauncher.h"
#include "adapters/SndfilePeakDecoder.h"
#include "adapters/SysfsNetworkInterfaces.h"
#include "adapters/ZlibInflater.h"
#include "adapters/qt/QtDesktop.h"
#include "adapters/qt/QtDialogs.h"
#include "adapters/qt/QtMediaDevice.h"
#include "core/app/App.h"
#include "core/catalogue/Catalogue.h"
#include "ports/Random.h"
#include "ui/startup/StartForm.h"
#include "ui/wait/WaitForm.h"

namespace trakvella {

struct DesktopPorts {
  QtDialogs dialogs;
  QtClipboard clipboard;
  QtShell shell;
  StdRandom random;
  QtMediaDevice mediaDevice;
  CurlHttpClient http;
  // The subscription's download server, its RAR archives and the files it discards.
  CurlFtpClient ftp;
  LibarchiveReader archives;
  FreedesktopTrash trash;
  // The start window's connection test and the update's restart script.
  SysfsNetworkInterfaces networkInterfaces;
  PosixProcessLauncher launcher;
  // Gzip-compressed project files of the folder scan.
  ZlibInflater inflater;
  // The position bar's waveforms.
  SndfilePeakDecoder peaks;

  // Every dialog stands above the progress window, which stays on top of the
  // other windows: it steps aside while a dialog is up and comes back after.
  void KeepDialogsAbove(TWaitForm& waitForm) {
    dialogs.setAroundDialog([&waitForm](bool shown) { waitForm.StepAside(shown); });
  }

  AppPorts ports() {
    return AppPorts{&dialogs, &clipboard, &shell, &random,   &mediaDevice, &http,
                    &ftp,     &archives,  &trash, &inflater, nullptr,      &peaks};
  }
  // This month on the desktop's calendar: the date that decides which CDs are new.
  static YearMonth ThisMonth() {
    const QDate today = QDate::currentDate();
    return YearMonth{today.year(), today.month()};
  }
  // The start window's, over the program state (its dialogs, progress window,
  // downloader and shell, which a test may have replaced) and the adapters above.
  StartFormPorts startPorts(App& app) {
    return StartFormPorts{app.dialogs(),     app.progress(), app.downloader(), archives, launcher,
                          networkInterfaces, http,           app.shell()};
  }
};

}  // namespace trakvella
