// TrackReport: report lines, the clipboard text and the report window's state.
#include "core/maintenance/TrackReport.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "core/catalogue/AuthorExpander.h"
#include "core/catalogue/TrackCodes.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/MessageTable.h"
#include "core/text/Text.h"

namespace trakvella {

namespace {

constexpr std::array<int, kReportKindCount> kColumnCounts = {10, 7, 9};
constexpr std::array<std::string_view, kReportKindCount> kColumnLists = {"ListBox1", "ListBox2R", "ListBox3"};
constexpr std::array<std::string_view, 9> kUserHeadings = {
    "Папка проекта", "Имя проекта", "Сборник", "Название", "Код", "ISRC", "Хроно", "Автор", "Исполнитель"};

// A duration part as a number, or fallback when it is not one.
long long DurationPart(std::string_view duration, size_t from, long long fallback) {
  if (from >= duration.size()) return fallback;
  return IntOr(duration.substr(from, 2), fallback);
}

// Author names expanded through the author table, each distinct text once per report.
// A set names the same tracks many times, so each track's two results are also kept
// by its place: the catalogue does not change while a report is made.
class AuthorNames {
 public:
  explicit AuthorNames(const Catalogue& catalogue) : expander_(catalogue.WritersInfo()) {
    firstOfCd_.reserve(static_cast<size_t>(catalogue.CdCount()));
    size_t count = 0;
    for (const CdRecord& cd : catalogue.Cds()) {
      firstOfCd_.push_back(count);
      count += cd.tracks.size();
    }
    known_.assign(2 * count, nullptr);
  }
  const std::string& Composer(TrackRef place, const TrackRecord& t) { return Of(2 * Slot(place), t.composer); }
  const std::string& Performer(TrackRef place, const TrackRecord& t) { return Of(2 * Slot(place) + 1, t.performer); }

 private:
  size_t Slot(TrackRef place) const {
    return firstOfCd_[static_cast<size_t>(place.cd)] + static_cast<size_t>(place.track);
  }
  const std::string& Of(size_t slot, const std::string& text) {
    const std::string*& known = known_[slot];
    if (!known) {
      auto it = done_.find(text);
      if (it == done_.end()) it = done_.emplace(text, expander_.Expand(text)).first;
      known = &it->second;
    }
    return *known;
  }

  AuthorExpander expander_;
  std::vector<size_t> firstOfCd_;          // per CD: the slot of its first track
  std::vector<const std::string*> known_;  // per track: composer, performer (null until asked)
  std::unordered_map<std::string, std::string> done_;
};

// What the cells of one report row are made of.
struct RowValues {
  const ReportEntry& entry;
  const TrackRecord& track;
  TrackRef place;
  const std::string& cdText;
  const std::string& date;
  int rotations = 0;
  const std::string& total;
  AuthorNames& authors;
};

// Appends cell `c` of the broadcast report to `line`.
void AppendBroadcastCell(std::string& line, int c, const RowValues& v) {
  switch (c) {
    case 0:
      line += v.entry.projectFolder;
      break;
    case 1:
      line += v.date;
      break;
    case 2:
      line.append(v.track.title).append(" (").append(v.track.code).append(")");
      break;
    case 3:
      line += v.authors.Composer(v.place, v.track);
      break;
    case 4:
      line += "  ";
      break;
    case 5:
      line.append("00:").append(v.track.duration);
      break;
    case 6:
      line += std::to_string(v.rotations);
      break;
    case 7:
      line += v.total;
      break;
    case 8:
      line += "инстр.";
      break;
    case 9:
      line += v.authors.Performer(v.place, v.track);
      break;
  }
}

// Appends cell `c` of the advertising report to `line`.
void AppendAdvertisingCell(std::string& line, int c, const RowValues& v) {
  switch (c) {
    case 0:
      line += v.entry.projectFolder;
      break;
    case 1:
      line += v.entry.projectName;
      break;
    case 2:
      line.append(v.track.title).append(" (").append(v.track.code).append(")");
      break;
    case 3:
      line += v.authors.Composer(v.place, v.track);
      break;
    case 4:
      line.append("00:").append(v.track.duration);
      break;
    case 5:
      line += std::to_string(v.rotations);
      break;
    case 6:
      line += v.total;
      break;
  }
}

// Appends cell `c` of the user report to `line`.
void AppendUserCell(std::string& line, int c, const RowValues& v) {
  switch (c) {
    case 0:
      line += v.entry.projectFolder;
      break;
    case 1:
      line += v.entry.projectName;
      break;
    case 2:
      line += v.cdText;
      break;
    case 3:
      line += v.track.title;
      break;
    case 4:
      line += v.track.code;
      break;
    case 5:
      line += v.track.isrc;
      break;
    case 6:
      line.append("00:").append(v.track.duration);
      break;
    case 7:
      line += v.authors.Composer(v.place, v.track);
      break;
    case 8:
      line += v.authors.Performer(v.place, v.track);
      break;
  }
}

// Appends the cell of `column` of a report of `kind` to `line`.
void AppendCell(std::string& line, ReportKind kind, int column, const RowValues& v) {
  switch (kind) {
    case ReportKind::Broadcast:
      return AppendBroadcastCell(line, column, v);
    case ReportKind::Advertising:
      return AppendAdvertisingCell(line, column, v);
    case ReportKind::User:
      return AppendUserCell(line, column, v);
  }
}

}  // namespace

int ReportColumnCount(ReportKind kind) { return kColumnCounts[static_cast<int>(kind)]; }
std::string_view ReportColumnList(ReportKind kind) { return kColumnLists[static_cast<int>(kind)]; }
std::string_view UserReportHeading(int column) {
  return column >= 0 && column < static_cast<int>(kUserHeadings.size()) ? kUserHeadings[column] : std::string_view();
}

std::string PeriodDate(int quarter, int year) {
  return "1." + std::to_string(3 * quarter - 2) + "." + std::to_string(year);
}

std::string RotationTotal(std::string_view duration, int rotations) {
  const long long minutes = DurationPart(duration, 0, 0);
  const long long seconds = DurationPart(duration, 3, 30);
  return FormatDuration((minutes * 60 + seconds) * 1000 * rotations, DurationForm::Clock, Language::English);
}

std::vector<std::string> ReportLines(const std::vector<ReportEntry>& entries, const Catalogue& catalogue,
                                     const ReportOptions& options, Random& random) {
  std::vector<std::string> lines;
  const int kind = static_cast<int>(options.kind);
  const int count = kColumnCounts[kind];
  std::vector<int> columns;
  for (int c = 0; c < count && c < static_cast<int>(options.columns.size()); ++c)
    if (options.columns[c]) columns.push_back(c);
  if (columns.empty()) return lines;  // nothing to report, whatever the row numbers

  const bool timed = options.kind != ReportKind::User;
  const bool rowNames = options.kind == ReportKind::User && options.rowNames;
  const std::string date = timed ? PeriodDate(options.quarter, options.year) : std::string();
  AuthorNames authors(catalogue);
  lines.reserve(entries.size() + 1);
  std::string line;
  size_t dataLines = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const ReportEntry& entry = entries[i];
    int rotations = 0;
    std::string total;
    auto [cd, track] = std::pair{entry.cdIndex, entry.trackIndex};
    if (cd < 0 || cd >= catalogue.CdCount() || track < 0 || track >= static_cast<int>(catalogue.Cd(cd).tracks.size())) {
      const TrackRef place = catalogue.LocateTrack(entry.code);
      cd = place.cd;
      track = place.track;
    }
    if (timed) rotations = 30 + random.Next(100);
    if (rowNames && i == 0) {
      std::string heading = "N\t";
      for (int c : columns) {
        heading += kUserHeadings[c];
        if (c != 8) heading += '\t';
      }
      lines.push_back(heading);  // its trailing TAB stays
    }
    if (cd < 0) continue;
    const TrackRecord& t = catalogue.Track(cd, track);
    if (timed) total = RotationTotal(t.duration, rotations);

    line.clear();
    if (rowNames) line.append(std::to_string(i + 1)).append("\t");  // the row number in front
    for (int c : columns) {
      AppendCell(line, options.kind, c,
                 {entry, t, TrackRef{cd, track}, catalogue.Cd(cd).cdText, date, rotations, total, authors});
      if (c != count - 1) line += '\t';
    }
    if (!line.empty()) {
      if (line.back() == '\t') line.pop_back();
      lines.push_back(line);  // a copy of its size; line keeps its room for the next
      ++dataLines;
    }
  }
  if (dataLines == 0) lines.clear();  // a heading alone is no report
  return lines;
}

std::string ReportClipboardText(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) text.append(line).append("\r\n");
  return text;
}

bool BuildReport(const std::vector<ReportEntry>& entries, const Catalogue& catalogue, const ReportOptions& options,
                 bool copy, Random& random, Clipboard& clipboard, Dialogs& dialogs, Language language) {
  const std::vector<std::string> lines = ReportLines(entries, catalogue, options, random);
  if (lines.empty()) {
    dialogs.Message(LangMessage(language, Msg::ExtractError), MessageKind::Error, MessageButtons::Ok);
    return false;
  }
  if (copy) {
    BufferToClipboard(clipboard, ReportClipboardText(lines));
    dialogs.Message(LangMessage(language, Msg::CopiedRows) + std::to_string(lines.size()) +
                        LangMessage(language, Msg::RowsToClipboard) + "\n" +
                        LangMessage(language, Msg::ReadReportInstructions),
                    MessageKind::Information, MessageButtons::Ok);
  }
  return true;
}

const std::vector<std::string>& ReportInstructions(Language language) {
  static const std::vector<std::string> russian = {
      "Внимание! Отчет скопирован в буфер обмена.",
      "Он записан простым текстом: строка отчета - строка текста,",
      "столбцы разделены знаком табуляции (TAB).",
      "",
      "Как перенести отчет в форму РАО (form1 или form1a):",
      "1. Откройте или создайте пустой документ Excel.",
      "2. Вставьте в него содержимое буфера обмена (Ctrl+V).",
      "3. Не снимая выделения, скопируйте вставленные ячейки",
      "   еще раз (Ctrl+C).",
      "4. Откройте форму отчета РАО (form1 или form1a).",
      "5. Выделите первую ячейку той строки таблицы формы,",
      "   с которой должны начаться данные отчета.",
      "6. Нажмите правую кнопку мыши и выберите",
      "   \"Вставить скопированные ячейки\".",
      "7. Выберите \"Ячейки, со сдвигом вниз\" и нажмите OK.",
      "Проверьте, что столбцы отчета совпали со столбцами формы,",
      "и сохраните форму.",
  };
  static const std::vector<std::string> english = {
      "Attention! The report has been copied to the clipboard.",
      "It is plain text: one report row per line of text,",
      "the columns separated by the TAB character.",
      "",
      "How to put the report into the RAO form (form1 or form1a):",
      "1. Open or create an empty Excel document.",
      "2. Paste the clipboard into it (Ctrl+V).",
      "3. Keeping the selection, copy the pasted cells",
      "   again (Ctrl+C).",
      "4. Open the RAO report form (form1 or form1a).",
      "5. Select the first cell of the form's table row",
      "   where the report's data should begin.",
      "6. Click the right mouse button and choose",
      "   \"Insert Copied Cells\".",
      "7. Choose \"Shift cells down\" and click OK.",
      "Check that the report's columns match the form's columns,",
      "then save the form.",
  };
  return language == Language::Russian ? russian : english;
}

int LastReportYear(int currentYear) { return std::max(2020, currentYear + 1); }

std::string ReportYearNotice(Language language, int lastYear) {
  const std::string years = std::to_string(kFirstReportYear) + "–" + std::to_string(lastYear);
  return language == Language::Russian ? "Год отчета: " + years + " (до следующего за текущим)"
                                       : "Report year: " + years + " (up to the year after the current one)";
}

ReportWindowState::ReportWindowState(bool checkColRowNames) : checkColRowNames_(checkColRowNames) {
  for (int k = 0; k < kReportKindCount; ++k) SelectAll(static_cast<ReportKind>(k));
}

void ReportWindowState::StartOnKindChoice() { page_ = 0; }

void ReportWindowState::SelectAll(ReportKind kind) {
  selected_[static_cast<int>(kind)].assign(static_cast<size_t>(ReportColumnCount(kind)), true);
}

void ReportWindowState::SetSelected(ReportKind kind, int column, bool selected) {
  auto& list = selected_[static_cast<int>(kind)];
  if (column >= 0 && column < static_cast<int>(list.size())) list[column] = selected;
}

void ReportWindowState::SetQuarter(ReportKind kind, int quarter) {
  if (kind == ReportKind::User) return;
  quarter_[static_cast<int>(kind)] = std::clamp(quarter, 1, 4);
}

void ReportWindowState::SetYear(ReportKind kind, int year, int currentYear) {
  if (kind == ReportKind::User) return;
  year_[static_cast<int>(kind)] = std::clamp(year, kFirstReportYear, LastReportYear(currentYear));
}

int ReportWindowState::quarter(ReportKind kind) const {
  return kind == ReportKind::User ? 0 : quarter_[static_cast<int>(kind)];
}

int ReportWindowState::year(ReportKind kind) const {
  return kind == ReportKind::User ? 0 : year_[static_cast<int>(kind)];
}

void ReportWindowState::SetCheckColRowNames(bool checked, Settings& settings) {
  checkColRowNames_ = checked;
  settings.checkColRowNames = checked;
}

ReportOptions ReportWindowState::Options() const {
  ReportOptions options;
  options.kind = activeKind;
  options.columns = selected(activeKind);
  options.quarter = quarter(activeKind);
  options.year = year(activeKind);
  options.rowNames = checkColRowNames_;
  return options;
}

bool ReportWindowState::MakeReport(const std::vector<ReportEntry>& entries, const Catalogue& catalogue, Random& random,
                                   Clipboard& clipboard, Dialogs& dialogs, Language language) {
  if (!BuildReport(entries, catalogue, Options(), true, random, clipboard, dialogs, language)) return false;
  page_ = 1;
  return true;
}

}  // namespace trakvella
