#pragma once
// UpdateScript: the shell script that puts an unpacked update in place after
// the program has ended — it waits, copies "update/" over the program folder,
// removes the archive and "update/", starts the program again and removes itself.
#include <filesystem>
#include <string>
#include <vector>

#include "ports/ProcessLauncher.h"

namespace trakvella {

inline constexpr const char* kUpdateFolderName = "update";
inline constexpr const char* kUpdateScriptName = "tvupdate.sh";

struct UpdateScript {
  std::filesystem::path programFolder;  // gets the files of programFolder/update/
  std::filesystem::path archive;        // the downloaded update archive
  std::filesystem::path programFile;    // started again at the end
  std::vector<std::string> restartArguments;
  int pauseSeconds = 5;  // time the program has to end before its files are replaced
};

// The script's text (POSIX sh). Every path is absolute, so the script does the
// same from any working folder. When the copy fails, the archive and
// "update/" are kept for another attempt; the program is started either way.
std::string UpdateScriptText(const UpdateScript& script);

// Writes the script as programFolder/tvupdate.sh, executable. The path, or
// empty when it could not be written.
std::filesystem::path WriteUpdateScript(const UpdateScript& script);

// Starts the written script detached, in the program folder.
bool StartUpdateScript(ProcessLauncher& launcher, const std::filesystem::path& scriptFile,
                       const std::filesystem::path& programFolder);

}  // namespace trakvella
