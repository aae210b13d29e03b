#include "core/exports/XmlExports.h"

#include <array>
#include <bit>
#include <charconv>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "core/catalogue/Vocabulary.h"
#include "core/exports/CategoryWalk.h"
#include "core/exports/ExportValues.h"
#include "core/exports/Playlists.h"
#include "core/text/Text.h"

namespace trakvella {

namespace {

constexpr std::string_view kAskPrices =
    "Данные о ценах (со строками KMLB_001=5000) сохраните в файл prices.txt в папку программы";
constexpr std::string_view kAskTrends =
    "Данные с кодами сборников-трендов сохраните в файл trends.txt в папку программы";
constexpr std::string_view kSaving = "Импорт готов!\rСохраняем XML список в файл\r";
constexpr std::string_view kDuplicateTag = "В экспорте найден дубль тега: ";
constexpr std::string_view kDuplicateSource = "Источник (путь): ";
constexpr std::string_view kXmlHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
constexpr std::string_view kDoctype = "<!DOCTYPE update SYSTEM \"update.dtd\">";

constexpr std::string_view kTag2Description =
    "Список выпущенных новинок и топ-40 треков библиотеки. Раздел обновляется, следите за нашими анонсами.";
constexpr std::string_view kTag3Description =
    "Редакторские плейлисты наиболее востребованных и ожидаемых музыкальных направлений.";
constexpr std::string_view kPlaylistArchiveTag =
    "<tag id=\"19\" parent=\"1\"><title>18. Архив плейлистов</title><description>Библиотека плейлистов различной "
    "тематики. Периодично обновляется нашими музыкальными редакторами.</description></tag>";
constexpr std::string_view kAllCdsTag = "<tag id=\"20\">ВСЕ СБОРНИКИ</tag>";

// The XML text, CR LF after each line.
class XmlLines {
 public:
  void Line(std::string_view line) {
    text_ += line;
    text_ += "\r\n";
  }
  // <name>value</name>, or <name /> for an empty value when emptyForm is set.
  void Element(std::string_view name, std::string_view value, bool emptyForm = false) {
    if (emptyForm && value.empty()) {
      Line("<" + std::string(name) + " />");
      return;
    }
    text_ += '<';
    text_ += name;
    text_ += '>';
    AppendXmlValue(text_, value);
    text_ += "</";
    text_ += name;
    text_ += ">\r\n";
  }
  // <name id="id" /> as a line.
  void IdLine(std::string_view name, int id) {
    text_ += '<';
    text_ += name;
    text_ += " id=\"";
    AppendNumber(id);
    text_ += "\" />\r\n";
  }
  void AppendNumber(long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text_.append(digits, end);
  }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

// Appends an attribute's value: XmlValue with '"' written "&quot;".
void AppendAttribute(std::string& out, std::string_view value) {
  const size_t from = out.size();
  AppendXmlValue(out, value);
  for (size_t at = out.find('"', from); at != std::string::npos; at = out.find('"', at + 6))
    out.replace(at, 1, "&quot;");
}

std::string Attribute(std::string_view value) {
  std::string out;
  AppendAttribute(out, value);
  return out;
}

// Characters XML 1.0 cannot hold (the control characters other than TAB, LF
// and CR, such as the VT a word processor's line break leaves in a title, and
// U+FFFE, U+FFFF) become blanks, so no text of the catalogue or of the
// editors' files can make the file unreadable. Every such text reaches the
// file through XmlValue or CData.
constexpr bool XmlCannotHold(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
}
void ReplaceNonCharacters(std::string& text, size_t from = 0) {
  for (size_t at = text.find("\xEF\xBF", from); at != std::string::npos; at = text.find("\xEF\xBF", at + 1))
    if (at + 2 < text.size() && (static_cast<unsigned char>(text[at + 2]) & 0xFE) == 0xBE) text.replace(at, 3, " ");
}

// A CDATA section; "&" is written "&amp;" as the site reads it, and a "]]>" in
// the text is split so that it cannot end the section.
std::string CData(std::string_view text, std::string_view pad) {
  std::string body = EscapeAmpersands(text);
  for (char& c : body)
    if (XmlCannotHold(c)) c = ' ';
  ReplaceNonCharacters(body);
  for (size_t at = body.find("]]>"); at != std::string::npos; at = body.find("]]>", at + 15))
    body.replace(at, 3, "]]]]><![CDATA[>");
  return "<![CDATA[" + std::string(pad) + body + std::string(pad) + "]]>";
}

std::string IdElement(std::string_view name, int id) {
  return "<" + std::string(name) + " id=\"" + std::to_string(id) + "\" />";
}

std::string IdValueElement(std::string_view name, int id, std::string_view value) {
  return "<" + std::string(name) + " id=\"" + std::to_string(id) + "\">" + XmlValue(value) + "</" + std::string(name) +
         ">";
}

// The text of the description after "Description:", trimmed.
std::string DescriptionAfterLabel(const CdRecord& cd) {
  const size_t at = cd.description.find("Description:");
  return at == std::string::npos ? std::string() : Trim(std::string_view(cd.description).substr(at + 12));
}

// --- Inputs -------------------------------------------------------------------------------

// The lines of an editors' file; none when there is no such file. False
// (after the message) for a file refused for what it is.
bool ReadLinesOrNone(ExportContext& context, const std::filesystem::path& file, std::vector<std::string>& lines) {
  lines.clear();
  if (file.empty()) return true;
  return !ReportRefusedFile(context, file, ReadTextLines(file, lines));
}

// --- The tag walks ------------------------------------------------------------------------

class SiteTagWalk : public CategoryVisitor {
 public:
  SiteTagWalk(Dialogs& dialogs, XmlLines& xml, std::vector<std::string>& albumTags)
      : dialogs_(dialogs), xml_(xml), albumTags_(albumTags) {}

  void Category(const std::string& name, const BoxRow& row, const Browser& browser) override {
    ++counter_;
    if (counter_ == 19) {
      xml_.Line(kPlaylistArchiveTag);
      xml_.Line(kAllCdsTag);
      counter_ = 21;
    }
    if (!seen_.Add(name))
      dialogs_.Message(std::string(kDuplicateTag) + name + "(" + row.text + ")\r" + std::string(kDuplicateSource) +
                           browser.currentPath(),
                       MessageKind::Warning);
    const int parent = parents_.back();
    std::string line = "<tag id=\"" + std::to_string(counter_) + "\"";
    if (parent != 0) line += " parent=\"" + std::to_string(parent) + "\"";
    line += ">";
    if (counter_ <= 18) {
      std::string title = counter_ == 1   ? "НАПРАВЛЕНИЯ"
                          : counter_ == 2 ? "1. Новинки и топ"
                          : counter_ == 3 ? "2. Плейлисты"
                                          : std::to_string(counter_ - 1) + ". " + CleanTagTitle(name, 1);
      line += "<title>" + XmlValue(title) + "</title>";
      if (counter_ >= 2) {
        const std::string_view description = counter_ == 2   ? kTag2Description
                                             : counter_ == 3 ? kTag3Description
                                                             : kCollections[counter_ - 4].description;
        line += "<description>" + XmlValue(description) + "</description>";
      }
    } else {
      line += XmlValue(parent != 0 ? CleanTagTitle(name, 1) : name);
    }
    line += "</tag>";
    xml_.Line(line);
    parents_.push_back(counter_);
  }
  void CategoryDone() override { parents_.pop_back(); }
  void Cd(const std::string&, const BoxRow& row) override {
    if (counter_ != 3) albumTags_[row.cdPosition] += IdElement("album_tag", counter_) + "\r\n";
  }

 private:
  Dialogs& dialogs_;
  XmlLines& xml_;
  std::vector<std::string>& albumTags_;
  int counter_ = 0;
  std::vector<int> parents_{0};
  TextSet seen_;
};

class DesktopTagWalk : public CategoryVisitor {
 public:
  explicit DesktopTagWalk(std::vector<std::string>& albumTags) : albumTags_(albumTags) {}
  void Category(const std::string&, const BoxRow&, const Browser&) override { ++counter_; }
  void Cd(const std::string&, const BoxRow& row) override {
    if (counter_ > 2) albumTags_[row.cdPosition] += IdElement("album_tag", counter_ - 2) + "\r\n";
  }

 private:
  std::vector<std::string>& albumTags_;
  int counter_ = 0;
};

// --- Vocabularies ----------------------------------------------------------------------------

void Moods(XmlLines& xml) {
  xml.Line("<!-- Настроение -->");
  xml.Line("<moods>");
  for (int m = 1; m <= 5; ++m) xml.Line(IdValueElement("mood", m, kMoodCaptions[m]));
  xml.Line("</moods>");
}

void Tempos(XmlLines& xml) {
  xml.Line("<!-- Темп -->");
  xml.Line("<tempos>");
  int id = 0;
  for (std::string_view word : {"Быстро", "Средне", "Медленно"}) xml.Line(IdValueElement("tempo", ++id, word));
  xml.Line("</tempos>");
}

void Types(XmlLines& xml, std::string_view first) {
  xml.Line("<!-- Подача -->");
  xml.Line("<types>");
  xml.Line(IdValueElement("type", 1, first));
  xml.Line(IdValueElement("type", 2, "Агрессивная"));
  xml.Line(IdValueElement("type", 3, "Фоновая"));
  xml.Line("</types>");
}

void Periods(XmlLines& xml, bool desktop) {
  xml.Line("<!-- Эпоха -->");
  xml.Line("<periods>");
  int id = 0;
  for (std::string_view epoch : kEpochWords)
    xml.Line(IdValueElement("period", ++id, desktop && epoch == "RETRO" ? std::string_view("Ретро") : epoch));
  xml.Line("</periods>");
}

// --- Tracks and albums -------------------------------------------------------------------------

void TrackBlock(XmlLines& xml, const TrackRecord& t, AuthorNames& authors, bool desktop) {
  xml.text() += "<track code=\"";
  AppendAttribute(xml.text(), t.code);
  xml.text() += "\">\r\n";
  const int seconds = DurationSeconds(t.duration);
  xml.Element("trackprice", GetTrackPrice(seconds));
  xml.Element("isrc", t.isrc);
  xml.Element("title", t.title);
  xml.Element("composer", authors.Expand(t.composer));
  xml.Element("artist", authors.Expand(t.performer));
  xml.Element("length", std::to_string(seconds));
  const std::string_view line = TrimView(t.tagLine);
  if (line.empty()) {
    for (std::string_view empty : {"<key />", "<bpm />", "<track_mood />", "<track_type />", "<track_styles />",
                                   "<track_periods />", "<track_tempos />", "<sfx />"})
      xml.Line(empty);
    xml.Line("</track>");
    return;
  }
  auto has = [&](std::string_view part) { return line.find(part) != std::string_view::npos; };
  const bool sfx = line.front() == '0';

  xml.Element("key", KeyName(KeyCode(line)), true);
  xml.Element("bpm", BpmText(line), true);
  xml.Element("track_mood", sfx ? std::string() : std::string(1, line.front()), true);

  std::string type;
  if (has("!H")) type = "2";
  if (has("!B")) type = "3";
  if (has("!I")) type = "1";
  auto typeElement = [&] { xml.Element("track_type", type, true); };

  std::vector<int> styles;
  for (uint32_t bits = t.styleBits; bits != 0; bits &= bits - 1) styles.push_back(std::countr_zero(bits) + 1);
  auto stylesElement = [&] {
    if (styles.empty() && !desktop) {
      xml.Line("<track_styles />");
      return;
    }
    xml.Line("<track_styles>");
    if (styles.empty()) xml.IdLine("track_style", 30);
    for (int id : styles) xml.IdLine("track_style", id);
    xml.Line("</track_styles>");
  };

  int period = 0;
  for (size_t e = 0; e < kEpochWords.size(); ++e)
    if (has(kEpochWords[e])) period = static_cast<int>(e) + 1;
  auto periodsElement = [&] {
    if (period == 0) return xml.Line("<track_periods />");
    xml.Line("<track_periods>");
    xml.IdLine("track_period", period);
    xml.Line("</track_periods>");
  };

  const int tempo = TempoClass(line);
  auto temposElement = [&] {
    if (tempo == 0) return xml.Line("<track_tempos />");
    xml.Line("<track_tempos>");
    xml.IdLine("track_tempo", tempo);
    xml.Line("</track_tempos>");
  };
  auto sfxElement = [&] { xml.Line(sfx ? "<sfx>1</sfx>" : "<sfx>0</sfx>"); };

  if (desktop) {
    stylesElement();
    typeElement();
    sfxElement();
    periodsElement();
    temposElement();
  } else {
    typeElement();
    stylesElement();
    periodsElement();
    temposElement();
    sfxElement();
  }
  xml.Line("</track>");
}

struct SiteAlbumInputs {
  std::unordered_map<std::string, std::string> prices;  // upper-case CD code -> price
  std::unordered_set<std::string> trends;               // upper-case CD codes
};

bool Albums(XmlLines& xml, const Catalogue& catalogue, const std::vector<std::string>& albumTags,
            const SiteAlbumInputs* site, ExportProgress& progress) {
  AuthorNames authors(catalogue);
  xml.Line("<!-- Список альбомов -->");
  xml.Line("<albums>");
  for (int p = 0; p < catalogue.CdCount(); ++p) {
    if (!progress.Step()) return false;
    const CdRecord& cd = catalogue.Cd(p);
    xml.Line("<album code=\"" + Attribute(cd.cdCode) + "\">");
    xml.Element("title", AlbumTitle(cd));
    if (site) {
      auto price = site->prices.find(UpperCase(cd.cdCode));
      xml.Element("price", price == site->prices.end() ? std::string() : price->second);
    }
    xml.Line("<description>" + CData(DescriptionAfterLabel(cd), "") + "</description>");
    xml.Line("<album_tags>");
    if (site) {
      xml.Line(IdElement("album_tag", 20));
      if (site->trends.count(UpperCase(cd.cdCode))) xml.Line(IdElement("album_tag", 3));
    }
    xml.text() += albumTags[p];
    xml.Line("</album_tags>");
    xml.Line("<!-- Список треков альбома -->");
    xml.Line("<tracks>");
    for (const TrackRecord& t : cd.tracks) TrackBlock(xml, t, authors, site == nullptr);
    xml.Line("</tracks>");
    xml.Line("</album>");
  }
  xml.Line("</albums>");
  return true;
}

// --- Playlists ------------------------------------------------------------------------------------

// Writes the playlist blocks; false (after the message) when a desktop name
// line lacks its "«" and "»". counted collects, per track, the codes of the
// playlists that count for the entry test.
bool PlaylistBlocks(XmlLines& xml, const std::vector<PlaylistBlock>& blocks, bool desktop, Dialogs& dialogs,
                    std::vector<std::pair<std::string, std::vector<std::string>>>* counted) {
  std::unordered_set<std::string> emitted;
  std::unordered_map<std::string, size_t> trackAt;
  int order = 0;
  for (const PlaylistBlock& block : blocks) {
    if (!emitted.insert(block.code).second) continue;
    std::string name = block.nameLine;
    if (desktop && !PlaylistName(block.nameLine, name)) {
      dialogs.Message(MalformedPlaylistNameMessage(block.nameLineIndex, block.nameLine), MessageKind::Error);
      return false;
    }
    xml.Line("<playlist code=\"" + Attribute(block.code) + "\" order=\"" + std::to_string(++order) + "\">");
    xml.Element("title", name);
    xml.Line("<description>" + CData(block.description, desktop ? "" : " ") + "</description>");
    if (!desktop) {
      xml.Line("<playlist_tags>");
      xml.Line(IdElement("playlist_tag", static_cast<int>(block.tagNumber + 1)));
      xml.Line("</playlist_tags>");
    }
    xml.Line("<!-- Список треков плейлиста -->");
    xml.Line("<tracks>");
    int j = 0;
    const bool counts = block.code.find("PLST_7") == std::string::npos && block.code != "PLST_000";
    for (const auto& code : block.tracks) {
      xml.Line("<track code=\"" + Attribute(code) + "\" order=\"" + std::to_string(++j) + "\" />");
      if (!counted || !counts) continue;
      auto [at, added] = trackAt.try_emplace(code, counted->size());
      if (added) counted->push_back({code, {}});
      auto& codes = (*counted)[at->second].second;
      if (codes.empty() || codes.back() != block.code) codes.push_back(block.code);
    }
    xml.Line("</tracks>");
    xml.Line("</playlist>");
  }
  return true;
}

// The XML head the body follows (written first, so the text is never copied).
void StartDocument(XmlLines& xml) {
  xml.Line(kXmlHead);
  xml.Line(kDoctype);
  xml.Line("<update>");
}

// Closes the document StartDocument began; saves the file when a path is given.
ExportResult Finish(ExportContext& context, XmlLines& body, const std::filesystem::path& output) {
  ExportResult result;
  body.Line("</update>");
  std::string text = std::move(body.text());
  body.text().clear();
  if (!output.empty()) {
    context.dialogs.Message(std::string(kSaving) + output.string(), MessageKind::Information);
    if (!SaveFileBytes(output, text)) {
      context.dialogs.Message(WriteFailedMessage(output), MessageKind::Error);
      result.outcome = ExportOutcome::Failed;
    }
  }
  result.texts.push_back(std::move(text));
  return result;
}

bool ReadPlaylistBlocks(ExportContext& context, const std::filesystem::path& file, std::vector<PlaylistBlock>& blocks) {
  std::string error;
  std::vector<std::string> lines;
  if (!ReadLinesOrNone(context, file, lines)) return false;
  if (ParsePlaylists(lines, blocks, error)) return true;
  context.dialogs.Message(error, MessageKind::Error);
  return false;
}

ExportResult Stopped(ExportOutcome outcome) { return {outcome, {}}; }

}  // namespace

void AppendXmlValue(std::string& out, std::string_view text) {
  // 1: written otherwise ("&", "<", ">", what XML cannot hold); 2: 0xEF, the
  // first byte of U+FFFE and U+FFFF, looked at once the text is in.
  static constexpr auto kKind = [] {
    std::array<unsigned char, 256> kind{};
    for (int c = 0; c < 0x20; ++c) kind[c] = XmlCannotHold(static_cast<char>(c)) ? 1 : 0;
    kind['&'] = kind['<'] = kind['>'] = 1;
    kind[0xEF] = 2;
    return kind;
  }();
  const size_t from = out.size();
  size_t run = 0;  // the start of the characters not yet appended
  bool maybeNonCharacter = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char kind = kKind[static_cast<unsigned char>(text[i])];
    if (kind == 0) continue;
    if (kind == 2) {
      maybeNonCharacter = true;
      continue;
    }
    const char c = text[i];
    out.append(text.substr(run, i - run));
    out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : " ";
    run = i + 1;
  }
  out.append(text.substr(run));
  if (maybeNonCharacter) ReplaceNonCharacters(out, from);
}

std::string XmlValue(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendXmlValue(out, text);
  return out;
}

XmlFiles SiteXmlFiles(const std::filesystem::path& folder) {
  return {folder / kPricesFile, folder / kTrendsFile, folder / kSitePlaylistsFile, folder / kSiteXmlFile,
          folder / kPlaylistsEntryTestFile};
}

XmlFiles DesktopXmlFiles(const std::filesystem::path& folder) {
  return {{}, {}, folder / kDesktopPlaylistsFile, folder / kDesktopXmlFile, {}};
}

ExportResult ExportSiteXml(ExportContext& context, Browser& browser, const XmlFiles& files) {
  const Catalogue& catalogue = context.catalogue;
  // 1. The editors' files.
  context.dialogs.Message(std::string(kAskPrices), MessageKind::Information);
  SiteAlbumInputs inputs;
  std::vector<std::string> input;
  if (!ReadLinesOrNone(context, files.prices, input)) return Stopped(ExportOutcome::Failed);
  for (const auto& line : input)
    if (line.find('=') != std::string::npos)
      inputs.prices.try_emplace(UpperCase(Trim(RowName(line))), Trim(RowValue(line)));
  context.dialogs.Message(std::string(kAskTrends), MessageKind::Information);
  if (!ReadLinesOrNone(context, files.trends, input)) return Stopped(ExportOutcome::Failed);
  for (const auto& line : input)
    if (!TrimView(line).empty()) inputs.trends.insert(UpperCase(Trim(line)));
  context.dialogs.Message(SitePlaylistsInstruction(), MessageKind::Information);
  std::vector<PlaylistBlock> blocks;
  if (!ReadPlaylistBlocks(context, files.playlists, blocks)) return Stopped(ExportOutcome::Failed);

  ExportProgress progress(context.progress, context.language);
  XmlLines xml;
  xml.text().reserve(static_cast<size_t>(catalogue.TrackCount()) * 700);
  StartDocument(xml);
  std::vector<std::string> albumTags(catalogue.Cds().size());
  // 3. The category tree as tags.
  xml.Line("<!-- Дерево тегов альбомов, направлений альбомов -->");
  xml.Line("<tags>");
  SiteTagWalk walk(context.dialogs, xml, albumTags);
  if (!WalkCategories(browser, catalogue, context.language, progress, walk)) return Stopped(ExportOutcome::Cancelled);
  xml.Line("</tags>");
  // 4-8. The vocabularies.
  xml.Line("<!-- Жанр -->");
  xml.Line("<styles>");
  for (size_t s = 0; s < kStyleWords.size(); ++s)
    xml.Line(IdValueElement("style", static_cast<int>(s) + 1,
                            kStyleWords[s] == "PPRCK" ? std::string_view("POP-ROCK") : kStyleWords[s]));
  xml.Line("</styles>");
  Moods(xml);
  Types(xml, "Для оформления эфира");
  Tempos(xml);
  Periods(xml, false);
  // 9-10. Albums and playlists.
  if (!Albums(xml, catalogue, albumTags, &inputs, progress)) return Stopped(ExportOutcome::Cancelled);
  std::vector<std::pair<std::string, std::vector<std::string>>> entries;
  xml.Line("<playlists>");
  PlaylistBlocks(xml, blocks, false, context.dialogs, &entries);
  xml.Line("</playlists>");
  progress.Hide();

  // 11. The file.
  ExportResult result = Finish(context, xml, files.output);
  // 12. Tracks that stand in more than one playlist.
  std::vector<std::string> lines;
  for (const auto& [code, playlists] : entries) {
    if (playlists.size() < 2) continue;
    std::string line = code + "=";
    for (size_t i = 0; i < playlists.size(); ++i) line += (i ? "," : "") + playlists[i];
    lines.push_back(std::move(line));
  }
  std::string entryText = JoinLinesCrLf(lines);
  if (!files.entryTest.empty() && !SaveFileBytes(files.entryTest, Utf8ToCp1251(entryText))) {
    context.dialogs.Message(WriteFailedMessage(files.entryTest), MessageKind::Error);
    result.outcome = ExportOutcome::Failed;
  }
  result.texts.push_back(std::move(entryText));
  return result;
}

ExportResult ExportDesktopXml(ExportContext& context, Browser& browser, const XmlFiles& files) {
  const Catalogue& catalogue = context.catalogue;
  // 1. From the root, into its first row, with CDs opened without their tracks.
  browser.SetAllowOpenCd(false);
  browser.Home();
  if (!browser.boxRows().empty()) {
    browser.SelectBoxRow(0);
    browser.OpenSelectedRow(false);
  }
  ExportProgress progress(context.progress, context.language);
  XmlLines xml;
  xml.text().reserve(static_cast<size_t>(catalogue.TrackCount()) * 700);
  StartDocument(xml);
  std::vector<std::string> albumTags(catalogue.Cds().size());
  // 2. The collections as fixed tags; the walk gives the CDs their tags.
  xml.Line("<!-- Коллекции -->");
  xml.Line("<tags>");
  for (size_t n = 0; n < kCollections.size(); ++n)
    xml.Line("<tag id=\"" + std::to_string(n + 1) + "\"><title>" + XmlValue(kCollections[n].name) +
             "</title><description>" + XmlValue(kCollections[n].description) + "</description></tag>");
  xml.Line("</tags>");
  DesktopTagWalk walk(albumTags);
  if (!WalkCategories(browser, catalogue, context.language, progress, walk)) return Stopped(ExportOutcome::Cancelled);
  // 3-4. The vocabularies.
  xml.Line("<!-- Стили -->");
  xml.Line("<styles>");
  for (size_t s = 0; s < kStyleWords.size(); ++s) {
    const std::string_view name = StyleDisplayName(kStyleWords[s]);
    xml.Line("<style id=\"" + std::to_string(s + 1) + "\"  weigth=\"" + (name == "New Year/Holiday" ? "50" : "100") +
             "\">" + XmlValue(name) + "</style>");
  }
  xml.Line("<style id=\"30\" weigth=\"50\">SFX/ID</style>");
  xml.Line("</styles>");
  Moods(xml);
  Types(xml, "Для эфира");
  Tempos(xml);
  Periods(xml, true);
  // 5. Albums.
  if (!Albums(xml, catalogue, albumTags, nullptr, progress)) return Stopped(ExportOutcome::Cancelled);
  progress.Hide();
  // 6. Playlists.
  context.dialogs.Message(DesktopPlaylistsInstruction(), MessageKind::Information);
  std::vector<PlaylistBlock> blocks;
  if (!ReadPlaylistBlocks(context, files.playlists, blocks)) return Stopped(ExportOutcome::Failed);
  xml.Line("<playlists>");
  if (!PlaylistBlocks(xml, blocks, true, context.dialogs, nullptr)) return Stopped(ExportOutcome::Failed);
  xml.Line("</playlists>");
  // 7. The file.
  return Finish(context, xml, files.output);
}

}  // namespace trakvella
