#include "adapters/PosixFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include <sys/file.h>
#include <sys/stat.h>

namespace trakvella {

namespace fs = std::filesystem;

namespace {

// A temporary file is ".NAME.tmp-" and six characters mkstemp chose; at most
// 12 bytes longer than NAME, so every name the file system takes can be written.
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr size_t kTemporaryRandom = 6;
constexpr int kMaxLinkHops = 40;
constexpr int kMaxLockAttempts = 1000;

Status FromErrno(int error, const fs::path& file) {
  const std::string what = file.string();
  const char* why = std::strerror(error);
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Status::NotFound(what, why);
    case EACCES:
    case EPERM:
    case EROFS:
      return Status::PermissionDenied(what, why);
    case EISDIR:
      return Status::NotRegularFile(what, why);
    default:
      return Status::IOError(what, why);
  }
}

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

// A descriptor closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// Opens a regular file for reading: the open does not block (a pipe would wait
// for a writer, a terminal take the program for its own), and what was opened
// is looked at before a byte is read from it.
Result<Descriptor> OpenRegular(const fs::path& file, struct stat& info) {
  Descriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.valid()) return FromErrno(errno, file);
  if (::fstat(fd.get(), &info) != 0) return FromErrno(errno, file);
  if (!S_ISREG(info.st_mode)) return Status::NotRegularFile(file.string(), KindOf(info.st_mode));
  return fd;
}

Status TooLarge(const fs::path& file, std::uint64_t limit) {
  std::string why = "more than ";
  why += std::to_string(limit);
  why += " bytes";
  return Status::TooLarge(file.string(), why);
}

// Reads an open regular file to its end, refusing more than limit bytes.
Result<std::string> ReadAll(int fd, const fs::path& file, std::uint64_t sizeHint, std::uint64_t limit) {
  std::string bytes;
  bytes.resize(static_cast<size_t>(std::min<std::uint64_t>(sizeHint, limit)) + 1);
  size_t used = 0;
  while (true) {
    if (used == bytes.size()) {
      if (used > limit) return TooLarge(file, limit);
      const std::uint64_t grown = static_cast<std::uint64_t>(used) * 2 + 65536;
      bytes.resize(static_cast<size_t>(std::min<std::uint64_t>(grown, limit + 1)));
    }
    const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (got < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno, file);
    }
    if (got == 0) break;
    used += static_cast<size_t>(got);
    if (used > limit) return TooLarge(file, limit);
  }
  bytes.resize(used);
  return bytes;
}

Status WriteAll(int fd, std::string_view bytes, const fs::path& file) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno, file);
    }
    bytes.remove_prefix(static_cast<size_t>(put));
  }
  return Status::OK();
}

class PosixReadableFile : public ReadableFile {
 public:
  PosixReadableFile(Descriptor fd, fs::path file, const struct stat& info)
      : fd_(std::move(fd)),
        file_(std::move(file)),
        size_(static_cast<std::uint64_t>(info.st_size)),
        modified_(static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec) {}
  std::uint64_t Size() const override { return size_; }
  std::int64_t ModifiedNanoseconds() const override { return modified_; }
  Result<std::size_t> ReadAt(std::uint64_t offset, char* out, std::size_t size) override {
    while (true) {
      const ssize_t got = ::pread(fd_.get(), out, size, static_cast<off_t>(offset));
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) return FromErrno(errno, file_);
    }
  }

 private:
  Descriptor fd_;
  fs::path file_;
  std::uint64_t size_;
  std::int64_t modified_;
};

// ".NAME" + suffix: the names a write of NAME uses beside it.
std::string HiddenName(const fs::path& target, std::string_view suffix) {
  std::string name(1, '.');
  name += target.filename().native();
  name += suffix;
  return name;
}

fs::path FolderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// The file a write of `file` lands in: `file` itself, or, when it is a link
// (the user's own), the file at the end of its links, which may not exist yet.
Result<fs::path> WriteTarget(const fs::path& file) {
  fs::path at = file;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info;
    if (::lstat(at.c_str(), &info) != 0) {
      if (errno == ENOENT) return at;
      return FromErrno(errno, at);
    }
    if (!S_ISLNK(info.st_mode)) {
      if (!S_ISREG(info.st_mode)) return Status::NotRegularFile(at.string(), KindOf(info.st_mode));
      return at;
    }
    std::string link(static_cast<size_t>(std::max<off_t>(info.st_size, 0)) + 256, '\0');
    const ssize_t length = ::readlink(at.c_str(), link.data(), link.size());
    if (length < 0) return FromErrno(errno, at);
    link.resize(static_cast<size_t>(length));
    const fs::path next(link);
    at = next.is_absolute() ? next : FolderOf(at) / next;
  }
  return FromErrno(ELOOP, file);
}

// The umask in force, read without changing it where the system tells it.
mode_t CurrentUmask() {
  if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned value = 0;
    bool found = false;
    while (std::fgets(line, sizeof line, status))
      if (std::sscanf(line, "Umask: %o", &value) == 1) {
        found = true;
        break;
      }
    std::fclose(status);
    if (found) return static_cast<mode_t>(value);
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

// An exclusive lock every writer of one file takes, with flock. A file that
// exists is locked itself: as a write puts another file in its place, a
// waiter that got the lock of a file no longer at the name tries again on the
// one there now. A file not there yet is made under the lock of ".NAME.lock"
// beside it, a file its holder removes before letting go; so a file that
// exists leaves nothing beside it.
class WriteLock {
 public:
  ~WriteLock() {
    if (!lockFile_.empty()) ::unlink(lockFile_.c_str());
  }
  WriteLock(WriteLock&& other) noexcept
      : fd_(std::move(other.fd_)), lockFile_(std::exchange(other.lockFile_, fs::path())) {}
  WriteLock& operator=(WriteLock&&) = delete;

  static Result<WriteLock> Take(const fs::path& target) {
    const fs::path lockFile = FolderOf(target) / HiddenName(target, ".lock");
    for (int attempt = 0; attempt < kMaxLockAttempts; ++attempt) {
      Descriptor fd(::open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
      if (fd.valid()) {
        struct stat info;
        if (::fstat(fd.get(), &info) != 0) return FromErrno(errno, target);
        if (!S_ISREG(info.st_mode)) return Status::NotRegularFile(target.string(), KindOf(info.st_mode));
        Result<bool> held = Hold(fd.get(), target);
        if (!held.ok()) return held.status();
        if (*held) return WriteLock(std::move(fd), {});
        continue;
      }
      if (errno == ELOOP) return Status::NotRegularFile(target.string(), "a link");
      // A file this user may not read is locked through the lock file too.
      const bool absent = errno == ENOENT;

      fd = Descriptor(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
      if (!fd.valid()) {
        const int error = errno;
        struct stat info;
        // Something else stands at the lock's name (a link, a pipe): it goes.
        if ((error == ELOOP || error == ENXIO) && ::lstat(lockFile.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
          ::unlink(lockFile.c_str());
          continue;
        }
        return FromErrno(error, error == EACCES || error == EPERM ? FolderOf(target) : lockFile);
      }
      struct stat info;
      if (::fstat(fd.get(), &info) != 0) return FromErrno(errno, lockFile);
      if (!S_ISREG(info.st_mode)) {
        ::unlink(lockFile.c_str());
        continue;
      }
      Result<bool> held = Hold(fd.get(), lockFile);
      if (!held.ok()) return held.status();
      if (!*held) continue;  // its holder removed it meanwhile
      WriteLock lock(std::move(fd), lockFile);
      // Made meanwhile by the holder before: that file is the one to lock.
      if (absent && ::lstat(target.c_str(), &info) == 0) continue;
      return lock;
    }
    return Status::IOError(target.string(), "the lock could not be taken");
  }

 private:
  WriteLock(Descriptor fd, fs::path lockFile) : fd_(std::move(fd)), lockFile_(std::move(lockFile)) {}

  // Locks the open file and tells whether the name still holds it.
  static Result<bool> Hold(int fd, const fs::path& name) {
    struct stat held;
    if (::fstat(fd, &held) != 0) return FromErrno(errno, name);
    while (::flock(fd, LOCK_EX) != 0)
      if (errno != EINTR) return FromErrno(errno, name);
    struct stat now;
    return ::lstat(name.c_str(), &now) == 0 && now.st_dev == held.st_dev && now.st_ino == held.st_ino;
  }

  Descriptor fd_;
  fs::path lockFile_;  // empty when the file itself is locked
};

// Removes what interrupted writes of target left: ".NAME.tmp-XXXXXX" files
// and links (never a folder). Only called while holding the target's lock,
// when no other write of it can be under way.
void RemoveLeftovers(const fs::path& target) {
  const std::string prefix = HiddenName(target, kTemporaryMark);
  const fs::path folder = FolderOf(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.size() == prefix.size() + kTemporaryRandom && name.starts_with(prefix)) names.emplace_back(name);
  }
  ::closedir(dir);
  for (const std::string& name : names) {
    const fs::path leftover = folder / name;
    struct stat info;
    if (::lstat(leftover.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) ::unlink(leftover.c_str());
  }
}

// The temporary file of one write, removed unless it was renamed into place.
struct Temporary {
  Descriptor fd;
  fs::path path;
  ~Temporary() {
    if (!path.empty()) ::unlink(path.c_str());
  }
};

}  // namespace

Result<std::string> PosixFileSystem::ReadFile(const fs::path& file, std::uint64_t limit) {
  struct stat info;
  Result<Descriptor> fd = OpenRegular(file, info);
  if (!fd.ok()) return fd.status();
  if (static_cast<std::uint64_t>(info.st_size) > limit) return TooLarge(file, limit);
  return ReadAll(fd->get(), file, static_cast<std::uint64_t>(info.st_size), limit);
}

Result<std::unique_ptr<ReadableFile>> PosixFileSystem::OpenForReading(const fs::path& file) {
  struct stat info;
  Result<Descriptor> fd = OpenRegular(file, info);
  if (!fd.ok()) return fd.status();
  return std::unique_ptr<ReadableFile>(std::make_unique<PosixReadableFile>(std::move(*fd), file, info));
}

Status PosixFileSystem::ReplaceFile(const fs::path& file, std::string_view bytes, const WriteOptions& options) {
  return Write(file, 0, nullptr, bytes, options);
}

Status PosixFileSystem::UpdateFile(const fs::path& file, std::uint64_t limit, const Change& change,
                                   const WriteOptions& options) {
  return Write(file, limit, &change, {}, options);
}

namespace {

// Writes the file over its own bytes, for a folder that takes no new file (not atomic).
Status RewriteInPlace(const fs::path& target, std::string_view bytes, const WriteOptions& options) {
  Descriptor out(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!out.valid()) return FromErrno(errno, target);
  struct stat info;
  if (::fstat(out.get(), &info) != 0) return FromErrno(errno, target);
  if (!S_ISREG(info.st_mode)) return Status::NotRegularFile(target.string(), KindOf(info.st_mode));
  mode_t wanted = info.st_mode & 07777;
  if (options.ownerOnly) wanted &= ~mode_t{077};
  if (options.executable) wanted |= (wanted & 0444) >> 2;
  if (wanted != (info.st_mode & 07777)) (void)::fchmod(out.get(), wanted);
  Status written = WriteAll(out.get(), bytes, target);
  if (!written.ok()) return written;
  if (::ftruncate(out.get(), static_cast<off_t>(bytes.size())) != 0) return FromErrno(errno, target);
  if (options.durable && ::fsync(out.get()) != 0) return FromErrno(errno, target);
  return Status::OK();
}

}  // namespace

Status PosixFileSystem::Write(const fs::path& file, std::uint64_t limit, const Change* change, std::string_view bytes,
                              const WriteOptions& options) {
  Result<fs::path> resolved = WriteTarget(file);
  if (!resolved.ok()) return resolved.status();
  const fs::path target = std::move(*resolved);
  const fs::path folder = FolderOf(target);

  Result<WriteLock> lock = WriteLock::Take(target);
  if (!lock.ok()) return lock.status();
  RemoveLeftovers(target);

  // What stands at the name now that no other writer can change it.
  struct stat old;
  bool exists = true;
  if (::lstat(target.c_str(), &old) != 0) {
    if (errno != ENOENT) return FromErrno(errno, target);
    exists = false;
  } else if (!S_ISREG(old.st_mode)) {
    return Status::NotRegularFile(target.string(), KindOf(old.st_mode));
  }
  mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
  if (options.ownerOnly) mode = exists ? (mode & ~mode_t{077}) : mode_t{0600};
  if (options.executable) mode |= (mode & 0444) >> 2;

  // A new file of an unpredictable name, never one that was there.
  Temporary temporary;
  std::string pattern = (folder / HiddenName(target, kTemporaryMark)).native();
  pattern.append(kTemporaryRandom, 'X');
  temporary.fd = Descriptor(::mkostemp(pattern.data(), O_CLOEXEC));
  bool inPlace = false;
  if (temporary.fd.valid()) {
    temporary.path = pattern;
  } else {
    const int error = errno;
    // A folder that takes no new file: the file itself is rewritten when it may be.
    if (!exists || (error != EACCES && error != EPERM)) return FromErrno(error, folder);
    inPlace = true;
  }

  std::string changed;
  if (change) {
    std::optional<std::string> current;
    if (exists) {
      struct stat info;
      Result<Descriptor> in = OpenRegular(target, info);
      if (!in.ok()) return in.status();
      if (static_cast<std::uint64_t>(info.st_size) > limit) return TooLarge(target, limit);
      Result<std::string> read = ReadAll(in->get(), target, static_cast<std::uint64_t>(info.st_size), limit);
      if (!read.ok()) return read.status();
      current = std::move(*read);
    }
    Result<std::string> next = (*change)(current);
    if (!next.ok()) return next.status();
    changed = std::move(*next);
    bytes = changed;
  }

  if (inPlace) return RewriteInPlace(target, bytes, options);

  Status written = WriteAll(temporary.fd.get(), bytes, temporary.path);
  if (!written.ok()) return written;
  // The old file's owner stays where this user may keep it (root writing a
  // user's file); the bits are set before the file takes the name.
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
    (void)::fchown(temporary.fd.get(), old.st_uid, old.st_gid);
  if (::fchmod(temporary.fd.get(), mode) != 0) return FromErrno(errno, temporary.path);
  // On the disk before the name moves, so a power cut cannot leave an empty file.
  if (options.durable && ::fsync(temporary.fd.get()) != 0) return FromErrno(errno, temporary.path);
  if (::rename(temporary.path.c_str(), target.c_str()) != 0) return FromErrno(errno, target);
  temporary.path.clear();
  return Status::OK();
}

bool PosixFileSystem::CanWriteInFolder(const fs::path& folder) {
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  // The effective user's rights, as a new file there would get them (a
  // read-only mount answers no, even to root).
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

Status PosixFileSystem::MakePrivateFolder(const fs::path& folder) {
  if (folder.empty()) return Status::InvalidArgument("an empty folder name");
  fs::path made;
  for (const fs::path& part : folder.lexically_normal()) {
    if (part.empty()) continue;  // the trailing separator
    made /= part;
    if (::mkdir(made.c_str(), 0700) == 0) continue;
    if (errno != EEXIST) return FromErrno(errno, made);
    struct stat info;
    if (::stat(made.c_str(), &info) != 0) return FromErrno(errno, made);
    if (!S_ISDIR(info.st_mode)) return Status::NotRegularFile(made.string(), "not a folder");
  }
  return Status::OK();
}

// The entry's kind from readdir's type, asking the file system only for a link (what it points at)
// or a file system that does not say.
bool PosixFileSystem::ListFolder(const fs::path& folder, const std::function<void(const FolderEntry&)>& visit) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  const int fd = ::dirfd(dir);
  bool whole = true;
  while (true) {
    errno = 0;
    const dirent* e = ::readdir(dir);
    if (!e) {
      whole = errno == 0;
      break;
    }
    FolderEntry entry;
    entry.name = e->d_name;
    if (entry.name == "." || entry.name == "..") continue;
    unsigned char type = e->d_type;
    struct stat st;
    if (type == DT_UNKNOWN) {
      if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      type = S_ISLNK(st.st_mode) ? DT_LNK : (S_ISDIR(st.st_mode) ? DT_DIR : DT_REG);
    }
    entry.link = type == DT_LNK;
    if (entry.link) {
      if (::fstatat(fd, e->d_name, &st, 0) != 0) continue;  // a broken link
      entry.folder = S_ISDIR(st.st_mode);
    } else {
      entry.folder = type == DT_DIR;
    }
    visit(entry);
  }
  ::closedir(dir);
  return whole;
}

}  // namespace trakvella
