#include "core/catalogue/Catalogue.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_set>

#include "core/catalogue/TSort.h"
#include "core/catalogue/TrackCodes.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/MessageTable.h"
#include "core/lang/Version.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"

namespace trakvella {

namespace {

// Words that never become keywords. A word is dropped when its lower-case form
// occurs anywhere in this text (commas included), not only as one of its items.
constexpr std::string_view kStopText =
    "ac,descriptionа,в,во,о,и,или,не,ни,х,у,я,йбы,да,ли,за,по,но,об,со,до,мы,вы,из,-х,-й,-е,-ка,-ми,-мя,-тисек,мин,тех,"
    "такой,также,тем,темы,кто,что,где,ваш,ваши,ваше,вашего,ваших,все,они,них,при,его,если,есть,ее,нам,вам,без,нас,нее,"
    "него,над,под,это,этувас,про,еще,для,как,нем,так,что,чем,нетчтобы,лишь,около,этом,этот,этогокаждый,каждая,который,"
    "которую,которая,которых,которые,которым,которымиs-,i,ii,a,an,and,another,but,hu,doesn,are,is,by,be,been,as,non,of,"
    "iton,to,we,me,they,those,its,our,your,the,all,for,can,that,therethem,than,with,within,about,every,let's,before,"
    "descriptiontogether,you,also,so,soon,ll,into,cd,cds,disc,discs,even,didn,haveif,many,much,more,most,what,which,"
    "from,yet,who,use,thisuntil,will,new,see,mid,kpm,scd,kol,kom,kos,bruton,kosinuslibrary,around,video,30,60,tv,"
    "future,concert,drum,game,com,motion,opera,special,musicians,quartet,quintet,featured,commercials,former,"
    "ussrinstruments,music,feel,film,general,recommended,cds,hard,new,on,female,themes,stylestyles,scenes,cars,light,"
    "national,voice,well,known,textures,slide,roll,middle,home,idiom,section,belt,movies,played";

constexpr std::string_view kLibraryPrefix = "Library:";
// The CD list is reserved for this many at a load; a larger catalogue only grows it.
constexpr size_t kCdCapacity = 1000;

// Working pools of one load: descriptor rows and local files not yet taken.
// Each is indexed by code so that a lookup costs the same whatever the row
// order, while still taking the first matching row or file, as a scan of the
// pool from its start would.
}  // namespace

struct LoadPools {
  // Per track code (by its descriptor index id): how many of its descriptor rows
  // are taken.
  std::vector<uint32_t> descriptorsTaken;

  struct LocalFile {
    std::string path;
    std::string code;  // the name's first 12 characters, upper-cased
    bool wav = false, mp3 = false;
    bool taken = false;
  };
  std::vector<LocalFile> files;
  // Files by the first 12 characters of the upper-cased name, in pool order: the
  // first file of a code, then each file's next of the same code (kNone at the end).
  // The first files stand in a table of a power-of-two size, each at its code's hash
  // or after it (a slot holds the hash's upper half and the file; kNone is free).
  static constexpr uint32_t kNone = UINT32_MAX;
  struct CodeSlot {
    uint32_t hash = 0;
    uint32_t first = kNone;
  };
  std::vector<CodeSlot> firstFileOfCode;
  std::vector<uint32_t> nextFileOfCode;

  // The slot of a code: the one holding its first file, else the free one it would take.
  CodeSlot& SlotOf(std::string_view code) {
    const size_t hash = std::hash<std::string_view>{}(code);
    const auto upper = static_cast<uint32_t>(static_cast<uint64_t>(hash) >> 32);
    const size_t mask = firstFileOfCode.size() - 1;
    size_t at = hash & mask;
    while (firstFileOfCode[at].first != kNone &&
           (firstFileOfCode[at].hash != upper || files[firstFileOfCode[at].first].code != code))
      at = (at + 1) & mask;
    firstFileOfCode[at].hash = upper;  // a free slot's hash means nothing
    return firstFileOfCode[at];
  }

  // Category lines repeat from CD to CD: their words and the words'
  // translations are worked out once per load.
  std::unordered_map<std::string, std::vector<std::string>> wordsOfLine;
  std::unordered_map<std::string, std::optional<std::string_view>> translationOfWord;
  // Category paths already in allCategoryPaths_, and tags already in tagList_, as written.
  std::unordered_set<std::string> pathsListed, tagsListed;
  // The tracks of the CD being read: how many, and their code ids in track order.
  size_t tracksOfCd = 0;
  std::vector<uint32_t> idOfTrack;

  // The CD records written: positions below `cdCount` are finished, the one at
  // `cdCount` is being read. A reload starts from the last load's records.
  std::vector<CdRecord> cds;
  int cdCount = 0;
  // CD codes of local files, when only those are listed (a track is listed when it has a file).
  std::unordered_set<std::string_view> localCds;
  // The information block read at the last accepted CD header: its lines are views
  // into its decoded text, both kept from CD to CD.
  std::string blockText;
  std::vector<std::string_view> block;
  std::vector<std::string_view> fields;  // of the track row being read

  CdRecord& Current() {
    if (cds.size() <= static_cast<size_t>(cdCount)) cds.resize(static_cast<size_t>(cdCount) + 1);
    return cds[static_cast<size_t>(cdCount)];
  }
};

namespace {

// The tag line of a descriptor: a first character that is no mood digit 0-5
// becomes "0", and a mood of 3 alone (also with "!I") reads as 0.
void AssignTagLine(std::string_view descriptor, std::string& tagLine) {
  if (descriptor.empty() || descriptor == "3") {
    tagLine = "0";
  } else if (descriptor == "3 !I") {
    tagLine = "0 !I";
  } else {
    size_t pos = 0;
    const char32_t first = NextChar(descriptor, pos);
    if (first < '0' || first > '5') {
      tagLine = "0";
      tagLine += descriptor.substr(pos);
    } else {
      tagLine = descriptor;
    }
  }
}

// The first local file of a track code in the pool, or kNone.
uint32_t FirstFileOf(LoadPools& pools, std::string_view code) {
  return pools.firstFileOfCode.empty() ? LoadPools::kNone : pools.SlotOf(code).first;
}

// The location of a track: its ".wav" file, else its ".mp3" file, else its demo
// name, written over `location`. The files found leave the pool; `first` is the
// code's first file (FirstFileOf).
void TakeLocation(LoadPools& pools, std::string_view code, uint32_t first, std::string& location) {
  LoadPools::LocalFile* wav = nullptr;
  LoadPools::LocalFile* mp3 = nullptr;
  for (uint32_t index = first; index != LoadPools::kNone; index = pools.nextFileOfCode[index]) {
    auto& f = pools.files[index];
    if (f.taken) continue;
    if (!wav && f.wav) wav = &f;
    if (!mp3 && f.mp3) mp3 = &f;
    if (wav && mp3) break;
  }
  if (!wav && !mp3) {
    // DemoName(code) without a new string: KMLB_ccc/KMLB_ccc_ttt.mp3
    location.assign(code.substr(0, ByteOffsetOfChar(code, 8)));
    location += '/';
    location += code.substr(0, ByteOffsetOfChar(code, 12));
    location += ".mp3";
    return;
  }
  location = wav ? wav->path : mp3->path;
  if (wav) wav->taken = true;
  if (mp3) mp3->taken = true;
}

bool IsKeywordChar(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || (c >= 0x0410 && c <= 0x044F) || c == 0x0401 ||
         c == 0x0451;
}

bool IsTrackRow(std::string_view row) {
  // A row whose 13th character is "=" is a track row.
  size_t at = ByteOffsetOfChar(row, 12);
  return at < row.size() && row[at] == '=';
}

// The first 12 characters of a row: the track code of a track row.
std::string_view CodeOfRow(std::string_view row) { return row.substr(0, ByteOffsetOfChar(row, 12)); }

// The number of track rows from row `from` up to the next CD header row.
size_t TrackRowsFrom(const std::vector<std::string_view>& table, size_t from) {
  size_t n = 0;
  while (from + n < table.size() && IsTrackRow(table[from + n])) ++n;
  return n;
}

// The first `chars` characters of a text.
std::string_view PerRowCode(std::string_view row, size_t chars) { return row.substr(0, ByteOffsetOfChar(row, chars)); }

// The seconds of an "mm:ss" duration: its first two characters and the two after the third, as
// numbers (0 where they are none). The usual five ASCII bytes are read as they stand.
int LengthSeconds(std::string_view duration) {
  auto digit = [duration](size_t i) { return duration[i] >= '0' && duration[i] <= '9'; };
  if (duration.size() == 5 && digit(0) && digit(1) && static_cast<unsigned char>(duration[2]) < 0x80 && digit(3) &&
      digit(4))
    return ((duration[0] - '0') * 10 + (duration[1] - '0')) * 60 + (duration[3] - '0') * 10 + (duration[4] - '0');
  return static_cast<int>(IntOr(MidView(duration, 0, 2), 0) * 60 + IntOr(MidView(duration, 3, 2), 0));
}

// A year or month of the production date line; 0 when it is not a number.
uint16_t DateNumber(std::string_view text) {
  long long v = IntOr(text, 0);
  return v >= 0 && v <= 65535 ? static_cast<uint16_t>(v) : 0;
}

}  // namespace

void CdRecord::Reset() { *this = CdRecord{}; }

namespace {
// The style words of a tag line, a bit each in the order of kStyleWords.
}  // namespace

void Catalogue::BuildDescriptorIndex() {
  // Codes get ids in titles-table order, so a load walks the descriptors in
  // memory order whatever the order of the descriptor table's rows.
  DescriptorIndex& index = descriptors_;
  index = DescriptorIndex{};
  // Track code -> id while the index is made: open addressing over a power-of-two table.
  std::vector<std::pair<std::string_view, uint32_t>> idOf(std::bit_ceil(titlesTable_.size() * 2 + 2),
                                                          {std::string_view(), kNoId});
  auto slotOf = [&idOf, mask = idOf.size() - 1](std::string_view code) -> std::pair<std::string_view, uint32_t>& {
    size_t at = std::hash<std::string_view>{}(code)&mask;
    while (idOf[at].second != kNoId && idOf[at].first != code) at = (at + 1) & mask;
    return idOf[at];
  };
  uint32_t ids = 0;
  index.idOfTitleRow.assign(titlesTable_.size(), kNoId);
  for (size_t r = 0; r < titlesTable_.size(); ++r) {
    if (!IsTrackRow(titlesTable_[r])) continue;
    auto& slot = slotOf(CodeOfRow(titlesTable_[r]));
    if (slot.second == kNoId) slot = {CodeOfRow(titlesTable_[r]), ids++};
    index.idOfTitleRow[r] = slot.second;
  }
  std::vector<uint32_t> rowId(tracksTable_.size(), UINT32_MAX);
  std::vector<uint32_t> count(ids + 1, 0);
  for (size_t r = 0; r < tracksTable_.size(); ++r) {
    const uint32_t id = slotOf(CodeOfRow(tracksTable_[r])).second;
    if (id == kNoId) continue;  // a descriptor of no listed track is never asked for
    rowId[r] = id;
    ++count[id];
  }
  index.firstOf.assign(ids + 1, 0);
  for (size_t id = 0; id < ids; ++id) index.firstOf[id + 1] = index.firstOf[id] + count[id];
  // Rows grouped by id (table order within each id), then the tag lines made in
  // that order, so they also lie in memory in the order a load reads them. A tag
  // line and its style words are the same at every load: they are worked out here.
  std::vector<uint32_t> rowsById(index.firstOf[ids]);
  std::vector<uint32_t> filled(ids, 0);
  for (uint32_t r = 0; r < tracksTable_.size(); ++r)
    if (rowId[r] != UINT32_MAX) rowsById[index.firstOf[rowId[r]] + filled[rowId[r]]++] = r;
  index.text.reserve(rowsById.size());
  index.styles.reserve(rowsById.size());
  index.bpm.reserve(rowsById.size());
  std::string tagLine;
  for (uint32_t r : rowsById) {
    std::string_view row = tracksTable_[r];
    index.text.push_back(TrimView(row.substr(ByteOffsetOfChar(row, 13))));
    AssignTagLine(index.text.back(), tagLine);
    index.styles.push_back(StyleWordBits(tagLine));
    index.bpm.push_back(IntOr(BetweenMarkers(Trim(tagLine), "[", "]"), 0));
  }
  index.firstOf.resize(ids);
  index.count = std::move(count);
  index.count.resize(ids);
}

int64_t Catalogue::TakeDescriptor(uint32_t id, LoadPools& pools) const {
  uint32_t& taken = pools.descriptorsTaken[id];
  if (taken >= descriptors_.count[id]) return -1;
  return descriptors_.firstOf[id] + taken++;
}

Catalogue::Catalogue() = default;

std::string NormaliseIsrc(std::string_view isrc) {
  if (isrc.empty()) return "not-defined";
  // The characters other than "-": the first 13 kept (a "-" is written where the next one goes, and
  // all from the 14th on in one spare place), all counted.
  char kept[14];
  size_t count = 0;
  unsigned char bytes = 0;  // every byte's bits: above ASCII when any is
  for (char c : isrc) {
    bytes |= static_cast<unsigned char>(c);
    kept[std::min<size_t>(count, 13)] = c;
    count += c != '-';
  }
  const bool ascii = bytes < 0x80;
  if (ascii) {  // the stored form: characters are bytes
    if (count == 13) {
      std::memmove(kept + 7, kept + 8, 5);
      count = 12;
    }
    return count == 12 ? std::string(kept, 12) : std::string(isrc);
  }
  std::string text;
  for (char c : isrc)
    if (c != '-') text.push_back(c);
  std::u32string chars = ToU32(text);
  if (chars.size() == 13) chars.erase(7, 1);
  if (chars.size() == 12) return FromU32(chars);
  return std::string(isrc);
}

void ExtractKeywords(std::string_view line, std::vector<std::string>& keywords) {
  std::string word;
  size_t wordChars = 0;
  auto finish = [&] {
    if (wordChars >= 2 && kStopText.find(LowerCase(word)) == std::string_view::npos) keywords.push_back(word);
    word.clear();
    wordChars = 0;
  };
  size_t pos = 0;
  while (pos < line.size()) {
    char32_t c = NextChar(line, pos);
    if (IsKeywordChar(c)) {
      AppendChar(word, c);
      ++wordChars;
    } else {
      finish();
    }
  }
  finish();
}

namespace {
void SplitTitleFieldViews(std::string_view value, std::vector<std::string_view>& fields) {
  fields.clear();
  value = TrimRightView(value);
  size_t start = 0;
  while (true) {
    size_t tab = value.find('\t', start);
    if (tab == std::string_view::npos) {
      fields.push_back(TrimView(value.substr(start)));
      break;
    }
    fields.push_back(TrimView(value.substr(start, tab - start)));
    start = tab + 1;
  }
}
}  // namespace

std::vector<std::string> SplitTitleFields(std::string_view value) {
  std::vector<std::string_view> views;
  SplitTitleFieldViews(value, views);
  return {views.begin(), views.end()};
}

std::string FieldErrorMessage(std::string_view code, std::string_view value) {
  std::string text(code);
  text += "\rОшибка обработки полей переданных из XLS";
  text += "\rЧастая ошибка: Формат ячеек при импорте из XLS должен быть текстовым.";
  text += "\rРедко: пустая ячейка либо отсутствие столбца";
  text += "\rСтрока c ошибкой (ресурс kmlb_xls.txt):";
  text += "\r";
  text += value;
  return text;
}

void Catalogue::Report(Dialogs& dialogs, const std::string& text) {
  errors_.push_back(text);
  dialogs.Message(text, MessageKind::Plain);
}

void Catalogue::ReadCatalogueTables(const ResourceStore& resources, Dialogs& dialogs) {
  translateCats_ = ReadCatalogueResource(resources, "TRANSLATECATS", "TEXT", dialogs);
  writersInfo_ = ReadCatalogueResource(resources, "WRITERSINFO", "TEXT", dialogs);
  auto similar = std::make_shared<std::string>();
  ReadCatalogueLines(resources, "SIMILARCD", "TEXT", dialogs, *similar, similarCds_);
  similarText_ = std::move(similar);
  auto tracks = std::make_shared<std::string>();
  ReadCatalogueLines(resources, "KMLB_TRACKS", "TEXT", dialogs, *tracks, tracksTable_);
  tracksText_ = std::move(tracks);
  auto titles = std::make_shared<std::string>();
  ReadCatalogueLines(resources, "KMLB_XLS", "TEXT", dialogs, *titles, titlesTable_);
  titlesText_ = std::move(titles);
  titlesTable_.push_back(kClosingRow);
  cds_.clear();
  lists_ = {};
  BuildDescriptorIndex();

  // Lookups by name ignore letter case and take the first row of a name.
  translationIndex_.clear();
  for (size_t i = 0; i < translateCats_.size(); ++i) {
    std::string_view row = translateCats_[i];
    if (row.find('=') == std::string_view::npos) continue;
    translationIndex_.emplace(UpperCase(RowName(row)), i);
  }
}

std::optional<std::string_view> Catalogue::Translation(std::string_view english) const {
  auto it = translationIndex_.find(UpperCase(english));
  if (it == translationIndex_.end()) return std::nullopt;
  return RowValue(translateCats_[it->second]);
}

bool Catalogue::IsNewCd(int year, int month, YearMonth today) {
  bool isNew = year == today.year && (today.month - month) < 2;
  if (isNew) anyNewCd_ = true;
  return isNew;
}

namespace {
// The local files under the program folder go into the pool, by code.
void ListLocalFiles(const LoadOptions& options, Progress& progress, LoadPools& pools) {
  if (options.programFolder.empty()) return;
  std::vector<std::string> paths;
  ListFiles(options.programFolder, "", "KMLB_", 2, progress, options.language, paths);
  pools.files.reserve(paths.size());
  for (auto& path : paths) {
    LoadPools::LocalFile& f = pools.files.emplace_back();
    std::string_view name(path);
    name.remove_prefix(name.rfind('/') + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot != 0) {
      f.wav = EqualsLowerCase(name.substr(dot), ".wav");
      f.mp3 = EqualsLowerCase(name.substr(dot), ".mp3");
    }
    // Only a name's first 12 characters are ever compared: a code is no longer.
    f.code = UpperCase(PerRowCode(name, 12));
    f.path = std::move(path);
  }
  // Chained from the last file back, so that each code's files come in pool order.
  pools.nextFileOfCode.assign(pools.files.size(), LoadPools::kNone);
  pools.firstFileOfCode.assign(std::bit_ceil(pools.files.size() * 2 + 2), {});
  for (size_t i = pools.files.size(); i-- > 0;) {
    const std::string_view code = pools.files[i].code;  // stays put: the pool is not resized again
    if (options.offline) pools.localCds.insert(PerRowCode(code, 8));
    LoadPools::CodeSlot& slot = pools.SlotOf(code);
    pools.nextFileOfCode[i] = slot.first;  // kNone for the code's last file
    slot.first = static_cast<uint32_t>(i);
  }
}
}  // namespace

void Catalogue::LoadCatalogue(const ResourceStore& resources, const LoadOptions& options, Dialogs& dialogs,
                              Progress& progress) {
  errors_ = resources.problems();
  LoadPools pools;
  StartLoad(options, progress, pools);
  ListLocalFiles(options, progress, pools);

  // The CDs and their tracks, row by row of the titles table.
  progress.ShowProgress(LangMessage(options.language, Msg::BuildingDatabase), ProgressMode::ChangeText);
  const size_t rowCount = titlesTable_.size();
  for (size_t i = 0; i < rowCount; ++i) {
    progress.SetPerMille(rowCount > 1 ? static_cast<int>(i * 1000 / (rowCount - 1)) : 1000);
    progress.pump();
    ReadTitleRow(i, resources, options, dialogs, pools);
  }
  MarkNewestCds(pools);
  EndLoad(options, progress, pools);
}

// Working pools, caption, progress window; empty lists, and the records of the
// last load made ready to be written over.
void Catalogue::StartLoad(const LoadOptions& options, Progress& progress, LoadPools& pools) {
  offline_ = options.offline;
  pools.descriptorsTaken.assign(descriptors_.firstOf.size(), 0);
  if (options.setCaption) options.setCaption(std::string(" ") + kApplicationTitle);
  progress.ShowProgress(LangMessage(options.language, Msg::ScanningCatalogue), ProgressMode::Show);

  allCategoryPaths_.Clear();
  tagList_.Clear();
  // A CD's track records stay where they are and are written over by the next
  // load's tracks at that position, so a reload reuses their strings' memory; what
  // a position does not fill again goes when its CD is finished or at the end.
  pools.cds = std::move(cds_);
  cds_.clear();
  lists_ = {};
  pools.cds.reserve(kCdCapacity);
  for (auto& cd : pools.cds) {
    std::vector<TrackRecord> tracks = std::move(cd.tracks);
    cd.Reset();
    cd.tracks = std::move(tracks);
  }
  styleCounts_.fill(0);
  anyNewCd_ = false;
  trackCount_ = 0;
}

// One row of the titles table: a CD header starts the next CD (finishing the one
// read), a track row adds a track to it. Rows without a local file are skipped
// when only those are listed.
void Catalogue::ReadTitleRow(size_t i, const ResourceStore& resources, const LoadOptions& options, Dialogs& dialogs,
                             LoadPools& pools) {
  std::string_view row = titlesTable_[i];
  const uint32_t id = descriptors_.idOfTitleRow[i];
  const bool trackRow = id != kNoId;
  // A track row's code is 12 characters: only a file's first 12 match it, and a CD
  // code of 8 or fewer only a file's first 8.
  const uint32_t firstFile = trackRow ? FirstFileOf(pools, PerRowCode(row, 12)) : LoadPools::kNone;
  bool accepted = true;
  if (options.offline)
    accepted = trackRow ? firstFile != LoadPools::kNone : pools.localCds.count(PerRowCode(row, 8)) > 0;

  if (!trackRow) {
    if (pools.tracksOfCd > 0) FinishCd(options, dialogs, pools);
    CdRecord& cd = pools.Current();
    if (!accepted) return;
    std::string number = MidChars(row, 5, 3);
    long long cdNumber = IntOr(number, 0);
    if (cdNumber < 0 || cdNumber > 999) cdNumber = 0;
    char name[16];
    std::snprintf(name, sizeof name, "KMLB_%03lld", cdNumber);
    ReadCatalogueLines(resources, name, "NFO", dialogs, pools.blockText, pools.block, "NFO");
    cd.cdCode = std::string(RowName(row));
    cd.cdText = std::string(RowValue(row));
    return;
  }
  if (!accepted) return;

  auto& tracks = pools.Current().tracks;
  if (pools.tracksOfCd == 0) tracks.reserve(TrackRowsFrom(titlesTable_, i));
  TrackRecord& track = pools.tracksOfCd < tracks.size() ? tracks[pools.tracksOfCd] : tracks.emplace_back();
  ++pools.tracksOfCd;
  // Every field is written anew (tagLine and styleText when the CD is finished).
  track.code.assign(CodeOfRow(row));
  std::string_view value = RowValue(row);
  auto& fields = pools.fields;
  SplitTitleFieldViews(value, fields);
  if (fields.size() != 5) Report(dialogs, FieldErrorMessage(track.code, value));
  fields.resize(std::max<size_t>(fields.size(), 5));
  track.title = fields[0];
  track.isrc = NormaliseIsrc(fields[1]);
  track.duration.clear();
  if (HasCharCount(fields[2], 4)) track.duration += '0';
  track.duration += fields[2];
  track.lengthSeconds = LengthSeconds(track.duration);
  track.composer = fields[3];
  track.performer = fields[4];
  TakeLocation(pools, track.code, firstFile, track.location);
  pools.idOfTrack.push_back(id);
}

// Without a CD new by date, the three highest positions count as new.
void Catalogue::MarkNewestCds(LoadPools& pools) {
  if (anyNewCd_) return;
  for (int p = pools.cdCount - 1; p >= 0 && p >= pools.cdCount - 3; --p) {
    CdRecord& cd = pools.cds[static_cast<size_t>(p)];
    if (cd.tracks.empty()) continue;
    cd.categories.Add(kNewCdsPath);
    allCategoryPaths_.Add(kNewCdsPath);
  }
}

// Done: the records loaded become the CD list, the progress window goes, the
// errors are logged.
void Catalogue::EndLoad(const LoadOptions& options, Progress& progress, LoadPools& pools) {
  pools.cds.resize(static_cast<size_t>(pools.cdCount));  // records this load did not fill go
  cds_ = std::move(pools.cds);
  trackIndex_.built = false;
  lists_ = {};
  progress.ShowProgress("", ProgressMode::Hide);
  if (!errors_.empty() && !options.programFolder.empty()) {
    std::string log;
    for (const auto& e : errors_) log += Utf8ToCp1251(e) + "\r\n";
    WriteOptions logOptions;
    logOptions.durable = false;                                                       // written again at every load
    (void)WriteFileReplacing(options.programFolder / "errors.log", log, logOptions);  // a failure is not reported
  }
}

void Catalogue::FinishCd(const LoadOptions& options, Dialogs& dialogs, LoadPools& pools) {
  CdRecord& cd = pools.Current();
  const std::vector<std::string_view>& block = pools.block;
  // The code ids of its tracks; a CD left out takes no descriptor.
  const std::vector<uint32_t> ids = std::move(pools.idOfTrack);
  pools.idOfTrack.clear();
  cd.tracks.resize(pools.tracksOfCd);  // records of an earlier load beyond them go
  pools.tracksOfCd = 0;

  // The information block must be sound, or the CD is left out.
  const bool valid = block.size() >= 9 && block.size() <= 49 && block[0].starts_with(kLibraryPrefix);
  if (!valid) {
    std::string text = std::to_string(block.size()) + "\r";
    for (std::string_view line : block) (text += line) += "\r\n";
    Report(dialogs, text);
    Report(dialogs, "Error loading resources: KMLB_NFO, CD code: " + cd.cdCode);
    cd.Reset();
    return;
  }

  // Descriptors, moods and styles of the tracks.
  for (size_t t = 0; t < cd.tracks.size(); ++t) {
    TrackRecord& track = cd.tracks[t];
    const int64_t row = TakeDescriptor(ids[t], pools);
    AssignTagLine(row < 0 ? std::string_view() : descriptors_.text[row], track.tagLine);
    track.bpm = row < 0 ? 0 : descriptors_.bpm[row];
    const uint32_t styles = row < 0 ? 0 : descriptors_.styles[row];
    track.styleBits = styles;
    track.styleText.clear();
    for (uint32_t bits = styles; bits != 0; bits &= bits - 1) {
      const int s = std::countr_zero(bits);
      ++styleCounts_[s];
      track.styleText += ' ';
      track.styleText += kStyleWords[s];
    }
    if (track.styleText.empty()) track.styleText = "SFX/ID";
    ++trackCount_;
  }

  // Categories, production date and description from the block.
  for (size_t n = 0; n < block.size(); ++n) {
    const std::string_view line = block[n];
    if (n >= 7 && line.find(kPathSeparator) != std::string_view::npos) {
      std::string path = UpperCase(line);
      auto [words, added] = pools.wordsOfLine.try_emplace(path);
      if (added) ExtractKeywords(path, words->second);
      cd.keywords.insert(cd.keywords.end(), words->second.begin(), words->second.end());
      cd.categories.Add(path);
    } else if (HasCharCount(line, 6) && MidView(line, 2, 1) == "2") {
      cd.year = DateNumber(MidView(line, 2, 4));
      cd.month = DateNumber(MidView(line, 0, 2));
      break;
    } else if (n < 4) {
      cd.description += line;
      cd.description += "\r\n";
    }
  }

  // Keywords stay only with a translation; the tag list gets them in the load's language.
  std::vector<std::string> kept;
  for (auto& word : cd.keywords) {
    auto [cached, added] = pools.translationOfWord.try_emplace(word);
    if (added) cached->second = Translation(word);
    const auto& translation = cached->second;
    if (!translation) continue;
    cd.keywordTranslations.emplace_back(*translation);
    const std::string_view tag = options.language == Language::Russian ? *translation : std::string_view(word);
    if (pools.tagsListed.emplace(tag).second) tagList_.Add(tag);
    kept.push_back(std::move(word));
  }
  cd.keywords = std::move(kept);

  // Derived categories.
  cd.categories.Add(kAllCdsPath);
  cd.categories.Add(std::string(kByYearPrefix) + std::to_string(cd.year));
  if (IsNewCd(cd.year, cd.month, options.today)) cd.categories.Add(kNewCdsPath);
  for (const auto& path : cd.categories)
    if (pools.pathsListed.insert(path).second) allCategoryPaths_.Add(path);
  ++pools.cdCount;
}

int Catalogue::FindCd(std::string_view cdCode) const {
  for (int p = 0; p < CdCount(); ++p)
    if (cds_[static_cast<size_t>(p)].cdCode == cdCode) return p;
  return -1;
}

std::vector<std::string> Catalogue::ListSubcategories(std::string_view parent) const {
  std::vector<std::string> names;
  TextSet seen;
  std::string prefix = parent.empty() ? std::string() : std::string(parent) + std::string(kPathSeparator);
  for (const auto& path : allCategoryPaths_) {
    std::string_view rest = path;
    if (!prefix.empty()) {
      if (rest.size() <= prefix.size() || CompareText(rest.substr(0, prefix.size()), prefix) != 0) continue;
      rest.remove_prefix(prefix.size());
    }
    std::string_view name = rest.substr(0, rest.find(kPathSeparator));
    if (seen.Add(name)) names.emplace_back(name);
  }
  return names;
}

void Catalogue::OrderByTranslation(std::vector<std::string>& names, Language lang) const {
  if (lang != Language::Russian) return;
  std::vector<std::pair<std::string, std::string>> pairs;
  pairs.reserve(names.size());
  for (auto& name : names) {
    auto t = Translation(name);
    pairs.emplace_back(t ? std::string(*t) : std::string(), std::move(name));
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const auto& a, const auto& b) { return CompareText(a.first, b.first) < 0; });
  for (size_t i = 0; i < names.size(); ++i) names[i] = std::move(pairs[i].second);
}

}  // namespace trakvella
