#include "core/settings/ProgramFolder.h"

#include <cstdlib>
#include <system_error>

#include "core/settings/InstallDirs.h"
#include "core/text/FileIO.h"

namespace trakvella {

namespace fs = std::filesystem;

namespace {

// The folder with links resolved as far as it exists, so "/bin" and "/usr/bin"
// on a merged file system are one folder.
fs::path Resolved(const fs::path& folder) {
  std::error_code ec;
  fs::path resolved = fs::weakly_canonical(folder, ec);
  return ec ? folder.lexically_normal() : resolved;
}

// The user's data folder (XDG base directories); empty when neither variable names one.
fs::path UserDataFolder(const std::string& xdgDataHome, const std::string& userHome) {
  // A relative path in these variables is no folder at all.
  if (fs::path(xdgDataHome).is_absolute()) return xdgDataHome;
  if (fs::path(userHome).is_absolute()) return fs::path(userHome) / ".local" / "share";
  return {};
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

ProgramFolderChoice ChooseProgramFolder(const ProgramFolderQuestion& question, FileSystem& files) {
  ProgramFolderChoice choice;
  // Root may write any folder: the install rule's folder counts as installed whoever runs the program.
  choice.installed = (!question.installedProgramsFolder.empty() &&
                      Resolved(question.executableFolder) == Resolved(question.installedProgramsFolder)) ||
                     !files.CanWriteInFolder(question.executableFolder);
  if (question.homeOption) {
    choice.folder = *question.homeOption;
    return choice;
  }
  if (!choice.installed) {
    choice.folder = question.executableFolder;
    return choice;
  }
  const fs::path dataFolder = UserDataFolder(question.xdgDataHome, question.userHome);
  if (dataFolder.empty()) {
    // Nowhere else to go: the program's own folder, whose writes fail and say so.
    choice.folder = question.executableFolder;
    choice.made = Status::NotFound("the user's data folder", "neither XDG_DATA_HOME nor HOME names one");
    return choice;
  }
  choice.folder = dataFolder / kUserDataFolderName;
  choice.made = files.MakePrivateFolder(choice.folder);
  return choice;
}

ProgramFolderChoice ProgramFolderForThisRun(const std::optional<fs::path>& homeOption,
                                            const fs::path& executableFolder) {
  ProgramFolderQuestion question{homeOption, executableFolder, kInstalledProgramsFolder, Environment("XDG_DATA_HOME"),
                                 Environment("HOME")};
  return ChooseProgramFolder(question, Files());
}

}  // namespace trakvella
