#include "core/text/FileIO.h"

#include <cstdio>
#include <cstdlib>

namespace trakvella {

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
FileSystem* installed = nullptr;

}  // namespace

std::uint64_t ReadLimit(FileKind kind) {
  switch (kind) {
    case FileKind::ServerList:
      return 1 * kMiB;
    case FileKind::Account:
    case FileKind::TrackList:
      return 16 * kMiB;
    case FileKind::Settings:
    case FileKind::SetList:
    case FileKind::CatalogueResource:
      return 64 * kMiB;
    case FileKind::ExportInput:
      return 256 * kMiB;
  }
  return 16 * kMiB;
}

void InstallFileSystem(FileSystem* fileSystem) { installed = fileSystem; }

FileSystem& Files() {
  if (!installed) {
    std::fputs("trakvella: no file system was installed before the first file was used\n", stderr);
    std::abort();
  }
  return *installed;
}

Status ReadWholeFile(const std::filesystem::path& file, std::string& bytes, FileKind kind) {
  bytes.clear();
  Result<std::string> read = Files().ReadFile(file, ReadLimit(kind));
  if (!read.ok()) return read.status();
  bytes = std::move(*read);
  return Status::OK();
}

Status WriteFileReplacing(const std::filesystem::path& file, std::string_view bytes, const WriteOptions& options) {
  return Files().ReplaceFile(file, bytes, options);
}

}  // namespace trakvella
