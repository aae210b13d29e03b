#include "core/exports/ExportValues.h"

#include "core/catalogue/Vocabulary.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"

namespace trakvella {

namespace {

constexpr std::string_view kDescriptionLabel = "Description: ";

bool Has(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// --- Track and CD identifiers and texts -------------------------------------------

std::string TrackId(std::string_view code) { return "1" + MidChars(code, 5, 3) + MidChars(code, 9, 3); }

std::string AlbumName(const CdRecord& cd) { return MidChars(cd.cdText, 8); }

std::string AlbumTitle(const CdRecord& cd) { return MidChars(cd.cdText, 9); }

std::string AlbumDescription(const CdRecord& cd) {
  const size_t at = cd.description.find(kDescriptionLabel);
  if (at == std::string::npos) return {};
  std::string text = cd.description.substr(at + kDescriptionLabel.size());
  ReplaceAll(text, "\r\n", "");
  return text;
}

std::string ReleaseDate(const CdRecord& cd) {
  std::string month = std::to_string(cd.month);
  if (month.size() < 2) month.insert(0, 1, '0');
  return "01." + month + "." + std::to_string(cd.year);
}

int DurationSeconds(std::string_view duration) {
  const size_t colon = duration.find(':');
  if (colon == std::string_view::npos) return static_cast<int>(IntOr(Trim(duration), 0));
  const long long minutes = IntOr(Trim(duration.substr(0, colon)), 0);
  const long long seconds = IntOr(Trim(duration.substr(colon + 1)), 0);
  return static_cast<int>(minutes * 60 + seconds);
}

// --- Tag-line values ------------------------------------------------------------------

char MoodDigit(std::string_view tagLine) {
  const std::string_view line = TrimView(tagLine);
  return line.empty() ? '\0' : line.front();
}

std::string MoodName(std::string_view tagLine) {
  switch (MoodDigit(tagLine)) {
    case '5':
      return "Заводное / Комедийное";
    case '4':
      return "Позитивное";
    case '3':
      return "Нейтральное";
    case '2':
      return "Грустное";
    case '1':
      return "Тревожное / Суицидальное";
    case '0':
    case '\0':
      return "Нейтральное";
    default:
      return FirstChars(TrimView(tagLine), 1);
  }
}

int TempoClass(std::string_view tagLine) {
  int tempo = 0;
  if (Has(tagLine, "!F")) tempo = 1;
  if (Has(tagLine, "!M")) tempo = 2;
  if (Has(tagLine, "!S")) tempo = 3;
  return tempo;
}

std::string_view TempoWord(std::string_view tagLine, std::string_view fast, std::string_view medium,
                           std::string_view slow) {
  switch (TempoClass(tagLine)) {
    case 1:
      return fast;
    case 3:
      return slow;
    default:
      return medium;
  }
}

std::string EpochWord(std::string_view tagLine) {
  std::string word;
  if (Has(tagLine, "RETRO")) word = "Ретро";
  if (Has(tagLine, "60-70s")) word = "60е-70е";
  if (Has(tagLine, "80-90s")) word = "80е-90е";
  return word;
}

std::string SfxFlag(std::string_view tagLine) { return MoodDigit(tagLine) == '0' ? "1" : "0"; }

std::string TrackTypeWord(std::string_view tagLine) {
  std::string word;
  if (Has(tagLine, "!H")) word = "Агрессивная";
  if (Has(tagLine, "!B")) word = "Фоновая";
  if (Has(tagLine, "!I")) word = "Для эфира";
  return word;
}

std::string BpmText(std::string_view tagLine) { return BetweenMarkers(TrimView(tagLine), "[", "]"); }

std::string KeyCode(std::string_view tagLine) { return BetweenMarkers(TrimView(tagLine), "<", ">"); }

// --- Styles -------------------------------------------------------------------------

const std::array<StyleGenre, 30> kStyleGenres{{
    {"ACOUSTIC", "Acoustic", "Acoustic"},
    {"AMBIENT", "Ambient", "Ambient"},
    {"BREAKBEAT", "Breakbeat / D&B", "Breakbeat/D&B"},
    {"CHANSON", "Chanson", "Chanson"},
    {"CINEMATIC", "Cinematic", "Cinematic"},
    {"CLASSICAL", "Classical", "Classical"},
    {"COMEDY", "Comedy", "Comedy"},
    {"CORPORATE", "Corporate", "Corporate"},
    {"DANCE", "Club / EDM", "Club/EDM"},
    {"DISCO", "Disco", "Disco"},
    {"ELECTRONICA", "Electronic", "Electronic"},
    // The compact name is spelt with a Cyrillic "о" as the services have it.
    {"ETHNO", "World / Ethnic", "Ethn\u043e/World"},
    {"FOLK", "Folk / Russian", "Folk/Russian"},
    {"FUNK", "Funk", "Funk"},
    {"JAZZ", "Jazz", "Jazz"},
    {"LATINA", "Latin", "Latin"},
    {"LOUNGE", "Lounge", "Lounge"},
    {"MARCH", "March", "March"},
    {"YEAR", "Holiday", "New Year/Holiday"},
    {"ORCHESTRAL", "Orchestral / Score", "Orchestral/Score"},
    {"PERCUSSION", "Percussion", "Percussion"},
    {"POP", "Pop", "Pop"},
    {"PPRCK", "Pop Rock", "Pop Rock"},
    {"R-N-B", "R&B / Soul", "R&B/Soul"},
    {"R-N-R", "Country / Rock&Roll", "Rock&Roll/Country"},
    {"REMIX", "Remix", "Remix"},
    {"ROCK", "Rock", "Rock"},
    {"SFX/ID", "Sound Design / SFX", "Sound Design/SFX"},
    {"TANGO", "Tango", "Tango"},
    {"WALTZ", "Waltz", "Waltz"},
}};

namespace {

std::string JoinGenreNames(std::string_view styleText, bool compact) {
  std::vector<std::string> words;
  ExtractKeywords(styleText, words);
  std::string out;
  for (const auto& word : words)
    for (const auto& row : kStyleGenres)
      if (row.word == word) {
        if (!out.empty()) out += ", ";
        out += compact ? row.compact : row.spaced;
        break;
      }
  return out;
}

}  // namespace

std::string StyleGenreNames(std::string_view styleText) { return JoinGenreNames(styleText, false); }

std::string StyleGenreNamesCompact(std::string_view styleText) { return JoinGenreNames(styleText, true); }

std::string_view StyleDisplayName(std::string_view styleWord) {
  // A style word of two words ("NEW YEAR") is found by its last word.
  const size_t blank = styleWord.rfind(' ');
  const std::string_view word = blank == std::string_view::npos ? styleWord : styleWord.substr(blank + 1);
  for (const auto& row : kStyleGenres)
    if (row.word == word) return row.compact;
  return styleWord;
}

// --- Collections ----------------------------------------------------------------------

const std::array<Collection, 15> kCollections{{
    {"* ALL LIBRARY >> CORPORATE MUSIC", "Бизнес тематика",
     "Мотивирующие, вдохновляющие и пафосные мелодии корпоративной и бизнес тематики: от технологичных и "
     "электронных треков до поп, рок, классических стилизаций"},
    {"* ALL LIBRARY >> AROUND THE WORLD", "Вокруг света",
     "Этническая музыка народов мира в различных стилях, адаптированных для использования в ваших проектах, а "
     "также музыка world music с элементами этно звучания"},
    {"* ALL LIBRARY >> HUMOR, COMEDY, CHILDREN", "Детское, комедия, юмор",
     "Смешные, забавные мелодии в комедийном жанре. Детские мелодии различных настроений: сказочные, "
     "колыбельные, веселые"},
    {"* ALL LIBRARY >> CLASSICS / NEO-CLASSICS", "Классика и стилизации",
     "Шедевры классической музыки и ремиксы, классические стилизации и нео-классическая музыка, адаптированная "
     "для современного использования"},
    {"* ALL LIBRARY >> CLUB / ELECTRONICA", "Клубное и электронное",
     "Современная клубная танцевальная музыка и электронная музыка. Ярко выраженное электронное звучание в "
     "стилях техно, хаус, транс, даб-степ, драм-н-бейс и других"},
    {"* ALL LIBRARY >> FASHION TEXTURE", "Модная фактура",
     "Гламурные треки для использования в рекламе, модных показах, программах о стиле и дизайне в различных "
     "стилях: брейкбит, фанк, диско, хип-хоп"},
    {"* ALL LIBRARY >> FILM MUSIC", "Музыка для кино",
     "Музыка для использования в фильмах, сериалах, трейлерах. Мелодии с разнообразной структурой и "
     "кино-настроением: от мелодрамы до боевиков и фантастики"},
    {"* ALL LIBRARY >> NAUGHTY / EMOTIONAL", "Озорное и душевное",
     "Русская народная музыка, ремиксы и стилизации, музыка в стиле шансон, включая любимые дворовые песни и "
     "старинные романсы"},
    {"* ALL LIBRARY >> POSITIVE ATTITUDE", "Позитивный настрой",
     "Жизнерадостные, позитивные мелодии счастья, эмоционального подъема для создания вдохновляющей "
     "дружелюбной атмосферы"},
    {"* ALL LIBRARY >> CHRISTMAS STORY", "Праздники и Новый Год",
     "Рождественские и новогодние мелодии в различных аранжировках и стилях от классики до рока. Музыка для "
     "создания праздничной атмосферы"},
    {"* ALL LIBRARY >> VINTAGE STYLINGS", "Ретро и стилизации",
     "Музыка прошлого века - от немого кино до лихих 90-х. Стильная ретро-музыка, создающая приятное "
     "настроение"},
    {"* ALL LIBRARY >> STYLISH BACKGROUND", "Фоновое и уютное",
     "Спокойные, приятные фоновые мелодии в стиле лаундж, нью-эйдж, джаз. Уютная атмосфера комфорта и "
     "расслабленности"},
    {"* ALL LIBRARY >> ENERGY / MOVING", "Энергия и движение",
     "Энергичная, яркая, ритмичная музыка современных танцевальных стилей, а также агрессивная, мощная поп и "
     "рок музыка"},
    {"* ALL LIBRARY >> IMAGING ELEMENTS", "Эфирное оформление",
     "Готовые пакеты для оформления эфира: заставки, подложки, часовые отбивки, новости, погода, гороскоп, "
     "игры, шоу, и многое другое"},
    {"* ALL LIBRARY >> FX / JINGLES", "Эффекты и заставки",
     "Разнообразные спецэффекты: свиперы, стейджеры, переходы. Музыкальные заставки и комедийные фразы"},
}};

int CollectionNumber(const CdRecord& cd) {
  for (size_t i = 0; i < kCollections.size(); ++i)
    if (cd.categories.Contains(kCollections[i].path)) return static_cast<int>(i) + 1;
  return 0;
}

// --- Writers ----------------------------------------------------------------------------

Writers SplitWriters(std::string_view composers) {
  Writers writers;
  const std::vector<std::string> names = SplitTrim(",", composers);
  writers.count = names.size();
  for (size_t i = 0; i < writers.first.size() && i < names.size(); ++i) {
    Writer& w = writers.first[i];
    w.name = names[i];
    if (Has(w.name, " (пер.)") || Has(w.name, " (обр.)")) {
      ReplaceAll(w.name, " (пер.)", "");
      ReplaceAll(w.name, " (обр.)", "");
      w.role = "Adaptor";
      w.share = "0.00000";
    } else if (!w.name.empty()) {
      w.role = "Composer, Writer";
      w.share = "0.00000";
    }
  }
  return writers;
}

std::string TooManyComposersMessage(std::string_view code, std::string_view title) {
  return "Внимание! Трек с >3 композиторами!\r" + std::string(code) + " " + std::string(title);
}

// --- Web and shop helpers ---------------------------------------------------------------

std::string GetTrackPrice(int seconds) {
  if (seconds < 15) return "1000";
  if (seconds < 25) return "1250";
  if (seconds < 33) return "1500";
  if (seconds < 66) return "2000";
  return "2500";
}

std::string EscapeAmpersands(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else
      out += c;
  }
  return out;
}

std::string CleanTagTitle(std::string_view text, int mode) {
  std::string out(text);
  ReplaceAll(out, "\u2026 ", "");
  ReplaceAll(out, "* ", "");
  if (mode == 2) {
    out = LowerCase(out);
    if (!out.empty()) out = UpperCase(FirstChars(out, 1)) + MidChars(out, 1);
  }
  return out;
}

const std::string& AuthorNames::Expand(const std::string& text) {
  auto [it, added] = cache_.try_emplace(text);
  if (added) it->second = expander_.Expand(text);
  return it->second;
}

const std::string& GenreNames::Spaced(const std::string& styleText) {
  auto [it, added] = spaced_.try_emplace(styleText);
  if (added) it->second = StyleGenreNames(styleText);
  return it->second;
}

const std::string& GenreNames::Compact(const std::string& styleText) {
  auto [it, added] = compact_.try_emplace(styleText);
  if (added) it->second = StyleGenreNamesCompact(styleText);
  return it->second;
}

const std::string& GenreNames::Column(const TrackRecord& track) {
  static const std::string sfx(kNoStyleText);
  return track.styleText == kNoStyleText ? sfx : Compact(track.styleText);
}

}  // namespace trakvella
