#pragma once
// FileIO: whole-file reading for the program's own files; a file that cannot be read (a folder of that
// name, a read error) is reported by the result, never by an exception. The caller owns the bytes.
#include <filesystem>
#include <string>
#include <string_view>

namespace trakvella {

// The file's bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& file, std::string& bytes);

// Writes the bytes to a temporary file beside `file` and renames it over `file`,
// so a failed or interrupted write leaves the previous file whole and no
// half-written copy behind. The temporary file is `temporary` when given, else a
// hidden name of the same folder no other program uses. False when nothing was written.
bool WriteFileReplacing(const std::filesystem::path& file, std::string_view bytes,
                        const std::filesystem::path& temporary = {});

}  // namespace trakvella
