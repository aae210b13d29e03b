// The window tests run in one QApplication on the offscreen platform, whose one screen is
// 1280 x 1024 (as a common desktop; Qt's own default of 800 x 600 is smaller than the main window).
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::string config;
  if (std::string(getenv("QT_QPA_PLATFORM")) == "offscreen") {
    config = "/tmp/trakvella-offscreen-" + std::to_string(getpid()) + ".json";
    if (FILE* f = std::fopen(config.c_str(), "w")) {
      std::fputs(R"({"screens": [{"name": "offscreen", "x": 0, "y": 0, "width": 1280, "height": 1024,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})",
                 f);
      std::fclose(f);
      setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    }
  }
  QApplication app(argc, argv);
  if (!config.empty()) std::remove(config.c_str());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
