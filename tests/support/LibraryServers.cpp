// LibraryServers: the script as a child process, and the loopback HTTP client.
#include "support/LibraryServers.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/wait.h>

#include "core/text/Text.h"

namespace trakvella::testing {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> SplitBlanks(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Waits up to `timeout` for the child to end; true when it was reaped.
bool ReapWithin(pid_t pid, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno == ECHILD)) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace

LibraryServers::LibraryServers(const std::filesystem::path& home, const std::string& extraArgs) {
  // Debian's python3 carries pyftpdlib; another one first on the PATH may not.
  const bool systemPython = access("/usr/bin/python3", X_OK) == 0;
  std::vector<std::string> args = {systemPython ? "/usr/bin/python3" : "python3",
                                   std::string(TRAKVELLA_SOURCE_DIR) + "/tools/library_servers.py", "--home",
                                   home.string()};
  // A test that hangs must not leave the servers running for ever.
  if (extraArgs.find("--max-seconds") == std::string::npos) {
    args.insert(args.end(), {"--max-seconds", "900"});
  }
  for (std::string& word : SplitBlanks(extraArgs)) args.push_back(std::move(word));

  // Everything the child needs is prepared before fork: the test process may have
  // other threads, so the child only calls dup2 and exec.
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("library servers: pipe failed");
  pid_ = fork();
  if (pid_ < 0) {
    close(pipeFds[0]);
    close(pipeFds[1]);
    throw std::runtime_error("library servers: fork failed");
  }
  if (pid_ == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);  // dup2 clears close-on-exec on the copy
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  output_ = pipeFds[0];

  // Read "key=value" lines until "ready".
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  std::string pending, seen;
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      Stop();
      throw std::runtime_error("library servers not ready within 20 s; output: " + seen);
    }
    pollfd p{output_, POLLIN, 0};
    int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    char buffer[512];
    ssize_t n = read(output_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      Stop();
      throw std::runtime_error("library servers ended before ready; output: " + seen);
    }
    pending.append(buffer, static_cast<size_t>(n));
    seen.append(buffer, static_cast<size_t>(n));
    for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
      std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (line == "ready") return;
      size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      std::string key = line.substr(0, eq), value = line.substr(eq + 1);
      if (key == "demo1") demo1 = value;
      if (key == "demo2") demo2 = value;
      if (key == "web") web = value;
      if (key == "servers_ini") serversIni = value;
      if (key == "ftp") {
        ftp = value;
        const size_t colon = value.rfind(':');
        if (colon != std::string::npos) ftpPort = std::atoi(value.c_str() + colon + 1);
      }
      if (key == "ftp_login") ftpLogin = value;
      if (key == "ftp_password") ftpPassword = value;
    }
  }
}

LibraryServers::~LibraryServers() { Stop(); }

void LibraryServers::Stop() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    if (!ReapWithin(pid_, std::chrono::seconds(5))) {
      kill(pid_, SIGKILL);
      ReapWithin(pid_, std::chrono::seconds(5));
    }
    pid_ = -1;
  }
  if (output_ >= 0) {
    close(output_);
    output_ = -1;
  }
}

HttpResponseForTest HttpRequestForTest(const std::string& method, const std::string& url,
                                       const std::vector<std::string>& headers) {
  constexpr std::string_view kScheme = "http://";
  if (url.rfind(kScheme, 0) != 0) throw std::invalid_argument("not an http URL: " + url);
  std::string rest = url.substr(kScheme.size());
  size_t slash = rest.find('/');
  std::string hostPort = rest.substr(0, slash);
  std::string path = slash == std::string::npos ? "/" : rest.substr(slash);
  size_t colon = hostPort.find(':');
  std::string host = hostPort.substr(0, colon);
  int port = colon == std::string::npos ? 80 : std::stoi(hostPort.substr(colon + 1));
  if (host != "127.0.0.1" && host != "localhost") {
    throw std::invalid_argument("tests talk to loopback only: " + url);
  }
  if (size_t hash = path.find('#'); hash != std::string::npos) path.resize(hash);

  HttpResponseForTest response;
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return response;
  timeval timeout{30, 0};  // the first request of a track waits for the encoder
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return response;
  }

  std::string request = method + " " + path + " HTTP/1.0\r\nHost: " + hostPort + "\r\n";
  for (const std::string& h : headers) request += h + "\r\n";
  request += "Connection: close\r\n\r\n";
  for (size_t sent = 0; sent < request.size();) {
    ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      close(fd);
      return response;
    }
    sent += static_cast<size_t>(n);
  }
  std::string raw;
  char buffer[8192];
  for (;;) {
    ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    raw.append(buffer, static_cast<size_t>(n));
  }
  close(fd);

  size_t headerEnd = raw.find("\r\n\r\n");
  if (raw.rfind("HTTP/", 0) != 0 || headerEnd == std::string::npos) return response;
  std::istringstream head(raw.substr(0, headerEnd));
  std::string statusLine;
  std::getline(head, statusLine);
  size_t blank = statusLine.find(' ');
  if (blank == std::string::npos) return response;
  response.status = std::atoi(statusLine.c_str() + blank + 1);
  for (std::string line; std::getline(head, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t c = line.find(':');
    if (c == std::string::npos) continue;
    size_t valueStart = line.find_first_not_of(' ', c + 1);
    response.headers[LowerCase(line.substr(0, c))] = valueStart == std::string::npos ? "" : line.substr(valueStart);
  }
  response.body = raw.substr(headerEnd + 4);
  return response;
}

std::string HttpGetForTest(const std::string& url, int* status) {
  HttpResponseForTest response = HttpRequestForTest("GET", url);
  if (status) *status = response.status;
  return std::move(response.body);
}

}  // namespace trakvella::testing
