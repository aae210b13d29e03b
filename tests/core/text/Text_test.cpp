// Case folding without a new string: the extension filter and the address schemes use it.
#include "core/text/Text.h"

#include <gtest/gtest.h>

namespace trakvella {
namespace {

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
