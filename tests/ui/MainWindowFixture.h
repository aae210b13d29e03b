#pragma once
// The main window over a fresh program folder with scripted ports, shown and with its library
// loaded: the starting point of the main window's tests, which find its controls by name.
#include <QLabel>
#include <QListView>
#include <memory>

#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/musicset/MusicSet.h"
#include "core/player/Player.h"
#include "ports/MediaDevice.h"
#include "program/DesktopPorts.h"
#include "support/Fakes.h"
#include "ui/main/MainForm.h"

namespace trakvella::testing {

struct MainWindowTest : ::testing::Test {
  TempDir home;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeShell shell;
  StdRandom random{3};
  DesktopPorts desktop;
  std::unique_ptr<App> program;
  std::unique_ptr<TMainForm> main;
  // A waveform decoder of the test's own; the real one when none is given.
  AudioPeakDecoder* peakDecoder = nullptr;

  // A media device of the test's own; the real one when none is given.
  void Start(MediaDevice* device = nullptr) {
    AppOptions o;
    o.programFolder = home.path();
    o.today = [] { return YearMonth{2026, 12}; };
    AppPorts ports = desktop.ports();
    ports.dialogs = &dialogs;
    ports.clipboard = &clipboard;
    ports.shell = &shell;
    ports.random = &random;
    if (device) ports.mediaDevice = device;
    if (peakDecoder) ports.peaks = peakDecoder;
    main.reset();
    program = std::make_unique<App>(o, ports);
    main = std::make_unique<TMainForm>(*program, program->Start());
    main->resize(1100, 800);
    main->show();
    main->FirstActivation();
  }
  void SetUp() override { Start(); }
  void TearDown() override {
    main.reset();
    program.reset();
  }

  App& app() { return *program; }
  template <class T>
  T* Control(const QString& name) {
    T* control = main->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
  }
  QListView* FileBox() { return Control<QListView>("FileBox"); }
  QListView* CDCatBox() { return Control<QListView>("CDCatBox"); }
  QString StatusField(int index) { return Control<QLabel>(QStringLiteral("StatusField%1").arg(index))->text(); }
};

}  // namespace trakvella::testing
