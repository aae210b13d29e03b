#pragma once
// SubscriptionAccount: the subscription account state of the running program
// and the account files ("LOGIN.kmlb" in the program folder) that keep it
// between runs. Plain values and file functions; Subscription owns the state in use.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Status.h"

namespace trakvella {

// The quota when the server has not told it (not asked yet, or no answer).
inline constexpr int kQuotaUnknown = -1;
inline constexpr std::string_view kAccountFileExtension = ".kmlb";

struct AccountState {
  std::string login;
  std::string password;
  // The account in use; equals the login after any sign-in. Names the account
  // file and the library copy folder "audio/ACCOUNT/".
  std::string activeAccount;
  int quota = kQuotaUnknown;
  // Codes of the tracks this account downloaded, in the order they came.
  std::vector<std::string> downloadedTracks;

  // Signed in: login and password both filled in. Nothing else is checked.
  bool SignedIn() const { return !login.empty() && !password.empty(); }
  // Whether the code is in downloadedTracks (letter case ignored).
  bool HasDownloaded(std::string_view code) const;
  // Appends the code unless it is there; true when appended.
  bool AddDownloaded(const std::string& code);

  bool operator==(const AccountState&) const = default;
};

// --- The account file -------------------------------------------------------------
// Text in code page 1251, CR LF: "Login=", "Password=", then "download0=",
// "download1=", ... one per downloaded track in order.

// The values an account file holds. Names are matched ignoring case, the first
// line of a name wins; lines without "=" are kept in the count and nothing else.
struct AccountFile {
  size_t lineCount = 0;  // 0 for a missing, unreadable or empty file
  std::string login;
  std::string password;
  // download0, download1, ... while the next number exists; each value up to
  // its first ",".
  std::vector<std::string> downloadedTracks;
};

// The longest account file name, ".kmlb" included, in bytes: the longest name
// the file system takes (255 bytes), less room for the temporary name the
// replacing write gives the file first.
inline constexpr size_t kAccountFileNameMax = 255 - 16;

// The file name an account name gives, without ".kmlb": the name itself, except
// that each byte a file name may not hold (\ / : * ? < > | " and control
// characters) is written "%" and two upper-case hexadecimal digits, as is a "%"
// that the two hexadecimal digits after it would make read as such. So two
// logins never share a file, the login can be read back from the name, and an
// ordinary login (no such characters) names the file it always named.
std::string AccountFileStem(std::string_view name);
// The account name of a file name without ".kmlb": "%" and two hexadecimal
// digits read back as their byte; every other character as it stands.
std::string AccountNameOfStem(std::string_view stem);

// The file of the account name in the program folder: AccountFileStem, then
// ".kmlb". Empty for an empty name and for a name too long to name a file
// (longer than kAccountFileNameMax); never a file outside the program folder.
std::filesystem::path AccountFilePath(const std::filesystem::path& programFolder, std::string_view name);

// The account's folder of library copies, "audio/" and the account name as its
// file's name writes it (AccountFileStem; "." and ".." as "%2E" and "%2E%2E"),
// so each account has a folder of its own and an ordinary login keeps the one
// it always had. Empty for an empty name.
std::filesystem::path LibraryCopyFolder(const std::filesystem::path& programFolder, std::string_view name);

// Reads the lines of an account file (UTF-8 text).
AccountFile ParseAccountFile(const std::vector<std::string>& lines);
// Reads an account file; a missing or unreadable file gives lineCount 0, and
// why it was not read goes to problem (when given).
AccountFile ReadAccountFile(const std::filesystem::path& file, Status* problem = nullptr);
// The downloaded tracks of an account, as its file holds them (a plain read for
// the other windows; nothing is asked from the server).
std::vector<std::string> ReadDownloadedTracks(const std::filesystem::path& programFolder, std::string_view name);

// The lines of the account file for the state (CR and LF inside a value become blanks).
std::vector<std::string> AccountFileLines(const AccountState& state);
// Writes the account file of name with the state's login and password and
// its downloaded tracks merged into those the file lists (a file of another
// login is replaced): readable by its owner only (mode 0600), through a
// temporary file renamed over the old one under the file's lock, so a failed
// write leaves the old file whole and programs writing at once lose nothing.
// False when nothing was written (no usable name, a write error, a file that
// cannot be read).
[[nodiscard]] bool WriteAccountFile(const std::filesystem::path& programFolder, std::string_view name,
                                    const AccountState& state);

// --- The account list ---------------------------------------------------------------
struct AccountListEntry {
  std::string caption;  // "1. login"
  std::string hint;     // the account's name its file name gives (AccountNameOfStem)
  std::filesystem::path file;
};

// Every file under the program folder and its subfolders whose extension, in
// lower case, is ".kmlb", in the order of their paths; numbered from 1.
// Unreadable folders are skipped.
std::vector<AccountListEntry> FindAccountFiles(const std::filesystem::path& programFolder);

}  // namespace trakvella
