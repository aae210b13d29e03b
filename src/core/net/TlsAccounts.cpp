// TlsAccounts: the logins whose server offered TLS.
#include "core/net/TlsAccounts.h"

#include <vector>

#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella {

namespace {

std::vector<std::string> Logins(const std::filesystem::path& programFolder) {
  std::string text;
  if (!ReadWholeFile(programFolder / kTlsAccountsFileName, text, FileKind::Account).ok()) return {};
  std::vector<std::string> logins;
  for (const std::string& line : SplitLines(text))
    if (!line.empty()) logins.push_back(line);
  return logins;
}

}  // namespace

bool TlsSeen(const std::filesystem::path& programFolder, const std::string& login) {
  if (login.empty()) return false;
  for (const std::string& known : Logins(programFolder))
    if (known == login) return true;
  return false;
}

bool RememberTls(const std::filesystem::path& programFolder, const std::string& login) {
  // A login holding a line break could not be told apart from two (and is no
  // FTP user name anyway).
  if (login.empty() || login.find_first_of("\r\n") != std::string::npos) return false;
  std::vector<std::string> logins = Logins(programFolder);
  for (const std::string& known : logins)
    if (known == login) return true;
  logins.push_back(login);
  std::string text;
  for (const std::string& known : logins) text += known + "\n";
  return WriteFileReplacing(programFolder / kTlsAccountsFileName, text).ok();
}

}  // namespace trakvella
