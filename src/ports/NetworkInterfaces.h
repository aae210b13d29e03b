#pragma once
// NetworkInterfaces: the computer's network interfaces as the kernel reports
// them, for the start window's connection test. The POSIX adapter reads them.
#include <string>
#include <vector>

namespace trakvella {

struct NetworkInterface {
  std::string name;
  // The operational state in the kernel's words: "up", "down", "unknown", "dormant" ...
  std::string operState;
  // Whether the link has a carrier (false when the kernel does not say).
  bool carrier = false;
  bool loopback = false;
};

class NetworkInterfaces {
 public:
  virtual ~NetworkInterfaces() = default;
  virtual std::vector<NetworkInterface> List() = 0;
};

}  // namespace trakvella
