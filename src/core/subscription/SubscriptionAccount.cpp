// SubscriptionAccount: the account file and the account list.
#include "core/subscription/SubscriptionAccount.h"

#include <algorithm>

#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLoginKey = "Login";
constexpr std::string_view kPasswordKey = "Password";
constexpr std::string_view kDownloadKey = "download";

// The value of the first line named name, if any.
const std::string* FindValue(const std::vector<std::string>& lines, std::string_view name,
                             std::vector<std::string>& storage) {
  for (const std::string& line : lines) {
    if (line.find('=') == std::string::npos) continue;
    if (SameText(RowName(line), name)) {
      storage.emplace_back(RowValue(line));
      return &storage.back();
    }
  }
  return nullptr;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// The bytes an account file's name may not hold: the path separator and NUL,
// the other characters Windows refuses (the files travel between systems), and
// control characters.
bool ForbiddenInFileName(unsigned char byte) {
  constexpr std::string_view kForbidden = "\\/:*?<>|\"";
  return byte < 0x20 || byte == 0x7F || kForbidden.find(static_cast<char>(byte)) != std::string_view::npos;
}

std::string OneLine(std::string value) {
  std::replace(value.begin(), value.end(), '\r', ' ');
  std::replace(value.begin(), value.end(), '\n', ' ');
  return value;
}

}  // namespace

bool AccountState::HasDownloaded(std::string_view code) const {
  return std::any_of(downloadedTracks.begin(), downloadedTracks.end(),
                     [&](const std::string& d) { return SameText(d, code); });
}

bool AccountState::AddDownloaded(const std::string& code) {
  if (HasDownloaded(code)) return false;
  downloadedTracks.push_back(code);
  return true;
}

std::string AccountFileStem(std::string_view name) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string stem;
  stem.reserve(name.size());
  for (size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    const bool looksEscaped = byte == '%' && i + 2 < name.size() && IsHexDigit(name[i + 1]) && IsHexDigit(name[i + 2]);
    if (ForbiddenInFileName(byte) || looksEscaped) {
      stem += '%';
      stem += kHex[byte >> 4];
      stem += kHex[byte & 0xF];
    } else {
      stem += static_cast<char>(byte);
    }
  }
  return stem;
}

std::string AccountNameOfStem(std::string_view stem) {
  std::string name;
  name.reserve(stem.size());
  for (size_t i = 0; i < stem.size(); ++i) {
    if (stem[i] == '%' && i + 2 < stem.size() && IsHexDigit(stem[i + 1]) && IsHexDigit(stem[i + 2])) {
      name += static_cast<char>(HexValue(stem[i + 1]) * 16 + HexValue(stem[i + 2]));
      i += 2;
    } else {
      name += stem[i];
    }
  }
  return name;
}

fs::path AccountFilePath(const fs::path& programFolder, std::string_view name) {
  if (name.empty()) return {};
  std::string file = AccountFileStem(name) + std::string(kAccountFileExtension);
  if (file.size() > kAccountFileNameMax) return {};
  return programFolder / file;
}

fs::path LibraryCopyFolder(const fs::path& programFolder, std::string_view name) {
  if (name.empty()) return {};
  std::string folder = AccountFileStem(name);
  // A name that would stand for the folder itself or the one above it.
  if (folder == "." || folder == "..") {
    folder.clear();
    for (size_t i = 0; i < name.size(); ++i) folder += "%2E";
  }
  return programFolder / "audio" / folder;
}

AccountFile ParseAccountFile(const std::vector<std::string>& lines) {
  AccountFile file;
  file.lineCount = lines.size();
  std::vector<std::string> storage;
  storage.reserve(2);
  if (const std::string* v = FindValue(lines, kLoginKey, storage)) file.login = *v;
  if (const std::string* v = FindValue(lines, kPasswordKey, storage)) file.password = *v;

  // download0, download1, ... until the first number without a line.
  std::vector<std::pair<long long, std::string_view>> numbered;
  for (const std::string& line : lines) {
    if (line.find('=') == std::string::npos) continue;
    const std::string_view name = RowName(line);
    if (name.size() <= kDownloadKey.size() || !SameText(name.substr(0, kDownloadKey.size()), kDownloadKey)) continue;
    const std::string_view digits = name.substr(kDownloadKey.size());
    long long n = 0;
    // Decimal without a sign or leading zeros, as the file writes it.
    if (digits.front() < '0' || digits.front() > '9' || (digits.size() > 1 && digits.front() == '0')) continue;
    if (!ParseInt(digits, n)) continue;
    numbered.emplace_back(n, RowValue(line));
  }
  // The first line of each number wins.
  std::stable_sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  long long next = 0;
  for (const auto& [n, value] : numbered) {
    if (n < next) continue;  // a later line of a number already taken
    if (n != next) break;
    file.downloadedTracks.emplace_back(value.substr(0, value.find(',')));
    ++next;
  }
  return file;
}

AccountFile ReadAccountFile(const fs::path& file, Status* problem) {
  std::string bytes;
  Status read = ReadWholeFile(file, bytes, FileKind::Account);
  if (!read.ok()) {
    if (problem) *problem = std::move(read);
    return {};
  }
  return ParseAccountFile(SplitLines(Cp1251ToUtf8(bytes)));
}

std::vector<std::string> ReadDownloadedTracks(const fs::path& programFolder, std::string_view name) {
  const fs::path file = AccountFilePath(programFolder, name);
  if (file.empty()) return {};
  return ReadAccountFile(file).downloadedTracks;
}

std::vector<std::string> AccountFileLines(const AccountState& state) {
  std::vector<std::string> lines;
  lines.reserve(2 + state.downloadedTracks.size());
  lines.push_back(std::string(kLoginKey) + "=" + OneLine(state.login));
  lines.push_back(std::string(kPasswordKey) + "=" + OneLine(state.password));
  for (size_t n = 0; n < state.downloadedTracks.size(); ++n)
    lines.push_back(std::string(kDownloadKey) + std::to_string(n) + "=" + OneLine(state.downloadedTracks[n]));
  return lines;
}

bool WriteAccountFile(const fs::path& programFolder, std::string_view name, const AccountState& state) {
  const fs::path file = AccountFilePath(programFolder, name);
  if (file.empty()) return false;
  // Under the file's lock, so programs of one account writing at once (two
  // downloads) lose nothing: the tracks the file lists stay, in their order,
  // and this state's others follow; login and password are this state's (the
  // sign-in the server accepted). A file of another login is not merged.
  const FileSystem::Change merge = [&state](const std::optional<std::string>& current) -> Result<std::string> {
    AccountState merged = state;
    if (current) {
      AccountFile old = ParseAccountFile(SplitLines(Cp1251ToUtf8(*current)));
      if (old.login.empty() || SameText(old.login, state.login)) {
        merged.downloadedTracks.clear();
        for (std::string& code : old.downloadedTracks) merged.AddDownloaded(code);
        for (const std::string& code : state.downloadedTracks) merged.AddDownloaded(code);
      }
    }
    return Utf8ToCp1251(JoinLinesCrLf(AccountFileLines(merged)));
  };
  // The password stands in the file in plain text: no copy of it is ever
  // readable by anyone but its owner.
  WriteOptions options;
  options.ownerOnly = true;
  return Files().UpdateFile(file, ReadLimit(FileKind::Account), merge, options).ok();
}

std::vector<AccountListEntry> FindAccountFiles(const fs::path& programFolder) {
  std::vector<fs::path> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(programFolder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    if (LowerCase(it->path().extension().string()) == kAccountFileExtension) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  std::vector<AccountListEntry> entries;
  for (const fs::path& file : files) {
    const std::string name = AccountNameOfStem(file.stem().string());
    entries.push_back({std::to_string(entries.size() + 1) + ". " + name, name, file});
  }
  return entries;
}

}  // namespace trakvella
