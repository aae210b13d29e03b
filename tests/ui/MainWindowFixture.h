#pragma once
// The main window over a fresh program folder with scripted ports, shown and
// with its library loaded: the starting point of the main window's tests.
#include <gtest/gtest.h>

#include <memory>

#include "program/DesktopPorts.h"
#include "ui/main/MainForm.h"
#include "ports/MediaDevice.h"
#include "support/Fakes.h"

namespace trakvella::testing {

struct MainWindowTest : ::testing::Test {
  TempDir home;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeShell shell;
  StdRandom random{3};
  DesktopPorts desktop;
  std::unique_ptr<TMainForm> main;

  // A media device of the test's own; the real one when none is given.
  void Start(MediaDevice* device = nullptr) {
    MainFormOptions o;
    o.programFolder = home.path();
    o.today = [] { return YearMonth{2026, 12}; };
    MainFormPorts ports = desktop.ports();
    ports.dialogs = &dialogs;
    ports.clipboard = &clipboard;
    ports.shell = &shell;
    ports.random = &random;
    if (device) ports.mediaDevice = device;
    main = std::make_unique<TMainForm>(o, ports);
    main->resize(1100, 800);
    main->show();
    main->FirstActivation();
  }
  void SetUp() override { Start(); }
  void TearDown() override { main.reset(); }
};

}  // namespace trakvella::testing
