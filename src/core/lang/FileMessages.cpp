#include "core/lang/FileMessages.h"

#include "core/lang/MessageTable.h"

namespace trakvella {

std::string FileReadMessage(Language language, const std::filesystem::path& file, const Status& status, FileKind kind) {
  std::string text;
  if (status.IsNotRegularFile()) {
    text = LangMessage(language, Msg::FileNotRegular);
  } else if (status.IsTooLarge()) {
    text = LangMessage(language, Msg::FileTooLarge) + std::to_string(ReadLimit(kind) / (1024 * 1024));
  } else {
    text = LangMessage(language, Msg::FileNotRead);
  }
  return text + "\r" + file.string();
}

bool IsRefusedFile(const Status& status) { return status.IsNotRegularFile() || status.IsTooLarge(); }

}  // namespace trakvella
