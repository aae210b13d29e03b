#pragma once
// LibarchiveReader: the ArchiveReader port on libarchive, for RAR archives (RAR
// 4 and RAR 5). Entries are streamed block by block to disk; every file lands
// through a temporary file renamed over its name once its size and its CRC-32
// (read from the RAR 4 header: libarchive checks packed entries only) are
// right, so a failed or damaged entry leaves no file under its name, and a
// link of that name is replaced, never followed.
#include <optional>

#include "ports/ArchiveReader.h"

namespace trakvella {

class LibarchiveReader : public ArchiveReader {
 public:
  Status List(const std::filesystem::path& archive, std::vector<ArchiveEntry>& entries) override;
  ExtractResult Extract(const std::filesystem::path& archive, const std::filesystem::path& folder, ExtractPaths paths,
                        const std::function<bool(int64_t done, int64_t total)>& onProgress) override;
};

// Where an entry is written below folder, or nothing when it is not written: a
// flat name that is empty, or with KeepFolders a name that is absolute
// ("/x", "\x", "C:x") or has a ".." element (refused).
std::optional<std::filesystem::path> EntryTarget(const std::filesystem::path& folder, const std::string& name,
                                                 ExtractPaths paths, bool& refused);

}  // namespace trakvella
