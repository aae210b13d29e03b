#pragma once
// UpdateScript: the shell script that puts an unpacked update in place after
// the program has ended — it waits, installs each file of "update/" in the
// program folder through a temporary copy renamed over the old file, puts the
// old files back when a step fails, removes the archive and "update/" only once
// every file is in place, starts the program again and removes itself.
#include <filesystem>
#include <string>
#include <vector>

#include "ports/ProcessLauncher.h"

namespace trakvella {

inline constexpr const char* kUpdateFolderName = "update";
// The folder the update's archive is downloaded into: a folder of its own, so
// the name the update page gives never names a file the program keeps.
inline constexpr const char* kUpdateArchiveFolderName = "update-archive";
inline constexpr const char* kUpdateScriptName = "tvupdate.sh";

struct UpdateScript {
  std::filesystem::path programFolder;  // gets the files of programFolder/update/
  std::filesystem::path archive;        // the downloaded update archive
  std::filesystem::path programFile;    // started again at the end
  std::vector<std::string> restartArguments;
  int pauseSeconds = 5;  // time the program has to end before its files are replaced
  // The files of "update/" to install, relative to it, "/" between folders.
  std::vector<std::string> files;
};

// The script's text (POSIX sh). Every path is absolute, so the script does the
// same from any working folder. Each file is copied (mode kept) to a temporary
// name beside the old one and renamed over it, so a running program file is
// replaced, never rewritten; the old file is kept aside until every file is in
// place. When a step fails, the files already replaced are put back and the
// archive and "update/" are kept for another attempt; the program is started
// either way.
std::string UpdateScriptText(const UpdateScript& script);

// Writes the script as programFolder/tvupdate.sh, executable. The path, or
// empty when it could not be written.
std::filesystem::path WriteUpdateScript(const UpdateScript& script);

// Starts the written script detached, in the program folder.
[[nodiscard]] bool StartUpdateScript(ProcessLauncher& launcher, const std::filesystem::path& scriptFile,
                                     const std::filesystem::path& programFolder);

}  // namespace trakvella
