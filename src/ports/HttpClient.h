#pragma once
// HttpClient: one HTTP GET, always from the server (no cache), handed out in small blocks so the caller
// can write them, pump the window and abort between them. The caller owns the request; the program start the client.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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
  // Each block of the body (1 to kHttpBlockSize bytes) with the content length
  // the server announced (-1 when it gave none). Returning false aborts.
  std::function<bool(std::string_view block, int64_t contentLength)> onBlock;
  // Called now and then while the transfer waits or runs. Returning false aborts.
  std::function<bool()> onWait;
};

enum class HttpOutcome { Ok, Failed, Aborted };

struct HttpResult {
  HttpOutcome outcome = HttpOutcome::Failed;
  // The last HTTP status received, 0 when none arrived.
  int status = 0;
  // The announced content length of the answer, -1 when unknown.
  int64_t contentLength = -1;
  // Why it failed, empty otherwise.
  std::string error;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Follows redirects; an answer of status 400 or above is a failure and its
  // body is not handed out.
  virtual HttpResult Get(const HttpRequest& request) = 0;
};

}  // namespace trakvella
