// Feeds arbitrary catalogue folders to the loader. One input holds the folder's
// files separated by lines "@@": the descriptor table, the titles table, the
// translations, the similar CDs, the authors, then information blocks (a block
// whose first line is a CD code takes that name, else KMLB_000, KMLB_001, ...).
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/PosixFileSystem.h"
#include "core/app/MainWindowCaption.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace {

using namespace trakvella;

class MemoryStore : public ResourceStore {
 public:
  std::map<std::string, std::string> files;  // "TYPE/NAME" upper case
  std::optional<std::string_view> Find(std::string_view name, std::string_view type) const override {
    auto it = files.find(UpperCase(type) + "/" + UpperCase(name));
    if (it == files.end()) return std::nullopt;
    return std::string_view(it->second);
  }
};

class NoDialogs : public Dialogs {
 public:
  MessageAnswer Message(const std::string&, MessageKind, MessageButtons) override { return MessageAnswer::Ok; }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::string SelectFolder(const std::string&, const std::string&) override { return {}; }
  std::string SaveFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::string OpenFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
  int Choose(const std::string&, const std::string&, const std::vector<std::string>&) override { return -1; }
};

}  // namespace

// The loader reaches files as the program does (it reads none from the input).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static PosixFileSystem files;
  InstallFileSystem(&files);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> pieces;
  constexpr std::string_view kSeparator = "\n@@\n";
  size_t start = 0;
  while (true) {
    size_t at = input.find(kSeparator, start);
    pieces.push_back(input.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) break;
    start = at + kSeparator.size();
  }
  static const char* kTables[] = {"KMLB_TRACKS", "KMLB_XLS", "TRANSLATECATS", "SIMILARCD", "WRITERSINFO"};
  MemoryStore store;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i < 5) {
      store.files["TEXT/" + std::string(kTables[i])] = std::string(pieces[i]);
      continue;
    }
    std::string_view block = pieces[i];
    std::string name;
    if (block.substr(0, 5) == "KMLB_" && block.size() >= 9 && block[8] == '\n') {
      name = std::string(block.substr(0, 8));
      block.remove_prefix(9);
    } else {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "KMLB_%03zu", (i - 5) % 1000);
      name = buffer;
    }
    store.files["NFO/" + name] = std::string(block);
  }

  NoDialogs dialogs;
  SilentProgress progress;
  Catalogue catalogue;
  catalogue.ReadCatalogueTables(store, dialogs);
  LoadOptions options;
  options.today = {2026, 12};
  options.language = size % 2 == 1 ? Language::Russian : Language::English;
  catalogue.LoadCatalogue(store, options, dialogs, progress);
  // Walk what was built, as the lists of the main window would.
  for (const auto& name : catalogue.ChildCategoriesInDisplayOrder("", options.language)) {
    (void)catalogue.ListCdsInCategory(name, true);
    catalogue.ChildCategoriesInDisplayOrder(name, options.language);
  }
  (void)MainWindowCaption(catalogue, options.language);
  return 0;
}
