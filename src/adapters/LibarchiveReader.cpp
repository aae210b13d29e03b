#include "adapters/LibarchiveReader.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <locale.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>

namespace trakvella {

namespace fs = std::filesystem;

namespace {

constexpr size_t kBlock = 64 * 1024;

struct ArchiveCloser {
  void operator()(archive* a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveCloser>;

// Names in RAR archives are UTF-16 (or the archiver's code page); libarchive
// hands them out in the locale's character set. Inside the reader that is
// UTF-8 whatever the program's locale, so no name is lost to a "C" locale.
class Utf8Names {
 public:
  Utf8Names() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0))) {
    if (utf8_) previous_ = uselocale(utf8_);
  }
  ~Utf8Names() {
    if (utf8_) {
      uselocale(previous_);
      freelocale(utf8_);
    }
  }
  Utf8Names(const Utf8Names&) = delete;
  Utf8Names& operator=(const Utf8Names&) = delete;

 private:
  locale_t utf8_;
  locale_t previous_ = static_cast<locale_t>(0);
};

ArchivePtr Open(const fs::path& file, std::string& error) {
  ArchivePtr a(archive_read_new());
  if (!a) {
    error = "cannot start the archive reader";
    return nullptr;
  }
  archive_read_support_format_rar(a.get());
  archive_read_support_format_rar5(a.get());
  if (archive_read_open_filename(a.get(), file.c_str(), kBlock) != ARCHIVE_OK) {
    error = archive_error_string(a.get()) ? archive_error_string(a.get()) : "cannot open " + file.string();
    return nullptr;
  }
  return a;
}

std::string ErrorOf(archive* a, const std::string& fallback) {
  const char* text = archive_error_string(a);
  return text && *text ? text : fallback;
}

std::string EntryName(archive_entry* entry) {
  if (const char* utf8 = archive_entry_pathname_utf8(entry)) return utf8;
  if (const char* name = archive_entry_pathname(entry)) return name;
  return {};
}

// A unique name for the temporary file of an entry, in the same folder.
fs::path TemporaryFor(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  std::string name(1, '.');
  name += target.filename().string();
  name += '.';
  name += std::to_string(getpid());
  name += '.';
  name += std::to_string(counter++);
  name += ".part";
  return target.parent_path() / name;
}

// Writes the current entry's data to target through a temporary file.
bool WriteEntry(archive* a, const fs::path& target, int64_t& done, int64_t total,
                const std::function<bool(int64_t, int64_t)>& onProgress, std::string& error) {
  const fs::path temporary = TemporaryFor(target);
  // The umask decides the mode, as for any file the user's programs write.
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) {
    error = "cannot write " + target.string() + ": " + std::strerror(errno);
    return false;
  }
  std::unique_ptr<char[]> buffer(new char[kBlock]);
  bool ok = true;
  for (;;) {
    const la_ssize_t n = archive_read_data(a, buffer.get(), kBlock);
    if (n == 0) break;
    if (n < 0) {
      error = ErrorOf(a, "cannot read " + target.filename().string());
      ok = false;
      break;
    }
    for (la_ssize_t at = 0; at < n;) {
      const ssize_t w = ::write(fd, buffer.get() + at, static_cast<size_t>(n - at));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        error = "cannot write " + target.string() + ": " + std::strerror(errno);
        ok = false;
        break;
      }
      at += w;
    }
    if (!ok) break;
    done += n;
    if (onProgress && !onProgress(done, total)) {
      error = "stopped";
      ok = false;
      break;
    }
  }
  if (::close(fd) != 0 && ok) {
    error = "cannot write " + target.string() + ": " + std::strerror(errno);
    ok = false;
  }
  std::error_code ec;
  if (ok) {
    fs::rename(temporary, target, ec);
    if (ec) {
      error = "cannot write " + target.string() + ": " + ec.message();
      ok = false;
    }
  }
  if (!ok) fs::remove(temporary, ec);
  return ok;
}

bool HasParentStep(const std::string& name) {
  size_t start = 0;
  for (;;) {
    const size_t end = name.find_first_of("/\\", start);
    const std::string_view part(name.data() + start, (end == std::string::npos ? name.size() : end) - start);
    if (part == "..") return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

}  // namespace

std::optional<fs::path> EntryTarget(const fs::path& folder, const std::string& name, ExtractPaths paths,
                                    bool& refused) {
  refused = false;
  if (paths == ExtractPaths::Flat) {
    const std::string flat = FlatEntryName(name);
    if (flat.empty()) return std::nullopt;
    return folder / flat;
  }
  const bool absolute = name.starts_with('/') || name.starts_with('\\') || (name.size() >= 2 && name[1] == ':');
  if (absolute || HasParentStep(name)) {
    refused = true;
    return std::nullopt;
  }
  fs::path target = folder;
  size_t start = 0;
  bool any = false;
  for (;;) {
    const size_t end = name.find_first_of("/\\", start);
    const std::string part = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!part.empty() && part != ".") {
      target /= part;
      any = true;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (!any) return std::nullopt;
  return target;
}

bool LibarchiveReader::List(const fs::path& archivePath, std::vector<ArchiveEntry>& entries, std::string& error) {
  const Utf8Names utf8;
  entries.clear();
  ArchivePtr a = Open(archivePath, error);
  if (!a) return false;
  archive_entry* entry = nullptr;
  for (;;) {
    const int r = archive_read_next_header(a.get(), &entry);
    if (r == ARCHIVE_EOF) break;
    if (r < ARCHIVE_WARN) {
      error = ErrorOf(a.get(), "not an archive: " + archivePath.string());
      return false;
    }
    entries.push_back({EntryName(entry), static_cast<int64_t>(archive_entry_size(entry)),
                       archive_entry_filetype(entry) == AE_IFDIR});
    archive_read_data_skip(a.get());
  }
  return true;
}

ExtractResult LibarchiveReader::Extract(const fs::path& archivePath, const fs::path& folder, ExtractPaths paths,
                                        const std::function<bool(int64_t done, int64_t total)>& onProgress) {
  const Utf8Names utf8;
  ExtractResult result;
  // The total for the progress: one pass over the headers (a stored archive
  // skips its data by seeking).
  std::vector<ArchiveEntry> listed;
  if (!List(archivePath, listed, result.error)) return result;
  int64_t total = 0;
  for (const ArchiveEntry& e : listed)
    if (!e.isDirectory) total += e.size;

  ArchivePtr a = Open(archivePath, result.error);
  if (!a) return result;
  int64_t done = 0;
  archive_entry* entry = nullptr;
  std::error_code ec;
  for (;;) {
    const int r = archive_read_next_header(a.get(), &entry);
    if (r == ARCHIVE_EOF) break;
    if (r < ARCHIVE_WARN) {
      result.error = ErrorOf(a.get(), "cannot read " + archivePath.string());
      return result;
    }
    if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry)) {
      archive_read_data_skip(a.get());
      continue;
    }
    const std::string name = EntryName(entry);
    bool refused = false;
    const std::optional<fs::path> target = EntryTarget(folder, name, paths, refused);
    if (!target) {
      if (refused) result.refused.push_back(name);
      archive_read_data_skip(a.get());
      continue;
    }
    fs::create_directories(target->parent_path(), ec);
    if (!WriteEntry(a.get(), *target, done, total, onProgress, result.error)) return result;
    result.written.push_back(*target);
  }
  result.ok = result.refused.empty();
  if (!result.ok) result.error = "entries outside the folder refused: " + std::to_string(result.refused.size());
  return result;
}

}  // namespace trakvella
