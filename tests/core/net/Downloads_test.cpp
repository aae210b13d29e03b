// HttpGet and the file download routines against real servers on loopback:
// python's http.server for good files, a small script of our own for the bad
// answers (error statuses, short and long bodies, a server that never answers).
#include "core/net/Downloads.h"

#include <memory>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/CurlHttpClient.h"
#include "core/lang/MessageTable.h"
#include "support/Fakes.h"
#include "support/LoopbackServer.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The answers a good server would never give. Every path is one case.
constexpr const char* kBadServerScript = R"PY(
import os, sys, time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    def log_message(self, *args):
        pass
    def answer(self, status, body, length=None, headers=()):
        self.send_response(status)
        if length is not None:
            self.send_header("Content-Length", str(length))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()
    def do_GET(self):
        p = self.path
        if p == "/status500": self.answer(500, b"server broke", 12)
        elif p == "/empty": self.answer(200, b"", 0)
        elif p == "/three": self.answer(200, b"abc", 3)
        elif p == "/short": self.answer(200, b"x" * 100, 1000)
        elif p == "/long": self.answer(200, b"0123456789", 5)
        elif p == "/nolength": self.answer(200, b"no length here")
        elif p == "/redirect": self.answer(302, b"", 0, [("Location", "/three")])
        elif p == "/hang": time.sleep(60)
        elif p == "/trickle":
            self.answer(200, b"", 1000)
            for _ in range(1000):
                self.wfile.write(b"t")
                self.wfile.flush()
                time.sleep(0.1)
        elif p == "/huge":
            self.answer(200, b"")
            for _ in range(80):
                self.wfile.write(b"h" * 65536)
        elif p.startswith("/echo"):
            body = (p + "\n" + str(self.headers)).encode("utf-8")
            self.answer(200, body, len(body))
        else: self.answer(404, b"missing", 7)

server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
with open(sys.argv[1] + ".tmp", "w") as f:
    f.write(str(server.server_address[1]))
os.rename(sys.argv[1] + ".tmp", sys.argv[1])
server.serve_forever()
)PY";

std::string Bytes(size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + seed * 7 + i / 97) & 0xFF);
  return s;
}

// Both servers and the files they serve, for the whole suite.
struct Servers {
  TempDir dir;
  std::unique_ptr<LoopbackServer> files, bad;
  std::string filesBase, badBase;  // "http://127.0.0.1:P"

  Servers() {
    fs::path www = dir.path() / "www";
    WriteFile(www / "page.txt", "<META NAME=\"tvVersion\" CONTENT=\"3.3.1.389\">\r\nsecond line\r\n");
    WriteFile(www / "big.bin", Bytes(50000, 1));
    WriteFile(www / "large.bin", Bytes(5'000'000, 2));
    WriteFile(www / "tiny.mp3", "ID3");
    WriteFile(www / "audio" / "KMLB_001_001.mp3", Bytes(20000, 3));
    WriteFile(www / "audio" / "KMLB_001_002.mp3", Bytes(10000, 4));
    WriteFile(www / "audio" / "KMLB_001_003.mp3", Bytes(9999, 5));
    WriteFile(www / "demo files" / "трек 1.mp3", Bytes(12345, 6));
    files = std::make_unique<LoopbackServer>(LoopbackServer::ServeFolder(www));

    fs::path script = dir.path() / "bad_server.py";
    WriteFile(script, kBadServerScript);
    bad = std::make_unique<LoopbackServer>(LoopbackServer::RunScript(script));
    if (!files->Running() || !bad->Running()) throw std::runtime_error("the test servers did not start");
    filesBase = files->base();
    badBase = bad->base();
  }
};

// The ports wired to a Downloader with short time-outs.
struct Rig : DownloadListener {
  CurlHttpClient http;
  FakeProgress progress;
  FakeDialogs dialogs;
  NetworkState network;
  Language language = Language::English;
  Downloader downloader{http, progress, dialogs, language, network};
  std::vector<int64_t> seen;  // Downloaded after each block
  int64_t lastTotal = -2;
  int errors = 0;

  Rig() {
    downloader.connectTimeoutMs = 2000;
    downloader.readTimeoutMs = 2000;
    downloader.SetListener(this);
  }
  void OnDownload(int64_t total, int64_t downloaded) override {
    lastTotal = total;
    seen.push_back(downloaded);
  }
  void OnDownloadError() override { ++errors; }
};

class DownloadsServers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { servers_ = new Servers; }
  static void TearDownTestSuite() {
    delete servers_;
    servers_ = nullptr;
  }
  const std::string& Files() const { return servers_->filesBase; }
  const std::string& Bad() const { return servers_->badBase; }
  fs::path Served(const std::string& name) const { return servers_->dir.path() / "www" / name; }

  static Servers* servers_;
  TempDir out;
  Rig rig;
};
Servers* DownloadsServers::servers_ = nullptr;

bool NoPartFiles(const fs::path& folder) {
  if (!fs::exists(folder)) return true;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.path().extension() == ".part") return false;
  return true;
}

// --- HttpGet ------------------------------------------------------------------------------

using HttpGetTest = DownloadsServers;

TEST_F(HttpGetTest, ReadsIntoMemoryAndIntoAFileBlockByBlock) {
  auto page = rig.downloader.HttpGet(Files() + "/page.txt", "", "", false, false, "");
  EXPECT_TRUE(page.success);
  EXPECT_EQ(page.text, ReadFile(Served("page.txt")));
  EXPECT_EQ(page.status, 200);

  rig.seen.clear();
  int pumpsBefore = rig.progress.pumps;
  fs::path target = out.path() / "big.bin";
  auto file = rig.downloader.HttpGet(Files() + "/big.bin", "", target.string(), true, true, "");
  ASSERT_TRUE(file.success) << file.error;
  EXPECT_EQ(file.total, 50000);
  EXPECT_EQ(file.downloaded, 50000);
  EXPECT_EQ(ReadFile(target), ReadFile(Served("big.bin")));
  EXPECT_TRUE(NoPartFiles(out.path()));
  // One progress event and one pump per block of at most 1025 bytes.
  ASSERT_GE(rig.seen.size(), 49u);
  EXPECT_EQ(rig.lastTotal, 50000);
  EXPECT_EQ(rig.seen.back(), 50000);
  for (size_t i = 0; i < rig.seen.size(); ++i) {
    int64_t step = rig.seen[i] - (i ? rig.seen[i - 1] : 0);
    EXPECT_GT(step, 0);
    EXPECT_LE(step, 1025);
  }
  EXPECT_GE(rig.progress.pumps - pumpsBefore, static_cast<int>(rig.seen.size()));
  EXPECT_EQ(rig.errors, 0);
}

TEST_F(HttpGetTest, ErrorStatusesFailWithoutTakingTheBody) {
  fs::path target = out.path() / "x.bin";
  auto missing = rig.downloader.HttpGet(Files() + "/no-such-file", "", target.string(), true, true, "");
  EXPECT_FALSE(missing.success);
  EXPECT_EQ(missing.status, 404);
  auto broken = rig.downloader.HttpGet(Bad() + "/status500", "", "", false, false, "");
  EXPECT_FALSE(broken.success);
  EXPECT_EQ(broken.status, 500);
  EXPECT_EQ(broken.text, "");
  EXPECT_EQ(rig.errors, 2);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(NoPartFiles(out.path()));

  // Nobody listening.
  auto refused =
      rig.downloader.HttpGet("http://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/x", "", "", false, false, "");
  EXPECT_FALSE(refused.success);
  EXPECT_FALSE(refused.error.empty());
}

TEST_F(HttpGetTest, EmptyAndThreeByteBodies) {
  // Into memory a page needs a byte at least; a file of announced length 0 is whole.
  EXPECT_FALSE(rig.downloader.HttpGet(Bad() + "/empty", "", "", false, false, "").success);
  auto three = rig.downloader.HttpGet(Bad() + "/three", "", "", false, false, "");
  EXPECT_TRUE(three.success);
  EXPECT_EQ(three.text, "abc");

  fs::path empty = out.path() / "empty.bin", small = out.path() / "three.bin";
  auto e = rig.downloader.HttpGet(Bad() + "/empty", "", empty.string(), true, true, "");
  EXPECT_TRUE(e.success) << e.error;
  EXPECT_EQ(FileSizeOf(empty), 0);
  EXPECT_TRUE(rig.downloader.HttpGet(Bad() + "/three", "", small.string(), true, true, "").success);
  EXPECT_EQ(ReadFile(small), "abc");
  EXPECT_EQ(rig.errors, 1);
}

TEST_F(HttpGetTest, ShortBodyFailsAndKeepsTheFileThatWasThere) {
  fs::path target = out.path() / "short.bin";
  WriteFile(target, "the previous good file");
  auto r = rig.downloader.HttpGet(Bad() + "/short", "", target.string(), true, true, "");
  EXPECT_FALSE(r.success);
  EXPECT_EQ(r.total, 1000);
  EXPECT_EQ(r.downloaded, 100);
  EXPECT_EQ(ReadFile(target), "the previous good file");
  EXPECT_TRUE(NoPartFiles(out.path()));
  EXPECT_EQ(rig.errors, 1);

  // A page is read once a byte of it arrived, also when it is cut short.
  const HttpGetResult page = rig.downloader.HttpGet(Bad() + "/short", "", "", false, false, "");
  EXPECT_TRUE(page.success) << page.error;
  EXPECT_EQ(page.text, std::string(100, 'x'));
}

TEST_F(HttpGetTest, TransfersEndAtTheirTimeAndSizeHoweverTheServerTrickles) {
  // One byte every 0.1 s never lets the read time-out fire; the total time does.
  rig.downloader.pageTimeoutMs = rig.downloader.fileTimeoutMs = 1500;
  EXPECT_FALSE(rig.downloader.HttpGet(Bad() + "/trickle", "", "", false, false, "").success);
  const fs::path target = out.path() / "trickle.bin";
  EXPECT_FALSE(rig.downloader.HttpGet(Bad() + "/trickle", "", target.string(), true, true, "").success);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(NoPartFiles(out.path()));
  // A page past the cap fails, holding no more than the cap.
  rig.downloader.maxPageBytes = 1 << 20;
  const HttpGetResult huge = rig.downloader.HttpGet(Bad() + "/huge", "", "", false, false, "");
  EXPECT_FALSE(huge.success);
  EXPECT_LE(huge.text.size(), size_t{1} << 20);
}

TEST_F(HttpGetTest, APartFileOrLinkLeftBeforeIsNeverWrittenThrough) {
  // A link planted where the part file goes: the transfer replaces the link,
  // the file it points to stays as it was.
  const fs::path victim = out.path() / "victim.txt";
  WriteFile(victim, "keep me");
  const fs::path target = out.path() / "big.bin";
  fs::create_symlink(victim, out.path() / "big.bin.part");
  ASSERT_TRUE(rig.downloader.HttpGet(Files() + "/big.bin", "", target.string(), true, true, "").success);
  EXPECT_EQ(ReadFile(victim), "keep me");
  EXPECT_EQ(ReadFile(target), ReadFile(Served("big.bin")));
  EXPECT_TRUE(NoPartFiles(out.path()));
}

TEST_F(HttpGetTest, LongerBodyGivesTheAnnouncedLength) {
  fs::path target = out.path() / "long.bin";
  auto r = rig.downloader.HttpGet(Bad() + "/long", "", target.string(), true, true, "");
  EXPECT_TRUE(r.success) << r.error;
  EXPECT_EQ(ReadFile(target), "01234");
}

TEST_F(HttpGetTest, UnknownLengthFailsOnlyWhenTheLengthIsRequired) {
  fs::path target = out.path() / "nolength.bin";
  EXPECT_FALSE(rig.downloader.HttpGet(Bad() + "/nolength", "", target.string(), true, true, "").success);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(NoPartFiles(out.path()));
  auto page = rig.downloader.HttpGet(Bad() + "/nolength", "", "", false, false, "");
  EXPECT_TRUE(page.success);
  EXPECT_EQ(page.text, "no length here");
}

TEST_F(HttpGetTest, ServerThatNeverAnswersEndsByTheReadTimeout) {
  fs::path target = out.path() / "hang.bin";
  auto start = std::chrono::steady_clock::now();
  auto r = rig.downloader.HttpGet(Bad() + "/hang", "", target.string(), true, true, "");
  auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_FALSE(r.success);
  EXPECT_FALSE(r.aborted);
  EXPECT_LT(seconds, 6.0);
  EXPECT_GT(rig.progress.pumps, 0);  // the window stays alive while it waits
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(NoPartFiles(out.path()));
}

TEST_F(HttpGetTest, AddressesWithBlanksCyrillicRedirectsAndNoHost) {
  fs::path target = out.path() / "трек 1.mp3";
  auto r = rig.downloader.HttpGet(Files() + "/demo files/трек 1.mp3", "", target.string(), true, true, "");
  ASSERT_TRUE(r.success) << r.error;
  EXPECT_EQ(FileSizeOf(target), 12345);

  auto echo = rig.downloader.HttpGet(Bad() + "/echo/a b/ж%41/100%", "", "", false, false, "");
  ASSERT_TRUE(echo.success);
  EXPECT_THAT(echo.text, ::testing::StartsWith("/echo/a%20b/%D0%B6%41/100%25\n"));
  // Always from the server, never from a cache.
  EXPECT_THAT(echo.text, HasSubstr("Cache-Control: no-cache"));
  EXPECT_THAT(echo.text, HasSubstr("Pragma: no-cache"));

  auto moved = rig.downloader.HttpGet(Bad() + "/redirect", "", "", false, false, "");
  EXPECT_TRUE(moved.success);
  EXPECT_EQ(moved.text, "abc");

  // An address that starts with its path goes to the default host; no scheme means http.
  rig.downloader.defaultHost = Bad() + "/update.html";
  EXPECT_EQ(rig.downloader.HttpGet("/three", "", "", false, false, "").text, "abc");
  EXPECT_EQ(rig.downloader.HttpGet(Bad().substr(7) + "/three", "", "", false, false, "").text, "abc");
  rig.downloader.defaultHost.clear();
  EXPECT_FALSE(rig.downloader.HttpGet("/three", "", "", false, false, "").success);
}

TEST_F(HttpGetTest, CancelFlagStopsALargeTransferAndLeavesNoFile) {
  fs::path target = out.path() / "large.bin";
  rig.progress.cancelled = true;  // a cancel left over from before is cleared at the start
  rig.progress.cancelAfterPumps = rig.progress.pumps + 20;
  auto r = rig.downloader.HttpGet(Files() + "/large.bin", "", target.string(), true, true, "");
  EXPECT_TRUE(r.aborted);
  EXPECT_FALSE(r.success);
  EXPECT_GT(r.downloaded, 0);
  EXPECT_LT(r.downloaded, 100000);
  EXPECT_EQ(r.total, 5'000'000);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(NoPartFiles(out.path()));
  EXPECT_EQ(rig.errors, 1);
}

TEST(HttpAddresses, PercentEncodingLeavesValidAddressesAlone) {
  EXPECT_EQ(PercentEncodeUrl("http://h:8000/a/b.mp3?x=1&y=2#top"), "http://h:8000/a/b.mp3?x=1&y=2#top");
  EXPECT_EQ(PercentEncodeUrl("http://h/Web%20Client/a b\\c\"d"), "http://h/Web%20Client/a%20b%5Cc%22d");
  EXPECT_EQ(PercentEncodeUrl("http://h/Ё%zz%4"), "http://h/%D0%81%25zz%254");
}

// --- Download routines ----------------------------------------------------------------------

using DownloadRoutines = DownloadsServers;

TEST_F(DownloadRoutines, DownloadFileSavesUnderTheLastPathElementWithProgress) {
  fs::path folder = out.path() / "audio" / "new";
  EXPECT_TRUE(rig.downloader.DownloadFile(Files() + "/audio/KMLB_001_001.mp3", "KMLB_001/KMLB_001_001.mp3",
                                          Msg::DownloadingFiles, folder.string()));
  EXPECT_EQ(FileSizeOf(folder / "KMLB_001_001.mp3"), 20000);
  ASSERT_EQ(rig.progress.calls.size(), 2u);
  EXPECT_EQ(rig.progress.calls[0].text, "Downloading files...");
  EXPECT_EQ(rig.progress.calls[0].mode, 1);
  EXPECT_EQ(rig.progress.calls[1].mode, 0);
  EXPECT_EQ(rig.network.networkState, kNetworkWorking);

  // Without a progress message no window; a Windows-style name works too.
  rig.progress.calls.clear();
  EXPECT_TRUE(rig.downloader.DownloadFile(Files() + "/tiny.mp3", "x\\y\\tiny.mp3", std::nullopt, folder.string()));
  EXPECT_TRUE(rig.progress.calls.empty());
  EXPECT_EQ(ReadFile(folder / "tiny.mp3"), "ID3");
}

TEST_F(DownloadRoutines, OnlyABrokenTransferSetsTheNetworkState) {
  rig.progress.cancelAfterPumps = 5;
  EXPECT_FALSE(
      rig.downloader.DownloadFile(Files() + "/large.bin", "large.bin", Msg::DownloadingFiles, out.path().string()));
  EXPECT_EQ(rig.network.networkState, kNetworkWorking);
  rig.progress.cancelAfterPumps = -1;

  // A file the server does not have, or an error answer: the network works.
  EXPECT_FALSE(rig.downloader.DownloadFile(Files() + "/audio/KMLB_777_001.mp3", "KMLB_777_001.mp3",
                                           Msg::DownloadingFiles, out.path().string()));
  EXPECT_FALSE(
      rig.downloader.DownloadFile(Bad() + "/status500", "broken.bin", Msg::DownloadingFiles, out.path().string()));
  EXPECT_EQ(rig.network.networkState, kNetworkWorking);

  // A body cut short of its length is a broken transfer.
  EXPECT_FALSE(rig.downloader.DownloadFile(Bad() + "/short", "short.bin", Msg::DownloadingFiles, out.path().string()));
  EXPECT_EQ(rig.network.networkState, kNetworkDownloadFailed);
  EXPECT_EQ(FileSizeOf(out.path() / "short.bin"), -1);
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_EQ(rig.progress.calls.back().mode, 0);
  EXPECT_TRUE(NoPartFiles(out.path()));

  // So is no connection at all.
  rig.network.networkState = kNetworkWorking;
  EXPECT_FALSE(rig.downloader.DownloadFile("http://127.0.0.1:1/x.mp3", "x.mp3", std::nullopt, out.path().string()));
  EXPECT_EQ(rig.network.networkState, kNetworkDownloadFailed);
}

TEST_F(DownloadRoutines, DownloadFilesCountsInTheProgressAndDropsSmallFiles) {
  std::string audio = Files() + "/audio/";
  rig.dialogs.answers = {MessageAnswer::Yes};
  int kept =
      rig.downloader.DownloadFiles({audio + "KMLB_001_001.mp3", audio + "KMLB_001_003.mp3", audio + "KMLB_001_002.mp3"},
                                   out.path().string(), true, Msg::DownloadingFiles);
  EXPECT_EQ(kept, 2);
  std::vector<std::string> shown;
  for (const auto& c : rig.progress.calls)
    if (c.mode == 1) shown.push_back(c.text);
  EXPECT_THAT(shown, ElementsAre("Downloading files (1 of 3)...", "Downloading files (2 of 3)...",
                                 "Downloading files (3 of 3)..."));
  EXPECT_EQ(FileSizeOf(out.path() / "KMLB_001_001.mp3"), 20000);
  EXPECT_EQ(FileSizeOf(out.path() / "KMLB_001_002.mp3"), 10000);  // 10,000 bytes is not small
  EXPECT_EQ(FileSizeOf(out.path() / "KMLB_001_003.mp3"), -1);
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].text, "Could not download!\rContinue?");
  EXPECT_EQ(rig.dialogs.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(rig.network.networkState, kNetworkWorking);  // a small file is no network failure
}

TEST_F(DownloadRoutines, NoToContinueStopsAndTheLastFailureIsAnErrorBox) {
  rig.language = Language::Russian;
  rig.dialogs.answers = {MessageAnswer::No};
  int kept = rig.downloader.DownloadFiles({Bad() + "/status500", Files() + "/tiny.mp3"}, out.path().string(), false,
                                          Msg::DownloadingFiles);
  EXPECT_EQ(kept, 0);
  EXPECT_THAT(rig.dialogs.Texts(), ElementsAre("Не удалось скачать!\rПродолжить?"));
  EXPECT_EQ(rig.progress.calls[0].text, "Загрузка файлов (1 из 2)...");
  EXPECT_FALSE(fs::exists(out.path() / "tiny.mp3"));
  EXPECT_EQ(rig.network.networkState, kNetworkWorking);  // the server answered

  rig.language = Language::English;
  rig.dialogs.shown.clear();
  kept = rig.downloader.DownloadFiles({Files() + "/tiny.mp3", Files() + "/missing.mp3"}, out.path().string(), false,
                                      Msg::DownloadingFiles);
  EXPECT_EQ(kept, 1);
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].text, "Could not download!");
  EXPECT_EQ(rig.dialogs.shown[0].kind, MessageKind::Error);

  // Without a progress message nothing is shown at all.
  rig.dialogs.shown.clear();
  rig.progress.calls.clear();
  EXPECT_EQ(rig.downloader.DownloadFiles({Files() + "/missing.mp3", Files() + "/tiny.mp3"}, out.path().string(), true,
                                         std::nullopt),
            0);
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_TRUE(rig.progress.calls.empty());
  EXPECT_FALSE(fs::exists(out.path() / "tiny.mp3"));  // deleted for being small
}

TEST_F(DownloadRoutines, DownloadFilesAsUsesTheNamesAndCancelStopsTheRun) {
  fs::path folder = out.path() / "set";
  EXPECT_EQ(
      rig.downloader.DownloadFilesAs({Files() + "/audio/KMLB_001_001.mp3", Files() + "/big.bin"},
                                     {"01 Opening.mp3", "02 Theme.mp3"}, true, Msg::DownloadingFiles, folder.string()),
      2);
  EXPECT_EQ(FileSizeOf(folder / "01 Opening.mp3"), 20000);
  EXPECT_EQ(FileSizeOf(folder / "02 Theme.mp3"), 50000);

  rig.progress.cancelAfterPumps = rig.progress.pumps + 3;
  EXPECT_EQ(rig.downloader.DownloadFilesAs({Files() + "/large.bin", Files() + "/tiny.mp3"}, {"a.bin", "b.mp3"}, false,
                                           Msg::DownloadingFiles, folder.string()),
            0);
  EXPECT_FALSE(fs::exists(folder / "a.bin"));
  EXPECT_FALSE(fs::exists(folder / "b.mp3"));
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_EQ(rig.network.networkState, kNetworkWorking);
  EXPECT_TRUE(NoPartFiles(out.path()));
}

TEST(DownloadHelpers, FileSizeOf) {
  TempDir dir;
  EXPECT_EQ(FileSizeOf(dir.path() / "none"), -1);
  EXPECT_EQ(FileSizeOf(dir.path()), -1);
  WriteFile(dir.path() / "f", "12345");
  EXPECT_EQ(FileSizeOf(dir.path() / "f"), 5);
}

}  // namespace
}  // namespace trakvella::testing
