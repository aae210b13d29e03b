#include "core/startup/WebUpdate.h"

#include <filesystem>
#include <set>
#include <utility>

#include "core/text/Text.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxValueChars = 255;

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    size_t more = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 4;
    if (more == 4 || i + more >= text.size() + (more == 0)) return false;
    for (size_t k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
    i += more + 1;
  }
  return true;
}

// ASCII letters upper-cased byte by byte, so every offset stays where it was.
std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

// The byte offset `count` characters after byte offset `from`: the page's
// offsets count characters of its text, so a character of several UTF-8
// bytes (« » …) is one step, as it was one byte in code page 1251.
size_t CharsAfter(std::string_view text, size_t from, size_t count) {
  return from >= text.size() ? text.size() : from + ByteOffsetOfChar(text.substr(from), count);
}

// The text from `from` to the next double quote, or to the end when none follows.
std::string_view ToQuote(std::string_view line, size_t from) {
  if (from >= line.size()) return {};
  std::string_view rest = line.substr(from);
  return rest.substr(0, rest.find('"'));
}

// The downloader's listener while a transfer of the component runs; the one before is heard again after.
class ListenerScope {
 public:
  ListenerScope(Downloader& d, DownloadListener* listener) : d_(d), before_(d.SetListener(listener)) {}
  ~ListenerScope() { d_.SetListener(before_); }
  ListenerScope(const ListenerScope&) = delete;
  ListenerScope& operator=(const ListenerScope&) = delete;

 private:
  Downloader& d_;
  DownloadListener* before_;
};

}  // namespace

void ReadMetaTags(std::string_view page, const TUpdateTagInfo& tags, UpdatePageValues& values) {
  const std::string text = IsValidUtf8(page) ? std::string(page) : Cp1251ToUtf8(page);
  const std::pair<const std::string*, std::string*> slots[] = {
      {&tags.Author, &values.author},
      {&tags.Email, &values.email},
      {&tags.ClientFileName, &values.clientFileName},
      {&tags.Download, &values.download},
      {&tags.ProductName, &values.productName},
      {&tags.Redirection, &values.redirection},
      {&tags.RunParameters, &values.runParameters},
      {&tags.Version, &values.version},
  };
  for (const std::string& line : SplitLines(text)) {
    const size_t meta = line.find("META NAME");
    if (meta == std::string::npos) continue;
    const size_t content = UpperAscii(line).find("CONTENT=");
    if (content == std::string::npos) continue;
    const std::string_view name = ToQuote(line, CharsAfter(line, meta, 11));
    const std::string value = FirstChars(ToQuote(line, CharsAfter(line, content, 9)), kMaxValueChars);
    for (const auto& [tagName, slot] : slots)
      if (name == *tagName) *slot = value;
  }
}

bool IsNewerVersion(std::string_view local, std::string_view remote, TVersionFormat) {
  // The bytes the versions have in code page 1251, compared as unsigned bytes
  // (std::string compares so): "1.ё" (0xB8) is older than "1.а" (0xE0).
  return Utf8ToCp1251(remote).compare(Utf8ToCp1251(local)) > 0;
}

TWebUpdate::TWebUpdate(Downloader& downloader) : downloader_(downloader) {}

TWebUpdate::~TWebUpdate() { AbortTransfer(); }

std::string TWebUpdate::WithPort(const std::string& url) const {
  if (httpPort == 80 || httpPort <= 0) return url;
  size_t hostStart = url.find("://");
  hostStart = hostStart == std::string::npos ? 0 : hostStart + 3;
  const size_t hostEnd = std::min(url.find('/', hostStart), url.size());
  if (hostEnd == hostStart || url.substr(hostStart, hostEnd - hostStart).find(':') != std::string::npos) return url;
  return url.substr(0, hostEnd) + ":" + std::to_string(httpPort) + url.substr(hostEnd);
}

HttpGetResult TWebUpdate::HttpGet(const std::string& url, const std::string& fileName, bool toFile, bool needLength) {
  ListenerScope listening(downloader_, events_);
  downloader_.defaultHost = product.URL;
  HttpGetResult r = downloader_.HttpGet(WithPort(url), userName, fileName, toFile, needLength, password);
  success_ = r.success;
  return r;
}

bool TWebUpdate::GetInfo() {
  std::set<std::string> visited;
  std::string url = product.URL;
  error_.clear();
  for (int hops = 0;; ++hops) {
    values_ = {};
    pageText_.clear();
    pageUrl_ = url;
    HttpGetResult r = HttpGet(url, "", false, false);
    if (!r.success) {
      error_ = "cannot read " + url + ": " + r.error;
      return false;
    }
    pageText_ = IsValidUtf8(r.text) ? r.text : Cp1251ToUtf8(r.text);
    ReadMetaTags(pageText_, metaNames, values_);
    if (values_.redirection.empty()) return true;
    visited.insert(url);
    const std::string next = values_.redirection;
    if (visited.count(next) || hops + 1 > kMaxRedirections) {
      error_ = visited.count(next)
                   ? "the update page redirects in a loop back to " + next
                   : "the update page redirects more than " + std::to_string(kMaxRedirections) + " times";
      return false;
    }
    url = next;
  }
}

bool TWebUpdate::CheckUpdate() {
  if (running_) return false;
  running_ = true;
  struct Running {
    bool& flag;
    ~Running() { flag = false; }
  } running{running_};

  values_.redirection.clear();
  events_->OnBeforeGetInfo();
  const bool read = GetInfo();
  events_->OnAfterGetInfo();

  if (!read || values_.productName.empty() || values_.version.empty()) {
    if (read) error_ = "the update page names no product or no version";
    events_->OnDownloadError();
    return false;
  }
  if (!IsNewerVersion(product.Version, values_.version, product.VersionFormat)) {
    events_->OnNoUpdateFound();
    return false;
  }
  bool canUpdate = true;
  events_->OnUpdateAvailable(product.Version, values_.version, canUpdate);
  return canUpdate && ShowInfo() && DownloadUpdate();
}

bool TWebUpdate::ShowInfo() {
  bool showInfo = true, checkForUpdate = true;
  events_->OnBeforeShowInfo(showInfo, checkForUpdate);
  if (!showInfo) return true;
  // The page that told about the update: the last one of a redirection chain.
  UpdateInfoShowing showing{
      pageUrl_,      pageText_, infoCaptions.OkButton, infoCaptions.CancelButton, infoCaptions.CheckForUpdate,
      checkForUpdate};
  UpdateInfoAnswer answer = events_->ShowInfoWindow(showing);
  events_->OnAfterShowInfo(answer.checkForUpdate);
  return answer.ok;
}

bool TWebUpdate::DownloadUpdate() {
  auto fail = [this](std::string why) {
    error_ = std::move(why);
    events_->OnDownloadError();
    return false;
  };
  // Only the file name of what the page names: the archive never lands outside the folder.
  const std::string name = LastPathElement(values_.clientFileName);
  if (name.empty() || name == "." || name == "..")
    return fail("the update page names no usable archive file (\"" + values_.clientFileName + "\")");

  // The archive's own folder (made when missing), so no name the page gives
  // can stand for a file the program keeps; a link in its place is not used.
  std::error_code ec;
  const fs::path folder = targetFolder.empty() ? fs::temp_directory_path(ec) : fs::path(targetFolder);
  fs::create_directories(folder, ec);
  if (fs::symlink_status(folder, ec).type() != fs::file_type::directory)
    return fail("cannot keep the update's archive in " + folder.string());
  std::string path = (folder / name).string();
  events_->OnGetClientFileName(path);
  success_ = false;

  if (fs::exists(path, ec)) {
    bool overwrite = options.uoOverwrite;
    events_->OnClientFileExists(path, overwrite);
    if (!overwrite) return fail(path + " exists and is not to be overwritten");
    // An archive of an earlier attempt must not stand in for a transfer that fails.
    if (!fs::remove(path, ec) && ec) return fail("cannot replace " + path + ": " + ec.message());
  }
  events_->OnBeforeDownload(path);
  HttpGetResult r = HttpGet(values_.download, path, true, true);
  if (!r.success) error_ = "cannot download " + values_.download + ": " + r.error;
  events_->OnAfterDownload(path);
  return r.success;
}

}  // namespace trakvella
