#pragma once
// RowFilter: "filter as you type" over the track list — the words typed, case folded (Cyrillic too),
// each to be found in a track's title, code, composer, performer or style words. The folded text of
// every catalogue track is made once, at the first use after Forget() (the browser forgets it when
// the library is loaded again), so a keystroke only scans.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TrackRef.h"

namespace trakvella {

class RowFilter {
 public:
  // The words of a typed text, case folded; blanks separate them. None for a blank text.
  static std::vector<std::string> Words(std::string_view text);

  // The positions in `rows` whose tracks hold every word, in their order.
  std::vector<size_t> Matching(const Catalogue& catalogue, const std::vector<TrackRef>& rows,
                               const std::vector<std::string>& words);
  void Forget();
  // Folds the catalogue's text now unless it is folded already (the window asks as the field takes
  // the focus, so the first keystroke only scans).
  void Prepare(const Catalogue& catalogue);

 private:
  void Build(const Catalogue& catalogue);
  std::string_view Text(int cd, int track) const;

  std::string text_;                 // every track's fields, folded, one after another
  std::vector<uint32_t> start_;      // per track in catalogue order where its text begins; one more at the end
  std::vector<uint32_t> firstOfCd_;  // per CD the index of its first track
};

}  // namespace trakvella
