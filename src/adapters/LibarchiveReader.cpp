#include "adapters/LibarchiveReader.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <locale.h>
#include <memory>
#include <unistd.h>
#include <zlib.h>

#include "adapters/LoadedLibraries.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

constexpr size_t kBlock = 64 * 1024;

// RAR 4 block types and the flag that says a data area follows a block.
constexpr unsigned kRar4FileBlock = 0x74;
constexpr unsigned kRar4LongBlock = 0x8000;
// Blocks looked at before a file header is given up for (marker, archive
// header, comments and service blocks come first).
constexpr int kRar4BlocksBeforeFile = 64;

// libarchive's table: Open loads it before anything here calls it.
const ArchiveApi& Api() {
  std::string unused;
  return *Archive(unused);
}

struct ArchiveCloser {
  void operator()(archive* a) const { Api().read_free(a); }
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
  if (!Archive(error)) return nullptr;
  ArchivePtr a(Api().read_new());
  if (!a) {
    error = "cannot start the archive reader";
    return nullptr;
  }
  Api().read_support_format_rar(a.get());
  Api().read_support_format_rar5(a.get());
  if (Api().read_open_filename(a.get(), file.c_str(), kBlock) != ARCHIVE_OK) {
    error = Api().error_string(a.get()) ? Api().error_string(a.get()) : "cannot open " + file.string();
    return nullptr;
  }
  return a;
}

std::string ErrorOf(archive* a, const std::string& fallback) {
  const char* text = Api().error_string(a);
  return text && *text ? text : fallback;
}

std::string EntryName(archive_entry* entry) {
  if (const char* utf8 = Api().entry_pathname_utf8(entry)) return utf8;
  if (const char* name = Api().entry_pathname(entry)) return name;
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

uint32_t LittleEndian(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

// The CRC-32 a RAR 4 archive keeps for the file entry whose header libarchive
// just read: the first file block at or after `from`, the position the reader
// stood at before the header (the marker, the archive header and service
// blocks may lie between). libarchive checks the CRC of packed entries only,
// not of stored ones. Nothing when the bytes there are not RAR 4 blocks.
std::optional<uint32_t> Rar4FileCrc(int fd, int64_t from) {
  for (int block = 0; block < kRar4BlocksBeforeFile && from >= 0; ++block) {
    // CRC (2), type (1), flags (2), size (2), then for a file: packed size
    // (4), unpacked size (4), host (1) and the file's CRC (4).
    unsigned char head[20];
    if (::pread(fd, head, 7, from) != 7) return std::nullopt;
    const unsigned type = head[2];
    const unsigned flags = LittleEndian(head + 3, 2);
    const int64_t size = LittleEndian(head + 5, 2);
    if (size < 7) return std::nullopt;
    if (type == kRar4FileBlock) {
      if (size < 20 || ::pread(fd, head, 20, from) != 20) return std::nullopt;
      return LittleEndian(head + 16, 4);
    }
    int64_t length = size;
    if (flags & kRar4LongBlock) {
      unsigned char added[4];
      if (::pread(fd, added, 4, from + 7) != 4) return std::nullopt;
      length += LittleEndian(added, 4);
    }
    from += length;
  }
  return std::nullopt;
}

// a + b for sizes, held at the largest value instead of overflowing.
int64_t SaturatingSum(int64_t a, int64_t b) {
  if (b <= 0) return a;
  return a > std::numeric_limits<int64_t>::max() - b ? std::numeric_limits<int64_t>::max() : a + b;
}

// Writes the current entry's data to target through a temporary file, put in
// place only after the data was read whole: as many bytes as the entry's size
// (when the archive gives one) and, when the archive keeps one, its CRC-32.
Status WriteEntry(archive* a, const fs::path& target, bool executable, int64_t expectedSize,
                  std::optional<uint32_t> expectedCrc, int64_t& done, int64_t total,
                  const std::function<bool(int64_t, int64_t)>& onProgress) {
  const fs::path temporary = TemporaryFor(target);
  // The umask decides the mode, as for any file the user's programs write;
  // an entry the archive marks executable stays executable.
  const int fd =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, executable ? 0777 : 0666);
  if (fd < 0) return Status::IOError("cannot write " + target.string() + ": " + std::strerror(errno));
  std::unique_ptr<char[]> buffer(new char[kBlock]);
  Status status;
  uLong crc = crc32(0L, Z_NULL, 0);
  int64_t written = 0;
  for (;;) {
    const la_ssize_t n = Api().read_data(a, buffer.get(), kBlock);
    if (n == 0) break;
    if (n < 0) {
      status = Status::Unsupported(ErrorOf(a, "cannot read " + target.filename().string()));
      break;
    }
    for (la_ssize_t at = 0; at < n;) {
      const ssize_t w = ::write(fd, buffer.get() + at, static_cast<size_t>(n - at));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        status = Status::IOError("cannot write " + target.string() + ": " + std::strerror(errno));
        break;
      }
      at += w;
    }
    if (!status.ok()) break;
    crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer.get()), static_cast<uInt>(n));
    written += n;
    done += n;
    if (onProgress && !onProgress(done, total)) {
      status = Status::Aborted("stopped");
      break;
    }
  }
  if (::close(fd) != 0 && status.ok())
    status = Status::IOError("cannot write " + target.string() + ": " + std::strerror(errno));
  if (status.ok() && expectedSize >= 0 && written != expectedSize) {
    status = Status::Unsupported(target.filename().string() + ": " + std::to_string(written) + " of " +
                                 std::to_string(expectedSize) + " bytes in the archive");
  }
  if (status.ok() && expectedCrc && static_cast<uint32_t>(crc) != *expectedCrc)
    status = Status::Unsupported("CRC error in " + target.filename().string());
  std::error_code ec;
  if (status.ok()) {
    fs::rename(temporary, target, ec);
    if (ec) status = Status::IOError("cannot write " + target.string() + ": " + ec.message());
  }
  if (!status.ok()) fs::remove(temporary, ec);
  return status;
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

Status LibarchiveReader::List(const fs::path& archivePath, std::vector<ArchiveEntry>& entries) {
  const Utf8Names utf8;
  entries.clear();
  std::string error;
  ArchivePtr a = Open(archivePath, error);
  if (!a) return Status::Unsupported(error);
  archive_entry* entry = nullptr;
  for (;;) {
    const int r = Api().read_next_header(a.get(), &entry);
    if (r == ARCHIVE_EOF) break;
    if (r < ARCHIVE_WARN) return Status::Unsupported(ErrorOf(a.get(), "not an archive: " + archivePath.string()));
    const bool regular = Api().entry_filetype(entry) == AE_IFREG && !Api().entry_hardlink(entry);
    entries.push_back({EntryName(entry), static_cast<int64_t>(Api().entry_size(entry)),
                       Api().entry_filetype(entry) == AE_IFDIR, regular});
    Api().read_data_skip(a.get());
  }
  return Status::OK();
}

ExtractResult LibarchiveReader::Extract(const fs::path& archivePath, const fs::path& folder, ExtractPaths paths,
                                        const std::function<bool(int64_t done, int64_t total)>& onProgress) {
  const Utf8Names utf8;
  ExtractResult result;
  // The total for the progress: one pass over the headers (a stored archive
  // skips its data by seeking).
  std::vector<ArchiveEntry> listed;
  result.status = List(archivePath, listed);
  if (!result.status.ok()) return result;
  int64_t total = 0;
  for (const ArchiveEntry& e : listed)
    if (e.isFile) total = SaturatingSum(total, e.size);

  std::string error;
  ArchivePtr a = Open(archivePath, error);
  if (!a) {
    result.status = Status::Unsupported(error);
    return result;
  }
  // The archive read a second time, by this reader's own offsets, for the
  // checksums libarchive does not check.
  const int raw = ::open(archivePath.c_str(), O_RDONLY | O_CLOEXEC);
  struct RawCloser {
    int fd;
    ~RawCloser() {
      if (fd >= 0) ::close(fd);
    }
  } rawCloser{raw};
  int64_t done = 0;
  archive_entry* entry = nullptr;
  std::error_code ec;
  for (;;) {
    const int r = Api().read_next_header(a.get(), &entry);
    if (r == ARCHIVE_EOF) break;
    if (r < ARCHIVE_WARN) {
      result.status = Status::Unsupported(ErrorOf(a.get(), "cannot read " + archivePath.string()));
      return result;
    }
    if (Api().entry_filetype(entry) != AE_IFREG || Api().entry_hardlink(entry)) {
      Api().read_data_skip(a.get());
      continue;
    }
    const std::string name = EntryName(entry);
    bool refused = false;
    const std::optional<fs::path> target = EntryTarget(folder, name, paths, refused);
    // An entry named like the archive would replace it while it is read.
    if (target && fs::equivalent(*target, archivePath, ec)) refused = true;
    if (!target || refused) {
      if (refused) result.refused.push_back(name);
      Api().read_data_skip(a.get());
      continue;
    }
    std::optional<uint32_t> crc;
    if (Api().format(a.get()) == ARCHIVE_FORMAT_RAR && raw >= 0)
      crc = Rar4FileCrc(raw, Api().read_header_position(a.get()));
    const bool executable = (Api().entry_perm(entry) & 0111) != 0;
    fs::create_directories(target->parent_path(), ec);
    const int64_t size = Api().entry_size_is_set(entry) ? static_cast<int64_t>(Api().entry_size(entry)) : -1;
    result.status = WriteEntry(a.get(), *target, executable, size, crc, done, total, onProgress);
    if (!result.status.ok()) return result;
    result.written.push_back(*target);
  }
  if (!result.refused.empty()) {
    result.status = Status::InvalidArgument("entries outside the folder or on the archive refused: " +
                                            std::to_string(result.refused.size()));
  }
  return result;
}

}  // namespace trakvella
