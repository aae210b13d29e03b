#pragma once
// Connection: whether the computer is online before the update check — one of
// its network interfaces carries traffic, or the library's web site answers.
// Plain functions over the NetworkInterfaces and HttpClient ports; they own nothing.
#include <functional>
#include <string>

#include "ports/HttpClient.h"
#include "ports/NetworkInterfaces.h"

namespace trakvella {

// An interface other than loopback whose state is "up", or "unknown" with a
// carrier (VPN tunnels and some virtual machines never say "up").
bool InterfaceConnected(const NetworkInterface& interface);

// Online when an interface is connected; otherwise when siteAnswers (asked only
// then, and may be empty) says the configured web site can be reached.
bool IsOnline(NetworkInterfaces& interfaces, const std::function<bool()>& siteAnswers);

// Whether a server answers a GET of url within timeoutMs: any HTTP answer
// counts, even an error status; the body is not read.
bool SiteAnswers(HttpClient& http, const std::string& url, int timeoutMs = 3000);

}  // namespace trakvella
