#pragma once
// FileSystem: every file the program reads or writes whole (settings, server
// list, set lists, account files, catalogue folders, documents, exports, the
// files they read) and the project files the scan reads in blocks. Reads never
// block on a pipe or a device and never take more than the caller's limit;
// writes replace a file whole, under a lock every writer of that file takes.
// One instance serves the whole program; the caller keeps it alive.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ports/Status.h"

namespace trakvella {

// A regular file opened for reading at any offset; closed when destroyed. Reads at
// their own offsets may come from several threads at once.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // The size the file had when it was opened.
  virtual std::uint64_t Size() const = 0;
  // When its bytes were last changed, as it was opened: nanoseconds since 1970 (what a cache of
  // something made from the file compares, with the size).
  virtual std::int64_t ModifiedNanoseconds() const = 0;
  // Up to `size` bytes from `offset` into `out`: how many were read, 0 at the end.
  virtual Result<std::size_t> ReadAt(std::uint64_t offset, char* out, std::size_t size) = 0;
};

struct WriteOptions {
  // For files that hold a password: a new file is readable by its owner only
  // (0600), an existing one loses any group and other bits, and no copy of the
  // bytes is ever readable by others, not even while it is written.
  bool ownerOnly = false;
  // The bytes reach the disk before the file takes its name, so a power cut
  // leaves the old file or the new one, never an empty one. Files made again
  // on demand (the exports' files) may leave that to the system.
  bool durable = true;
  // For a file that is run (a script): whoever may read it may execute it (the
  // execute bit joins each read bit, of a new file's bits as of an old one's).
  bool executable = false;
};

// One entry of a folder, as FileSystem::ListFolder reads it.
struct FolderEntry {
  std::string_view name;
  bool folder = false;  // a folder, or a link to one
  bool link = false;    // a symbolic link, whatever it points at
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The bytes of a regular file (a link to one counts), at most `limit` of
  // them. A folder, a pipe, a device or a socket is NotRegularFile: it is
  // opened without blocking and never read from; a longer file is TooLarge; a
  // missing one NotFound.
  virtual Result<std::string> ReadFile(const std::filesystem::path& file, std::uint64_t limit) = 0;

  // Opens a regular file (a link to one counts) for reads in blocks; the same
  // refusals as ReadFile, without a limit.
  virtual Result<std::unique_ptr<ReadableFile>> OpenForReading(const std::filesystem::path& file) = 0;

  // Replaces the file's bytes whole: they go to a new temporary file of an
  // unpredictable name beside it, which is renamed over the file once it is
  // complete, so a failed or interrupted write leaves the old file as it was.
  // A link at the name (the user's own) is kept and the file it points to is
  // written; the file keeps its permission bits; a name held by a folder, a
  // pipe or a device is refused. When the folder takes no new file but the
  // file may be written, the file is rewritten in place. A temporary file an
  // earlier, interrupted write of the same file left behind is removed.
  virtual Status ReplaceFile(const std::filesystem::path& file, std::string_view bytes,
                             const WriteOptions& options = {}) = 0;

  // The bytes to write, from the file's current bytes (nullopt when there is no
  // file yet); a Status instead leaves the file as it is and is handed back.
  using Change = std::function<Result<std::string>(const std::optional<std::string>& current)>;
  // A read-modify-write of the file, as ReplaceFile writes, while no other
  // ReplaceFile or UpdateFile of the same file, in this process or another,
  // runs: two programs updating one file never lose each other's change. The
  // current bytes are read with `limit`, and their read's failure is handed back.
  virtual Status UpdateFile(const std::filesystem::path& file, std::uint64_t limit, const Change& change,
                            const WriteOptions& options = {}) = 0;

  // Whether this process may add files to the folder (false for a folder that
  // does not exist): the program's own folder is its data folder only then.
  [[nodiscard]] virtual bool CanWriteInFolder(const std::filesystem::path& folder) = 0;

  // Makes the folder and every missing folder above it, each new one readable
  // by its owner only (0700); folders that exist (or links to them) stay as
  // they are. A name held by anything but a folder is NotRegularFile.
  virtual Status MakePrivateFolder(const std::filesystem::path& folder) = 0;

  // Each entry of the folder but "." and "..", in the order the system keeps them; an entry whose
  // kind cannot be told (a broken link, one gone meanwhile) is left out. False when the folder
  // cannot be read to its end (missing, no folder, not readable): what was visited is then no listing.
  virtual bool ListFolder(const std::filesystem::path& folder,
                          const std::function<void(const FolderEntry&)>& visit) = 0;
};

}  // namespace trakvella
