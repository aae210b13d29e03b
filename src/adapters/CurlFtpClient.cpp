#include "adapters/CurlFtpClient.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "adapters/LoadedLibraries.h"
#include "adapters/NoProxyList.h"
#include "core/text/PercentEncoding.h"

namespace trakvella {

namespace {

// How long the loop waits for the sockets before it hands control back.
constexpr int kPollMs = 50;

using Clock = std::chrono::steady_clock;

std::string_view TrimLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' ')) line.remove_suffix(1);
  return line;
}

// A reply line that ends a reply: three digits and a blank (or nothing).
bool IsFinalReplyLine(std::string_view line) {
  if (line.size() < 3) return false;
  for (int i = 0; i < 3; ++i)
    if (line[i] < '0' || line[i] > '9') return false;
  return line.size() == 3 || line[3] == ' ';
}

std::string UpperWord(std::string_view text) {
  std::string word(text.substr(0, text.find(' ')));
  for (char& c : word)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return word;
}

}  // namespace

// One session: the multi handle owns the connection cache, the easy handle is
// reused for every operation of the session.
struct CurlFtpClient::Session {
  FtpLogin login;
  const CurlApi* api = nullptr;
  CURLM* multi = nullptr;
  CURL* easy = nullptr;
  std::string noProxy = NoProxyList();
  char errorText[CURL_ERROR_SIZE] = {};
  FtpStatusListener* const* statusListener = nullptr;  // the client's, as it stands at each text

  // The reply of the command being watched (the first word of a command sent).
  std::string watched;
  bool capturing = false;
  bool captured = false;
  std::vector<std::string> reply;
  std::string lastCommand;
  std::string lastErrorReply;  // the last reply line with a 4xx or 5xx code
  bool tls = false;

  // The bounds of the running operation.
  FtpLimits limits;
  Clock::time_point start;
  bool limitExceeded = false;
  std::string limitError;
  int64_t replyBytes = 0;

  // The transfer of the running operation.
  std::string* memory = nullptr;
  const std::filesystem::path* target = nullptr;  // made at the first byte
  int fd = -1;
  bool writeFailed = false;
  std::string writeError;
  int64_t bytes = 0;
  const std::function<bool(int64_t)>* onProgress = nullptr;
  bool aborted = false;

  ~Session() {
    if (fd >= 0) ::close(fd);
    if (multi && easy) api->multi_remove_handle(multi, easy);
    if (easy) api->easy_cleanup(easy);
    if (multi) api->multi_cleanup(multi);
  }

  void Status(std::string_view text) {
    text = TrimLineEnd(text);
    if (!text.empty() && statusListener && *statusListener) (*statusListener)->FtpStatus(std::string(text));
  }

  // Everything one operation leaves behind is forgotten as the next starts.
  void StartOperation(const FtpLimits& newLimits) {
    errorText[0] = '\0';
    limits = newLimits;
    start = Clock::now();
    limitExceeded = false;
    limitError.clear();
    replyBytes = 0;
    bytes = 0;
    aborted = false;
    writeFailed = false;
    capturing = false;
    captured = false;
    reply.clear();
    lastErrorReply.clear();
  }

  // Past the operation's bytes or its time: the operation ends.
  bool PastLimits(int64_t total) {
    if (limits.maxBytes >= 0 && total > limits.maxBytes) {
      limitExceeded = true;
      limitError = "more than " + std::to_string(limits.maxBytes) + " bytes";
    } else if (limits.totalTimeoutMs > 0 &&
               std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count() >
                   limits.totalTimeoutMs) {
      limitExceeded = true;
      limitError = "took longer than " + std::to_string(limits.totalTimeoutMs / 1000) + " s";
    }
    return limitExceeded;
  }

  void ReplyLine(std::string_view line) {
    line = TrimLineEnd(line);
    if (line.empty()) return;
    Status(line);
    if (IsFinalReplyLine(line) && (line[0] == '4' || line[0] == '5')) lastErrorReply = std::string(line);
    if (lastCommand == "AUTH" && line.starts_with("234")) tls = true;
    if (capturing) {
      replyBytes += static_cast<int64_t>(line.size());
      if (PastLimits(replyBytes)) {
        capturing = false;
        return;
      }
      reply.emplace_back(line);
      if (IsFinalReplyLine(line)) {
        capturing = false;
        captured = true;
      }
    }
  }

  void CommandSent(std::string_view line) {
    line = TrimLineEnd(line);
    lastCommand = UpperWord(line);
    // The password is never shown.
    Status(lastCommand == "PASS" ? std::string_view("PASS ****") : line);
    if (!watched.empty() && !captured && lastCommand == watched) {
      capturing = true;
      reply.clear();
    }
  }
};

namespace {

using Session = CurlFtpClient::Session;

int Debug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  auto* s = static_cast<Session*>(user);
  std::string_view text(data, size);
  switch (type) {
    case CURLINFO_TEXT: {
      // libcurl's own notes: only the connection steps a user follows.
      const std::string_view note = text.substr(
          text.find_first_not_of(' ') == std::string_view::npos ? text.size() : text.find_first_not_of(' '));
      for (std::string_view step : {"Trying ", "Connected to ", "SSL connection using ", "Closing connection"})
        if (note.starts_with(step)) s->Status(note);
      break;
    }
    case CURLINFO_HEADER_IN:
      for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        s->ReplyLine(text.substr(start, end - start));
        start = end + 1;
      }
      break;
    case CURLINFO_HEADER_OUT:
      s->CommandSent(text);
      break;
    default:
      break;
  }
  return 0;
}

// Makes the part file: new, never through a link of that name.
bool OpenTarget(Session& s) {
  if (s.fd >= 0) return true;
  s.fd = ::open(s.target->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (s.fd < 0) {
    s.writeFailed = true;
    s.writeError = "cannot write " + s.target->string() + ": " + std::strerror(errno);
  }
  return s.fd >= 0;
}

bool WriteTarget(Session& s, const char* data, size_t size) {
  if (!OpenTarget(s)) return false;
  for (size_t at = 0; at < size;) {
    const ssize_t n = ::write(s.fd, data + at, size - at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      s.writeFailed = true;
      s.writeError = "cannot write " + s.target->string() + ": " + std::strerror(n < 0 ? errno : ENOSPC);
      return false;
    }
    at += static_cast<size_t>(n);
  }
  return true;
}

size_t Write(char* data, size_t, size_t size, void* user) {
  auto* s = static_cast<Session*>(user);
  if (s->PastLimits(s->bytes + static_cast<int64_t>(size))) {
    // A listing keeps what fits.
    if (s->memory && s->limits.maxBytes > s->bytes)
      s->memory->append(data, static_cast<size_t>(s->limits.maxBytes - s->bytes));
    return CURL_WRITEFUNC_ERROR;
  }
  if (s->memory) {
    s->memory->append(data, size);
  } else if (s->target) {
    if (!WriteTarget(*s, data, size)) return CURL_WRITEFUNC_ERROR;
  }
  s->bytes += static_cast<int64_t>(size);
  if (s->onProgress && *s->onProgress && !(*s->onProgress)(s->bytes)) {
    s->aborted = true;
    return CURL_WRITEFUNC_ERROR;
  }
  return size;
}

struct Operation {
  std::string url;
  bool noBody = false;
  std::string quote;  // one raw command sent before anything else, its failure ignored
};

}  // namespace

std::string FtpUrl(const std::string& host, int port, std::string_view remotePath) {
  std::string url = "ftp://" + host + ":" + std::to_string(port) + "/";
  if (remotePath.starts_with('/')) {
    url += "%2F";
    remotePath.remove_prefix(1);
  }
  for (size_t start = 0; start <= remotePath.size();) {
    size_t end = remotePath.find('/', start);
    if (end == std::string_view::npos) end = remotePath.size();
    url += PercentEncode(remotePath.substr(start, end - start));
    if (end < remotePath.size()) url += '/';
    start = end + 1;
  }
  return url;
}

namespace {

// The options of one operation: the login, TLS, time-outs, and the session's callbacks.
void SetOptions(Session& s, const Operation& op) {
  const CurlApi* api = s.api;
  CURL* easy = s.easy;
  const FtpLogin& login = s.login;
  api->easy_setopt(easy, CURLOPT_URL, op.url.c_str());
  api->easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
  api->easy_setopt(easy, CURLOPT_USERNAME, login.user.c_str());
  api->easy_setopt(easy, CURLOPT_PASSWORD, login.password.c_str());
  // TLS when the server offers it (explicit FTPS on the control and the data
  // connections), plain only with a server that does not, unless TLS is
  // required: then such a server is refused before the password is sent.
  api->easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(login.requireTls ? CURLUSESSL_ALL : CURLUSESSL_TRY));
  if (!login.caFile.empty()) api->easy_setopt(easy, CURLOPT_CAINFO, login.caFile.c_str());
  api->easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
  api->easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  api->easy_setopt(easy, CURLOPT_NOPROXY, s.noProxy.c_str());
  api->easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(std::max(1, login.connectTimeoutMs)));
  const long readSeconds = std::max(1, (login.readTimeoutMs + 999) / 1000);
  api->easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, readSeconds);
  // Fewer than one byte a second for the read time-out ends a transfer.
  api->easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  api->easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, readSeconds);
  api->easy_setopt(easy, CURLOPT_ERRORBUFFER, s.errorText);
  api->easy_setopt(easy, CURLOPT_VERBOSE, 1L);
  api->easy_setopt(easy, CURLOPT_DEBUGFUNCTION, Debug);
  api->easy_setopt(easy, CURLOPT_DEBUGDATA, &s);
  api->easy_setopt(easy, CURLOPT_WRITEFUNCTION, Write);
  api->easy_setopt(easy, CURLOPT_WRITEDATA, &s);
  if (op.noBody) api->easy_setopt(easy, CURLOPT_NOBODY, 1L);
}

// Runs one operation of the session within its limits; the result code of libcurl.
CURLcode Run(Session& s, const Operation& op, const FtpLimits& limits) {
  const CurlApi* api = s.api;
  CURL* easy = s.easy;
  api->easy_reset(easy);
  s.StartOperation(limits);
  SetOptions(s, op);
  curl_slist* quote = nullptr;
  if (!op.quote.empty()) {
    quote = api->slist_append(quote, ("*" + op.quote).c_str());
    api->easy_setopt(easy, CURLOPT_QUOTE, quote);
  }

  CURLcode result = CURLE_OK;
  if (api->multi_add_handle(s.multi, easy) != CURLM_OK) {
    api->slist_free_all(quote);
    return CURLE_FAILED_INIT;
  }
  for (;;) {
    int running = 0;
    if (api->multi_perform(s.multi, &running) != CURLM_OK) {
      result = CURLE_FAILED_INIT;
      break;
    }
    if (running == 0) {
      int left = 0;
      result = CURLE_OK;
      while (CURLMsg* msg = api->multi_info_read(s.multi, &left))
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy) result = msg->data.result;
      break;
    }
    if (s.limitExceeded || s.PastLimits(s.bytes)) {
      result = CURLE_ABORTED_BY_CALLBACK;
      break;
    }
    if (s.aborted || (s.onProgress && *s.onProgress && !(*s.onProgress)(s.bytes))) {
      s.aborted = true;
      result = CURLE_ABORTED_BY_CALLBACK;
      break;
    }
    api->multi_poll(s.multi, nullptr, 0, kPollMs, nullptr);
  }
  // Taken out mid-transfer, the handle's connection is closed; the next
  // operation logs in again.
  api->multi_remove_handle(s.multi, easy);
  api->easy_setopt(easy, CURLOPT_QUOTE, nullptr);
  api->slist_free_all(quote);
  return result;
}

// Why a run of the session failed, the most telling reason first.
Status Failure(const Session& s, CURLcode code) {
  if (s.aborted) return Status::Aborted("aborted");
  if (s.limitExceeded) return Status::LimitExceeded("stopped: " + s.limitError);
  if (s.writeFailed) return Status::IOError(s.writeError);
  std::string text = s.errorText[0] ? s.errorText : s.api->easy_strerror(code);
  if (!s.lastErrorReply.empty() && text.find(s.lastErrorReply) == std::string::npos)
    text += " (" + s.lastErrorReply + ")";
  return Status::NetworkError(text);
}

Status NotConnected() { return Status::InvalidArgument("not connected"); }

std::vector<std::string> SplitListing(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

// libcurl is loaded and started at the first Connect.
CurlFtpClient::CurlFtpClient() = default;

CurlFtpClient::~CurlFtpClient() = default;

Status CurlFtpClient::Connect(const FtpLogin& login) {
  Disconnect();
  tlsMissing_ = false;
  auto s = std::make_unique<Session>();
  s->login = login;
  s->statusListener = &statusListener_;
  std::string why;
  s->api = Curl(why);
  if (!s->api) return Status::NetworkError(why);
  s->multi = s->api->multi_init();
  s->easy = s->api->easy_init();
  if (!s->multi || !s->easy) {
    return Status::NetworkError("cannot start an FTP session");
  }
  // Logging in and nothing else: the starting folder's address without a body.
  const CURLcode code = Run(*s, {FtpUrl(login.host, login.port, ""), true, ""}, {login.loginTimeoutMs, -1});
  encrypted_ = code == CURLE_OK && s->tls;
  if (code != CURLE_OK) {
    tlsMissing_ = login.requireTls && code == CURLE_USE_SSL_FAILED;
    if (tlsMissing_) return Status::NetworkError("the server offers no TLS; the password was not sent");
    return Failure(*s, code);
  }
  session_ = std::move(s);
  return Status::OK();
}

Status CurlFtpClient::List(std::vector<std::string>& lines, const FtpLimits& limits) {
  lines.clear();
  if (!session_) {
    return NotConnected();
  }
  Session& s = *session_;
  std::string text;
  s.memory = &text;
  const CURLcode code = Run(s, {FtpUrl(s.login.host, s.login.port, ""), false, ""}, limits);
  s.memory = nullptr;
  encrypted_ = encrypted_ || s.tls;
  lines = SplitListing(text);
  if (code != CURLE_OK) return Failure(s, code);
  return Status::OK();
}

Status CurlFtpClient::Size(const std::string& remotePath, int64_t& size) {
  size = -1;
  if (!session_) {
    return NotConnected();
  }
  Session& s = *session_;
  s.watched = "SIZE";
  const CURLcode code =
      Run(s, {FtpUrl(s.login.host, s.login.port, remotePath), true, ""}, {s.login.loginTimeoutMs, -1});
  s.watched.clear();
  if (s.captured && !s.reply.empty()) {
    // "213 12345": the size; any other reply: the server gives none.
    const std::string& line = s.reply.back();
    if (line.starts_with("213 ")) {
      char* end = nullptr;
      const long long value = std::strtoll(line.c_str() + 4, &end, 10);
      if (end != line.c_str() + 4 && value >= 0) size = value;
    }
    return Status::OK();
  }
  if (code == CURLE_OK) return Status::OK();
  return Failure(s, code);
}

Status CurlFtpClient::Retrieve(const std::string& remotePath, const std::filesystem::path& localFile,
                               int64_t expectedSize, const FtpLimits& limits,
                               const std::function<bool(int64_t bytes)>& onProgress) {
  if (!session_) {
    return NotConnected();
  }
  Session& s = *session_;
  // The bytes go to a part file of its own, renamed over the local file only
  // when the whole file arrived: a transfer that breaks, a process killed
  // midway or a full disk never leave a cut file under the final name. A part
  // file left by a killed run is removed (a link of that name too, not what it
  // points to).
  std::filesystem::path part = localFile;
  part += ".part";
  std::error_code ec;
  std::filesystem::remove(part, ec);
  s.target = &part;
  s.fd = -1;
  s.writeFailed = false;
  s.writeError.clear();
  s.onProgress = &onProgress;
  CURLcode code = Run(s, {FtpUrl(s.login.host, s.login.port, remotePath), false, ""}, limits);
  s.onProgress = nullptr;
  // An empty file that arrived whole still gets its file.
  if (code == CURLE_OK && !OpenTarget(s)) code = CURLE_WRITE_ERROR;
  s.target = nullptr;
  if (s.fd >= 0) {
    if (::close(s.fd) != 0 && code == CURLE_OK) {
      s.writeFailed = true;
      s.writeError = "cannot write " + part.string() + ": " + std::strerror(errno);
      code = CURLE_WRITE_ERROR;
    }
    s.fd = -1;
  }
  Status status;
  if (code != CURLE_OK) {
    status = Failure(s, code);
  } else if (expectedSize >= 0 && s.bytes != expectedSize) {
    status = Status::NetworkError("the transfer ended after " + std::to_string(s.bytes) + " of " +
                                  std::to_string(expectedSize) + " bytes");
  } else {
    std::filesystem::rename(part, localFile, ec);
    if (ec) status = Status::IOError("cannot write " + localFile.string() + ": " + ec.message());
  }
  if (!status.ok()) std::filesystem::remove(part, ec);
  return status;
}

Status CurlFtpClient::Command(const std::string& command, std::vector<std::string>& replyLines,
                              const FtpLimits& limits) {
  replyLines.clear();
  if (!session_) {
    return NotConnected();
  }
  Session& s = *session_;
  s.watched = UpperWord(command);
  const CURLcode code = Run(s, {FtpUrl(s.login.host, s.login.port, ""), true, command}, limits);
  s.watched.clear();
  if (s.limitExceeded) return Failure(s, code);
  if (s.captured || !s.reply.empty()) {
    replyLines = s.reply;
    return Status::OK();
  }
  return code == CURLE_OK ? Status::NetworkError("no reply") : Failure(s, code);
}

void CurlFtpClient::Disconnect() { session_.reset(); }

}  // namespace trakvella
