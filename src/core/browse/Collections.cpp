#include "core/browse/Collections.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

#include "core/catalogue/TrackCodes.h"
#include "core/catalogue/Vocabulary.h"
#include "core/lang/MessageTable.h"
#include "core/likeness/Camelot.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"

namespace trakvella {

namespace {

// The tempo of a tag line as the related lists count it (0 when it has none).
int CountedTempo(const std::string& tagLine) {
  const std::string line = Trim(tagLine);
  return CorrectedTempo(static_cast<int>(IntOr(BetweenMarkers(line, "[", "]"), 0)), line);
}

std::string KeyText(const std::string& tagLine) { return BetweenMarkers(Trim(tagLine), "<", ">"); }

// Lists the rows and their CDs as a result, then plays the first row.
void ShowScanResult(Browser& browser, const Catalogue& catalogue, std::vector<TrackRef> rows, Progress& progress) {
  TextSet cdCodes;
  for (const auto& [cd, track] : rows) cdCodes.Add(catalogue.Cd(cd).cdCode);
  browser.SetScannedRows(std::move(rows));
  browser.ListCdsOfTracks(std::string(kAllCdsPath), cdCodes, false);
  progress.ShowProgress("", ProgressMode::Hide);
  if (browser.hooks.stopPlayback) browser.hooks.stopPlayback();
  if (browser.rowCount() > 0) {
    browser.SelectRow(0);
    if (browser.hooks.playCurrent) browser.hooks.playCurrent(false);
  }
}

// The common frame of the scanning collections: the catalogue (or only `within`)
// in catalogue order, a row per matching track.
void ScanCollection(Browser& browser, const Catalogue& catalogue, Progress& progress, Language language,
                    bool leaveFirst, const std::function<bool(const TrackRecord&)>& matches,
                    const std::vector<TrackRef>* within = nullptr) {
  progress.ShowProgress(LangMessage(language, Msg::InProgress), ProgressMode::Show);
  progress.pump();
  if (leaveFirst) browser.LeaveResultMode();
  browser.EnterResultMode();
  std::vector<TrackRef> rows;
  if (within) {
    for (const auto& [cd, track] : *within) {
      progress.pump();
      if (matches(catalogue.Track(cd, track))) rows.push_back({cd, track});
    }
  } else {
    for (int cd = 0; cd < catalogue.CdCount(); ++cd) {
      progress.pump();
      const auto& tracks = catalogue.Cd(cd).tracks;
      for (int t = 0; t < static_cast<int>(tracks.size()); ++t) {
        progress.pump();
        if (matches(tracks[t])) rows.push_back({cd, t});
      }
    }
  }
  ShowScanResult(browser, catalogue, std::move(rows), progress);
}

// The caption without an earlier suffix: from its first "-" on, with the blank before it.
std::string BaseCaption(const std::string& caption) {
  size_t dash = caption.find('-');
  if (dash == std::string::npos) return caption;
  if (dash > 0 && caption[dash - 1] == ' ') --dash;
  return caption.substr(0, dash);
}

}  // namespace

bool ListRelatedTracks(Browser& browser, const Catalogue& catalogue, Relation relation, Progress& progress,
                       Language language) {
  const TrackRecord* selected = browser.SelectedTrack();
  if (!selected) return false;
  const bool byTempo = relation == Relation::Tempo || relation == Relation::TempoAndKey;
  const int tempo = CountedTempo(selected->tagLine);
  const std::string key = KeyText(selected->tagLine);
  const std::optional<CamelotPlace> place = PlaceOf(key);
  if ((byTempo && tempo == 0) || (relation != Relation::Tempo && key.empty()) ||
      (relation == Relation::Harmonic && !place))
    return false;
  const std::string selectedCode = selected->code;
  const int window = relation == Relation::TempoAndKey ? 5 : 10;
  ScanCollection(browser, catalogue, progress, language, true, [&](const TrackRecord& t) {
    if (t.code == selectedCode) return true;  // the selected track is always among them
    if (relation == Relation::Harmonic) {
      const std::optional<CamelotPlace> own = PlaceOf(KeyText(t.tagLine));
      return own && MixesWith(*place, *own);
    }
    if (relation != Relation::Tempo && KeyText(t.tagLine) != key) return false;
    if (relation == Relation::Key) return true;
    const int own = CountedTempo(t.tagLine);
    return own != 0 && std::abs(own - tempo) <= window;
  });
  return true;
}

bool SearchTitles(Browser& browser, const Catalogue& catalogue, const std::string& word, Progress& progress,
                  Language language) {
  const std::string needle = LowerCase(Trim(word));
  if (needle.empty()) return false;
  // A non-empty track list narrows the search to its tracks, which are then
  // scanned as the whole catalogue is: in catalogue order, each once, whatever
  // order the list showed them in.
  std::vector<TrackRef> within = browser.rows();
  std::sort(within.begin(), within.end());
  within.erase(std::unique(within.begin(), within.end()), within.end());
  std::string folded;  // one buffer for the whole scan
  auto contains = [&](const std::string& text) {
    LowerCaseInto(TrimView(text), folded);
    return folded.find(needle) != std::string::npos;
  };
  ScanCollection(
      browser, catalogue, progress, language, true,
      [&](const TrackRecord& t) { return contains(t.title) || contains(t.code) || contains(t.composer); },
      within.empty() ? nullptr : &within);
  return true;
}

void ShowLocalTracks(Browser& browser, const Catalogue& catalogue, Progress& progress, Language language) {
  ScanCollection(browser, catalogue, progress, language, false, [](const TrackRecord& t) {
    return !IsDemoName(t.location) && LowerCase(t.location).find(".wav") != std::string::npos;
  });
}

void LuckyPick(Browser& browser, const Catalogue& catalogue, Random& random, Progress& progress, Language language) {
  progress.ShowProgress(LangMessage(language, Msg::InProgress), ProgressMode::Show);
  browser.LeaveResultMode();
  browser.EnterResultMode();
  random.Randomize();
  const int r = random.Next(30);
  int wanted = r + 10;
  int attempts = 3 * r + 30;
  std::vector<TrackRef> rows;
  std::vector<bool> cdTaken(catalogue.Cds().size(), false);
  while (wanted > 0 && attempts > 0 && catalogue.CdCount() > 0) {
    random.Randomize();
    const int cd = random.Next(catalogue.CdCount());
    const auto& tracks = catalogue.Cd(cd).tracks;
    if (!tracks.empty()) {
      const int t = random.Next(static_cast<int>(tracks.size()));
      const std::string line = Trim(tracks[t].tagLine);
      if (!line.empty() && line[0] != '0') {
        if (!cdTaken[cd]) {
          cdTaken[cd] = true;
          rows.push_back({cd, t});
        }
        --wanted;
      }
    }
    --attempts;
    progress.pump();
  }
  ShowScanResult(browser, catalogue, std::move(rows), progress);
}

void ShowTop100(Browser& browser) {
  const std::vector<std::string>& top = browser.topList();
  std::vector<std::string> codes(top.begin(), top.begin() + std::min<size_t>(top.size(), 100));
  browser.ListTracks(codes, Msg::InProgress, true, std::string(kAllCdsPath));
  if (browser.hooks.stopPlayback) browser.hooks.stopPlayback();
  if (browser.rowCount() > 0) {
    browser.SelectRow(0);
    if (browser.hooks.playCurrent) browser.hooks.playCurrent(false);
  }
}

bool ListSimilarTracks(Browser& browser, const Catalogue& catalogue, LikenessIndex& index, Progress& progress,
                       Language language) {
  if (!browser.SelectedTrack()) return false;
  const auto [cd, track] = browser.rows()[static_cast<size_t>(browser.selectedRow())];
  progress.ShowProgress(LangMessage(language, Msg::InProgress), ProgressMode::Show);
  progress.pump();
  browser.LeaveResultMode();
  browser.EnterResultMode();
  std::vector<TrackRef> rows;
  for (const LikeTrack& like : index.MostAlike(catalogue, cd, track)) rows.push_back({like.cd, like.track});
  ShowScanResult(browser, catalogue, std::move(rows), progress);
  return true;
}

std::vector<std::string> SimilarCdCodes(const Catalogue& catalogue, const std::string& cdCode) {
  const std::string name = LowerCase(cdCode);
  for (const auto& row : catalogue.SimilarCds()) {
    if (row.find('=') == std::string::npos || !SameText(RowName(row), name)) continue;
    std::vector<std::string> codes;
    const std::string_view vector = RowValue(row);
    for (size_t i = 0; i < vector.size() && i < 999; ++i) {
      if (vector[i] == '-') continue;
      char code[16];
      std::snprintf(code, sizeof code, "KMLB_%03zu", i + 1);
      codes.push_back(code);
    }
    return codes;
  }
  return {};
}

bool ShowSimilarCds(Browser& browser, const Catalogue& catalogue) {
  browser.LeaveResultMode();
  const int row = browser.selectedBoxRow();
  const auto& rows = browser.boxRows();
  if (row < 0 || row >= static_cast<int>(rows.size()) || !rows[row].isCd) return false;
  const std::vector<std::string> codes = SimilarCdCodes(catalogue, catalogue.Cd(rows[row].cdPosition).cdCode);
  if (codes.empty()) return false;
  TextSet set;
  for (const auto& c : codes) set.Add(c);
  browser.ListCdsOfTracks(std::string(kAllCdsPath), set, true);
  return true;
}

void ShowAllCds(Browser& browser) { browser.GoToPlace(std::string(kAllCdsPath)); }

std::string TempoItemCaption(const std::string& caption, const TrackRecord* track) {
  std::string text = BaseCaption(caption);
  if (!track) return text;
  const std::string tempo = BetweenMarkers(Trim(track->tagLine), "[", "]");
  if (!tempo.empty()) text += " - " + tempo + " bpm";
  return text;
}

std::string KeyItemCaption(const std::string& caption, const TrackRecord* track) {
  std::string text = BaseCaption(caption);
  if (!track) return text;
  const std::string key = KeyText(track->tagLine);
  if (!key.empty()) text += " - " + KeyName(key);
  return text;
}

std::string HarmonicItemCaption(const std::string& caption, const TrackRecord* track) {
  std::string text = BaseCaption(caption);
  const std::optional<CamelotPlace> place = track ? PlaceOf(KeyText(track->tagLine)) : std::nullopt;
  if (!place) return text;
  const std::vector<CamelotPlace> places = HarmonicPlaces(*place);
  text += " - " + KeyName(CodeOf(places[0])) + " (";
  for (size_t i = 1; i < places.size(); ++i) text += (i > 1 ? ", " : "") + KeyName(CodeOf(places[i]));
  return text + ")";
}

}  // namespace trakvella
