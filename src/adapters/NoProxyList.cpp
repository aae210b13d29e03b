#include "adapters/NoProxyList.h"

#include <cstdlib>

namespace trakvella {

std::string NoProxyList() {
  std::string list = "localhost,127.0.0.1,::1";
  for (const char* name : {"no_proxy", "NO_PROXY"}) {
    const char* value = std::getenv(name);
    if (value && *value) {
      list += ',';
      list += value;
      break;
    }
  }
  return list;
}

}  // namespace trakvella
