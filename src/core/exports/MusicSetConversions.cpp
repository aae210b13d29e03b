#include "core/exports/MusicSetConversions.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "core/catalogue/TrackCodes.h"
#include "core/catalogue/TrackRef.h"
#include "core/catalogue/Vocabulary.h"
#include "core/exports/ExportValues.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"

namespace trakvella {

namespace {

constexpr std::string_view kMusictagReady = "Готово - строк: ";
constexpr std::string_view kMstockReady = "Импорт для MStock Готов!\rВ буфере строк: ";
constexpr std::string_view kSourceAudioAsk = "Поместите в буфер весь экспорт базы SourceAudio из CSV";
constexpr std::string_view kLinesTaken = "Взято строк: ";
constexpr std::string_view kSourceAudioMissing =
    "Ошибка импорта из буфера!\rНе найдено совпадений в экспорте SourceAudio: ";
constexpr std::string_view kSourceAudioReady = "Готово - результат в буфере!";
constexpr std::string_view kOpenCartProductsReady = "OpenCartList Готово PRODUCTS в буфере!";
constexpr std::string_view kOpenCartFiltersReady = "OpenCartList Готово FILTERS в буфере!";
constexpr std::string_view kNoServiceId = "00000000";

struct CategoryCode {
  std::string_view path;
  std::string_view code;
};
constexpr std::array<CategoryCode, 14> kMstockCategories{{
    {"* ALL LIBRARY >> CORPORATE MUSIC", "CAT:BIZ"},
    {"* ALL LIBRARY >> AROUND THE WORLD", "CAT:WRD"},
    {"* ALL LIBRARY >> CLASSICS / NEO-CLASSICS", "CAT:CLS"},
    {"* ALL LIBRARY >> CLUB / ELECTRONICA", "CAT:CLB"},
    {"* ALL LIBRARY >> FASHION TEXTURE", "CAT:MOD"},
    {"* ALL LIBRARY >> FILM MUSIC", "CAT:KIN"},
    {"* ALL LIBRARY >> NAUGHTY / EMOTIONAL", "CAT:DUH"},
    {"* ALL LIBRARY >> IMAGING ELEMENTS", "CAT:OFO"},
    {"* ALL LIBRARY >> CHRISTMAS STORY", "CAT:PRZ"},
    {"* ALL LIBRARY >> VINTAGE STYLINGS", "CAT:RTR"},
    {"* ALL LIBRARY >> STYLISH BACKGROUND", "CAT:FON"},
    {"* ALL LIBRARY >> ENERGY / MOVING", "CAT:ENE"},
    {"* ALL LIBRARY >> FX / JINGLES", "CAT:EFE"},
    {"* ALL LIBRARY >> HUMOR, COMEDY, CHILDREN", "CAT:YUM"},
}};

// The word of a tempo class from the four words (fast, medium, slow, none).
std::string TempoOf(std::string_view tagLine, std::array<std::string_view, 4> words) {
  const int tempo = TempoClass(tagLine);
  return std::string(tempo == 0 ? words[3] : words[tempo - 1]);
}

// The word of a mood digit from five words (digit 5 first); another character stays.
std::string MoodOf(std::string_view tagLine, std::array<std::string_view, 5> words) {
  const char digit = MoodDigit(tagLine);
  if (digit >= '1' && digit <= '5') return std::string(words['5' - digit]);
  return FirstChars(TrimView(tagLine), 1);
}

// A comma-separated row with every value in double quotes (quotes inside doubled).
class QuotedRow {
 public:
  void Add(std::string_view value) {
    if (!row_.empty()) row_ += ',';
    row_ += '"';
    for (char c : value) {
      if (c == '"') row_ += '"';
      row_ += c;
    }
    row_ += '"';
  }
  std::string Take() { return std::move(row_); }

 private:
  std::string row_;
};

std::string QuotedLine(const std::vector<std::string>& values) {
  QuotedRow row;
  for (const auto& v : values) row.Add(v);
  return row.Take();
}

std::string WithPrefix(std::string text, std::string_view prefix) {
  ReplaceAll(text, "KMLB", prefix);
  return text;
}

// The catalogue places of the set's entries, in set order.
std::vector<TrackRef> SetTracks(const MusicSet& set) {
  std::vector<TrackRef> tracks;
  tracks.reserve(set.size());
  for (const MusicSetEntry& e : set.entries()) tracks.push_back({e.cdIndex, e.trackIndex});
  return tracks;
}

ExportResult Finish(ExportContext& context, ExportResult result, std::string text) {
  ToClipboard(context, result, std::move(text));
  return result;
}

}  // namespace

std::string MusictagTempo(std::string_view tagLine) { return TempoOf(tagLine, {"1", "2", "3", "100"}); }
std::string MusictagMood(std::string_view tagLine) {
  return MoodOf(tagLine, {"заводное", "позитивное", "нейтральное", "грустное", "напряженное"});
}
std::string MstockTempo(std::string_view tagLine) {
  return TempoOf(tagLine, {"TMP:SLW", "TMP:MID", "TMP:FST", "TMP:MID"});
}
std::string MstockMood(std::string_view tagLine) {
  return MoodOf(tagLine, {"MOD:005", "MOD:004", "MOD:003", "MOD:002", "MOD:001"});
}
std::string ServiceTempo(std::string_view tagLine) {
  return TempoOf(tagLine, {"Быстрый", "Средний", "Медленный", "Средний"});
}
std::string ServiceMood(std::string_view tagLine) {
  const char digit = MoodDigit(tagLine);
  if (digit == '0' || digit == '\0') return "Нейтральное";
  return MoodOf(tagLine, {"Заводное", "Позитивное", "Нейтральное", "Грустное", "Суицидальное"});
}

std::string MstockKey(std::string_view tagLine) {
  const std::string key = KeyCode(tagLine);
  if (key.empty()) return {};
  return (CharCount(key) == 2 ? "TON:0" : "TON:") + key;
}

std::string MstockCategory(const CdRecord& cd) {
  std::string code;
  for (const auto& row : kMstockCategories)
    if (cd.categories.Contains(row.path)) code = row.code;
  return code;
}

std::string OpenCartProductId(std::string_view code) {
  std::string plain;
  for (char c : code)
    if (c != '_') plain += c;
  return "1" + MidChars(plain, 4, 6);
}

std::vector<std::string> SourceAudioColumns() {
  std::vector<std::string> columns = {"SourceAudio ID",
                                      "Title",
                                      "Filename",
                                      "Library",
                                      "Collection",
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
                                      "Admin Only",
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

std::vector<std::string> OpenCartColumns() {
  return {"product_id",
          "name(en-gb)",
          "name(ru-ru)",
          "categories",
          "sku",
          "upc",
          "ean",
          "jan",
          "isbn",
          "mpn",
          "location",
          "quantity",
          "model",
          "manufacturer",
          "image_name",
          "shipping",
          "price",
          "points",
          "date_added",
          "date_modified",
          "date_available",
          "weight",
          "weight_unit",
          "length",
          "width",
          "height",
          "length_unit",
          "status",
          "tax_class_id",
          "description(en-gb)",
          "description(ru-ru)",
          "meta_title(en-gb)",
          "meta_title(ru-ru)",
          "meta_description(en-gb)",
          "meta_description(ru-ru)",
          "meta_keywords(en-gb)",
          "meta_keywords(ru-ru)",
          "stock_status_id",
          "store_ids",
          "layout",
          "related_ids",
          "tags(en-gb)",
          "tags(ru-ru)",
          "sort_order",
          "subtract",
          "minimum"};
}

// --- musictag and MSTOCK --------------------------------------------------------------

ExportResult ConvertMusictag(ExportContext& context, const MusicSet& set) {
  const Catalogue& catalogue = context.catalogue;
  ExportResult result;
  ExportProgress progress(context.progress, context.language);
  AuthorNames authors(catalogue);
  std::vector<std::string> lines;
  for (auto [cd, track] : SetTracks(set)) {
    if (!progress.Step()) return {ExportOutcome::Cancelled, {}};
    const TrackRecord& t = catalogue.Track(cd, track);
    lines.push_back(t.code + "\t" + t.isrc + "\t" + t.title + "\t" + authors.Expand(t.composer) + "\t" +
                    authors.Expand(t.performer) + "\t" + KeyName(KeyCode(t.tagLine)) + "\t" + BpmText(t.tagLine) +
                    "\t" + MusictagTempo(t.tagLine) + "\t" + MusictagMood(t.tagLine));
  }
  progress.Hide();
  result = Finish(context, std::move(result), JoinLinesCrLf(lines));
  context.dialogs.Message(std::string(kMusictagReady) + std::to_string(lines.size()), MessageKind::Information);
  return result;
}

ExportResult ConvertMstock(ExportContext& context, const MusicSet& set) {
  const Catalogue& catalogue = context.catalogue;
  ExportResult result;
  ExportProgress progress(context.progress, context.language);
  AuthorNames authors(catalogue);
  std::vector<std::string> lines;
  for (auto [cd, track] : SetTracks(set)) {
    if (!progress.Step()) return {ExportOutcome::Cancelled, {}};
    const TrackRecord& t = catalogue.Track(cd, track);
    const std::string key = MstockKey(t.tagLine);
    const std::string bpm = BpmText(t.tagLine);
    lines.push_back(authors.Expand(t.composer) + "\t" + authors.Expand(t.performer) + "\t" + t.code + "\t" + t.title +
                    "\t" + t.isrc + "\t00:" + t.duration + "\t" + MstockMood(t.tagLine) + "\t" +
                    MstockTempo(t.tagLine) + "\t" + key + "\t" + key + "\t" + key + "\t" + bpm + "\t" + bpm + "\t" +
                    bpm + "\t" + MstockCategory(catalogue.Cd(cd)));
  }
  progress.Hide();
  result = Finish(context, std::move(result), JoinLinesCrLf(lines));
  context.dialogs.Message(std::string(kMstockReady) + std::to_string(lines.size()), MessageKind::Information);
  return result;
}

// --- SourceAudio ---------------------------------------------------------------------------

// 1-3. The service identifiers of the set's tracks, from the service's own export the user pasted;
// none when a track has none.
std::optional<std::vector<std::string>> SourceAudioIds(ExportContext& context, const std::vector<TrackRef>& tracks) {
  const Catalogue& catalogue = context.catalogue;
  context.dialogs.Message(std::string(kSourceAudioAsk), MessageKind::Information);
  const std::vector<std::string> pasted = SplitLines(context.clipboard.Text());
  context.dialogs.Message(std::string(kLinesTaken) + std::to_string(pasted.size()), MessageKind::Information);
  std::vector<std::string> ids(tracks.size(), std::string(kNoServiceId));
  // A match is a pasted line whose code is in the set; its identifier goes to
  // the set's entries of that code.
  std::unordered_map<std::string, std::vector<size_t>> entriesOf;
  for (size_t i = 0; i < tracks.size(); ++i)
    entriesOf[catalogue.Track(tracks[i].cd, tracks[i].track).code].push_back(i);
  size_t matches = 0;
  for (const auto& line : pasted) {
    const std::string code = CodeFromText(line, false);
    if (code.empty()) continue;
    std::string first = line.substr(0, line.find(','));
    std::erase(first, '"');
    long long id;
    if (!ParseInt(Trim(first), id) || id == 0) continue;
    const auto entries = entriesOf.find(code);
    if (entries == entriesOf.end()) continue;
    for (size_t i : entries->second) ids[i] = std::to_string(id);
    ++matches;
  }
  if (matches < tracks.size()) {
    const size_t missing = tracks.size() - matches;
    context.dialogs.Message(std::string(kSourceAudioMissing) + std::to_string(missing), MessageKind::Error);
    return std::nullopt;
  }

  return ids;
}

// What a SourceAudio row holds beyond its track and CD: the texts the user gave and the names expanded.
struct SourceAudioEntry {
  const CdRecord& disc;
  const TrackRecord& track;
  std::string id, masterOf, code, prefix, collection, number, composer, performer, genre, publisher;
  bool sfx = false;
  const Writers& writers;
};

// One row of the SourceAudio table: the track's columns, then each of its first writers.
std::string SourceAudioRow(const SourceAudioEntry& e) {
  QuotedRow row;
  for (const std::string& v : {e.id,
                               e.track.title,
                               e.code + " " + e.track.title + ".mp3",
                               std::string("ТРАКВЕЛЛА"),
                               e.collection,
                               AlbumTitle(e.disc),
                               WithPrefix(e.disc.cdCode, e.prefix),
                               std::string(),
                               std::string(),
                               std::string(),
                               std::string(),
                               e.number,
                               e.performer,
                               std::string(),
                               e.composer,
                               std::string(),
                               std::string(),
                               ServiceTempo(e.track.tagLine),
                               BpmText(e.track.tagLine),
                               KeyLongName(KeyCode(e.track.tagLine)),
                               e.genre,
                               std::string(e.sfx ? "Sound Design" : "Instrumental"),
                               std::string(),
                               std::string(),
                               std::string("No"),
                               e.track.duration,
                               std::string(),
                               ServiceMood(e.track.tagLine),
                               std::string(),
                               std::string(),
                               std::string(),
                               std::string("No"),
                               std::string(),
                               e.track.isrc,
                               std::string(),
                               e.masterOf,
                               e.number,
                               std::string("yes"),
                               std::string(),
                               std::string("yes"),
                               e.publisher,
                               std::string("RAO"),
                               std::string(),
                               std::string("100.00000"),
                               std::string("Original Publisher"),
                               std::string("100.00000"),
                               std::string("WORLD")})
    row.Add(v);
  for (const Writer& w : e.writers.first) {
    row.Add(w.name);
    for (int k = 0; k < 4; ++k) row.Add("");  // last name, company, affiliation, CAE/IPI
    row.Add(w.share);
    row.Add("");  // publishing interest
    row.Add(w.role);
  }
  return row.Take();
}

ExportResult ConvertSourceAudio(ExportContext& context, const MusicSet& set) {
  const Catalogue& catalogue = context.catalogue;
  const auto tracks = SetTracks(set);

  const std::optional<std::vector<std::string>> found = SourceAudioIds(context, tracks);
  if (!found) return {ExportOutcome::Failed, {}};
  const std::vector<std::string>& ids = *found;

  // 4. The prefix and the collection; a cancelled box keeps its default.
  const std::string prefix = context.dialogs.Input("Префикс", "Строка:", "KMLB").value_or("KMLB");
  const std::string collection =
      context.dialogs.Input("Имя направления (коллекции)", "Строка:", "Музыка для кино").value_or("Музыка для кино");

  // 5-8. The header and one row per set entry.
  ExportResult result;
  ExportProgress progress(context.progress, context.language);
  AuthorNames authors(catalogue);
  GenreNames genres;
  std::vector<std::string> lines{QuotedLine(SourceAudioColumns())};
  std::string masterTitle, masterId;
  for (size_t i = 0; i < tracks.size(); ++i) {
    if (!progress.Step()) return {ExportOutcome::Cancelled, {}};
    const auto [cd, track] = tracks[i];
    const CdRecord& disc = catalogue.Cd(cd);
    const TrackRecord& t = disc.tracks[track];
    std::string masterOf;
    if (i > 0 && !masterTitle.empty() && t.title.find(masterTitle) != std::string::npos) {
      masterOf = masterId;
    } else {
      masterTitle = t.title;
      masterId = ids[i];
    }
    const std::string& composer = authors.Expand(t.composer);
    const Writers writers = SplitWriters(composer);
    const std::string code = WithPrefix(t.code, prefix);
    if (writers.tooMany()) context.dialogs.Message(TooManyComposersMessage(code, t.title), MessageKind::Warning);
    const bool sfx = t.styleText == kNoStyleText;
    const std::string number = std::to_string(track + 1);

    lines.push_back(SourceAudioRow({disc, t, ids[i], masterOf, code, prefix, collection, number, composer,
                                    authors.Expand(t.performer),
                                    sfx ? std::string("Sound Design / SFX") : genres.Spaced(t.styleText),
                                    context.settings.publisher, sfx, writers}));
  }
  progress.Hide();
  result = Finish(context, std::move(result), JoinLinesCrLf(lines));
  context.dialogs.Message(std::string(kSourceAudioReady), MessageKind::Information);
  return result;
}

// --- OpenCart ---------------------------------------------------------------------------------

ExportResult ConvertOpenCart(ExportContext& context, const MusicSet& set) {
  const Catalogue& catalogue = context.catalogue;
  const std::string category = context.dialogs.Input("Номер категории", "Цифра:", "1").value_or("1");
  ExportResult result;
  ExportProgress progress(context.progress, context.language);
  GenreNames genres;
  const std::vector<std::string> columns = OpenCartColumns();
  std::vector<std::string> products{QuotedLine(columns)};
  std::vector<std::string> filters{QuotedLine({"product_id", "filter_group", "filter"})};
  for (auto [cd, track] : SetTracks(set)) {
    if (!progress.Step()) return {ExportOutcome::Cancelled, {}};
    const TrackRecord& t = catalogue.Track(cd, track);
    const std::string id = OpenCartProductId(t.code);
    std::vector<std::string> values(columns.size());
    auto put = [&](std::string_view column, std::string value) {
      for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c] == column) values[c] = std::move(value);
    };
    put("product_id", id);
    put("name(en-gb)", t.title);
    put("name(ru-ru)", t.title);
    put("categories", category);
    put("sku", t.code);
    put("quantity", "1");
    put("model", t.code);
    put("shipping", "no");
    put("price", GetTrackPrice(DurationSeconds(t.duration)));
    put("status", "true");
    put("tax_class_id", "10");
    put("stock_status_id", "7");
    put("store_ids", "0");
    put("sort_order", id);
    put("subtract", "false");
    put("minimum", "1");
    products.push_back(QuotedLine(values));

    const std::string styles =
        t.styleText == kNoStyleText ? std::string("SOUND DESIGN / SFX") : UpperCase(genres.Spaced(t.styleText));
    for (const auto& style : SplitTrim(",", styles))
      if (!style.empty()) filters.push_back(QuotedLine({id, "Стиль", style}));
    filters.push_back(QuotedLine({id, "Настроение", ServiceMood(t.tagLine)}));
    filters.push_back(QuotedLine({id, "Темп", ServiceTempo(t.tagLine)}));
    std::string key = KeyLongName(KeyCode(t.tagLine));
    filters.push_back(QuotedLine({id, "Тональность", key.empty() ? std::string("A minor") : key}));
  }
  progress.Hide();
  result = Finish(context, std::move(result), JoinLinesCrLf(products));
  context.dialogs.Message(std::string(kOpenCartProductsReady), MessageKind::Information);
  result = Finish(context, std::move(result), JoinLinesCrLf(filters));
  context.dialogs.Message(std::string(kOpenCartFiltersReady), MessageKind::Information);
  return result;
}

}  // namespace trakvella
