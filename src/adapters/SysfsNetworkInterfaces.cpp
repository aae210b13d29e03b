#include "adapters/SysfsNetworkInterfaces.h"

#include <fstream>
#include <string>

namespace trakvella {

namespace {

constexpr long kLoopbackType = 772;           // ARPHRD_LOOPBACK
constexpr unsigned long kLoopbackFlag = 0x8;  // IFF_LOOPBACK

// The first word of a file, empty when it cannot be read (a down link's
// "carrier" refuses to be read).
std::string FirstWord(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string word;
  if (!(in >> word)) return {};
  return word;
}

}  // namespace

std::vector<NetworkInterface> SysfsNetworkInterfaces::List() {
  std::vector<NetworkInterface> list;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(root_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& folder = it->path();
    NetworkInterface interface;
    interface.name = folder.filename().string();
    interface.operState = FirstWord(folder / "operstate");
    interface.carrier = FirstWord(folder / "carrier") == "1";
    const std::string type = FirstWord(folder / "type");
    const std::string flags = FirstWord(folder / "flags");
    unsigned long flagBits = 0;
    try {
      if (!flags.empty()) flagBits = std::stoul(flags, nullptr, 16);
    } catch (const std::exception&) {
      flagBits = 0;
    }
    interface.loopback = interface.name == "lo" || type == std::to_string(kLoopbackType) || (flagBits & kLoopbackFlag);
    list.push_back(std::move(interface));
  }
  return list;
}

}  // namespace trakvella
