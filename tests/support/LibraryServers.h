#pragma once
// LibraryServers: runs tools/library_servers.py (demo audio server, product web
// site and FTP download server on loopback) for the lifetime of the object; the
// object owns the process.
// HttpRequestForTest: a small blocking HTTP/1.0 client for 127.0.0.1 only.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

namespace trakvella::testing {

class LibraryServers {
 public:
  // Starts the servers for the program folder `home` (which gets servers.ini) and
  // waits until they are ready. `extraArgs` are more options of the script,
  // separated by blanks (e.g. "--max-tracks 20"; FTP accounts with
  // "--ftp-account LOGIN:PASSWORD:CREDIT:MODE"). Throws std::runtime_error when
  // the script ends or is not ready within 20 seconds.
  explicit LibraryServers(const std::filesystem::path& home, const std::string& extraArgs = "");
  // Stops the servers and reaps the process.
  ~LibraryServers();
  LibraryServers(const LibraryServers&) = delete;
  LibraryServers& operator=(const LibraryServers&) = delete;

  std::string demo1, demo2, web;  // the bases as printed ("http://127.0.0.1:P/.../")
  std::string ftp;                // "ftp://127.0.0.1:R/"
  int ftpPort = 0;
  std::string ftpLogin, ftpPassword;  // the demo account
  std::filesystem::path serversIni;
  pid_t pid() const { return pid_; }

 private:
  void Stop();
  pid_t pid_ = -1;
  int output_ = -1;  // read end of the script's stdout
};

struct HttpResponseForTest {
  int status = 0;                              // 0 when no answer came
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;
};

// Sends `method` for `url` (http://127.0.0.1:PORT/PATH) with the extra header lines
// ("Name: value") and reads the whole answer. A refused or failed connection gives
// status 0; a host other than 127.0.0.1 or localhost throws std::invalid_argument.
HttpResponseForTest HttpRequestForTest(const std::string& method, const std::string& url,
                                       const std::vector<std::string>& headers = {});

// GET of `url`: the body, and the status in *status when given.
std::string HttpGetForTest(const std::string& url, int* status = nullptr);

}  // namespace trakvella::testing
