#pragma once
// FileMessages: what the user reads about a file the program did not read.
#include <filesystem>
#include <string>

#include "core/lang/Language.h"
#include "core/text/FileIO.h"
#include "ports/Status.h"

namespace trakvella {

// Why the file of that kind was not read (not a regular file; larger than its
// kind allows, with the limit; any other failure), CR and the file.
std::string FileReadMessage(Language language, const std::filesystem::path& file, const Status& status, FileKind kind);

// A read refused for what the file is (a folder, a pipe, a device, or larger
// than its kind allows), which the user is told about even where an absent or
// unreadable file counts as none.
bool IsRefusedFile(const Status& status);

}  // namespace trakvella
