#include "core/browse/RowFilter.h"

#include "core/text/Text.h"

namespace trakvella {

std::vector<std::string> RowFilter::Words(std::string_view text) {
  std::vector<std::string> words;
  const std::string folded = LowerCase(text);
  size_t at = 0;
  while (at < folded.size()) {
    const size_t begin = folded.find_first_not_of(" \t\r\n", at);
    if (begin == std::string::npos) break;
    const size_t end = std::min(folded.find_first_of(" \t\r\n", begin), folded.size());
    words.push_back(folded.substr(begin, end - begin));
    at = end;
  }
  return words;
}

void RowFilter::Forget() {
  text_.clear();
  start_.clear();
  firstOfCd_.clear();
}

void RowFilter::Build(const Catalogue& catalogue) {
  Forget();
  std::string folded;
  for (const CdRecord& cd : catalogue.Cds()) {
    firstOfCd_.push_back(static_cast<uint32_t>(start_.size()));
    for (const TrackRecord& t : cd.tracks) {
      start_.push_back(static_cast<uint32_t>(text_.size()));
      // A newline between the fields: no typed word spans two of them.
      for (const std::string* field : {&t.title, &t.code, &t.composer, &t.performer, &t.styleText}) {
        LowerCaseInto(*field, folded);
        text_ += folded;
        text_ += '\n';
      }
    }
  }
  start_.push_back(static_cast<uint32_t>(text_.size()));
}

void RowFilter::Prepare(const Catalogue& catalogue) {
  // The catalogue's CDs are made anew at a load: a count that differs means a text made before it.
  size_t tracks = 0;
  for (const CdRecord& cd : catalogue.Cds()) tracks += cd.tracks.size();
  if (firstOfCd_.size() != catalogue.Cds().size() || start_.size() != tracks + 1) Build(catalogue);
}

std::string_view RowFilter::Text(int cd, int track) const {
  const size_t i = firstOfCd_[static_cast<size_t>(cd)] + static_cast<size_t>(track);
  if (i + 1 >= start_.size()) return {};
  return std::string_view(text_).substr(start_[i], start_[i + 1] - start_[i]);
}

std::vector<size_t> RowFilter::Matching(const Catalogue& catalogue, const std::vector<TrackRef>& rows,
                                        const std::vector<std::string>& words) {
  Prepare(catalogue);
  std::vector<size_t> kept;
  for (size_t r = 0; r < rows.size(); ++r) {
    const auto [cd, track] = rows[r];
    if (cd < 0 || static_cast<size_t>(cd) >= firstOfCd_.size()) continue;
    const std::string_view text = Text(cd, track);
    bool all = true;
    for (const std::string& word : words)
      if (text.find(word) == std::string_view::npos) {
        all = false;
        break;
      }
    if (all) kept.push_back(r);
  }
  return kept;
}

}  // namespace trakvella
