#pragma once
// Whole-file reading for the program's own files. A file that cannot be read (a
// folder of that name, a read error) is reported by the result, never by an
// exception: the stream library throws on some read errors.
#include <filesystem>
#include <string>

namespace trakvella {

// The file's bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& file, std::string& bytes);

}  // namespace trakvella
