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
  // Which byte pairs and triples a text holds, as bits of their hashes: a short form of two bytes
  // stands in a text only if its pair does, a longer one only if its first triple does.
  struct GramBits {
    std::array<uint64_t, 4> pairs{};     // 256 bits
    std::array<uint64_t, 16> triples{};  // 1024 bits
  };
  static unsigned PairHash(const char* at) {
    return (static_cast<unsigned char>(at[0]) * 31u + static_cast<unsigned char>(at[1])) & 255u;
  }
  static unsigned TripleHash(const char* at) {
    return (static_cast<unsigned char>(at[0]) * 961u + static_cast<unsigned char>(at[1]) * 31u +
            static_cast<unsigned char>(at[2])) &
           1023u;
  }
  static void GramsOf(std::string_view text, GramBits& bits);
  static bool MayHold(const GramBits& bits, std::string_view name);

  struct Row {
    std::string_view name, full;
  };
  std::vector<Row> rows_;
};

}  // namespace trakvella
