#include "core/startup/Connection.h"

namespace trakvella {

bool InterfaceConnected(const NetworkInterface& interface) {
  if (interface.loopback) return false;
  return interface.operState == "up" || (interface.operState == "unknown" && interface.carrier);
}

bool IsOnline(NetworkInterfaces& interfaces, const std::function<bool()>& siteAnswers) {
  for (const NetworkInterface& interface : interfaces.List())
    if (InterfaceConnected(interface)) return true;
  return siteAnswers && siteAnswers();
}

bool SiteAnswers(HttpClient& http, const std::string& url, int timeoutMs) {
  if (url.empty()) return false;
  HttpRequest request;
  request.url = url;
  request.connectTimeoutMs = timeoutMs;
  request.readTimeoutMs = timeoutMs;
  request.totalTimeoutMs = 2 * timeoutMs;                             // a server that trickles its answer is no answer
  request.onBlock = [](std::string_view, int64_t) { return false; };  // the first byte is enough
  return http.Get(request).httpStatus > 0;
}

}  // namespace trakvella
