#pragma once
// TlsAccounts: the subscription logins whose download server has been seen to
// offer TLS, kept in the program folder ("ftp-tls.txt", one login a line,
// UTF-8), so that a later server offering none is refused rather than sent the
// password in clear. Plain functions over the file; they own nothing.
#include <filesystem>
#include <string>
#include <string_view>

namespace trakvella {

inline constexpr std::string_view kTlsAccountsFileName = "ftp-tls.txt";

// Whether the download server of login has been seen to offer TLS.
bool TlsSeen(const std::filesystem::path& programFolder, const std::string& login);

// Records that the server of login offered TLS (nothing when it is known
// already). False when the file could not be written or the login cannot
// stand on a line of it.
[[nodiscard]] bool RememberTls(const std::filesystem::path& programFolder, const std::string& login);

}  // namespace trakvella
