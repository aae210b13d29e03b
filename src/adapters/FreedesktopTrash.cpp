#include "adapters/FreedesktopTrash.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <string>
#include <unistd.h>

#include <sys/stat.h>

#include "core/text/PercentEncoding.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

fs::path DefaultHomeTrash() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') return fs::path(data) / "Trash";
  const char* home = std::getenv("HOME");
  std::string folder = home && *home ? home : "";
  if (folder.empty())
    if (const passwd* pw = getpwuid(getuid())) folder = pw->pw_dir;
  return fs::path(folder) / ".local/share/Trash";
}

bool MakeFolder(const fs::path& folder) {
  if (::mkdir(folder.c_str(), 0700) == 0) return true;
  struct stat st {};
  return errno == EEXIST && ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// files/ and info/ of a trash folder, made when missing.
bool PrepareTrash(const fs::path& trash) {
  std::error_code ec;
  if (!fs::exists(trash, ec)) {
    fs::create_directories(trash.parent_path(), ec);
    if (!MakeFolder(trash)) return false;
  }
  return MakeFolder(trash / "files") && MakeFolder(trash / "info");
}

std::optional<dev_t> DeviceOf(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return st.st_dev;
}

// The top folder of the file system path lives on: the last folder up the
// tree on the same device.
fs::path TopFolder(const fs::path& path) {
  const std::optional<dev_t> device = DeviceOf(path);
  fs::path top = path.parent_path();
  while (top.has_relative_path()) {
    const fs::path up = top.parent_path();
    if (DeviceOf(up) != device) break;
    top = up;
  }
  return top;
}

// The trash at the top of a file system: $top/.Trash/$uid when $top/.Trash is a
// real folder with the sticky bit, else $top/.Trash-$uid.
std::optional<fs::path> TopTrash(const fs::path& top) {
  const std::string uid = std::to_string(getuid());
  struct stat st {};
  const fs::path shared = top / ".Trash";
  if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
    const fs::path own = shared / uid;
    if (PrepareTrash(own)) return own;
  }
  const fs::path own = top / (".Trash-" + uid);
  if (PrepareTrash(own)) return own;
  return std::nullopt;
}

std::string DeletionDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

bool WriteAll(int fd, const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += static_cast<size_t>(n);
  }
  return true;
}

// Moves file into trash under a name no other trashed file has; the info file
// is made first (O_EXCL), which reserves the name.
bool MoveInto(const fs::path& trash, const fs::path& file, const std::string& infoPath) {
  const std::string stem = file.stem().string();
  const std::string extension = file.extension().string();
  for (int n = 1; n < 10000; ++n) {
    const std::string name = n == 1 ? file.filename().string() : stem + "." + std::to_string(n) + extension;
    const fs::path info = trash / "info" / (name + ".trashinfo");
    const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    const std::string text =
        "[Trash Info]\nPath=" + TrashInfoPath(infoPath) + "\nDeletionDate=" + DeletionDate() + "\n";
    const bool written = WriteAll(fd, text);
    const bool closed = ::close(fd) == 0;
    const fs::path target = trash / "files" / name;
    struct stat st {};
    if (!written || !closed) {
      ::unlink(info.c_str());
      return false;
    }
    if (::lstat(target.c_str(), &st) == 0) {  // a stray file of that name without its info file
      ::unlink(info.c_str());
      continue;
    }
    if (::rename(file.c_str(), target.c_str()) == 0) return true;
    ::unlink(info.c_str());
    return false;
  }
  return false;
}

}  // namespace

std::string TrashInfoPath(const std::string& path) { return PercentEncode(path, "/"); }

FreedesktopTrash::FreedesktopTrash() : homeTrash_(DefaultHomeTrash()) {}

FreedesktopTrash::FreedesktopTrash(fs::path homeTrash) : homeTrash_(std::move(homeTrash)) {}

bool FreedesktopTrash::MoveToTrash(const fs::path& given) {
  std::error_code ec;
  const fs::path file = fs::absolute(given, ec).lexically_normal();
  struct stat st {};
  if (ec || ::lstat(file.c_str(), &st) != 0) return false;

  // The home trash, when the file lives on its file system.
  std::error_code made;
  fs::create_directories(homeTrash_.parent_path(), made);
  const std::optional<dev_t> home = DeviceOf(fs::exists(homeTrash_, made) ? homeTrash_ : homeTrash_.parent_path());
  if (home && *home == st.st_dev && PrepareTrash(homeTrash_)) return MoveInto(homeTrash_, file, file.string());

  // Else the trash at the top of the file's own file system; its info files
  // name the file relative to that top.
  const fs::path top = TopFolder(file);
  const std::optional<fs::path> trash = TopTrash(top);
  if (!trash) return false;
  return MoveInto(*trash, file, file.lexically_relative(top).string());
}

}  // namespace trakvella
