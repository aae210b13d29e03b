#pragma once
// Scripted HTTP client and media device: the web and the audio device as a test writes them,
// recording what the program asked for. Each test owns its own; nothing is shared.
#include <map>
#include <string>
#include <vector>

#include "ports/HttpClient.h"
#include "ports/MediaDevice.h"

namespace trakvella::testing {

// Answers each address from `pages` (200 with the body, its length announced);
// any other address fails with 404.
class ScriptedHttpClient : public HttpClient {
 public:
  std::map<std::string, std::string> pages;
  std::vector<std::string> requested;

  HttpResult Get(const HttpRequest& request) override {
    requested.push_back(request.url);
    HttpResult result;
    auto page = pages.find(request.url);
    if (page == pages.end()) {
      result.status = 404;
      result.error = "not found";
      return result;
    }
    const std::string& body = page->second;
    result.status = 200;
    result.contentLength = static_cast<int64_t>(body.size());
    for (size_t at = 0; at < body.size(); at += kHttpBlockSize) {
      if (request.onBlock && !request.onBlock(std::string_view(body).substr(at, kHttpBlockSize), result.contentLength)) {
        result.outcome = HttpOutcome::Aborted;
        return result;
      }
    }
    result.outcome = HttpOutcome::Ok;
    return result;
  }
};

// Plays whatever it is given, at once; the position is what the test sets.
class ScriptedMediaDevice : public MediaDevice {
 public:
  std::vector<std::string> opened;
  MediaMode mode = MediaMode::NotReady;
  int64_t position = 0;

  bool Open(const std::string& address) override {
    opened.push_back(address);
    mode = MediaMode::Open;
    return true;
  }
  bool Play() override {
    mode = MediaMode::Playing;
    return true;
  }
  bool Pause() override {
    mode = MediaMode::Paused;
    return true;
  }
  bool Resume() override { return Play(); }
  bool Stop() override {
    if (mode != MediaMode::NotReady) mode = MediaMode::Stopped;
    return true;
  }
  bool Close() override {
    mode = MediaMode::NotReady;
    return true;
  }
  bool Seek(int64_t ms) override {
    position = ms;
    return true;
  }
  MediaMode Mode() const override { return mode; }
  int64_t LengthMs() const override { return 60000; }
  int64_t PositionMs() const override { return position; }
  bool IsOpen() const override { return mode != MediaMode::NotReady; }
};

}  // namespace trakvella::testing
