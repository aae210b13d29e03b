#pragma once
// CurlHttpClient: the HttpClient port on libcurl's easy interface.
// Each request owns one easy handle for its duration; nothing is shared between requests or threads.
#include <string>
#include <string_view>

#include "core/text/PercentEncoding.h"  // PercentEncodeUrl, which every request applies
#include "ports/HttpClient.h"

namespace trakvella {

class CurlHttpClient : public HttpClient {
 public:
  CurlHttpClient();
  HttpResult Get(const HttpRequest& request) override;
};

}  // namespace trakvella
