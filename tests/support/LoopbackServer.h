#pragma once
// LoopbackServer: a python3 HTTP server on 127.0.0.1 for the lifetime of the object
// (python's http.server over a folder, or a script of the test's own); the object owns the process.
#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace trakvella::testing {

// A loopback port nothing listens on just now.
int FreeLoopbackPort();
// Whether something accepts connections on the loopback port.
bool AcceptsOnLoopback(int port);

class LoopbackServer {
 public:
  // Serves folder with "python3 -m http.server" on a free port.
  static LoopbackServer ServeFolder(const std::filesystem::path& folder);
  // Runs "python3 script PORTFILE": the script listens on a loopback port of its
  // choice and writes the port's number into PORTFILE (a temporary name renamed to it).
  static LoopbackServer RunScript(const std::filesystem::path& script);

  // Stops the server and reaps it; a server lives two minutes at most in any case.
  ~LoopbackServer();
  LoopbackServer(LoopbackServer&& other) noexcept;
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;
  LoopbackServer& operator=(LoopbackServer&&) = delete;

  // Whether it answered within 15 seconds of its start and still accepts.
  bool Running() const;
  int port() const { return port_; }
  // "http://127.0.0.1:PORT", and with "/" + path.
  std::string base() const;
  std::string Url(const std::string& path) const { return base() + "/" + path; }

 private:
  LoopbackServer(std::vector<std::string> args, int port, std::filesystem::path portFile);

  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace trakvella::testing
