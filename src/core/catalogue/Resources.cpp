#include "core/catalogue/Resources.h"

#include <cstdint>
#include <cstring>
#include <system_error>

#include "core/catalogue/EmbeddedResources.h"
#include "core/lang/FileMessages.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella {

namespace {

std::string Key(std::string_view type, std::string_view name) { return UpperCase(type) + "/" + UpperCase(name); }

constexpr std::string_view kEndMark = "\xC2\xAE";  // "®" in UTF-8

// Code page 1251 decoded into a buffer the caller keeps (Cp1251ToUtf8 byte by
// byte), so reading a thousand information blocks allocates no new text each.
void DecodeInto(std::string_view raw, std::string& out) {
  struct Table {
    char bytes[256][4];  // each byte's UTF-8 form (ASCII as itself)
    unsigned char length[256];
  };
  static const Table table = [] {
    Table t{};
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      const std::string utf8 = Cp1251ToUtf8(std::string_view(&byte, 1));
      t.length[b] = static_cast<unsigned char>(utf8.copy(t.bytes[b], sizeof t.bytes[b]));
    }
    return t;
  }();
  // Eight bytes at a time: ASCII stays as it is, and most other bytes (the letters) take two.
  constexpr uint64_t kHighBits = 0x8080808080808080ULL;
  auto wordAt = [](const char* at) {
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
  };
  auto put = [](char*& w, char c) {
    const auto b = static_cast<unsigned char>(c);
    std::memcpy(w, table.bytes[b], 4);
    w += table.length[b];
  };
  const char* const begin = raw.data();
  const char* const end = begin + raw.size();
  const size_t whole = raw.size() / 8 * 8;
  size_t size = 0;
  for (size_t at = 0; at < whole; at += 8) {
    const uint64_t word = wordAt(begin + at);
    // Bytes 0x80-0xBF (high bit, not the next) may take three: those words are counted byte by byte.
    if ((word & ~(word << 1) & kHighBits) == 0) {
      // The high bits, one a byte, summed into the top byte.
      size += 8 + static_cast<size_t>((((word & kHighBits) >> 7) * 0x0101010101010101ULL) >> 56);
    } else {
      for (size_t k = 0; k < 8; ++k) size += table.length[static_cast<unsigned char>(begin[at + k])];
    }
  }
  for (const char* r = begin + whole; r < end; ++r) size += table.length[static_cast<unsigned char>(*r)];
  // Every byte writes four (its form and what the next ones overwrite): three spare at the end.
  out.resize(size + 3);
  char* w = out.data();
  for (size_t at = 0; at < whole; at += 8) {
    const uint64_t word = wordAt(begin + at);
    if ((word & kHighBits) == 0) {
      std::memcpy(w, begin + at, 8);
      w += 8;
    } else {
      for (size_t k = 0; k < 8; ++k) put(w, begin[at + k]);
    }
  }
  for (const char* r = begin + whole; r < end; ++r) put(w, *r);
  out.resize(size);
}

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

FolderResourceStore::FolderResourceStore(const std::filesystem::path& folder, Language language) {
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
                                                      Language language) {
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

bool ReadCatalogueLines(const ResourceStore& store, std::string_view name, std::string_view type, Dialogs& dialogs,
                        std::string& text, std::vector<std::string_view>& lines, std::string_view reportName) {
  lines.clear();
  text.clear();
  auto bytes = store.Find(name, type);
  if (!bytes) return false;
  std::string_view raw = *bytes;
  if (size_t nul = raw.find('\0'); nul != std::string_view::npos) raw = raw.substr(0, nul);
  DecodeInto(raw, text);
  // Lines end at CR LF, CR or LF; the end mark's line and all after it go.
  const std::string_view all = text;
  size_t start = 0;
  while (start < all.size()) {
    // The next LF, and a CR before it.
    const char* from = all.data() + start;
    const char* lf = static_cast<const char*>(std::memchr(from, '\n', all.size() - start));
    const size_t span = lf ? static_cast<size_t>(lf - from) : all.size() - start;
    const char* cr = static_cast<const char*>(std::memchr(from, '\r', span));
    const size_t end = start + (cr ? static_cast<size_t>(cr - from) : span);
    const std::string_view line = all.substr(start, end - start);
    if (line.starts_with(kEndMark)) return true;
    lines.push_back(line);
    start = end + 1;
    if (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n') ++start;
  }
  if (!lines.empty())
    dialogs.Message(MissingEndMarkMessage(reportName.empty() ? name : reportName), MessageKind::Plain);
  return true;
}

std::vector<std::string> ReadCatalogueResource(const ResourceStore& store, std::string_view name, std::string_view type,
                                               Dialogs& dialogs, std::string_view reportName) {
  std::string text;
  std::vector<std::string_view> views;
  ReadCatalogueLines(store, name, type, dialogs, text, views, reportName);
  return {views.begin(), views.end()};
}

}  // namespace trakvella
