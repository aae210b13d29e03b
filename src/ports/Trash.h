#pragma once
// Trash: files the program discards (partial downloads, unpacked archives) go to
// the desktop's trash, where the user can still get them back.
#include <filesystem>

namespace trakvella {

class Trash {
 public:
  virtual ~Trash() = default;
  // Moves the file to the trash without asking. False when it could not be
  // moved; the file then stays where it was.
  [[nodiscard]] virtual bool MoveToTrash(const std::filesystem::path& file) = 0;
};

}  // namespace trakvella
