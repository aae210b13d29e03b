#include "adapters/CurlHttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace trakvella {

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// What the transfer's callbacks share with Get.
struct Transfer {
  const HttpRequest* request = nullptr;
  CURL* curl = nullptr;
  bool aborted = false;
};

int64_t ContentLength(CURL* curl) {
  curl_off_t length = -1;
  if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) return -1;
  return length < 0 ? -1 : static_cast<int64_t>(length);
}

// libcurl hands over up to 16 KB at a time; the caller gets them cut into
// blocks and may stop between any two.
size_t WriteBody(char* data, size_t, size_t size, void* user) {
  auto* t = static_cast<Transfer*>(user);
  if (!t->request->onBlock) return size;
  int64_t length = ContentLength(t->curl);
  for (size_t at = 0; at < size; at += kHttpBlockSize) {
    size_t n = std::min(kHttpBlockSize, size - at);
    if (!t->request->onBlock(std::string_view(data + at, n), length)) {
      t->aborted = true;
      return CURL_WRITEFUNC_ERROR;
    }
  }
  return size;
}

int Wait(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* t = static_cast<Transfer*>(user);
  if (t->request->onWait && !t->request->onWait()) {
    t->aborted = true;
    return 1;
  }
  return 0;
}

// Loopback never goes through a proxy; the user's own exceptions still hold.
std::string NoProxyList() {
  std::string list = "localhost,127.0.0.1,::1";
  for (const char* name : {"no_proxy", "NO_PROXY"}) {
    const char* value = std::getenv(name);
    if (value && *value) {
      list += ',';
      list += value;
      break;
    }
  }
  return list;
}

}  // namespace

std::string PercentEncodeUrl(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(url.size());
  for (size_t i = 0; i < url.size(); ++i) {
    auto c = static_cast<unsigned char>(url[i]);
    bool escape = c <= 0x20 || c >= 0x7F || std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string_view::npos;
    if (c == '%') escape = !(i + 2 < url.size() && IsHexDigit(url[i + 1]) && IsHexDigit(url[i + 2]));
    if (escape) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

CurlHttpClient::CurlHttpClient() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpResult CurlHttpClient::Get(const HttpRequest& request) {
  HttpResult result;
  CURL* curl = curl_easy_init();
  if (!curl) {
    result.error = "cannot start a transfer";
    return result;
  }
  Transfer transfer{&request, curl, false};
  std::string url = PercentEncodeUrl(request.url);
  std::string noProxy = NoProxyList();
  char errorText[CURL_ERROR_SIZE] = {};

  curl_slist* headers = nullptr;
  headers = curl_slist_append(headers, "Cache-Control: no-cache");
  headers = curl_slist_append(headers, "Pragma: no-cache");

  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Trakvella");
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  // HTTP/1.0 as the program has always asked: the server then announces the
  // length or ends the body by closing, never sends it in chunks.
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str());
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(std::max(1, request.connectTimeoutMs)));
  // Fewer than one byte a second for the read time-out ends the transfer.
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(std::max(1, (request.readTimeoutMs + 999) / 1000)));
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Wait);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  if (!request.userName.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, request.userName.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, request.password.c_str());
  }

  CURLcode code = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  result.status = static_cast<int>(status);
  result.contentLength = ContentLength(curl);
  if (code == CURLE_OK) {
    result.outcome = HttpOutcome::Ok;
  } else if (transfer.aborted) {
    result.outcome = HttpOutcome::Aborted;
    result.error = "aborted";
  } else {
    result.outcome = HttpOutcome::Failed;
    result.error = errorText[0] ? errorText : curl_easy_strerror(code);
  }
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  return result;
}

}  // namespace trakvella
