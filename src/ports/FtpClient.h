#pragma once
// FtpClient: one session with an FTP server — log in, list the starting folder,
// ask a file's size, retrieve a file to disk, send a raw command. The caller owns
// the client and drives one session at a time; Disconnect ends it.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace trakvella {

struct FtpLogin {
  std::string host;
  int port = 21;
  std::string user;
  std::string password;
  // Longest wait for the connection, and longest time the server may stay silent.
  int connectTimeoutMs = 5000;
  int readTimeoutMs = 5000;
};

class FtpClient {
 public:
  virtual ~FtpClient() = default;

  // The session's status texts as they happen (connecting, the server's replies);
  // the password never appears in them.
  std::function<void(const std::string& text)> onStatus;

  // Connects in passive mode and logs in. False with the reason when either fails.
  virtual bool Connect(const FtpLogin& login, std::string& error) = 0;
  // The starting folder listed with details, one text line per entry.
  virtual bool List(std::vector<std::string>& lines, std::string& error) = 0;
  // The size of a remote file ("/folder/name"); size is -1 when the server gives
  // none (no such file, or no SIZE command). False only when the session failed.
  virtual bool Size(const std::string& remotePath, int64_t& size, std::string& error) = 0;
  // Retrieves a remote file from its start into localFile, which is replaced
  // when the first byte arrives. onProgress gets the bytes received so far
  // after every block and at least every 100 ms while the transfer waits;
  // returning false aborts the transfer. False when the transfer failed or was
  // aborted; what arrived stays in localFile.
  virtual bool Retrieve(const std::string& remotePath, const std::filesystem::path& localFile,
                        const std::function<bool(int64_t bytes)>& onProgress, std::string& error) = 0;
  // Sends a command as it is and returns the text lines of its reply, whatever
  // its code. False only when no reply came.
  virtual bool Command(const std::string& command, std::vector<std::string>& replyLines, std::string& error) = 0;
  // Ends the session (nothing happens without one).
  virtual void Disconnect() = 0;
};

}  // namespace trakvella
