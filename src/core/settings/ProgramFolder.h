#pragma once
// ProgramFolder: which folder holds what the program keeps for its user (the
// settings file, account files, the set, audio/, logs, the update's folders).
// A copy that may write its own folder (the build folder, a portable copy)
// keeps everything there; an installed program keeps it in the user's data
// folder, made on first start readable by the user only. `--home` wins.
#include <filesystem>
#include <optional>
#include <string>

#include "ports/FileSystem.h"
#include "ports/Status.h"

namespace trakvella {

// The folder below the user's data folder an installed program keeps its files in.
inline constexpr const char* kUserDataFolderName = "trakvella";

struct ProgramFolderQuestion {
  std::optional<std::filesystem::path> homeOption;  // --home DIR
  std::filesystem::path executableFolder;           // where the running program file stands
  std::filesystem::path installedProgramsFolder;    // where the install rule puts the programs
  std::string xdgDataHome;                          // $XDG_DATA_HOME, empty when unset
  std::string userHome;                             // $HOME, empty when unset
};

struct ProgramFolderChoice {
  std::filesystem::path folder;
  // The program file stands where it was installed (the install rule's folder,
  // or a folder this user may not write): the program never writes beside
  // itself, and a newer version comes as a package, not as a web update.
  bool installed = false;
  // Why the user's data folder could not be made (OK when it was not needed or
  // is there); the program goes on with it, and its writes report their failures.
  Status made;
};

// The choice; only the user's data folder of an installed program is made.
// XDG_DATA_HOME counts when it is an absolute path, else $HOME/.local/share.
ProgramFolderChoice ChooseProgramFolder(const ProgramFolderQuestion& question, FileSystem& files);

// The same for this run: the environment of this process, the install rule's
// folder of this build and the installed file system.
ProgramFolderChoice ProgramFolderForThisRun(const std::optional<std::filesystem::path>& homeOption,
                                            const std::filesystem::path& executableFolder);

}  // namespace trakvella
