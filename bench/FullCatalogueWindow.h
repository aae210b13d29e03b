#pragma once
// FullCatalogueWindow: App, started, and the main window with its progress window over a freshly generated
// full-size catalogue in a temporary program folder, shown offscreen with its library loaded; removed at its end.
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "BenchSupport.h"
#include "core/app/App.h"
#include "program/DesktopPorts.h"
#include "ui/main/MainForm.h"
#include "ui/wait/WaitForm.h"

namespace trakvella::bench {

struct FullCatalogueWindow {
  std::filesystem::path root;
  DesktopPorts desktop;
  NoDialogs dialogs;
  std::unique_ptr<App> app;
  std::unique_ptr<TMainForm> main;
  const Language english = Language::English;  // the progress window's
  std::unique_ptr<TWaitForm> wait;

  explicit FullCatalogueWindow(const std::string& name)
      : root(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(root / "home");
    Generate("--out '" + (root / "catalogue").string() + "'");
    AppOptions o;
    o.programFolder = root / "home";
    o.catalogueFolder = root / "catalogue";
    o.today = &DesktopPorts::ThisMonth;
    AppPorts ports = desktop.ports();
    ports.dialogs = &dialogs;
    app = std::make_unique<App>(o, ports);
    main = std::make_unique<TMainForm>(*app, app->Start());
    wait = std::make_unique<TWaitForm>(main.get(), english);
    main->setWaitForm(wait.get());
    main->resize(1200, 900);
    main->show();
    main->FirstActivation();
  }
  ~FullCatalogueWindow() {
    wait.reset();
    main.reset();
    app.reset();
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
};

}  // namespace trakvella::bench
