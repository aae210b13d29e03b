#pragma once
// AuthorExpander: the author table ("short=full" rows) made ready once for many
// texts. Expand gives what ExpandAuthorNames gives; a row whose short form
// cannot stand in the text is passed over without a search.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

class AuthorExpander {
 public:
  // The rows are views of the table, which must outlive the expander.
  explicit AuthorExpander(const std::vector<std::string>& writersInfo);
  std::string Expand(std::string_view text) const;

 private:
  // Which byte pairs a text holds, as 256 bits of their hashes.
  using PairBits = std::array<uint64_t, 4>;
  static unsigned PairHash(unsigned char first, unsigned char second) { return (first * 31u + second) & 255u; }
  static PairBits PairsOf(std::string_view text);

  struct Row {
    std::string_view name, full;
    unsigned pair = 0;  // the hash of the short form's first two bytes
  };
  std::vector<Row> rows_;
};

}  // namespace trakvella
