#include "adapters/CurlHttpClient.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "adapters/LoadedLibraries.h"
#include "adapters/NoProxyList.h"

namespace trakvella {

namespace {

using Clock = std::chrono::steady_clock;

int64_t ContentLength(const CurlApi* api, CURL* curl) {
  curl_off_t length = -1;
  if (api->easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) return -1;
  return length < 0 ? -1 : static_cast<int64_t>(length);
}

// What the transfer's callbacks share with Get.
struct Transfer {
  const HttpRequest* request = nullptr;
  const CurlApi* api = nullptr;
  CURL* curl = nullptr;
  Clock::time_point start = Clock::now();
  int64_t received = 0;
  bool aborted = false;
  bool limitExceeded = false;
  bool fileError = false;
  int fd = -1;  // the body file, once made
  std::string error;

  ~Transfer() {
    if (fd >= 0) ::close(fd);
  }

  // The body file, made new: an existing file or link of that name fails.
  bool OpenBodyFile() {
    if (fd >= 0) return true;
    fd = ::open(request->bodyFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) Fail("cannot write " + request->bodyFile.string() + ": " + std::strerror(errno));
    return fd >= 0;
  }

  bool WriteBodyFile(const char* data, size_t size) {
    if (!OpenBodyFile()) return false;
    for (size_t at = 0; at < size;) {
      const ssize_t n = ::write(fd, data + at, size - at);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        Fail("cannot write " + request->bodyFile.string() + ": " + std::strerror(n < 0 ? errno : ENOSPC));
        return false;
      }
      at += static_cast<size_t>(n);
    }
    return true;
  }

  bool CloseBodyFile() {
    if (fd < 0) return true;
    const bool closed = ::close(fd) == 0;
    fd = -1;
    if (!closed) Fail("cannot write " + request->bodyFile.string() + ": " + std::strerror(errno));
    return closed;
  }

  void Fail(std::string why) {
    fileError = true;
    if (error.empty()) error = std::move(why);
  }

  // The deadline of the whole transfer in milliseconds, 0 for none: the
  // request's, or for an announced length the time it takes at the slowest
  // rate allowed, whichever is longer.
  int64_t DeadlineMs() const {
    if (request->totalTimeoutMs <= 0) return 0;
    int64_t ms = request->totalTimeoutMs;
    const int64_t length = ContentLength(api, curl);
    if (request->slowestBytesPerSecond > 0 && length > 0)
      ms = std::max(ms, length / request->slowestBytesPerSecond * 1000 + 1000);
    return ms;
  }

  bool PastLimits(int64_t more) {
    const int64_t cap = request->maxBytes;
    const int64_t length = ContentLength(api, curl);
    if (cap >= 0 && (length > cap || received + more > cap)) {
      limitExceeded = true;
      error = "the answer is longer than " + std::to_string(cap) + " bytes";
      return true;
    }
    const int64_t deadline = DeadlineMs();
    if (deadline > 0 &&
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count() > deadline) {
      limitExceeded = true;
      error = "the transfer took longer than " + std::to_string(deadline / 1000) + " s";
      return true;
    }
    return false;
  }
};

// libcurl hands over up to 16 KB at a time; the caller gets them cut into
// blocks and may stop between any two.
size_t WriteBody(char* data, size_t, size_t size, void* user) {
  auto* t = static_cast<Transfer*>(user);
  if (t->PastLimits(static_cast<int64_t>(size))) return CURL_WRITEFUNC_ERROR;
  const int64_t length = ContentLength(t->api, t->curl);
  for (size_t at = 0; at < size; at += kHttpBlockSize) {
    const size_t n = std::min(kHttpBlockSize, size - at);
    if (t->request->onBlock && !t->request->onBlock(std::string_view(data + at, n), length)) {
      t->aborted = true;
      return CURL_WRITEFUNC_ERROR;
    }
    if (!t->request->bodyFile.empty() && !t->WriteBodyFile(data + at, n)) return CURL_WRITEFUNC_ERROR;
    t->received += static_cast<int64_t>(n);
  }
  return size;
}

int Wait(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* t = static_cast<Transfer*>(user);
  if (t->PastLimits(0)) return 1;
  if (t->request->onWait && !t->request->onWait()) {
    t->aborted = true;
    return 1;
  }
  return 0;
}

// How the transfer ended; a file that could not be written is told before a limit the same transfer met.
Status Outcome(const Transfer& transfer, CURLcode code, const char* errorText) {
  if (transfer.aborted) return Status::Aborted("aborted");
  if (transfer.fileError) return Status::IOError(transfer.error);
  if (transfer.limitExceeded) return Status::LimitExceeded(transfer.error);
  if (code == CURLE_OK) return Status::OK();
  return Status::NetworkError(errorText[0] ? errorText : transfer.api->easy_strerror(code));
}

}  // namespace

// libcurl is loaded and started at the first request.
CurlHttpClient::CurlHttpClient() = default;

HttpResult CurlHttpClient::Get(const HttpRequest& request) {
  HttpResult result;
  std::string why;
  const CurlApi* api = Curl(why);
  if (!api) {
    result.status = Status::NetworkError(why);
    return result;
  }
  CURL* curl = api->easy_init();
  if (!curl) {
    result.status = Status::NetworkError("cannot start a transfer");
    return result;
  }
  Transfer transfer;
  transfer.request = &request;
  transfer.api = api;
  transfer.curl = curl;
  std::string url = PercentEncodeUrl(request.url);
  std::string noProxy = NoProxyList();
  char errorText[CURL_ERROR_SIZE] = {};

  curl_slist* headers = nullptr;
  headers = api->slist_append(headers, "Cache-Control: no-cache");
  headers = api->slist_append(headers, "Pragma: no-cache");

  api->easy_setopt(curl, CURLOPT_URL, url.c_str());
  api->easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  api->easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  api->easy_setopt(curl, CURLOPT_USERAGENT, "Trakvella");
  api->easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  api->easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  // HTTP/1.0 as the program has always asked: the server then announces the
  // length or ends the body by closing, never sends it in chunks.
  api->easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  api->easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  api->easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  api->easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  api->easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  api->easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str());
  api->easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(std::max(1, request.connectTimeoutMs)));
  // Fewer than one byte a second for the read time-out ends the transfer.
  api->easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  api->easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(std::max(1, (request.readTimeoutMs + 999) / 1000)));
  api->easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
  api->easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  api->easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  api->easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  api->easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Wait);
  api->easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  if (request.maxBytes >= 0)
    api->easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBytes));
  if (!request.userName.empty()) {
    api->easy_setopt(curl, CURLOPT_USERNAME, request.userName.c_str());
    api->easy_setopt(curl, CURLOPT_PASSWORD, request.password.c_str());
  }

  CURLcode code = api->easy_perform(curl);
  long status = 0;
  api->easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  result.httpStatus = static_cast<int>(status);
  result.contentLength = ContentLength(api, curl);
  // A transfer that ended well with an empty body still makes its file.
  if (code == CURLE_OK && !request.bodyFile.empty()) transfer.OpenBodyFile();
  transfer.CloseBodyFile();
  if (code == CURLE_FILESIZE_EXCEEDED) {
    transfer.limitExceeded = true;
    transfer.error = "the answer is longer than " + std::to_string(request.maxBytes) + " bytes";
  }
  result.status = Outcome(transfer, code, errorText);
  api->slist_free_all(headers);
  api->easy_cleanup(curl);
  return result;
}

}  // namespace trakvella
