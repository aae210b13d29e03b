#include "core/startup/UpdateUnpack.h"

#include <algorithm>
#include <memory>

#include "core/startup/UpdateScript.h"
#include "core/text/FileIO.h"
#include "ports/ArchiveReader.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

// RAR 4 and RAR 5 files both begin with these bytes.
constexpr std::string_view kRarSignature = "Rar!\x1a\x07";

// Only a regular file is looked at (a pipe or a device of that name is never
// waited for), and only its first bytes are read.
bool IsRarFile(const fs::path& file) {
  Result<std::unique_ptr<ReadableFile>> opened = Files().OpenForReading(file);
  if (!opened.ok()) return false;
  std::string head(kRarSignature.size(), '\0');
  Result<size_t> read = (*opened)->ReadAt(0, head.data(), head.size());
  return read.ok() && *read == head.size() && head == kRarSignature;
}

UnpackResult Failed(UnpackOutcome outcome, std::string detail) { return {outcome, std::move(detail), {}}; }

}  // namespace

bool EntryStaysInside(std::string_view entryName) {
  if (entryName.empty() || entryName.front() == '/' || entryName.front() == '\\') return false;
  if (entryName.size() >= 2 && entryName[1] == ':') return false;  // "C:..." names a drive
  size_t start = 0;
  while (start <= entryName.size()) {
    size_t end = entryName.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = entryName.size();
    if (entryName.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

UnpackResult UnpackUpdate(ArchiveReader& reader, const fs::path& archive, const fs::path& programFolder,
                          Progress& progress) {
  if (!IsRarFile(archive)) return Failed(UnpackOutcome::CannotOpen, archive.string() + " is not a RAR archive");
  std::vector<ArchiveEntry> entries;
  if (const Status listed = reader.List(archive, entries); !listed.ok())
    return Failed(UnpackOutcome::CannotOpen, listed.message());
  bool anyFile = false;
  for (const ArchiveEntry& entry : entries) {
    if (!EntryStaysInside(entry.name))
      return Failed(UnpackOutcome::CannotUnpack, "the entry \"" + entry.name + "\" would leave the update folder");
    anyFile = anyFile || entry.isFile;
  }
  if (!anyFile) return Failed(UnpackOutcome::CannotUnpack, "the archive holds no files");

  // A folder left by an earlier attempt must not mix into this update.
  const fs::path folder = programFolder / kUpdateFolderName;
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder, ec);
  if (ec) return Failed(UnpackOutcome::CannotUnpack, "cannot create " + folder.string() + ": " + ec.message());

  ExtractResult extracted =
      reader.Extract(archive, folder, ExtractPaths::KeepFolders, [&](int64_t done, int64_t total) {
        progress.SetPerMille(total > 0 ? static_cast<int>(done * 1000 / total) : -1);
        progress.pump();
        return true;
      });
  if (!extracted.status.ok() || !extracted.refused.empty()) {
    fs::remove_all(folder, ec);
    return Failed(UnpackOutcome::CannotUnpack, !extracted.refused.empty()
                                                   ? "the entry \"" + extracted.refused.front() + "\" was refused"
                                                   : extracted.status.message());
  }
  UnpackResult unpacked{UnpackOutcome::Unpacked, {}, {}};
  // A name the archive holds twice was written twice; it is installed once.
  for (const fs::path& file : extracted.written) {
    const std::string name = file.lexically_relative(folder).generic_string();
    if (std::find(unpacked.files.begin(), unpacked.files.end(), name) == unpacked.files.end())
      unpacked.files.push_back(name);
  }
  return unpacked;
}

}  // namespace trakvella
