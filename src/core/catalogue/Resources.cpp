#include "core/catalogue/Resources.h"

#include <system_error>

#include "core/catalogue/EmbeddedResources.h"
#include "core/lang/FileMessages.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella {

namespace {

std::string Key(std::string_view type, std::string_view name) { return UpperCase(type) + "/" + UpperCase(name); }

constexpr std::string_view kEndMark = "\xC2\xAE";  // "®" in UTF-8

}  // namespace

EmbeddedResourceStore::EmbeddedResourceStore() {
  for (const EmbeddedResource* r = EmbeddedResourceTable(); r->type != nullptr; ++r)
    index_.emplace(Key(r->type, r->name), std::string_view(r->data, r->size));
}

std::optional<std::string_view> EmbeddedResourceStore::Find(std::string_view name, std::string_view type) const {
  auto it = index_.find(Key(type, name));
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

FolderResourceStore::FolderResourceStore(const std::filesystem::path& folder, int language) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (fs::directory_iterator types(folder, ec), end; !ec && types != end; types.increment(ec)) {
    if (!types->is_directory(ec)) continue;
    std::string type = types->path().filename().string();
    std::error_code ec2;
    for (fs::directory_iterator files(types->path(), ec2); !ec2 && files != fs::directory_iterator();
         files.increment(ec2)) {
      if (files->is_directory(ec2)) continue;
      const fs::path& file = files->path();
      std::string bytes;
      if (Status read = ReadWholeFile(file, bytes, FileKind::CatalogueResource); !read.ok()) {
        problems_.push_back(IsRefusedFile(read) ? FileReadMessage(language, file, read, FileKind::CatalogueResource)
                                                : "Cannot read " + file.string());
        continue;
      }
      files_.emplace(Key(type, file.stem().string()), std::move(bytes));
    }
  }
}

std::optional<std::string_view> FolderResourceStore::Find(std::string_view name, std::string_view type) const {
  auto it = files_.find(Key(type, name));
  if (it == files_.end()) return std::nullopt;
  return std::string_view(it->second);
}

std::unique_ptr<ResourceStore> OpenCatalogueResources(const std::optional<std::filesystem::path>& catalogueFolder,
                                                      const std::filesystem::path& programFolder, std::string& error,
                                                      int language) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (catalogueFolder) {
    if (!fs::is_directory(*catalogueFolder, ec)) {
      error = "catalogue folder not found: " + catalogueFolder->string();
      return nullptr;
    }
    return std::make_unique<FolderResourceStore>(*catalogueFolder, language);
  }
  fs::path local = programFolder / "catalogue";
  if (fs::is_directory(local, ec)) return std::make_unique<FolderResourceStore>(local, language);
  return std::make_unique<EmbeddedResourceStore>();
}

std::string MissingEndMarkMessage(std::string_view resourceName) {
  return std::string(resourceName) + "\r" + "Остутствует символ конца ресурса - " + std::string(kEndMark);
}

std::vector<std::string> ReadCatalogueResource(const ResourceStore& store, std::string_view name, std::string_view type,
                                               Dialogs& dialogs, std::string_view reportName) {
  auto bytes = store.Find(name, type);
  if (!bytes) return {};
  std::string_view raw = *bytes;
  if (size_t nul = raw.find('\0'); nul != std::string_view::npos) raw = raw.substr(0, nul);
  std::vector<std::string> lines = SplitLines(Cp1251ToUtf8(raw));
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].compare(0, kEndMark.size(), kEndMark) == 0) {
      lines.resize(i);
      return lines;
    }
  }
  if (!lines.empty())
    dialogs.Message(MissingEndMarkMessage(reportName.empty() ? name : reportName), MessageKind::Plain);
  return lines;
}

}  // namespace trakvella
