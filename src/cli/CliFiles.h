#pragma once
// CliFiles: a file a command did not read is told as the program tells it (a
// "message:" line) when the file was refused for what it is (a pipe, a device,
// a folder, a file too large for its kind); the command then says what it
// could not do, as before.
#include <filesystem>

#include "cli/CliOutput.h"
#include "core/lang/FileMessages.h"
#include "core/lang/Language.h"

namespace trakvella::cli {

inline void ReportRefusedFile(const std::filesystem::path& file, const Status& status, FileKind kind,
                              Language language) {
  if (!IsRefusedFile(status)) return;
  StderrDialogs().Message(FileReadMessage(language, file, status, kind), MessageKind::Error, MessageButtons::Ok);
}

}  // namespace trakvella::cli
