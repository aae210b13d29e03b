#include "core/text/TextFields.h"

#include <gtest/gtest.h>

namespace trakvella {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitTrim, CutsAndTrimsEveryPiece) {
  EXPECT_EQ(SplitTrim(",", "Иванов И., Petrov P. ,  Sidorov"), (Pieces{"Иванов И.", "Petrov P.", "Sidorov"}));
  EXPECT_EQ(SplitTrim(" >> ", "DANCE MUSIC >> LINKS, LOGOS & STINGS"),
            (Pieces{"DANCE MUSIC", "LINKS, LOGOS & STINGS"}));
  // Text without the separator is the one piece, as it stands.
  EXPECT_EQ(SplitTrim(",", "  alone "), (Pieces{"  alone "}));
  EXPECT_EQ(SplitTrim(",", ""), (Pieces{""}));
  EXPECT_EQ(SplitTrim("", "a,b"), (Pieces{"a,b"}));
  // A blank middle piece between visible separators stays.
  EXPECT_EQ(SplitTrim(",", "a, ,b"), (Pieces{"a", "", "b"}));
}

TEST(SplitTrim, TabRowLosesEmptyTrailingAndMiddleFields) {
  // A titles row whose fifth field is empty has four pieces.
  EXPECT_EQ(SplitTrim("\t", "Applause\tRU-A47-08-003-001\t00:45\tIvanov\t"),
            (Pieces{"Applause", "RU-A47-08-003-001", "00:45", "Ivanov"}));
  // Trimming eats the TAB that follows a TAB, so an empty middle field goes too.
  EXPECT_EQ(SplitTrim("\t", "a\t\tc\td\te"), (Pieces{"a", "c", "d", "e"}));
  EXPECT_EQ(SplitTrim(",", "a,b,"), (Pieces{"a", "b"}));
}

TEST(NthField, PicksTrimmedFieldsAndSwallowsEmptyOnes) {
  const std::string line = "KMLB_003_001=ctx , Folder A,  Project, with comma";
  EXPECT_EQ(NthField(",", line, 0), "KMLB_003_001=ctx");
  EXPECT_EQ(NthField(",", line, 1), "Folder A");
  EXPECT_EQ(NthField(",", line, 2), "Project");
  EXPECT_EQ(NthField(",", line, 3), "with comma");
  // Asking past the last separator gives the last field, or the whole text.
  EXPECT_EQ(NthField(",", "a,b,c", 5), "c");
  EXPECT_EQ(NthField(",", "no comma here ", 1), "no comma here ");
  // With TAB an empty field is swallowed and the next takes its place.
  EXPECT_EQ(NthField("\t", "a\t\tc\td", 1), "c");
  EXPECT_EQ(NthField("\t", "a\t\tc\td", 2), "d");
  // An empty field gives the rest from that field on, separator first.
  EXPECT_EQ(NthField(",", ",b,c", 0), ",b,c");
  EXPECT_EQ(NthField(",", "a,,c", 1), ",c");
  EXPECT_EQ(NthField(",", "a, ,c", 1), ",c");
}

TEST(TakeToken, TakesTokensOffTheFront) {
  std::string font = "-16777208|-12|Tahoma|0|9|nnnn";
  EXPECT_EQ(TakeToken("|", font), "-16777208");
  EXPECT_EQ(TakeToken("|", font), "-12");
  EXPECT_EQ(TakeToken("|", font), "Tahoma");
  EXPECT_EQ(TakeToken("|", font), "0");
  EXPECT_EQ(TakeToken("|", font), "9");
  EXPECT_EQ(font, "nnnn");
  EXPECT_EQ(TakeToken("|", font), "nnnn");
  EXPECT_EQ(font, "");
  EXPECT_EQ(TakeToken("|", font), "");

  std::string text = "a|b";
  EXPECT_EQ(TakeToken("", text), "");
  EXPECT_EQ(text, "a|b");
  std::string leading = "|x";
  EXPECT_EQ(TakeToken("|", leading), "");
  EXPECT_EQ(leading, "x");
}

TEST(LastPos, CountsCharactersFromOne) {
  EXPECT_EQ(LastPos("\\", "c:\\music\\file.wav"), 9u);
  EXPECT_EQ(LastPos("/", "no slash"), 0u);
  EXPECT_EQ(LastPos("", "text"), 0u);
  // Cyrillic letters are two bytes each but count as one character.
  EXPECT_EQ(LastPos(".", "Аплодисменты.mp3"), 13u);
  EXPECT_EQ(LastPos("ab", "abab"), 3u);
}

TEST(BetweenMarkers, FirstOpenToLastClose) {
  EXPECT_EQ(BetweenMarkers("2 !F !H BREAKBEAT !I [140] <5A>", "[", "]"), "140");
  EXPECT_EQ(BetweenMarkers("2 !F !H BREAKBEAT !I [140] <5A>", "<", ">"), "5A");
  EXPECT_EQ(BetweenMarkers("3 !S CLASSICAL, CINEMATIC [87 <7B>", "[", "]"), "");
  EXPECT_EQ(BetweenMarkers("[a] [b]", "[", "]"), "a] [b");
  EXPECT_EQ(BetweenMarkers("x ] then [", "[", "]"), "");
  EXPECT_EQ(BetweenMarkers("[]", "[", "]"), "");
  EXPECT_EQ(BetweenMarkers("|one|", "|", "|"), "one");
  EXPECT_EQ(BetweenMarkers("|one", "|", "|"), "");
  EXPECT_EQ(BetweenMarkers("no markers", "[", "]"), "");
}

}  // namespace
}  // namespace trakvella
