#pragma once
// Resources: the catalogue's named texts of a type ("TEXT", "NFO", "RCDATA"), compiled into the program
// or read from a folder of the same layout (TYPE/NAME.ext). The program start owns the store it opens.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/Language.h"
#include "ports/Dialogs.h"

namespace trakvella {

class ResourceStore {
 public:
  virtual ~ResourceStore() = default;
  // The raw bytes (code page 1251) of a resource; nothing when it does not exist.
  // Names and types are matched ignoring letter case.
  virtual std::optional<std::string_view> Find(std::string_view name, std::string_view type) const = 0;
  // Problems met while opening the store (files that could not be read).
  const std::vector<std::string>& problems() const { return problems_; }

 protected:
  std::vector<std::string> problems_;
};

// The default catalogue carried inside the program.
class EmbeddedResourceStore : public ResourceStore {
 public:
  EmbeddedResourceStore();
  std::optional<std::string_view> Find(std::string_view name, std::string_view type) const override;

 private:
  std::map<std::string, std::string_view> index_;
};

// A catalogue folder: every file TYPE/NAME.ext is read into memory when the
// store opens, so later loads read no disk. A file that is not read (a pipe, a
// device, one too large for a catalogue) is a problem named in `language`.
class FolderResourceStore : public ResourceStore {
 public:
  explicit FolderResourceStore(const std::filesystem::path& folder, Language language = Language::English);
  std::optional<std::string_view> Find(std::string_view name, std::string_view type) const override;

 private:
  std::map<std::string, std::string> files_;
};

// Chooses the catalogue: the folder given (--catalogue), else "catalogue/" in the
// program folder when it exists, else the embedded default. A folder given that
// does not exist is an error: nothing is returned and error is set.
std::unique_ptr<ResourceStore> OpenCatalogueResources(const std::optional<std::filesystem::path>& catalogueFolder,
                                                      const std::filesystem::path& programFolder, std::string& error,
                                                      Language language = Language::English);

// Reads one resource as UTF-8 lines: the text up to the first NUL, split at line
// ends, with the end-mark line (first character "®") and all after it dropped.
// A non-empty resource without an end mark is used whole and reported, naming
// reportName (the resource name when empty). An absent resource gives no lines.
std::vector<std::string> ReadCatalogueResource(const ResourceStore& store, std::string_view name, std::string_view type,
                                               Dialogs& dialogs, std::string_view reportName = {});

// The same lines as views into `text`, which receives the decoded resource: a
// caller reading many resources keeps both and allocates no line of its own.
// Returns false (no lines) when the resource does not exist.
bool ReadCatalogueLines(const ResourceStore& store, std::string_view name, std::string_view type, Dialogs& dialogs,
                        std::string& text, std::vector<std::string_view>& lines, std::string_view reportName = {});

// The message for a resource without an end mark.
std::string MissingEndMarkMessage(std::string_view resourceName);

}  // namespace trakvella
