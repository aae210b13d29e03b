#pragma once
// CurlFtpClient: the FtpClient port on libcurl. One session keeps one control
// connection (libcurl's connection cache) from Connect to Disconnect; the
// client owns its libcurl handles. Transfers run in a loop that hands control
// back at least every 50 ms, so the window can be pumped, Cancel works and the
// operation's limits hold however slowly the server sends.
#include <memory>
#include <string>
#include <string_view>

#include "ports/FtpClient.h"

namespace trakvella {

class CurlFtpClient : public FtpClient {
 public:
  CurlFtpClient();
  ~CurlFtpClient() override;
  CurlFtpClient(const CurlFtpClient&) = delete;
  CurlFtpClient& operator=(const CurlFtpClient&) = delete;

  void SetStatusListener(FtpStatusListener* listener) override { statusListener_ = listener; }
  Status Connect(const FtpLogin& login) override;
  bool Encrypted() const override { return encrypted_; }
  bool TlsMissing() const override { return tlsMissing_; }
  Status List(std::vector<std::string>& lines, const FtpLimits& limits) override;
  Status Size(const std::string& remotePath, int64_t& size) override;
  Status Retrieve(const std::string& remotePath, const std::filesystem::path& localFile, int64_t expectedSize,
                  const FtpLimits& limits, const std::function<bool(int64_t bytes)>& onProgress) override;
  Status Command(const std::string& command, std::vector<std::string>& replyLines, const FtpLimits& limits) override;
  void Disconnect() override;

  struct Session;

 private:
  std::unique_ptr<Session> session_;
  FtpStatusListener* statusListener_ = nullptr;
  bool encrypted_ = false;
  bool tlsMissing_ = false;
};

// The address libcurl gets for a path on the server: "ftp://host:port/" and the
// path with each byte that may not stand in a URL written %XX; a path that
// begins with "/" starts from the server's root ("%2F").
std::string FtpUrl(const std::string& host, int port, std::string_view remotePath);

}  // namespace trakvella
