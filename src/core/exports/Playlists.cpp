#include "core/exports/Playlists.h"

#include "core/text/Text.h"

namespace trakvella {

namespace {

constexpr std::string_view kBlockFormat =
    "\rPLST_001\r«Имя плейлиста»\rОписание плейлиста\rНомер тега (целое число)\rKMLB_001_001\rKMLB_001_002\r"
    "...\r(пустая строка между блоками)\r@ (последняя строка файла)";

}  // namespace

bool ParsePlaylists(const std::vector<std::string>& lines, std::vector<PlaylistBlock>& blocks, std::string& error) {
  blocks.clear();
  error.clear();
  const size_t n = lines.size();
  auto line = [&](size_t i) { return i < n ? Trim(lines[i]) : std::string(); };
  size_t i = 0;
  while (i < n) {
    const std::string first = line(i);
    if (first == "@") break;
    if (first.empty()) {
      ++i;
      continue;
    }
    // The code is trimmed as the track codes are; the name and the description
    // are the editors' text as they wrote it.
    PlaylistBlock block;
    block.code = first;
    block.nameLine = i + 1 < n ? lines[i + 1] : std::string();
    block.nameLineIndex = static_cast<int>(i + 1);
    block.description = i + 2 < n ? lines[i + 2] : std::string();
    const std::string tag = line(i + 3);
    if (!ParseInt(tag, block.tagNumber)) {
      error = "Ошибка! Номер тега плейлиста не является числом!\r" + std::to_string(i + 3) + ": " + tag;
      return false;
    }
    i += 4;
    while (i < n && TrimView(lines[i]).substr(0, 4) == "KMLB") block.tracks.push_back(line(i++));
    blocks.push_back(std::move(block));
  }
  return true;
}

bool PlaylistName(std::string_view nameLine, std::string& name) {
  const size_t open = nameLine.find("«");
  if (open == std::string_view::npos) return false;
  const size_t from = open + std::string_view("«").size();
  const size_t close = nameLine.find("»", from);
  if (close == std::string_view::npos) return false;
  name = std::string(nameLine.substr(from, close - from));
  return true;
}

std::string MalformedPlaylistNameMessage(int lineIndex, std::string_view line) {
  return "Ошибка! Не найдено имя плейлиста (имя должно быть между « и »)!\r" + std::to_string(lineIndex) + ": " +
         std::string(line);
}

std::string DesktopPlaylistsInstruction() {
  return "Поместите в файл playlists_desktop.txt в папке программы плейлисты, формат блока данных:" +
         std::string(kBlockFormat);
}

std::string SitePlaylistsInstruction() {
  return "Данные о плейлистах: блоки вида" + std::string(kBlockFormat) +
         "\rсохраните в файл playlists.txt в папку программы";
}

}  // namespace trakvella
