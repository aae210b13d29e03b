#pragma once
// FileIO: how the core reaches its files. Whoever builds the program (the
// program, trakvella-cli, the tests, the benchmarks, the fuzzer) installs one
// FileSystem at start, before any file is read, and keeps it alive; the
// helpers below read a file whole with the limit of its kind and replace a
// file whole. A failure is the Status, never an exception.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "ports/FileSystem.h"
#include "ports/Status.h"

namespace trakvella {

// The kinds of files the program reads whole; each has the largest size such
// a file can sensibly have (see ReadLimit).
enum class FileKind {
  Settings,           // trakvella.ini, with the music set and the comments
  ServerList,         // servers.ini
  SetList,            // a music set list file (.rq2)
  Account,            // LOGIN.kmlb
  CatalogueResource,  // a file of a catalogue folder (tables, information blocks, templates)
  ExportInput,        // what the exports and conversions read: prices, trends, playlists, pasted text
  TrackList,          // a list of track codes (top.txt)
};
std::uint64_t ReadLimit(FileKind kind);

// The file system every file goes through; nullptr takes it away again.
void InstallFileSystem(FileSystem* fileSystem);
// The installed file system. Without one the program was built wrong: it
// ends with a message saying so.
FileSystem& Files();

// The file's bytes, at most ReadLimit(kind) of them; bytes is empty unless OK.
Status ReadWholeFile(const std::filesystem::path& file, std::string& bytes, FileKind kind);

// Writes the bytes in place of the file's (see FileSystem::ReplaceFile): a
// failed or interrupted write leaves the previous file whole.
Status WriteFileReplacing(const std::filesystem::path& file, std::string_view bytes, const WriteOptions& options = {});

}  // namespace trakvella
