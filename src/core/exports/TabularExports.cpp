#include "core/exports/TabularExports.h"

#include <optional>
#include <unordered_set>

#include "core/catalogue/TrackRef.h"
#include "core/catalogue/Vocabulary.h"
#include "core/exports/ExportValues.h"
#include "core/exports/Playlists.h"
#include "core/text/Text.h"

namespace trakvella {

namespace {

constexpr std::string_view kTableReady = "В буфере отчет с разделителями TAB для таблицы Excel, записей: ";
constexpr std::string_view kPlaylistColumns = "TRACK CODE\tTRACK ORDER\tPL CODE\tPL TITLE\tPL DESCRIPTION\tPL ORDER";
constexpr std::string_view kRaoAsk =
    "Поместите в буфер список всех треков, заведенных в РАО - см. Все_заявления.xlsx вкладка Total, 1 столбец";
constexpr std::string_view kRaoRegistered = "База заведенных: ";
constexpr std::string_view kRaoReady = "В буфере отчет, строк: ";
constexpr std::string_view kDescriptionsReady = "Готово! Описания буфере!";
constexpr std::string_view kFileMissing = "Ошибка! Не найден файл ";

// A table built line by line: TAB between the fields, CR LF after each line.
class Table {
 public:
  void Field(std::string_view value) {
    if (!lineOpen_) {
      lineOpen_ = true;
    } else {
      text_ += '\t';
    }
    text_ += value;
  }
  void EndLine() {
    text_ += "\r\n";
    lineOpen_ = false;
    ++lines_;
  }
  void Line(std::string_view whole) {
    Field(whole);
    EndLine();
  }
  size_t lines() const { return lines_; }
  std::string& text() { return text_; }

 private:
  std::string text_;
  size_t lines_ = 0;
  bool lineOpen_ = false;
};

void HeaderLine(Table& table, const std::vector<std::string>& columns) {
  for (const auto& c : columns) table.Field(c);
  table.EndLine();
}

// The values of a CD that every row of its tracks repeats.
struct CdValues {
  std::string albumName, albumDescription, releaseDate;
  std::string collectionName, collectionDescription, collectionNumber;

  explicit CdValues(const CdRecord& cd)
      : albumName(AlbumName(cd)), albumDescription(AlbumDescription(cd)), releaseDate(ReleaseDate(cd)) {
    if (int n = CollectionNumber(cd); n > 0) {
      collectionName = kCollections[n - 1].name;
      collectionDescription = kCollections[n - 1].description;
      collectionNumber = std::to_string(n);
    }
  }
};

ExportResult Cancelled(ExportResult result) {
  result.outcome = ExportOutcome::Cancelled;
  return result;
}

ExportResult Failed(ExportContext& context, std::string_view message) {
  context.dialogs.Message(std::string(message), MessageKind::Error, MessageButtons::Ok);
  ExportResult result;
  result.outcome = ExportOutcome::Failed;
  return result;
}

}  // namespace

std::vector<std::string> MaximumColumns() {
  return {"ID",
          "CODE",
          "TITLE",
          "COMPOSER",
          "PERFORMER",
          "TIME",
          "STYLES",
          "MOOD",
          "TEMPO",
          "BPM",
          "KEY",
          "EPOCH",
          "SFX",
          "TRACKTYPE",
          "ISRC",
          "ALBUM CODE",
          "ALBUM NAME",
          "ALBUM DESC",
          "COLLECTION",
          "COLLECTION DESC",
          "COLLECTION ID",
          "RELEASE DATE"};
}

std::vector<std::string> ItFactoryColumns() {
  std::vector<std::string> columns = {"SourceAudio ID",
                                      "Title",
                                      "Filename",
                                      "Code",
                                      "Library",
                                      "Collection",
                                      "Collection Description",
                                      "Album",
                                      "Album Code",
                                      "Album Description",
                                      "Album Release Date",
                                      "Album Artist",
                                      "Album Genre",
                                      "Track Number",
                                      "Artist",
                                      "Artist Description",
                                      "Composer",
                                      "Composer Description",
                                      "Publishing",
                                      "Tempo",
                                      "BPM",
                                      "Key",
                                      "Genre",
                                      "Cue type",
                                      "Release Date",
                                      "Date Uploaded",
                                      "Private",
                                      "Length",
                                      "Description",
                                      "Moods",
                                      "Styles",
                                      "Style Of",
                                      "Lyrics",
                                      "Has Vocals",
                                      "Explicit",
                                      "ISRC",
                                      "ISWC",
                                      "Master ID",
                                      "Nesting Sort Position",
                                      "Has MP3",
                                      "Has AIFF",
                                      "Has WAV",
                                      "Publisher 1 Company",
                                      "Publisher 1 Pro Affiliation",
                                      "Publisher 1 CAE/IPI",
                                      "Publisher 1 Ownership Share",
                                      "Publisher 1 Role",
                                      "Publisher 1 Collection Share Percentage 1",
                                      "Publisher 1 Collection Share Territory 1"};
  for (int n = 1; n <= 3; ++n) {
    const std::string w = "Writer " + std::to_string(n) + " ";
    for (const char* part : {"First Name", "Last Name", "Company", "Pro Affiliation", "CAE/IPI", "Ownership Share",
                             "Publishing Interest", "Role"})
      columns.push_back(w + part);
  }
  return columns;
}

// --- Maximum export ------------------------------------------------------------------

ExportResult MaximumTrackTable(ExportContext& context, const MusicSet* set) {
  const Catalogue& catalogue = context.catalogue;
  ExportResult result;
  ExportProgress progress(context.progress, context.language);
  std::unordered_set<std::string> inSet;
  if (set)
    for (const MusicSetEntry& e : set->entries()) inSet.insert(e.code);
  AuthorNames authors(catalogue);
  GenreNames genres;

  Table table;
  table.text().reserve(set ? 4096 : static_cast<size_t>(catalogue.TrackCount()) * 400);
  HeaderLine(table, MaximumColumns());
  for (int p = 0; p < catalogue.CdCount(); ++p) {
    const CdRecord& cd = catalogue.Cd(p);
    std::optional<CdValues> values;
    for (const TrackRecord& t : cd.tracks) {
      if (!progress.Step()) return Cancelled(std::move(result));
      if (set && !inSet.count(t.code)) continue;
      if (!values) values.emplace(cd);
      table.Field(TrackId(t.code));
      table.Field(t.code);
      table.Field(t.title);
      table.Field(authors.Expand(t.composer));
      table.Field(authors.Expand(t.performer));
      table.Field(t.duration);
      table.Field(genres.Column(t));
      table.Field(MoodName(t.tagLine));
      table.Field(TempoWord(t.tagLine, "Быстро", "Средне", "Медленно"));
      table.Field(BpmText(t.tagLine));
      table.Field(KeyName(KeyCode(t.tagLine)));
      table.Field(EpochWord(t.tagLine));
      table.Field(SfxFlag(t.tagLine));
      table.Field(TrackTypeWord(t.tagLine));
      table.Field(t.isrc);
      table.Field(cd.cdCode);
      table.Field(values->albumName);
      table.Field(values->albumDescription);
      table.Field(values->collectionName);
      table.Field(values->collectionDescription);
      table.Field(values->collectionNumber);
      table.Field(values->releaseDate);
      table.EndLine();
    }
  }
  progress.Hide();
  const size_t lines = table.lines();
  ToClipboard(context, result, std::move(table.text()));
  context.dialogs.Message(std::string(kTableReady) + std::to_string(lines - 1), MessageKind::Information);
  return result;
}

ExportResult MaximumPlaylistTable(ExportContext& context, const std::filesystem::path& playlistsFile) {
  context.dialogs.Message(DesktopPlaylistsInstruction(), MessageKind::Information);
  ExportResult result;
  ExportProgress progress(context.progress, context.language);
  std::vector<std::string> lines;
  if (Status read = ReadTextLines(playlistsFile, lines); !read.ok()) {
    progress.Hide();
    if (ReportRefusedFile(context, playlistsFile, read)) return {ExportOutcome::Failed, {}};
    return Failed(context, std::string(kFileMissing) + playlistsFile.string());
  }
  std::vector<PlaylistBlock> blocks;
  std::string error;
  if (!ParsePlaylists(lines, blocks, error)) {
    progress.Hide();
    return Failed(context, error);
  }
  Table table;
  table.Line(kPlaylistColumns);
  int order = 0;
  for (const PlaylistBlock& block : blocks) {
    if (!progress.Step()) return Cancelled(std::move(result));
    std::string name;
    if (!PlaylistName(block.nameLine, name)) {
      progress.Hide();
      return Failed(context, MalformedPlaylistNameMessage(block.nameLineIndex, block.nameLine));
    }
    const std::string k = std::to_string(++order);
    int j = 0;
    for (const auto& code : block.tracks) {
      table.Field(code);
      table.Field(std::to_string(++j));
      table.Field(block.code);
      table.Field(name);
      table.Field(block.description);
      table.Field(k);
      table.EndLine();
    }
  }
  progress.Hide();
  const size_t count = table.lines();
  ToClipboard(context, result, std::move(table.text()));
  context.dialogs.Message(std::string(kTableReady) + std::to_string(count - 1), MessageKind::Information);
  return result;
}

ExportResult ExportMaximum(ExportContext& context, const MusicSet* set) {
  ExportResult result = MaximumTrackTable(context, set);
  if (!result.done()) return result;
  ExportResult playlists = MaximumPlaylistTable(context, context.programFolder / kDesktopPlaylistsFile);
  result.outcome = playlists.outcome;
  for (auto& text : playlists.texts) result.texts.push_back(std::move(text));
  return result;
}

namespace {

// The outside-service table's columns from "Has WAV" on: the rights, then each of the first writers.
void RightsFields(Table& table, const std::string& publisher, const Writers& writers) {
  table.Field("yes");
  table.Field("");  // Has AIFF
  table.Field("yes");
  table.Field(publisher);
  table.Field("RAO");
  table.Field("");  // Publisher 1 CAE/IPI
  table.Field("100.00000");
  table.Field("Original Publisher");
  table.Field("100.00000");
  table.Field("WORLD");
  for (const Writer& w : writers.first) {
    table.Field(w.name);
    for (int k = 0; k < 4; ++k) table.Field("");  // last name, company, affiliation, CAE/IPI
    table.Field(w.share);
    table.Field("");  // Publishing Interest
    table.Field(w.role);
  }
}

}  // namespace

// --- Outside-service table -----------------------------------------------------------

ExportResult ExportItFactory(ExportContext& context) {
  const Catalogue& catalogue = context.catalogue;
  ExportResult result;
  ExportProgress progress(context.progress, context.language);
  AuthorNames authors(catalogue);
  GenreNames genres;
  Table table;
  table.text().reserve(static_cast<size_t>(catalogue.TrackCount()) * 700);
  HeaderLine(table, ItFactoryColumns());
  const std::string& publisher = context.settings.publisher;
  for (int p = 0; p < catalogue.CdCount(); ++p) {
    const CdRecord& cd = catalogue.Cd(p);
    const CdValues values(cd);
    for (size_t i = 0; i < cd.tracks.size(); ++i) {
      if (!progress.Step()) return Cancelled(std::move(result));
      const TrackRecord& t = cd.tracks[i];
      const std::string& composer = authors.Expand(t.composer);
      const Writers writers = SplitWriters(composer);
      if (writers.tooMany()) context.dialogs.Message(TooManyComposersMessage(t.code, t.title), MessageKind::Warning);
      std::string length = t.duration;
      if (CharCount(length) == 4) length.insert(0, 1, '0');
      table.Field(TrackId(t.code));
      table.Field(t.title);
      table.Field(t.code + " " + t.title + ".mp3");
      table.Field(t.code);
      table.Field("ТРАКВЕЛЛА");
      table.Field(values.collectionName);
      table.Field(values.collectionDescription);
      table.Field(values.albumName);
      table.Field(cd.cdCode);
      table.Field(values.albumDescription);
      table.Field(values.releaseDate);
      table.Field("");  // Album Artist
      table.Field("");  // Album Genre
      table.Field(std::to_string(i + 1));
      table.Field(authors.Expand(t.performer));
      table.Field("");  // Artist Description
      table.Field(composer);
      table.Field("");  // Composer Description
      table.Field("");  // Publishing
      table.Field(TempoWord(t.tagLine, "Быстро", "Средний", "Медленный"));
      table.Field(BpmText(t.tagLine));
      table.Field(KeyName(KeyCode(t.tagLine)));
      table.Field(genres.Column(t));
      table.Field(t.styleText == kNoStyleText ? "Sound Design" : "Instrumental");
      table.Field("");  // Release Date
      table.Field("");  // Date Uploaded
      table.Field("No");
      table.Field(length);
      table.Field("");  // Description
      table.Field(MoodName(t.tagLine));
      table.Field("");  // Styles
      table.Field("");  // Style Of
      table.Field("");  // Lyrics
      table.Field("No");
      table.Field("");  // Explicit
      table.Field(t.isrc);
      table.Field("");  // ISWC
      table.Field("");  // Master ID
      table.Field("");  // Nesting Sort Position
      RightsFields(table, publisher, writers);
      table.EndLine();
    }
  }
  progress.Hide();
  const size_t lines = table.lines();
  ToClipboard(context, result, std::move(table.text()));
  context.dialogs.Message(std::string(kTableReady) + std::to_string(lines - 1), MessageKind::Information);
  return result;
}

// --- Registration list ----------------------------------------------------------------

ExportResult ExportRaoList(ExportContext& context) {
  const Catalogue& catalogue = context.catalogue;
  ExportResult result;
  context.dialogs.Message(std::string(kRaoAsk), MessageKind::Information);
  std::unordered_set<std::string> registered;
  size_t taken = 0;
  for (const auto& line : SplitLines(context.clipboard.Text())) {
    const size_t at = line.find("KMLB_");
    if (at == std::string::npos) continue;
    registered.insert(FirstChars(std::string_view(line).substr(at), kTrackCodeLength));
    ++taken;
  }
  context.dialogs.Message(std::string(kRaoRegistered) + std::to_string(taken), MessageKind::Information);

  ExportProgress progress(context.progress, context.language);
  Table table;
  for (int p = 0; p < catalogue.CdCount(); ++p)
    for (const TrackRecord& t : catalogue.Cd(p).tracks) {
      if (!progress.Step()) return Cancelled(std::move(result));
      if (registered.count(t.code)) continue;
      table.Field(t.title + " (" + t.code + ")");
      for (std::string_view v : {"инстр.", "дата"}) table.Field(v);
      table.Field(t.composer);
      for (std::string_view v : {"0%", "0%", "100%", "100%", "-", "0%", "0%", "0%", "0%"}) table.Field(v);
      table.Field(t.performer);
      table.EndLine();
    }
  progress.Hide();
  const size_t lines = table.lines();
  ToClipboard(context, result, std::move(table.text()));
  context.dialogs.Message(std::string(kRaoReady) + std::to_string(lines), MessageKind::Information);
  return result;
}

// --- Registry option lists ------------------------------------------------------------

ExportResult ExportRegistryLists(ExportContext& context) {
  const Catalogue& catalogue = context.catalogue;
  ExportResult result;
  AuthorNames authors(catalogue);
  const char* passes[] = {"kmlb_codes", "kmlb_titles", "kmlb_composers", "kmlb_performers"};
  for (int pass = 0; pass < 4; ++pass) {
    ExportProgress progress(context.progress, context.language);
    Table table;
    // The CDs up to the first record without categories (the end of the loaded ones).
    for (size_t p = 0; p < catalogue.Cds().size() && !catalogue.Cd(p).categories.empty(); ++p)
      for (const TrackRecord& t : catalogue.Cd(p).tracks) {
        if (!progress.Step()) return Cancelled(std::move(result));
        const std::string& value = pass == 0   ? t.code
                                   : pass == 1 ? t.title
                                   : pass == 2 ? authors.Expand(t.composer)
                                               : authors.Expand(t.performer);
        table.Line("<option>" + value + "</option>");
      }
    progress.Hide();
    const size_t lines = table.lines();
    ToClipboard(context, result, std::move(table.text()));
    const std::string name = passes[pass];
    context.dialogs.Message("в буфер помещены " + std::to_string(lines) + " of " + name +
                                "\rПоместите их в сгенерированный html код после <select disabled id=\"" + name +
                                "\">\rзаменив строку <option></option>",
                            MessageKind::Information);
  }
  return result;
}

// --- Descriptions ------------------------------------------------------------------------

ExportResult ExportDescriptions(ExportContext& context) {
  const Catalogue& catalogue = context.catalogue;
  ExportResult result;
  ExportProgress progress(context.progress, context.language);
  Table table;
  for (int p = 0; p < catalogue.CdCount(); ++p) {
    if (!progress.Step()) return Cancelled(std::move(result));
    const CdRecord& cd = catalogue.Cd(p);
    if (cd.tracks.empty()) continue;
    table.Field(cd.cdCode);
    table.Field(cd.cdText);
    table.Field(AlbumDescription(cd));
    table.EndLine();
  }
  progress.Hide();
  ToClipboard(context, result, std::move(table.text()));
  context.dialogs.Message(std::string(kDescriptionsReady), MessageKind::Information);
  return result;
}

}  // namespace trakvella
