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

// Texts that begin alike are passed over eight bytes at a time; the order must still be decided by
// whole characters where the shared bytes end inside one (Ж is D0 96, Я is D0 AF, ж is D0 B6).
TEST(Text, ComparisonDecidesByWholeCharactersAfterALongSharedBeginning) {
  EXPECT_LT(CompareText("ABCDEFGЖ", "ABCDEFGЯ"), 0);
  EXPECT_GT(CompareText("ABCDEFGЯ", "ABCDEFGж"), 0);
  EXPECT_EQ(CompareText("ABCDEFGЖ tail", "abcdefgж TAIL"), 0);
  EXPECT_LT(CompareText("DANCE MUSIC >> ЛЁГКАЯ", "DANCE MUSIC >> ЛЁГКАЯ >> X"), 0);
  EXPECT_GT(CompareText("DANCE MUSIC >> Z", "DANCE MUSIC >> a"), 0);
  // A text cut inside a character is not taken as equal to one that goes on.
  EXPECT_NE(CompareText("ABCDEFG\xD0", "ABCDEFGЖ"), 0);

  // Offsets and counts walk eight ASCII bytes at a time and then character by character.
  const std::string mixed = "KMLB_001_002=Тихая прогулка";
  EXPECT_EQ(ByteOffsetOfChar(mixed, 13), 13u);
  EXPECT_EQ(ByteOffsetOfChar(mixed, 15), 17u);
  EXPECT_EQ(ByteOffsetOfChar(mixed, 100), mixed.size());
  EXPECT_EQ(CharCount(mixed), 27u);
  EXPECT_EQ(CharCount("ABCDEFGHЖ"), 9u);
}

}  // namespace
}  // namespace trakvella
