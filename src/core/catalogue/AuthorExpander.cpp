#include "core/catalogue/AuthorExpander.h"

namespace trakvella {

AuthorExpander::AuthorExpander(const std::vector<std::string>& writersInfo) {
  for (const std::string& row : writersInfo) {
    const size_t eq = row.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    Row r{std::string_view(row).substr(0, eq), std::string_view(row).substr(eq + 1)};
    if (r.name.size() >= 2)
      r.pair = PairHash(static_cast<unsigned char>(r.name[0]), static_cast<unsigned char>(r.name[1]));
    rows_.push_back(r);
  }
}

AuthorExpander::PairBits AuthorExpander::PairsOf(std::string_view text) {
  PairBits bits{};
  for (size_t i = 1; i < text.size(); ++i) {
    const unsigned h = PairHash(static_cast<unsigned char>(text[i - 1]), static_cast<unsigned char>(text[i]));
    bits[h >> 6] |= uint64_t{1} << (h & 63);
  }
  return bits;
}

std::string AuthorExpander::Expand(std::string_view text) const {
  std::string result(text);
  PairBits pairs = PairsOf(result);
  for (const Row& row : rows_) {
    // A short form of two bytes or more stands in the text only if its first pair does.
    if (row.name.size() >= 2 && !((pairs[row.pair >> 6] >> (row.pair & 63)) & 1)) continue;
    size_t at = result.find(row.name);
    if (at == std::string::npos) continue;
    // Rebuilt rather than replaced in place: the search goes on after each
    // replacement, so a full form holding its short form cannot recurse.
    std::string replaced;
    replaced.reserve(result.size() + row.full.size());
    size_t from = 0;
    while (at != std::string::npos) {
      replaced.append(result, from, at - from);
      replaced.append(row.full);
      from = at + row.name.size();
      at = result.find(row.name, from);
    }
    replaced.append(result, from, std::string::npos);
    result.swap(replaced);
    pairs = PairsOf(result);
  }
  return result;
}

}  // namespace trakvella
