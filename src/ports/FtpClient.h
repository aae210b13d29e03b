#pragma once
// FtpClient: one session with an FTP server — log in, list the starting folder,
// ask a file's size, retrieve a file to disk, send a raw command. The caller owns
// the client and drives one session at a time; Disconnect ends it. A failure is
// a Status whose message() is the reason as the user may read it: Aborted when
// the caller's callback stopped it, LimitExceeded past FtpLimits, IOError when
// the local file could not be written, InvalidArgument without a session, and
// NetworkError for the connection or the server.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ports/Status.h"

namespace trakvella {

struct FtpLogin {
  std::string host;
  int port = 21;
  std::string user;
  std::string password;
  // Longest wait for the connection, and longest time the server may stay silent.
  int connectTimeoutMs = 5000;
  int readTimeoutMs = 5000;
  // The longest logging in may take, however the server trickles its replies.
  int loginTimeoutMs = 30000;
  // TLS is always asked for; with requireTls a server that does not offer it
  // is refused before the password is sent (TlsMissing tells it afterwards),
  // otherwise the session goes on in clear.
  bool requireTls = false;
  // Certificates (PEM) trusted for the server instead of the system's; empty:
  // the system's.
  std::string caFile;
};

// Bounds of one operation of a session.
struct FtpLimits {
  int totalTimeoutMs = 0;  // the longest it may take, 0 for no limit
  int64_t maxBytes = -1;   // the most bytes taken (a listing, a reply, a file), -1 for no limit
};

// Hears an FTP session's status texts as they happen (connecting, the server's
// replies); the password never appears in them.
class FtpStatusListener {
 public:
  virtual ~FtpStatusListener() = default;
  virtual void FtpStatus(const std::string& text) = 0;
};

class FtpClient {
 public:
  virtual ~FtpClient() = default;

  // Who hears the status texts from now on (nullptr: nobody); borrowed, whoever
  // sets it unsets it before it goes.
  virtual void SetStatusListener(FtpStatusListener* listener) = 0;

  // Connects in passive mode and logs in; fails when either fails.
  virtual Status Connect(const FtpLogin& login) = 0;
  // Whether the session runs over TLS (the server offered it).
  [[nodiscard]] virtual bool Encrypted() const = 0;
  // Whether the last Connect was refused because it required TLS and the
  // server offered none; the password was not sent.
  [[nodiscard]] virtual bool TlsMissing() const = 0;
  // The starting folder listed with details, one text line per entry. Past
  // the limits it fails with the lines that arrived.
  virtual Status List(std::vector<std::string>& lines, const FtpLimits& limits) = 0;
  // The size of a remote file ("/folder/name"); size is -1 when the server gives
  // none (no such file, or no SIZE command). Fails only when the session failed.
  virtual Status Size(const std::string& remotePath, int64_t& size) = 0;
  // Retrieves a remote file from its start into localFile + ".part", made new
  // (a part file left by an earlier run is removed first; the part file is
  // never opened through a link), and renames it over localFile only once the
  // whole file arrived: expectedSize bytes when it is not -1. onProgress gets
  // the bytes received so far after every block and at least every 100 ms
  // while the transfer waits; returning false aborts the transfer. Fails when
  // the transfer failed, was aborted, went past the limits or could not be
  // written: the part file is removed and localFile stays as it was.
  virtual Status Retrieve(const std::string& remotePath, const std::filesystem::path& localFile, int64_t expectedSize,
                          const FtpLimits& limits, const std::function<bool(int64_t bytes)>& onProgress) = 0;
  // Sends a command as it is and returns the text lines of its reply, whatever
  // its code. Fails only when no reply came (or the reply went past the limits).
  virtual Status Command(const std::string& command, std::vector<std::string>& replyLines, const FtpLimits& limits) = 0;
  // Ends the session (nothing happens without one).
  virtual void Disconnect() = 0;
};

}  // namespace trakvella
