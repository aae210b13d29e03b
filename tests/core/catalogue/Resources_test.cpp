// Catalogue resources are decoded from code page 1251 eight bytes at a time: every byte, at every
// place in a word, must come out as the byte-by-byte conversion gives it.
#include "core/catalogue/Resources.h"

#include <gtest/gtest.h>

#include "core/text/Text.h"
#include "support/Fakes.h"

namespace trakvella {
namespace {

class OneResource : public ResourceStore {
 public:
  explicit OneResource(std::string bytes) : bytes_(std::move(bytes)) {}
  std::optional<std::string_view> Find(std::string_view, std::string_view) const override { return bytes_; }

 private:
  std::string bytes_;
};

TEST(CatalogueResources, EveryByteAtEveryPlaceDecodesAsTheCodePageSays) {
  // All bytes but the line ends and NUL, after 0 to 8 ASCII bytes, so each falls at each place of a
  // word; runs of letters (two bytes each) and of 0x80-0xBF signs (two or three) between ASCII.
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  for (size_t shift = 0; shift <= 8; ++shift) {
    const std::string line = std::string(shift, 'x') + all + "ЖЖ" + "\xC6\xC6\xC6\xC6\xC6\xC6\xC6\xC6" + "abcdefgh" +
                             "\x85\x96\x97\x99\xB9\x88\x98\x80" + "z";
    OneResource store(line + "\r\n" + line.substr(0, shift + 3) + "\n\xAE end\r\n");
    testing::FakeDialogs dialogs;
    std::string text;
    std::vector<std::string_view> lines;
    ASSERT_TRUE(ReadCatalogueLines(store, "R", "TEXT", dialogs, text, lines));
    ASSERT_EQ(lines.size(), 2u) << shift;
    EXPECT_EQ(lines[0], Cp1251ToUtf8(line)) << shift;
    EXPECT_EQ(lines[1], Cp1251ToUtf8(line.substr(0, shift + 3))) << shift;
    EXPECT_TRUE(dialogs.shown.empty());
  }
}

}  // namespace
}  // namespace trakvella
