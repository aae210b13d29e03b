#pragma once
// ArchiveReader: the entries of a RAR archive and their extraction into a
// folder, streamed so an archive of any size fits in memory. The reader owns
// nothing between calls; each call opens and closes the file.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Status.h"

namespace trakvella {

struct ArchiveEntry {
  std::string name;  // as the archive names it, "/" between folders, UTF-8
  int64_t size = 0;
  bool isDirectory = false;
  // A regular file, the only kind ever written (not a folder, link or device).
  bool isFile = true;
};

enum class ExtractPaths {
  // Every file entry lands in the folder under its last name element: "a/b.wav",
  // "../b.wav" and "/etc/b.wav" all become "b.wav" in the folder.
  Flat,
  // Entries keep their folders below the folder; an entry whose name is absolute
  // or climbs out with ".." is refused and not written.
  KeepFolders,
};

struct [[nodiscard]] ExtractResult {
  // OK when every file entry was written and none refused; Aborted when
  // onProgress stopped it, Unsupported when the archive could not be read,
  // IOError when a file could not be written, InvalidArgument for refusals.
  Status status = Status::Aborted("not extracted");
  std::vector<std::filesystem::path> written;  // the files written, in archive order
  std::vector<std::string> refused;            // names of the entries refused
};

class ArchiveReader {
 public:
  virtual ~ArchiveReader() = default;
  // Opens the archive and lists its entries in archive order. Unsupported
  // with the reason when the file is not an archive the reader can read.
  virtual Status List(const std::filesystem::path& archive, std::vector<ArchiveEntry>& entries) = 0;
  // Extracts every file entry into folder, overwriting files of the same name;
  // folders, links and other special entries are not written, and an entry
  // that would land on the archive itself is refused. onProgress gets the
  // bytes written so far and the total of the entries' sizes between blocks;
  // returning false stops the extraction (a failure). Each file is written to
  // a temporary name and put in place only once its data was read whole and
  // matched the archive's checksum, so a file is written whole or not at all;
  // a file the archive marks executable is written executable.
  virtual ExtractResult Extract(const std::filesystem::path& archive, const std::filesystem::path& folder,
                                ExtractPaths paths,
                                const std::function<bool(int64_t done, int64_t total)>& onProgress) = 0;
};

// The name a file entry gets when extracted flat: the text after its last "/" or
// "\"; empty when that is empty, "." or "..", which cannot be a file's name.
inline std::string FlatEntryName(std::string_view name) {
  const size_t cut = name.find_last_of("/\\");
  std::string_view last = cut == std::string_view::npos ? name : name.substr(cut + 1);
  if (last.empty() || last == "." || last == "..") return {};
  return std::string(last);
}

}  // namespace trakvella
