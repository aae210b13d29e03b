#pragma once
// HttpClient: one HTTP GET, always from the server (no cache), handed out in small blocks so the caller
// can write them, pump the window and abort between them. The caller owns the request; the program start the client.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "ports/Status.h"

namespace trakvella {

// The largest block a client hands to onBlock.
inline constexpr size_t kHttpBlockSize = 1025;

struct HttpRequest {
  std::string url;
  // Sent only when not empty.
  std::string userName;
  std::string password;
  // Longest wait for the connection, and longest time without any byte arriving.
  int connectTimeoutMs = 10000;
  int readTimeoutMs = 30000;
  // The longest the whole transfer may take, 0 for no limit. When the server
  // announces a length and slowestBytesPerSecond is set, at least the time
  // that length takes at that rate.
  int totalTimeoutMs = 0;
  int64_t slowestBytesPerSecond = 0;
  // The most body bytes taken, -1 for no limit: a longer announced length, or
  // more bytes, fail the transfer.
  int64_t maxBytes = -1;
  // When not empty, the body is written to this file as well: it is made new
  // (never an existing file, never through a link of that name) once the first
  // block has been taken by onBlock, or at the end of a transfer that ended
  // well with an empty body. The caller renames or removes it afterwards.
  std::filesystem::path bodyFile;
  // Each block of the body (1 to kHttpBlockSize bytes) with the content length
  // the server announced (-1 when it gave none). Returning false aborts.
  std::function<bool(std::string_view block, int64_t contentLength)> onBlock;
  // Called now and then while the transfer waits or runs. Returning false aborts.
  std::function<bool()> onWait;
};

struct [[nodiscard]] HttpResult {
  // OK, or why not (message() is the reason): Aborted when onBlock or onWait
  // stopped it, LimitExceeded when ended by totalTimeoutMs or maxBytes, IOError
  // when the body file could not be made or written (no fault of the network),
  // NetworkError for the connection, the server or an answer of 400 and above.
  Status status = Status::NetworkError("no answer");
  // The last HTTP status received, 0 when none arrived.
  int httpStatus = 0;
  // The announced content length of the answer, -1 when unknown.
  int64_t contentLength = -1;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Follows redirects; an answer of status 400 or above is a failure and its
  // body is not handed out.
  virtual HttpResult Get(const HttpRequest& request) = 0;
};

}  // namespace trakvella
