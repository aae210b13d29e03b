// The window tests that need a real X server: they run on a private Xvfb with a 1280 x 1024 screen,
// started here and ended with the run. Where no X server can be started they skip.
#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include "x11/XServer.h"

namespace trakvella::testing {

bool XServerRunning() { return XServerDisplay() != nullptr; }

const char*& XServerDisplayText() {
  static const char* display = nullptr;
  return display;
}
const char* XServerDisplay() { return XServerDisplayText(); }

namespace {

// Starts Xvfb on a display it chooses itself (-displayfd); the display's name, or
// an empty text when Xvfb is missing or did not come up within ten seconds.
std::string StartXvfb(pid_t& pid) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  pid = fork();
  if (pid < 0) return {};
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives the tests
    close(fds[0]);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
    }
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  while (poll(&p, 1, 10000) > 0) {
    char c = 0;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(fds[0]);
  if (number.empty()) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
    return {};
  }
  return ":" + number;
}

}  // namespace
}  // namespace trakvella::testing

int main(int argc, char** argv) {
  using namespace trakvella::testing;
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing |= std::strncmp(argv[i], "--gtest_list_tests", 18) == 0;
  pid_t xvfb = -1;
  static std::string display;
  if (!listing) display = StartXvfb(xvfb);
  if (!display.empty()) {
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    XServerDisplayText() = display.c_str();
  } else {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  int code = 0;
  {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    code = RUN_ALL_TESTS();
  }
  if (xvfb > 0) {
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
  }
  return code;
}
