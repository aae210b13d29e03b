// The RTF engine: displayed text and source positions, fields filled across
// formatting runs, fragments in the source, the act's table.
#include "core/documents/RtfDocument.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace trakvella {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kHead =
    "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\r\n"
    "{\\*\\generator hidden $$$X;}{\\info{\\title $$$X}}\\uc1 ";

RtfDocument Doc(const std::string& body) { return RtfDocument(kHead + body + "}"); }

TEST(RtfDocument, ShowsTheTextOfGroupsEscapesAndBreaksButNotDestinations) {
  RtfDocument doc =
      Doc("\\pard {\\b \\'cf\\'f0}\\u1080?\\u1074\\'e2 \\\\\\{\\}\\tab x\\par\r\n"
          "{\\uc2 \\u1103??}\\u-3913?\\'e9\\lquote z\\cell\\~\\emdash");
  EXPECT_EQ(doc.Text(), "Прив \\{}\tx\nя\uF0B7й‘z\t\u00A0—");
  // Every displayed character knows its source bytes, fallback characters included.
  const auto& spans = doc.spans();
  ASSERT_EQ(spans.size(), doc.text().size());
  EXPECT_EQ(doc.source().substr(spans[2].begin, spans[2].end - spans[2].begin), "\\u1080?");
  EXPECT_EQ(doc.source().substr(spans[3].begin, spans[3].end - spans[3].begin), "\\u1074\\'e2");
  RtfDocument plain;
  EXPECT_FALSE(plain.Load("plain text"));
  EXPECT_EQ(plain.Text(), "");
}

TEST(RtfDocument, FillsPlaceholdersSplitAcrossRunsInTheFormattingOfTheirFirstCharacter) {
  RtfDocument doc =
      Doc("\\pard A {\\b $$$\\'cd\\'ee}{\\i \\'ec\\'e5\\'f0} B $$$\\u1085?\\u1086?\\u1084?\\u1077?\\u1088? C\\par");
  ASSERT_EQ(doc.Text(), "A $$$Номер B $$$номер C\n");
  EXPECT_EQ(doc.FillField("$$$НОМЕР", "Ёж {1}\\"), 2);  // letter case does not matter
  EXPECT_EQ(doc.Text(), "A Ёж {1}\\ B Ёж {1}\\ C\n");
  // The value went into the bold run; the italic run that held the rest is empty.
  EXPECT_THAT(doc.source(), HasSubstr("{\\b \\u1025\\'a8\\u1078\\'e6 \\{1\\}\\\\}{\\i }"));
  // The hidden destinations were not touched.
  EXPECT_THAT(doc.source(), HasSubstr("{\\*\\generator hidden $$$X;}{\\info{\\title $$$X}}"));
}

TEST(RtfDocument, InsertsAValueHoldingItsOwnPlaceholderOnce) {
  RtfDocument doc = Doc("$$$Name, $$$name.\\par");
  EXPECT_EQ(doc.FillField("$$$Name", "x $$$Name y"), 2);
  EXPECT_EQ(doc.Text(), "x $$$Name y, x $$$Name y.\n");
  EXPECT_EQ(doc.FillField("$$$Missing", "z"), 0);
  EXPECT_EQ(doc.FillField("", "z"), 0);
}

TEST(RtfDocument, KeepsControlWordsWholeWhereTextAfterThemGoes) {
  // "\tab" and "\b" end without a blank; the value and what follows must not run into them.
  RtfDocument doc = Doc("\\tab$$$X\\b$$$Y\\b0 abc\\par");
  doc.FillField("$$$X", "1 a");
  doc.FillField("$$$Y", "");
  EXPECT_EQ(doc.Text(), "\t1 aabc\n");
  // Line breaks of a value become line breaks of the document.
  doc.FillField("abc", "one\r\ntwo\nthree\tfour");
  EXPECT_EQ(doc.Text(), "\t1 aone\ntwo\nthree\tfour\n");
}

TEST(RtfDocument, ReplacesAMarkerInTheSourceAndReadsTheDocumentAgain) {
  RtfDocument doc = Doc("\\pard #table#\\par after #table#\\par");
  EXPECT_EQ(doc.InsertRtf("#table#", "{\\b X}"), 2);
  EXPECT_EQ(doc.Text(), "X\nafter X\n");
  EXPECT_EQ(doc.InsertRtf("#nothing#", "Y"), 0);
}

TEST(MakeRtfTable, WritesTheGridRowsAndCellsInTwipsOfTheScreenDensity) {
  const RtfTableGrid grid{"Tahoma", {30, 204, 113, 64, 122, 119}};
  const std::string table = MakeRtfTable(grid, {"N\tНазвание\tКод\tХроно\tАвтор\tИсполнитель", " 1 \tA{b}\t\tx"}, 96);
  EXPECT_EQ(
      table,
      "{\r\n{\\fonttbl{\\f0\\fnil Tahoma;}}\\trowd\\f0\\fs16\\brdrs\\trgaph30\r\n"
      "\\cellx450\r\n\\cellx3510\r\n\\cellx5205\r\n\\cellx6165\r\n\\cellx7995\r\n\\cellx9780\r\n"
      "\\intbl\r\nN\\cell\r\n\\u1053\\'cd\\u1072\\'e0\\u1079\\'e7\\u1074\\'e2\\u1072\\'e0\\u1085\\'ed\\u1080\\'e8"
      "\\u1077\\'e5\\cell\r\n\\u1050\\'ca\\u1086\\'ee\\u1076\\'e4\\cell\r\n"
      "\\u1061\\'d5\\u1088\\'f0\\u1086\\'ee\\u1085\\'ed\\u1086\\'ee\\cell\r\n"
      "\\u1040\\'c0\\u1074\\'e2\\u1090\\'f2\\u1086\\'ee\\u1088\\'f0\\cell\r\n"
      "\\u1048\\'c8\\u1089\\'f1\\u1087\\'ef\\u1086\\'ee\\u1083\\'eb\\u1085\\'ed\\u1080\\'e8\\u1090\\'f2\\u1077\\'e5"
      "\\u1083\\'eb\\u1100\\'fc\\cell\r\n\\row\r\n"
      "\\intbl\r\n1\\cell\r\nA\\{b\\}\\cell\r\n\\cell\r\nx\\cell\r\n\\cell\r\n\\cell\r\n\\row\r\n}");
  // Another density moves the cell edges: 1440 / 120 = 12 twips a pixel.
  EXPECT_THAT(MakeRtfTable(grid, {}, 120), HasSubstr("\\trgaph24\r\n\\cellx360\r\n\\cellx2808\r\n"));
  RtfDocument doc("{\\rtf1 " + table + "}");
  EXPECT_EQ(doc.Text(), "N\tНазвание\tКод\tХроно\tАвтор\tИсполнитель\t\n1\tA{b}\t\tx\t\t\t\n");
}

TEST(RtfDocument, SavesWholeOrNotAtAll) {
  testing::TempDir dir;
  RtfDocument doc = Doc("text\\par");
  EXPECT_TRUE(doc.SaveRtf(dir.path() / "a.rtf"));
  EXPECT_EQ(testing::ReadFile(dir.path() / "a.rtf"), doc.source());
  EXPECT_FALSE(doc.SaveRtf(dir.path() / "missing" / "a.rtf"));
  std::filesystem::create_directory(dir.path() / "folder.rtf");
  EXPECT_FALSE(doc.SaveRtf(dir.path() / "folder.rtf"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "folder.rtf.tmp"));
}

}  // namespace
}  // namespace trakvella
