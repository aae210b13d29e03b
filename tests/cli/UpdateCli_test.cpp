// trakvella-cli update-info and version-newer against the local web site, and
// a code page 1251 page whose quotes are « ».
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/lang/Version.h"
#include "support/CliProcess.h"
#include "support/Fakes.h"
#include "support/LibraryServers.h"
#include "support/LoopbackServer.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(UpdateCli, PrintsThePageValuesAndComparesVersions) {
  TempDir home;
  LibraryServers servers(home.path(), "--max-tracks 1 --update-version 9.0");
  const std::string web = servers.web.substr(std::string("http://").size());  // without the scheme
  CliResult r = RunCli({"--lang", "en", "update-info", web + "update.html"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(
      r.out, ElementsAre("product=Trakvella", "version=9.0", "download=" + servers.web + "tv/trakvella_update.rar",
                         "clientSideName=trakvella_update.rar", "redirection=", "runParameters=", "author=KMLB library",
                         "email=support@kmlb-library.example", "newer=1"));

  // Against this program's own version, and a page without the fields.
  ASSERT_EQ(HttpGetForTest(servers.web + "control/update/" + std::string(kFileVersion) + "/good"), "ok\n");
  EXPECT_EQ(RunCli({"update-info", servers.web + "update.html"}).out.back(), "newer=0");
  r = RunCli({"--lang", "en", "update-info", servers.web + "tv/"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.back(), "newer=0");
  EXPECT_THAT(r.err, HasSubstr("message: Unsuccessful attempt to network update!"));

  EXPECT_THAT(RunCli({"version-newer", "3.3.1.388", "3.3.1.389"}).out, ElementsAre("newer=1"));
  EXPECT_THAT(RunCli({"version-newer", "3.3.1.388", "3.3.1.1000"}).out, ElementsAre("newer=0"));
  EXPECT_EQ(RunCli({"version-newer", "3.3.1.388"}).status, 2);
}

TEST(UpdateCli, ACodePage1251PageIsReadByCharactersAndPrintedAsUtf8) {
  TempDir site;
  // «» stand where the page's quotes should: one character each.
  WriteFile(site.path() / "update.html",
            "<META NAME=\"tvProduct\" CONTENT=\xAB\xD2\xF0\xFD\xEA\">\r\n"
            "<META NAME=\xABtvVersion\" CONTENT=\"1.\xB8\">\r\n");
  LoopbackServer server = LoopbackServer::ServeFolder(site.path());
  ASSERT_TRUE(server.Running());
  const CliResult r = RunCli({"--lang", "en", "update-info", server.Url("update.html")});
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_GE(r.out.size(), 2u);
  EXPECT_EQ(r.out[0], "product=Трэк");  // UTF-8, no stray byte of «
  EXPECT_EQ(r.out[1], "version=1.ё");
}

}  // namespace
}  // namespace trakvella::testing
