#include "support/LoopbackServer.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <signal.h>
#include <thread>
#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>

namespace trakvella::testing {

namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  return address;
}

int ReadPort(const std::filesystem::path& file) {
  std::ifstream in(file);
  int port = 0;
  return in >> port ? port : 0;
}

}  // namespace

int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t size = sizeof address;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
    port = ntohs(address.sin_port);
  ::close(fd);
  return port;
}

bool AcceptsOnLoopback(int port) {
  if (port <= 0) return false;
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(port);
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return ok;
}

LoopbackServer LoopbackServer::ServeFolder(const std::filesystem::path& folder) {
  const int port = FreeLoopbackPort();
  return LoopbackServer(
      {"python3", "-m", "http.server", "--bind", "127.0.0.1", std::to_string(port), "--directory", folder.string()},
      port, {});
}

LoopbackServer LoopbackServer::RunScript(const std::filesystem::path& script) {
  const std::filesystem::path portFile = script.string() + ".port";
  return LoopbackServer({"python3", script.string(), portFile.string()}, 0, portFile);
}

LoopbackServer::LoopbackServer(std::vector<std::string> args, int port, std::filesystem::path portFile) : port_(port) {
  args.insert(args.begin(), {"timeout", "120"});
  pid_ = ::fork();
  if (pid_ == 0) {
    if (FILE* null = std::fopen("/dev/null", "w")) {
      ::dup2(fileno(null), 1);
      ::dup2(fileno(null), 2);
    }
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (std::chrono::steady_clock::now() < until) {
    if (port_ == 0 && !portFile.empty() && std::filesystem::exists(portFile)) port_ = ReadPort(portFile);
    if (AcceptsOnLoopback(port_)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

LoopbackServer::LoopbackServer(LoopbackServer&& other) noexcept : pid_(other.pid_), port_(other.port_) {
  other.pid_ = -1;
}

LoopbackServer::~LoopbackServer() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
}

bool LoopbackServer::Running() const { return pid_ > 0 && AcceptsOnLoopback(port_); }

std::string LoopbackServer::base() const { return "http://127.0.0.1:" + std::to_string(port_); }

}  // namespace trakvella::testing
