#pragma once
// PosixFileSystem: the FileSystem port over POSIX calls. Reads open a file
// without blocking and look at what they opened, so a pipe or a device is
// refused, never waited for or read. Writes go to a mkstemp file beside the
// target (created new, mode 0600 until complete), renamed over it under flock
// on the target itself, or, for a file not made yet, on a lock file
// ".NAME.lock" beside it that its holder removes again. Stateless; any number of
// instances may be used at once.
#include "ports/FileSystem.h"

namespace trakvella {

class PosixFileSystem : public FileSystem {
 public:
  Result<std::string> ReadFile(const std::filesystem::path& file, std::uint64_t limit) override;
  Result<std::unique_ptr<ReadableFile>> OpenForReading(const std::filesystem::path& file) override;
  Status ReplaceFile(const std::filesystem::path& file, std::string_view bytes,
                     const WriteOptions& options = {}) override;
  Status UpdateFile(const std::filesystem::path& file, std::uint64_t limit, const Change& change,
                    const WriteOptions& options = {}) override;
  bool CanWriteInFolder(const std::filesystem::path& folder) override;
  Status MakePrivateFolder(const std::filesystem::path& folder) override;
  bool ListFolder(const std::filesystem::path& folder, const std::function<void(const FolderEntry&)>& visit) override;

 private:
  Status Write(const std::filesystem::path& file, std::uint64_t limit, const Change* change, std::string_view bytes,
               const WriteOptions& options);
};

}  // namespace trakvella
