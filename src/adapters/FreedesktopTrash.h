#pragma once
// FreedesktopTrash: the Trash port laid out as freedesktop.org desktops keep their trash
// (files/ and info/), in plain POSIX, so the program and trakvella-cli share it. A
// file goes to the home trash when it lives on the same file system, else to
// the trash at the top of its own file system; it is never copied.
#include <filesystem>

#include "ports/Trash.h"

namespace trakvella {

class FreedesktopTrash : public Trash {
 public:
  // The home trash: $XDG_DATA_HOME/Trash, or ~/.local/share/Trash.
  FreedesktopTrash();
  // A home trash of the caller's choice (tests).
  explicit FreedesktopTrash(std::filesystem::path homeTrash);

  bool MoveToTrash(const std::filesystem::path& file) override;

  const std::filesystem::path& homeTrash() const { return homeTrash_; }

 private:
  std::filesystem::path homeTrash_;
};

// A path as the trash's info files write it: every byte other than letters,
// digits, "/" and "-_.~" as %XX.
std::string TrashInfoPath(const std::string& path);

}  // namespace trakvella
