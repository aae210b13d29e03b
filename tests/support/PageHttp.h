#pragma once
// PageHttp: an HttpClient answering from pages held in memory (and into the
// request's body file), for tests of what the program makes of answers; it
// records every address asked for.
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ports/HttpClient.h"

namespace trakvella::testing {

class PageHttp : public HttpClient {
 public:
  std::map<std::string, std::string> pages;  // address -> body; any other address is 404
  std::set<std::string> unreachable;         // addresses no connection reaches
  std::vector<std::string> requests;

  HttpResult Get(const HttpRequest& request) override {
    requests.push_back(request.url);
    HttpResult result;
    if (unreachable.count(request.url)) {
      result.status = Status::NetworkError("could not connect");
      return result;
    }
    auto page = pages.find(request.url);
    if (page == pages.end()) {
      result.httpStatus = 404;
      result.status = Status::NetworkError("not found");
      return result;
    }
    result.httpStatus = 200;
    result.contentLength = static_cast<int64_t>(page->second.size());
    for (size_t at = 0; at < page->second.size(); at += kHttpBlockSize) {
      if (!request.onBlock(std::string_view(page->second).substr(at, kHttpBlockSize), result.contentLength)) {
        result.status = Status::Aborted("aborted");
        return result;
      }
    }
    // The body file is written whole once every block was taken.
    if (!request.bodyFile.empty()) std::ofstream(request.bodyFile, std::ios::binary) << page->second;
    result.status = Status::OK();
    return result;
  }
};

}  // namespace trakvella::testing
