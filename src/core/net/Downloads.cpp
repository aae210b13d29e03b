#include "core/net/Downloads.h"

#include <algorithm>

#include "core/lang/MessageTable.h"
#include "core/text/Text.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

// The word between the two counts of a run's progress text: the message after
// the progress message (" of " after "Downloading files").
Msg CountingWord(Msg progressMessage) { return static_cast<Msg>(static_cast<unsigned>(progressMessage) + 1); }

// The host of an address, without its scheme and path.
std::string HostOf(std::string url) {
  for (std::string_view scheme : {"http://", "https://"})
    if (StartsWithLowerCase(url, scheme)) url.erase(0, scheme.size());
  return url.substr(0, url.find('/'));
}

// The address as the client wants it: an address without a scheme is an
// http:// one, and one that starts with its path ("/top.txt") goes to the
// default host. Empty when there is no host to go to.
std::string CompleteUrl(const std::string& url, const std::string& defaultHost) {
  if (StartsWithLowerCase(url, "http://") || StartsWithLowerCase(url, "https://"))
    return HostOf(url).empty() ? std::string() : url;
  std::string host = url.substr(0, url.find('/'));
  if (!host.empty()) return "http://" + url;
  host = HostOf(defaultHost);
  if (host.empty()) return {};
  return "http://" + host + url;
}

fs::path PartFileOf(const fs::path& file) {
  fs::path part = file;
  part += ".part";
  return part;
}

// What the client's answer means: success, the error text and whether the transfer broke.
void JudgeAnswer(const HttpResult& answer, bool toFile, bool needLength, bool& noLength, HttpGetResult& result) {
  const bool failed = !answer.status.ok() && !answer.status.IsAborted();
  if (answer.status.ok()) {
    if (needLength && result.total < 0) {
      noLength = true;
    } else if (!toFile) {
      result.success = result.downloaded > 0;
      if (!result.success) result.error = "the answer was empty";
    } else {
      result.success = result.total < 0 || result.downloaded == result.total;
      if (!result.success) result.error = "the answer was incomplete";
    }
  } else {
    // A page is read once a byte of it arrived, even when the connection
    // broke before its announced end; past its time or size it is not.
    if (!toFile && failed && !answer.status.IsLimitExceeded() && !answer.status.IsIOError() && !noLength)
      result.success = result.downloaded > 0;
    result.error = answer.status.message();
  }
  // A broken transfer, or a body cut short of its announced length. An
  // error status is the server's answer (that file is missing): the network works.
  const bool cutShort =
      answer.status.ok() && !result.success && !noLength && result.total >= 0 && result.downloaded < result.total;
  result.transferError = (failed && answer.httpStatus < 400) || cutShort;
  if (noLength) result.error = "the server did not tell the length";
  if (result.aborted) {
    result.success = false;
    result.error = "aborted";
    result.transferError = false;
  }
}

// After a success the part file takes the target's name; otherwise, or when that fails, it goes.
// False when the file could not be put in place.
bool FinishPartFile(const fs::path& part, const fs::path& target, HttpGetResult& result) {
  std::error_code ec;
  bool placed = true;
  if (result.success) {
    fs::rename(part, target, ec);
    if (ec) {
      result.success = false;
      placed = false;
      result.error = "cannot write " + target.string();
    }
  }
  if (!result.success) fs::remove(part, ec);
  return placed;
}

}  // namespace

std::string LastPathElement(const std::string& name) {
  size_t cut = name.find_last_of("/\\");
  return cut == std::string::npos ? name : name.substr(cut + 1);
}

int64_t FileSizeOf(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return -1;
  auto size = fs::file_size(path, ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

Downloader::Downloader(HttpClient& http, Progress& progress, Dialogs& dialogs, const Language& language,
                       NetworkState& network)
    : http_(http), progress_(progress), dialogs_(dialogs), language_(language), network_(network) {}

std::string Downloader::Message(Msg message) const { return LangMessage(language_, message); }

HttpGetResult Downloader::HttpGet(const std::string& url, const std::string& userName, const std::string& fileName,
                                  bool toFile, bool needLength, const std::string& password) {
  abort_ = false;
  progress_.ClearCancel();

  HttpGetResult result;
  const fs::path target = fileName;
  const fs::path part = PartFileOf(target);
  bool started = false;
  bool noLength = false;

  HttpRequest request;
  request.url = CompleteUrl(url, defaultHost);
  request.userName = userName;
  request.password = password;
  request.connectTimeoutMs = connectTimeoutMs;
  request.readTimeoutMs = readTimeoutMs;
  if (toFile) {
    // The client makes the part file new; one a killed run left is removed
    // first (a link of that name too, never what it points to).
    std::error_code ec;
    fs::remove(part, ec);
    request.bodyFile = part;
    request.totalTimeoutMs = fileTimeoutMs;
    request.slowestBytesPerSecond = slowestFileBytesPerSecond;
  } else {
    request.totalTimeoutMs = pageTimeoutMs;
    request.maxBytes = maxPageBytes;
  }
  request.onBlock = [&](std::string_view block, int64_t length) {
    if (Aborted()) {
      result.aborted = true;
      return false;
    }
    if (!started) {
      started = true;
      result.total = length;
      if (needLength && length < 0) {
        noLength = true;
        return false;
      }
    }
    if (!toFile) result.text.append(block);
    result.downloaded += static_cast<int64_t>(block.size());
    if (listener_) listener_->OnDownload(result.total < 0 ? 0 : result.total, result.downloaded);
    progress_.pump();
    return true;
  };
  request.onWait = [&] {
    progress_.pump();
    if (Aborted()) {
      result.aborted = true;
      return false;
    }
    return true;
  };

  bool localError = false;  // the file could not be written: no network failure
  if (request.url.empty()) {
    result.error = "no host in the address \"" + url + "\"";
  } else {
    HttpResult answer = http_.Get(request);
    result.status = answer.httpStatus;
    localError = answer.status.IsIOError();
    if (!started) result.total = answer.contentLength;
    JudgeAnswer(answer, toFile, needLength, noLength, result);
  }

  if (toFile && !FinishPartFile(part, target, result)) localError = true;
  if (localError) result.transferError = false;
  if (!result.success && !localError && listener_) listener_->OnDownloadError();
  return result;
}

bool Downloader::DownloadFile(const std::string& url, const std::string& name, std::optional<Msg> progressMessage,
                              const std::string& folder) {
  if (progressMessage) progress_.ShowProgress(Message(*progressMessage) + "...", ProgressMode::Show, true);
  std::error_code ec;
  fs::create_directories(folder, ec);
  std::string leaf = LastPathElement(name);
  bool ok = false;
  if (!leaf.empty()) {
    HttpGetResult r = HttpGet(url, "", (fs::path(folder) / leaf).string(), true, true, "");
    ok = r.success;
    if (r.transferError) network_.networkState = kNetworkDownloadFailed;
  }
  if (progressMessage) progress_.ShowProgress("", ProgressMode::Hide);
  return ok;
}

int Downloader::DownloadFiles(const std::vector<std::string>& urls, const std::string& folder, bool deleteSmall,
                              std::optional<Msg> progressMessage) {
  std::vector<fs::path> targets;
  for (const auto& url : urls) {
    std::string leaf = LastPathElement(url);
    targets.push_back(leaf.empty() ? fs::path() : fs::path(folder) / leaf);
  }
  const std::vector<bool> kept = RunDownloads(urls, targets, deleteSmall, progressMessage, folder);
  return static_cast<int>(std::count(kept.begin(), kept.end(), true));
}

std::vector<fs::path> Downloader::NamedTargets(const std::vector<std::string>& urls,
                                               const std::vector<std::string>& names, const std::string& folder) {
  std::vector<fs::path> targets;
  for (size_t i = 0; i < urls.size(); ++i) {
    // A name is a file name: "../../x" lands as "x" in the folder.
    std::string name = LastPathElement(i < names.size() && !names[i].empty() ? names[i] : urls[i]);
    if (name == "." || name == "..") name.clear();
    targets.push_back(name.empty() ? fs::path() : fs::path(folder) / name);
  }
  return targets;
}

int Downloader::DownloadFilesAs(const std::vector<std::string>& urls, const std::vector<std::string>& names,
                                bool deleteSmall, std::optional<Msg> progressMessage, const std::string& folder) {
  const std::vector<bool> kept =
      RunDownloads(urls, NamedTargets(urls, names, folder), deleteSmall, progressMessage, folder);
  return static_cast<int>(std::count(kept.begin(), kept.end(), true));
}

std::vector<bool> Downloader::DownloadFilesNamed(const std::vector<NamedFile>& files, bool deleteSmall,
                                                 std::optional<Msg> progressMessage, const std::string& folder) {
  std::vector<std::string> urls, names, labels;
  for (const NamedFile& file : files) {
    urls.push_back(file.url);
    names.push_back(file.name);
    labels.push_back(file.label);
  }
  return RunDownloads(urls, NamedTargets(urls, names, folder), deleteSmall, progressMessage, folder, &labels);
}

std::vector<bool> Downloader::RunDownloads(const std::vector<std::string>& urls, const std::vector<fs::path>& targets,
                                           bool deleteSmall, std::optional<Msg> progressMessage,
                                           const std::string& folder, const std::vector<std::string>* labels) {
  const size_t n = urls.size();
  std::vector<bool> kept(n, false);
  for (size_t i = 0; i < n; ++i) {
    progress_.ClearCancel();
    const std::string position = " (" + std::to_string(i + 1) +
                                 Message(progressMessage ? CountingWord(*progressMessage) : Msg::Of) +
                                 std::to_string(n);
    if (progressMessage)
      progress_.ShowProgress(Message(*progressMessage) + position + ")...", ProgressMode::Show, true);
    std::error_code ec;
    fs::create_directories(folder, ec);
    bool ok = false, aborted = false;
    if (!targets[i].empty()) {
      fs::create_directories(targets[i].parent_path(), ec);
      HttpGetResult r = HttpGet(urls[i], "", targets[i].string(), true, true, "");
      ok = r.success;
      aborted = r.aborted;
      if (r.transferError) network_.networkState = kNetworkDownloadFailed;
    }
    if (progressMessage) progress_.ShowProgress("", ProgressMode::Hide);
    if (aborted || progress_.Cancelled()) break;

    bool deleted = false;
    // Only a file that arrived now is measured: an older one of that name stays.
    if (ok && deleteSmall && FileSizeOf(targets[i]) < kSmallFileLimit) {
      deleted = fs::remove(targets[i], ec);
      ok = false;
    }
    kept[i] = ok;
    if ((deleted || !ok) && progressMessage) {
      // With labels, the failure names its item, as the set download does.
      std::string text = Message(Msg::CouldNotDownload);
      if (labels && i < labels->size())
        text = Message(Msg::Track) + " (" + std::to_string(i + 1) + Message(Msg::Of) + std::to_string(n) +
               "): " + (*labels)[i] + "\r\n" + text;
      if (i + 1 == n) {
        dialogs_.Message(text, MessageKind::Error, MessageButtons::Ok);
      } else if (dialogs_.Message(text + "\r" + Message(Msg::Continue), MessageKind::Confirmation,
                                  MessageButtons::YesNo) == MessageAnswer::No) {
        break;
      }
    }
  }
  return kept;
}

}  // namespace trakvella
