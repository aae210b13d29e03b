#pragma once
// TWebUpdate: the check of the product web site for a newer program version —
// reading the update page's META fields, following its redirections, asking,
// showing the information page and downloading the update archive. Borrows the
// Downloader for its transfers; the start window owns the component and its events.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/net/Downloads.h"

namespace trakvella {

// The META names read from the update page.
struct TUpdateTagInfo {
  std::string Author = "tvAuthor";
  std::string Email = "tvEmail";
  std::string ClientFileName = "tvClientSideName";
  std::string Download = "tvDownload";
  std::string ProductName = "tvProduct";
  std::string Redirection = "tvRedirection";
  std::string RunParameters = "tvRunParameters";
  std::string Version = "tvVersion";
};

// How versions compare: vfString, an ordinal comparison byte by byte, is the
// only form the program uses.
enum class TVersionFormat { vfString };

struct TUpdateProductInfo {
  std::string URL = "http://";
  std::string Version = "1.0";
  TVersionFormat VersionFormat = TVersionFormat::vfString;
};

struct TUpdateInfoCaption {
  std::string OkButton = "&OK";
  std::string CancelButton = "&Cancel";  // becomes the information window's caption
  std::string CheckForUpdate = "C&heck for updates in the future";
};

struct TUpdateOptions {
  bool uoRunUpdate = false;
  bool uoTerminate = false;
  bool uoOverwrite = true;
};

// What the update page told, all empty before a page is read.
struct UpdatePageValues {
  std::string productName, clientFileName, version, author, email, download, redirection, runParameters;
};

// Reads the META lines of an update page into values. Every line holding
// "META NAME" (exactly so) is read: the name starts 11 characters after
// "META NAME" and runs to the next double quote; the value starts 9 characters
// after "CONTENT=" (found in the upper-cased line) and runs to the next double
// quote or the line end, cut to 255 characters. A name equal (case-sensitive)
// to one of tags' names fills that slot; the last such line wins. A line
// without "CONTENT=" gives no value. The page is UTF-8 or, when it is not
// valid UTF-8, code page 1251.
void ReadMetaTags(std::string_view page, const TUpdateTagInfo& tags, UpdatePageValues& values);

// Whether remote is a newer version than local: greater in an ordinal
// comparison of their bytes ("3.3.1.1000" is not newer than "3.3.1.388").
bool IsNewerVersion(std::string_view local, std::string_view remote, TVersionFormat format = TVersionFormat::vfString);

// What the information window shows, and what it answers.
struct UpdateInfoShowing {
  std::string url;       // the page: the redirection when one was read, else the product URL
  std::string pageText;  // the page as fetched, for a read-only view
  std::string okCaption, caption, checkCaption;
  bool checkForUpdate = true;  // the (hidden) check box
};
struct UpdateInfoAnswer {
  bool ok = false;  // closed with OK
  bool checkForUpdate = true;
};

// What the owner of a check hears and answers, in the order a check raises them. Each has the
// default of an owner that does not listen; without ShowInfoWindow the update is not taken. The
// check's transfers report to it as a DownloadListener (OnDownload, OnDownloadError).
class WebUpdateEvents : public DownloadListener {
 public:
  virtual void OnBeforeGetInfo() {}
  virtual void OnAfterGetInfo() {}
  virtual void OnUpdateAvailable(const std::string& actualVersion, const std::string& newVersion, bool& canUpdate) {
    (void)actualVersion, (void)newVersion, (void)canUpdate;
  }
  virtual void OnBeforeShowInfo(bool& showInfo, bool& checkForUpdate) { (void)showInfo, (void)checkForUpdate; }
  // The information window, shown modally.
  virtual UpdateInfoAnswer ShowInfoWindow(const UpdateInfoShowing& showing) {
    (void)showing;
    return {};
  }
  virtual void OnAfterShowInfo(bool checkForUpdate) { (void)checkForUpdate; }
  virtual void OnGetClientFileName(std::string& fileName) { (void)fileName; }
  virtual void OnClientFileExists(const std::string& fileName, bool& overwrite) { (void)fileName, (void)overwrite; }
  virtual void OnBeforeDownload(const std::string& fileName) { (void)fileName; }
  virtual void OnAfterDownload(const std::string& fileName) { (void)fileName; }
  virtual void OnNoUpdateFound() {}
};

class TWebUpdate {
 public:
  // Redirections followed before a check gives up; a page naming one already
  // visited stops at once.
  static constexpr int kMaxRedirections = 8;

  explicit TWebUpdate(Downloader& downloader);
  ~TWebUpdate();

  TUpdateTagInfo metaNames;    // the META names the page is read for
  TUpdateProductInfo product;  // the page's address and the version it is compared with
  TUpdateInfoCaption infoCaptions;
  TUpdateOptions options;
  int httpPort = 80;  // used for an address that names no port
  std::string userName, password;
  // The folder the archive is downloaded into (made when missing); the
  // system's temporary folder when empty.
  std::string targetFolder;
  static constexpr const char* kVersion = "1.21";  // this update check's own version

  // Who hears the check's events from now on (nullptr: nobody, the defaults of WebUpdateEvents);
  // borrowed, it outlives the checks it hears.
  void SetEvents(WebUpdateEvents* events) { events_ = events ? events : &noEvents_; }

  // The whole check: reads the page (following redirections), asks, shows the
  // information and downloads the archive. True only when the archive arrived
  // whole. False at once while a check is running.
  [[nodiscard]] bool CheckUpdate();
  // Reads the update page and its redirections only (no events but the
  // transfer's own): true when a page arrived and no redirection loop stopped it.
  [[nodiscard]] bool GetInfo();
  // Stops the running transfer at its next block.
  void AbortTransfer() { downloader_.AbortTransfer(); }

  const UpdatePageValues& values() const { return values_; }
  // The text of the last page read.
  const std::string& pageText() const { return pageText_; }
  // Why the last check or read stopped short ("" when it did not).
  const std::string& error() const { return error_; }
  // Whether the last transfer succeeded.
  bool success() const { return success_; }
  bool running() const { return running_; }

 private:
  WebUpdateEvents noEvents_;
  WebUpdateEvents* events_ = &noEvents_;
  HttpGetResult HttpGet(const std::string& url, const std::string& fileName, bool toFile, bool needLength);
  std::string WithPort(const std::string& url) const;
  [[nodiscard]] bool ShowInfo();
  [[nodiscard]] bool DownloadUpdate();

  Downloader& downloader_;
  UpdatePageValues values_;
  std::string pageText_;
  std::string pageUrl_;
  std::string error_;
  bool success_ = false;
  bool running_ = false;
};

}  // namespace trakvella
