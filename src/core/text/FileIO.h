#pragma once
// FileIO: whole-file reading for the program's own files; a file that cannot be read (a folder of that
// name, a read error) is reported by the result, never by an exception. The caller owns the bytes.
#include <filesystem>
#include <string>

namespace trakvella {

// The file's bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& file, std::string& bytes);

}  // namespace trakvella
