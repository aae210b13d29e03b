// Case folding without a new string: the extension filter and the address schemes use it.
#include "core/text/Text.h"

#include <gtest/gtest.h>

#include "core/text/PercentEncoding.h"

namespace trakvella {
namespace {

// The one %XX writer serves the login ("@" kept), the trash's paths ("/" kept) and FTP path parts (nothing kept).
TEST(PercentEncoding, KeepsUnreservedBytesAndOnlyTheOnesAskedFor) {
  EXPECT_EQ(PercentEncode("a-b.c_d~e"), "a-b.c_d~e");
  EXPECT_EQ(PercentEncode("u@x y/z"), "u%40x%20y%2Fz");
  EXPECT_EQ(PercentEncode("u@x y/z", "@"), "u@x%20y%2Fz");
  EXPECT_EQ(PercentEncode("/home/Ёлки 1.mp3", "/"), "/home/%D0%81%D0%BB%D0%BA%D0%B8%201.mp3");
}

TEST(Text, LowerCaseComparisonsFoldLatinAndCyrillicCharacterByCharacter) {
  EXPECT_TRUE(EqualsLowerCase(".WAV", ".wav"));
  EXPECT_TRUE(EqualsLowerCase("ТРЕК Ёлки", "трек ёлки"));
  EXPECT_FALSE(EqualsLowerCase(".wav", ".WAV"));  // the second text is taken as lower case already
  EXPECT_FALSE(EqualsLowerCase(".wave", ".wav"));
  EXPECT_FALSE(EqualsLowerCase(".wa", ".wav"));
  EXPECT_TRUE(EqualsLowerCase("", ""));

  EXPECT_TRUE(StartsWithLowerCase("HTTP://127.0.0.1/x", "http://"));
  EXPECT_TRUE(StartsWithLowerCase("Ftp://host", "ftp://"));
  EXPECT_FALSE(StartsWithLowerCase("htt", "http://"));
  EXPECT_FALSE(StartsWithLowerCase("/home/http://", "http://"));
  // A broken byte is one character of its own and matches nothing ASCII.
  EXPECT_FALSE(StartsWithLowerCase("\xC3http://", "http://"));
}

}  // namespace
}  // namespace trakvella
