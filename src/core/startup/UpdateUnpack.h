#pragma once
// UpdateUnpack: unpacking a downloaded update archive into "update/" below the
// program folder, keeping the archive's folders and refusing any entry that
// would land outside "update/". Uses the ArchiveReader port; owns nothing.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Progress.h"

namespace trakvella {

class ArchiveReader;

// Whether an entry name stays inside the folder it is unpacked into: not
// empty, not absolute (nor "C:"-style), and no ".." element, with "/" and "\"
// both taken as separators.
bool EntryStaysInside(std::string_view entryName);

enum class UnpackOutcome {
  Unpacked,
  CannotOpen,    // not an archive the reader opens
  CannotUnpack,  // an entry leaves the folder, or extraction failed
};

struct UnpackResult {
  UnpackOutcome outcome = UnpackOutcome::CannotOpen;
  std::string detail;  // why, for the command line
  // The files written below "update/", relative to it, "/" between folders.
  std::vector<std::string> files;
};

// Unpacks archive into programFolder/update/ (emptied first). Every entry is
// checked before anything is written; on any failure "update/" is removed
// again, so nothing of a refused or broken archive stays.
UnpackResult UnpackUpdate(ArchiveReader& reader, const std::filesystem::path& archive,
                          const std::filesystem::path& programFolder, Progress& progress);

}  // namespace trakvella
