#include "program/SignalCloser.h"

#include <signal.h>
#include <unistd.h>

#include <sys/socket.h>

namespace trakvella {

namespace {
int g_pipe[2] = {-1, -1};

void OnSignal(int) {
  char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(g_pipe[1], &byte, 1);
}
}  // namespace

SignalCloser::SignalCloser(QObject* parent, std::function<void()> onSignal)
    : QObject(parent), onSignal_(std::move(onSignal)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) return;
  notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte;
    [[maybe_unused]] ssize_t n = ::read(g_pipe[0], &byte, 1);
    if (onSignal_) onSignal_();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

SignalCloser::~SignalCloser() {
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
  if (g_pipe[0] >= 0) ::close(g_pipe[0]);
  if (g_pipe[1] >= 0) ::close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
}

}  // namespace trakvella
