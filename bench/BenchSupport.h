#pragma once
// What the benchmark programs share: dialogs that must stay silent, and the
// generated full-size catalogue loaded once per run in a temporary folder.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "adapters/PosixFileSystem.h"
#include "core/catalogue/Catalogue.h"
#include "core/text/FileIO.h"
#include "ports/Dialogs.h"
#include "ports/Progress.h"

namespace trakvella::bench {

// Every benchmark reads and writes its files as the program does.
inline const bool kFileSystemInstalled = [] {
  static PosixFileSystem files;
  InstallFileSystem(&files);
  return true;
}();

// A benchmark on clean data shows no message; one that does is a fault.
class NoDialogs : public Dialogs {
 public:
  MessageAnswer Message(const std::string& text, MessageKind, MessageButtons) override {
    throw std::runtime_error("unexpected message: " + text);
  }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::string SelectFolder(const std::string&, const std::string&) override { return {}; }
  std::string SaveFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::string OpenFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
  int Choose(const std::string&, const std::string&, const std::vector<std::string>&) override { return -1; }
};

// Runs tools/gen_catalogue.py with the given arguments.
inline void Generate(const std::string& args) {
  const std::string command =
      std::string("python3 ") + TRAKVELLA_SOURCE_DIR + "/tools/gen_catalogue.py " + args + " > /dev/null";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("catalogue generator failed: " + args);
}

// The generated catalogue under root/catalogue, loaded with root/home as the
// program folder; the folder is removed when the object goes.
struct Library {
  std::filesystem::path root;
  NoDialogs dialogs;
  SilentProgress progress;
  Catalogue catalogue;

  explicit Library(const std::string& name)
      : root(std::filesystem::temp_directory_path() / ("trakvella-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(root / "home");
    Generate("--out '" + (root / "catalogue").string() + "'");
    FolderResourceStore store(root / "catalogue");
    LoadOptions options;
    options.programFolder = root / "home";
    options.today = {2026, 12};
    catalogue.ReadCatalogueTables(store, dialogs);
    catalogue.LoadCatalogue(store, options, dialogs, progress);
  }
  ~Library() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
};

}  // namespace trakvella::bench
