#pragma once
// NoProxyList: the hosts libcurl reaches without a proxy, shared by the HTTP and FTP clients.
#include <string>

namespace trakvella {

// Loopback never goes through a proxy; the user's own exceptions (no_proxy, else NO_PROXY) still hold.
std::string NoProxyList();

}  // namespace trakvella
