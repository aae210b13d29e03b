#pragma once
// Downloads: the program's plain HTTP transfers — one GET into memory or into a file, and the file
// download routines for demo tracks, previews and the top list. A Downloader borrows the ports and network state.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/lang/MessageTable.h"
#include "ports/Dialogs.h"
#include "ports/HttpClient.h"
#include "ports/Progress.h"

namespace trakvella {

// networkState: whether the network has worked so far. The main window fetches
// its online data only while it is kNetworkWorking.
inline constexpr int kNetworkWorking = 0;
inline constexpr int kNetworkUpdateFailed = 1;    // the update check failed
inline constexpr int kNetworkDownloadFailed = 2;  // a file download failed
inline constexpr int kNetworkOffline = 3;         // no network connection

struct NetworkState {
  int networkState = kNetworkWorking;
};

// Files below this size are thrown away by the routines asked to delete small ones.
inline constexpr int64_t kSmallFileLimit = 10000;

struct HttpGetResult {
  bool success = false;
  // Stopped by the cancel flag or AbortTransfer.
  bool aborted = false;
  // Into memory: the bytes received.
  std::string text;
  // The announced length (-1 unknown) and the bytes received.
  int64_t total = -1;
  int64_t downloaded = 0;
  // The last HTTP status, 0 when none arrived; why it failed.
  int status = 0;
  std::string error;
  // The transfer itself broke: no connection, a time-out, the connection cut
  // short. Not an error answer of the server, a cancel or a local file error.
  bool transferError = false;
};

// What a downloader's transfers report as they go. Whoever wires a downloader
// owns its listener; each call has a default that ignores it.
class DownloadListener {
 public:
  virtual ~DownloadListener() = default;
  // After every block: the announced length (0 when unknown) and the bytes so far.
  virtual void OnDownload(int64_t total, int64_t downloaded) { (void)total, (void)downloaded; }
  // After a transfer that failed (not after a local file error).
  virtual void OnDownloadError() {}
};

class Downloader {
 public:
  Downloader(HttpClient& http, Progress& progress, Dialogs& dialogs, const Language& language, NetworkState& network);

  // Time-outs of every transfer: the connection, and the longest time without a byte.
  int connectTimeoutMs = 10000;
  int readTimeoutMs = 30000;
  // A transfer into memory (a page) takes at most this long and holds at most
  // this much; past either it fails.
  int pageTimeoutMs = 30000;
  int64_t maxPageBytes = 4 << 20;
  // A transfer into a file may take this long, or for an announced length the
  // time it takes at the slowest rate, whichever is longer.
  int fileTimeoutMs = 10 * 60 * 1000;
  int64_t slowestFileBytesPerSecond = 64 * 1024;
  // The host for an address that names none ("/path"): the update page's host.
  std::string defaultHost;

  // Who hears the transfers from now on (nullptr: nobody); borrowed, it outlives
  // the transfers it hears. Returns the one heard before.
  DownloadListener* SetListener(DownloadListener* listener) { return std::exchange(listener_, listener); }

  // One GET of url, without cache. Clears the cancel flag first and stops when
  // it or AbortTransfer is set between blocks; pumps the window after every block.
  // Into memory (toFile false): success when at least one byte arrived, also
  // when the connection broke before the announced end, unless the page went
  // past pageTimeoutMs or maxPageBytes. Into a file: success when the bytes
  // received equal the announced length (or, with needLength false and no
  // length announced, when the transfer ended normally). The bytes go to
  // fileName + ".part", made new by the client, renamed to fileName only on
  // success: a failed or partial transfer leaves no file and keeps whatever
  // fileName held before. needLength makes a transfer without an announced
  // length fail.
  HttpGetResult HttpGet(const std::string& url, const std::string& userName, const std::string& fileName, bool toFile,
                        bool needLength, const std::string& password);
  // Stops the running transfer at its next block.
  void AbortTransfer() { abort_ = true; }
  // Whether the cancel flag stopped the last run.
  bool Cancelled() const { return progress_.Cancelled(); }

  // Downloads url into folder (created when missing) under the last path element
  // of name. A progress message is shown with "..." in the progress window with
  // its cancel button while it runs. A transfer error sets networkState to 2; a
  // missing file (an error answer of the server) does not. True when the file
  // arrived whole.
  [[nodiscard]] bool DownloadFile(const std::string& url, const std::string& name, std::optional<Msg> progressMessage,
                                  const std::string& folder);

  // Downloads each URL into folder under the URL's last path element; with
  // Msg::DownloadingFiles the progress window reads "Downloading files (3 of
  // 10)...", the counting word being the message after the progress message. A
  // file below kSmallFileLimit is deleted when deleteSmall is set. With a
  // progress message, a failed or deleted file is reported ("Could not
  // download!", and for any but the last URL that and "Continue?" as a question
  // whose No stops). The cancel flag stops the run. Returns the number of files
  // that arrived and were kept.
  int DownloadFiles(const std::vector<std::string>& urls, const std::string& folder, bool deleteSmall,
                    std::optional<Msg> progressMessage);
  // The same, with URL i saved as folder + names[i] (a URL without a name uses
  // its last path element; a name is cut to its last path element, so it
  // never lands outside folder).
  int DownloadFilesAs(const std::vector<std::string>& urls, const std::vector<std::string>& names, bool deleteSmall,
                      std::optional<Msg> progressMessage, const std::string& folder);
  // One file of DownloadFilesNamed: saved under name as DownloadFilesAs does, and
  // named by label in its failure message.
  struct NamedFile {
    std::string url, name, label;
  };
  // DownloadFilesAs naming file i in its failure message ("Track (2 of 5):
  // label" and "Could not download!"), and telling for each file whether it
  // arrived in this run and was kept (an older file of that name does not count).
  std::vector<bool> DownloadFilesNamed(const std::vector<NamedFile>& files, bool deleteSmall,
                                       std::optional<Msg> progressMessage, const std::string& folder);

 private:
  DownloadListener* listener_ = nullptr;
  bool Aborted() const { return abort_ || progress_.Cancelled(); }
  std::string Message(Msg message) const;
  std::vector<bool> RunDownloads(const std::vector<std::string>& urls,
                                 const std::vector<std::filesystem::path>& targets, bool deleteSmall,
                                 std::optional<Msg> progressMessage, const std::string& folder,
                                 const std::vector<std::string>* labels = nullptr);
  static std::vector<std::filesystem::path> NamedTargets(const std::vector<std::string>& urls,
                                                         const std::vector<std::string>& names,
                                                         const std::string& folder);

  HttpClient& http_;
  Progress& progress_;
  Dialogs& dialogs_;
  const Language& language_;
  NetworkState& network_;
  bool abort_ = false;
};

// The last path element of a name or URL: the text after its last "/" or "\".
std::string LastPathElement(const std::string& name);

// The size of the file in bytes, -1 when there is no such file.
int64_t FileSizeOf(const std::filesystem::path& path);

}  // namespace trakvella
