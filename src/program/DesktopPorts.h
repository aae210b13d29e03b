#pragma once
// DesktopPorts: every adapter the windows reach the desktop through, built once. The program start
// owns one and hands its ports to the main window; tests and benchmarks replace the ports they script.
#include "adapters/CurlFtpClient.h"
#include "adapters/CurlHttpClient.h"
#include "adapters/FreedesktopTrash.h"
#include "adapters/LibarchiveReader.h"
#include "adapters/qt/QtDesktop.h"
#include "adapters/qt/QtDialogs.h"
#include "adapters/qt/QtMediaDevice.h"
#include "ports/Random.h"
#include "ui/main/MainForm.h"

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

  MainFormPorts ports() {
    return MainFormPorts{&dialogs, &clipboard, &shell, &random, &mediaDevice, &http, &ftp, &archives, &trash};
  }
};

}  // namespace trakvella
