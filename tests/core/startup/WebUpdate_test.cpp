// The update page's META fields, the version comparison and the check's
// redirections, over pages held in memory.
#include "core/startup/WebUpdate.h"

#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/lang/MessageTable.h"
#include "support/Fakes.h"
#include "support/PageHttp.h"

namespace trakvella::testing {
namespace {

using ::testing::HasSubstr;

UpdatePageValues Read(const std::string& page) {
  UpdatePageValues values;
  ReadMetaTags(page, TUpdateTagInfo{}, values);
  return values;
}

TEST(WebUpdateMeta, ReadsExactlyTheUpperCaseLinesAtTheirOffsets) {
  EXPECT_EQ(Read("<META NAME=\"tvVersion\" CONTENT=\"3.3.1.389\">").version, "3.3.1.389");
  // "content=" is found in any letter case, "META NAME" only in capitals, tag names exactly.
  EXPECT_EQ(Read("<META NAME=\"tvProduct\" content=\"Trakvella\">").productName, "Trakvella");
  const UpdatePageValues lower =
      Read("<meta name=\"tvProduct\" content=\"Trakvella\">\r\n<meta name=\"tvVersion\" content=\"9.9\">\r\n");
  EXPECT_EQ(lower.productName, "");
  EXPECT_EQ(lower.version, "");
  EXPECT_EQ(Read("<META NAME=\"tvversion\" CONTENT=\"9.9\">").version, "");
  // The name is read 11 characters past "META NAME": a blank before "=" shifts it.
  EXPECT_EQ(Read("<META NAME =\"tvVersion\" CONTENT=\"9.9\">").version, "");
  // The last matching line wins; a line without CONTENT= gives nothing.
  const UpdatePageValues twice = Read(
      "<META NAME=\"tvVersion\" CONTENT=\"1.1\">\n<META NAME=\"tvVersion\" CONTENT=\"1.2\">\n"
      "<META NAME=\"tvVersion\" VALUE=\"1.3\">\n");
  EXPECT_EQ(twice.version, "1.2");
  // Values end at the quote, or at the line end, and keep at most 255 characters.
  EXPECT_EQ(Read("<META NAME=\"tvAuthor\" CONTENT=\"" + std::string(300, 'a') + "\">").author, std::string(255, 'a'));
  EXPECT_EQ(Read("<META NAME=\"tvEmail\" CONTENT=\"mail@x").email, "mail@x");
  // A page in code page 1251 is read as such.
  EXPECT_EQ(Read("<META NAME=\"tvAuthor\" CONTENT=\"\xCA\xCC\xCB\xC1\">").author, "КМЛБ");
  // Offsets count characters of the page's text: a one-character quote (« ») in
  // place of the double quote is one step, in code page 1251 as in UTF-8.
  EXPECT_EQ(Read("<META NAME=\xABtvVersion\" CONTENT=\xAB"
                 "3.3.1.389\">")
                .version,
            "3.3.1.389");
  EXPECT_EQ(Read("<META NAME=«tvVersion\" CONTENT=«3.3.1.389\">").version, "3.3.1.389");
  EXPECT_EQ(Read("<META NAME=«tvAuthor\" CONTENT=«Жанна»\">").author, "Жанна»");
}

TEST(WebUpdateMeta, ComparesVersionsByteByByte) {
  EXPECT_TRUE(IsNewerVersion("3.3.1.388", "3.3.1.389"));
  EXPECT_FALSE(IsNewerVersion("3.3.1.388", "3.3.1.388"));
  EXPECT_FALSE(IsNewerVersion("3.3.1.388", "3.3.1.1000"));
  EXPECT_TRUE(IsNewerVersion("1.0.0.0", "1.0.0.0a"));
  EXPECT_FALSE(IsNewerVersion("1.0.0.0", ""));
  // In code page 1251 order: "ё" (0xB8) before "а" (0xE0), whatever UTF-8 says.
  EXPECT_FALSE(IsNewerVersion("1.а", "1.ё"));
  EXPECT_TRUE(IsNewerVersion("1.ё", "1.а"));
}

std::string Page(const std::string& version, const std::string& redirection = "") {
  return "<META NAME=\"tvProduct\" CONTENT=\"Trakvella\">\n<META NAME=\"tvVersion\" CONTENT=\"" + version +
         "\">\n<META NAME=\"tvRedirection\" CONTENT=\"" + redirection + "\">\n";
}

class WebUpdateCheck : public ::testing::Test {
 protected:
  PageHttp http;
  FakeProgress progress;
  FakeDialogs dialogs;
  NetworkState network;
  const Language language = Language::English;
  Downloader downloader{http, progress, dialogs, language, network};
  TWebUpdate update{downloader};
  // The events heard, in order; an available update is not taken.
  struct Heard : WebUpdateEvents {
    std::vector<std::string> list;
    std::function<void()> beforeGetInfo;
    void OnBeforeGetInfo() override {
      if (beforeGetInfo) beforeGetInfo();
    }
    void OnDownloadError() override { list.push_back("error"); }
    void OnNoUpdateFound() override { list.push_back("none"); }
    void OnUpdateAvailable(const std::string& actual, const std::string& next, bool& canUpdate) override {
      list.push_back("available " + actual + " " + next);
      canUpdate = false;
    }
  } heard;
  std::vector<std::string>& events = heard.list;

  void SetUp() override {
    update.product.URL = "http://site/update.html";
    update.product.Version = "3.3.1.388";
    update.SetEvents(&heard);
  }
};

TEST_F(WebUpdateCheck, FollowsRedirectionsAndStopsALoop) {
  http.pages["http://site/update.html"] = Page("0", "http://site/moved.html");
  http.pages["http://site/moved.html"] = Page("3.3.1.389");
  EXPECT_FALSE(update.CheckUpdate());
  EXPECT_EQ(update.values().version, "3.3.1.389");
  EXPECT_EQ(events, std::vector<std::string>{"available 3.3.1.388 3.3.1.389"});

  events.clear();
  http.pages["http://site/moved.html"] = Page("3.3.1.389", "http://site/update.html");
  EXPECT_FALSE(update.CheckUpdate());
  EXPECT_THAT(update.error(), HasSubstr("loop"));
  EXPECT_EQ(events, std::vector<std::string>{"error"});
  EXPECT_EQ(http.requests.size(), 4u);  // two pages each time, never a third

  // A chain that never repeats still ends.
  for (int i = 0; i < 20; ++i)
    http.pages["http://site/p" + std::to_string(i)] = Page("9", "http://site/p" + std::to_string(i + 1));
  http.pages["http://site/update.html"] = Page("9", "http://site/p0");
  http.requests.clear();
  EXPECT_FALSE(update.GetInfo());
  EXPECT_EQ(http.requests.size(), static_cast<size_t>(TWebUpdate::kMaxRedirections + 1));
}

TEST_F(WebUpdateCheck, PagesWithoutProductOrVersionFailAndARunningCheckIsNotRepeated) {
  http.pages["http://site/update.html"] = "<meta name=\"tvProduct\" content=\"Trakvella\">\n";
  EXPECT_FALSE(update.CheckUpdate());
  EXPECT_EQ(events, std::vector<std::string>{"error"});

  events.clear();
  http.pages["http://site/update.html"] = Page("3.3.1.1000");
  bool inner = true;
  heard.beforeGetInfo = [&] { inner = update.CheckUpdate(); };
  EXPECT_FALSE(update.CheckUpdate());
  EXPECT_FALSE(inner);
  EXPECT_EQ(events, std::vector<std::string>{"none"});
  EXPECT_FALSE(update.running());
}

}  // namespace
}  // namespace trakvella::testing
