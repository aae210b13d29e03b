#include "core/catalogue/AuthorExpander.h"

#include <cstring>

namespace trakvella {

AuthorExpander::AuthorExpander(const std::vector<std::string>& writersInfo) {
  for (const std::string& row : writersInfo) {
    const size_t eq = row.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    rows_.push_back({std::string_view(row).substr(0, eq), std::string_view(row).substr(eq + 1)});
  }
}

void AuthorExpander::GramsOf(std::string_view text, GramBits& bits) {
  bits = {};
  for (size_t i = 1; i < text.size(); ++i) {
    const unsigned pair = PairHash(text.data() + i - 1);
    bits.pairs[pair >> 6] |= uint64_t{1} << (pair & 63);
    if (i < 2) continue;
    const unsigned triple = TripleHash(text.data() + i - 2);
    bits.triples[triple >> 6] |= uint64_t{1} << (triple & 63);
  }
}

bool AuthorExpander::MayHold(const GramBits& bits, std::string_view name) {
  if (name.size() >= 3) {
    const unsigned triple = TripleHash(name.data());
    return (bits.triples[triple >> 6] >> (triple & 63)) & 1;
  }
  if (name.size() == 2) {
    const unsigned pair = PairHash(name.data());
    return (bits.pairs[pair >> 6] >> (pair & 63)) & 1;
  }
  return true;
}

namespace {
// std::string::find, by memmem: a Cyrillic name's first byte stands before every other letter.
size_t Find(std::string_view text, std::string_view name, size_t from) {
  const void* at = memmem(text.data() + from, text.size() - from, name.data(), name.size());
  return at ? static_cast<size_t>(static_cast<const char*>(at) - text.data()) : std::string::npos;
}
}  // namespace

std::string AuthorExpander::Expand(std::string_view text) const {
  std::string result(text);
  GramBits grams;
  GramsOf(result, grams);
  for (const Row& row : rows_) {
    if (!MayHold(grams, row.name)) continue;
    size_t at = Find(result, row.name, 0);
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
      at = Find(result, row.name, from);
    }
    replaced.append(result, from, std::string::npos);
    result.swap(replaced);
    GramsOf(result, grams);
  }
  return result;
}

}  // namespace trakvella
