#pragma once
// CliPorts: every adapter trakvella-cli's commands reach the system through, built once by main and
// handed to the command (program/DesktopPorts.h is the windows' counterpart). Message boxes are not among
// them: each command answers their questions its own way (StderrDialogs in CliOutput.h), and a command
// that draws random numbers seeds its own generator from --seed.
#include <optional>

#include "adapters/CurlFtpClient.h"
#include "adapters/CurlHttpClient.h"
#include "adapters/FreedesktopTrash.h"
#include "adapters/LibarchiveReader.h"
#include "adapters/SndfilePeakDecoder.h"
#include "adapters/ZlibInflater.h"
#include "ports/FtpClient.h"
#include "ports/HttpClient.h"
#include "ports/Progress.h"
#include "ports/Shell.h"

namespace trakvella::cli {

// The command line opens nothing on the desktop: there is no file manager or browser to show a result in.
class NoShell : public Shell {
 public:
  bool OpenUrl(const std::string&) override { return false; }
  bool OpenFile(const std::string&) override { return false; }
  bool RevealFile(const std::string&) override { return false; }
  bool Run(const std::string&, const std::vector<std::string>&) override { return false; }
};

// The network clients are made at their first use: starting libcurl (and its TLS library) costs a
// command that never goes on the network, such as reading the catalogue, time and memory.
class FirstUseHttpClient : public HttpClient {
 public:
  HttpResult Get(const HttpRequest& request) override { return Client().Get(request); }

 private:
  CurlHttpClient& Client() {
    if (!client_) client_.emplace();
    return *client_;
  }
  std::optional<CurlHttpClient> client_;
};

class FirstUseFtpClient : public FtpClient {
 public:
  void SetStatusListener(FtpStatusListener* listener) override {
    listener_ = listener;
    if (client_) client_->SetStatusListener(listener);
  }
  Status Connect(const FtpLogin& login) override { return Client().Connect(login); }
  bool Encrypted() const override { return client_ && client_->Encrypted(); }
  bool TlsMissing() const override { return client_ && client_->TlsMissing(); }
  Status List(std::vector<std::string>& lines, const FtpLimits& limits) override {
    return Client().List(lines, limits);
  }
  Status Size(const std::string& remotePath, int64_t& size) override { return Client().Size(remotePath, size); }
  Status Retrieve(const std::string& remotePath, const std::filesystem::path& localFile, int64_t expectedSize,
                  const FtpLimits& limits, const std::function<bool(int64_t bytes)>& onProgress) override {
    return Client().Retrieve(remotePath, localFile, expectedSize, limits, onProgress);
  }
  Status Command(const std::string& command, std::vector<std::string>& replyLines, const FtpLimits& limits) override {
    return Client().Command(command, replyLines, limits);
  }
  void Disconnect() override {
    if (client_) client_->Disconnect();
  }

 private:
  // The status texts go to whoever listens to this client at the time of the call.
  CurlFtpClient& Client() {
    if (!client_) client_.emplace();
    client_->SetStatusListener(listener_);
    return *client_;
  }
  std::optional<CurlFtpClient> client_;
  FtpStatusListener* listener_ = nullptr;
};

struct CliPorts {
  FirstUseHttpClient http;
  // The subscription's download server, its RAR archives and the files it discards.
  FirstUseFtpClient ftp;
  LibarchiveReader archives;
  FreedesktopTrash trash;
  // Gzip-compressed project files of the folder scan.
  ZlibInflater inflater;
  // The waveform's audio files.
  SndfilePeakDecoder peaks;
  NoShell shell;
  // Long work shows no progress: the output comes when it is done.
  SilentProgress progress;
};

}  // namespace trakvella::cli
