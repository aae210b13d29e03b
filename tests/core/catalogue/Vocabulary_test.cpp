#include "core/catalogue/Vocabulary.h"

#include <random>

#include <gtest/gtest.h>

#include "core/catalogue/AuthorExpander.h"

namespace trakvella {
namespace {

TEST(Vocabulary, MoodCaptionsByDigit) {
  EXPECT_EQ(MoodCaption('2'), "Грустное");
  EXPECT_EQ(MoodCaption('5'), "Заводное / Комедийное");
  EXPECT_EQ(MoodCaption('0'), "");
  EXPECT_EQ(MoodCaption('6'), "");
}

TEST(Vocabulary, KeyNamesShortAndLong) {
  EXPECT_EQ(KeyName("8B"), "Cmaj");
  EXPECT_EQ(KeyName("5A"), "Cmin");
  EXPECT_EQ(KeyName("7B"), "Fmaj");
  EXPECT_EQ(KeyName("10A"), "Bmin");
  EXPECT_EQ(KeyName("13A"), "");
  EXPECT_EQ(KeyName("8b"), "");
  EXPECT_EQ(KeyName(""), "");
  EXPECT_EQ(KeyLongName("8B"), "C major");
  EXPECT_EQ(KeyLongName("5A"), "C minor");
  EXPECT_EQ(KeyLongName("3B"), "C# major");
  EXPECT_EQ(KeyLongName("12A"), "C# minor");
  EXPECT_EQ(KeyLongName("11A"), "F# minor");
  EXPECT_EQ(KeyLongName("1B"), "B major");
  EXPECT_EQ(KeyLongName("10A"), "B minor");
  EXPECT_EQ(KeyLongName("<8B>"), "");
  // Every code has its own name and tonics pair up major, minor.
  for (size_t i = 0; i < kCamelotKeys.size(); i += 2) {
    std::string major = KeyLongName(kCamelotKeys[i].code);
    std::string minor = KeyLongName(kCamelotKeys[i + 1].code);
    EXPECT_EQ(major.substr(0, major.size() - 6), minor.substr(0, minor.size() - 6)) << i;
    EXPECT_TRUE(major.ends_with(" major") && minor.ends_with(" minor")) << i;
  }
}

TEST(Vocabulary, CorrectedTempoAtRangeEdges) {
  EXPECT_EQ(CorrectedTempo(70, "2 !F POP [70]"), 140);
  EXPECT_EQ(CorrectedTempo(90, "2 !F POP [90]"), 180);
  EXPECT_EQ(CorrectedTempo(69, "2 !F POP"), 69);
  EXPECT_EQ(CorrectedTempo(91, "2 !F POP"), 91);
  EXPECT_EQ(CorrectedTempo(140, "2 !S POP"), 70);
  EXPECT_EQ(CorrectedTempo(141, "2 !S POP"), 70);
  EXPECT_EQ(CorrectedTempo(190, "2 !S POP"), 95);
  EXPECT_EQ(CorrectedTempo(139, "2 !S POP"), 139);
  EXPECT_EQ(CorrectedTempo(191, "2 !S POP"), 191);
  EXPECT_EQ(CorrectedTempo(80, "2 !M POP"), 80);
  // The slow rule looks at the tempo as given, not a doubled one.
  EXPECT_EQ(CorrectedTempo(80, "2 !F !S"), 160);
  EXPECT_EQ(CorrectedTempo(0, "2 !F !S"), 0);
}

TEST(Vocabulary, ExpandAuthorNamesAppliesRowsInOrder) {
  const std::vector<std::string> table{
      "Do not re-sort these rows",        "Ivanov I.=Ivan Ivanov", "Ivan Ivanov=Ivan Petrovich Ivanov", "=never",
      "Band X=Anna Smirnova, Oleg Popov", "Oleg=Oleg Olegovich",
  };
  // Chained rows: X -> Y, then Y -> Z.
  EXPECT_EQ(ExpandAuthorNames("Ivanov I., Ivanov I. (обр.)", table),
            "Ivan Petrovich Ivanov, Ivan Petrovich Ivanov (обр.)");
  // A full form holding its short form is not expanded again by the same row.
  EXPECT_EQ(ExpandAuthorNames("Oleg", {"Oleg=Oleg Olegovich"}), "Oleg Olegovich");
  EXPECT_EQ(ExpandAuthorNames("Band X", table), "Anna Smirnova, Oleg Olegovich Popov");
  EXPECT_EQ(ExpandAuthorNames("band x", table), "band x");
  EXPECT_EQ(ExpandAuthorNames("Do not re-sort these rows", table), "Do not re-sort these rows");
  EXPECT_EQ(ExpandAuthorNames("", table), "");
}

// Style words are found where they begin, by their first letters: each word anywhere in a text,
// inside longer words and overlapping others too, as a plain search finds it.
TEST(Vocabulary, StyleWordBitsFindsEveryStyleWordAPlainSearchFinds) {
  const std::vector<std::string> pieces{"DANCE", "ROCK",  "R-N-",  "B",     "R",   "NEW YEAR", "NEW",
                                        " YEAR", "POP",   "PPRCK", "DISCO", "DIS", "CO",       "CLASSICALL",
                                        ", ",    "[120]", "<4A>",  "!M",    "Ж",   "a",        "X"};
  std::mt19937 rng(11);
  for (int n = 0; n < 3000; ++n) {
    std::string text;
    for (int k = static_cast<int>(rng() % 7); k >= 0; --k) text += pieces[rng() % pieces.size()];
    uint32_t expected = 0;
    for (size_t s = 0; s < kStyleWords.size(); ++s)
      if (text.find(kStyleWords[s]) != std::string::npos) expected |= 1u << s;
    ASSERT_EQ(StyleWordBits(text), expected) << text;
  }
}

// The expander made once for many texts passes over rows by the bytes a text holds: it must give
// what the table applied row by row gives, whatever the short forms' lengths.
TEST(Vocabulary, AuthorExpanderGivesWhatTheRowsGiveOneByOne) {
  const std::vector<std::string> table{"Notes",
                                       "О. Волков=Олег Волков",
                                       "Волков=В. Волков",
                                       "Ж=Жанна",
                                       "Ab=Abba Band",
                                       "A=Alpha",
                                       "Олег=О. Л.",
                                       "=none",
                                       "Д. Л.=Д. Лазарев",
                                       "zz=Z"};
  const std::vector<std::string> pieces{"О. Волков", "Волков", "Ж",  "Ab", "A", "Олег",
                                        "Д. Л.",     "zz",     ", ", " ",  "b", "."};
  AuthorExpander expander(table);
  std::mt19937 rng(7);
  for (int n = 0; n < 3000; ++n) {
    std::string text;
    for (int k = static_cast<int>(rng() % 6); k >= 0; --k) text += pieces[rng() % pieces.size()];
    ASSERT_EQ(expander.Expand(text), ExpandAuthorNames(text, table)) << text;
  }
}

}  // namespace
}  // namespace trakvella
