#pragma once
// SysfsNetworkInterfaces: the NetworkInterfaces port over Linux's
// /sys/class/net (one folder per interface); the root is a parameter for tests.
#include <filesystem>

#include "ports/NetworkInterfaces.h"

namespace trakvella {

class SysfsNetworkInterfaces : public NetworkInterfaces {
 public:
  explicit SysfsNetworkInterfaces(std::filesystem::path root = "/sys/class/net") : root_(std::move(root)) {}
  // Each interface's "operstate", "carrier" ("1") and whether it is loopback
  // (its "type" is 772, its "flags" hold IFF_LOOPBACK, or it is named "lo").
  std::vector<NetworkInterface> List() override;

 private:
  std::filesystem::path root_;
};

}  // namespace trakvella
