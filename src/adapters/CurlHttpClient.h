#pragma once
// CurlHttpClient: the HttpClient port on libcurl's easy interface.
// Each request owns one easy handle for its duration; nothing is shared between requests or threads.
#include <string>
#include <string_view>

#include "ports/HttpClient.h"

namespace trakvella {

class CurlHttpClient : public HttpClient {
 public:
  CurlHttpClient();
  HttpResult Get(const HttpRequest& request) override;
};

// The URL with every byte that may not stand in a URL as it is (blanks, control
// characters, bytes of non-ASCII letters, " < > \ ^ ` { | }) written as %XX; a
// "%" that already starts a %XX escape stays, any other "%" becomes %25.
std::string PercentEncodeUrl(std::string_view url);

}  // namespace trakvella
