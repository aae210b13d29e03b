// The connection test over a made-up /sys/class/net, and detached starts.
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "adapters/PosixProcessLauncher.h"
#include "adapters/SysfsNetworkInterfaces.h"
#include "core/net/Downloads.h"
#include "core/startup/Connection.h"
#include "support/Fakes.h"
#include "support/PageHttp.h"

namespace trakvella::testing {
namespace {

namespace fs = std::filesystem;

void Interface(const fs::path& root, const std::string& name, const std::string& state, const std::string& carrier,
               const std::string& type = "1") {
  WriteFile(root / name / "operstate", state + "\n");
  if (!carrier.empty()) WriteFile(root / name / "carrier", carrier + "\n");
  WriteFile(root / name / "type", type + "\n");
}

TEST(StartupAdapters, OnlineThroughAnInterfaceThatIsUpOrUnknownWithCarrierOrThroughTheSite) {
  TempDir dir;
  const fs::path net = dir.path() / "net";
  Interface(net, "lo", "unknown", "1", "772");
  Interface(net, "loop1", "up", "1", "772");  // loopback by its type, whatever its name
  Interface(net, "eth0", "down", "");
  Interface(net, "tun0", "unknown", "0");
  SysfsNetworkInterfaces interfaces(net);
  int asked = 0;
  auto site = [&] {
    ++asked;
    return false;
  };
  EXPECT_FALSE(IsOnline(interfaces, site));
  EXPECT_EQ(asked, 1);

  Interface(net, "tun0", "unknown", "1");  // a VPN tunnel with a carrier
  EXPECT_TRUE(IsOnline(interfaces, site));
  Interface(net, "tun0", "down", "");
  Interface(net, "eth0", "up", "1");
  EXPECT_TRUE(IsOnline(interfaces, site));
  EXPECT_EQ(asked, 1);  // the site is asked only when no interface will do

  // Only loopback: a configured site that answers (even with 404) still means online.
  fs::remove_all(net / "eth0");
  PageHttp http;
  EXPECT_TRUE(IsOnline(interfaces, [&] { return SiteAnswers(http, "http://127.0.0.1:9/update.html"); }));
  EXPECT_FALSE(SiteAnswers(http, ""));
  EXPECT_FALSE(IsOnline(interfaces, {}));
}

TEST(StartupAdapters, StartsAProgramThatOutlivesTheCallAndReportsOneThatCannotStart) {
  TempDir dir;
  PosixProcessLauncher launcher;
  const fs::path marker = dir.path() / "started";
  ASSERT_TRUE(launcher.StartDetached("/bin/sh", {"-c", "sleep 0.2; pwd > started"}, dir.path().string()));
  EXPECT_FALSE(fs::exists(marker));  // not waited for
  for (int i = 0; i < 100 && FileSizeOf(marker) <= 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ReadFile(marker), dir.path().string() + "\n");

  EXPECT_FALSE(launcher.StartDetached((dir.path() / "no-such-program").string(), {}, dir.path().string()));
  EXPECT_FALSE(launcher.StartDetached("/bin/sh", {"-c", "true"}, (dir.path() / "no-such-folder").string()));
}

}  // namespace
}  // namespace trakvella::testing
