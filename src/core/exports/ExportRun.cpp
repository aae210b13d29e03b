#include "core/exports/ExportRun.h"

#include "core/lang/FileMessages.h"
#include "core/lang/MessageTable.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella {

ExportProgress::ExportProgress(Progress& progress, Language language) : progress_(progress) {
  progress_.ClearCancel();
  progress_.ShowProgress(LangMessage(language, Msg::InProgress), ProgressMode::Show, true);
}

ExportProgress::~ExportProgress() { Hide(); }

bool ExportProgress::Step() {
  progress_.pump();
  return !progress_.Cancelled();
}

void ExportProgress::Hide() {
  if (!shown_) return;
  shown_ = false;
  progress_.ShowProgress("", ProgressMode::Hide, false);
}

namespace {

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t extra;
    if (c < 0x80)
      extra = 0;
    else if (c >= 0xC2 && c <= 0xDF)
      extra = 1;
    else if (c >= 0xE0 && c <= 0xEF)
      extra = 2;
    else if (c >= 0xF0 && c <= 0xF4)
      extra = 3;
    else
      return false;
    if (i + extra >= text.size() && extra > 0) return false;
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

}  // namespace

std::string DecodeText(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Cp1251ToUtf8(bytes);
}

Status ReadTextLines(const std::filesystem::path& file, std::vector<std::string>& lines) {
  std::string bytes;
  lines.clear();
  Status read = ReadWholeFile(file, bytes, FileKind::ExportInput);
  if (read.ok()) lines = SplitLines(DecodeText(bytes));
  return read;
}

bool ReportRefusedFile(ExportContext& context, const std::filesystem::path& file, const Status& status) {
  if (!IsRefusedFile(status)) return false;
  context.dialogs.Message(FileReadMessage(context.language, file, status, FileKind::ExportInput), MessageKind::Error,
                          MessageButtons::Ok);
  return true;
}

bool SaveFileBytes(const std::filesystem::path& file, std::string_view bytes) {
  // The exports' files are made again on demand: the system may take its time
  // to put them on the disk.
  WriteOptions options;
  options.durable = false;
  return WriteFileReplacing(file, bytes, options).ok();
}

std::string WriteFailedMessage(const std::filesystem::path& file) {
  return "Ошибка! Не удалось записать файл\r" + file.string();
}

void ToClipboard(ExportContext& context, ExportResult& result, std::string text) {
  BufferToClipboard(context.clipboard, text);
  result.texts.push_back(std::move(text));
}

}  // namespace trakvella
