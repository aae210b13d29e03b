// A document laid out as a reader shows it: paragraphs with their alignment
// and emphasis, table rows with their cells; and when the documents' commands
// are enabled.
#include "core/documents/RtfLayout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/documents/DocumentEnabling.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using Align = RtfDocument::Align;

std::vector<std::string> Cells(const RtfTableRow& row) {
  std::vector<std::string> cells;
  for (size_t c = 0; c < row.cells.size(); ++c) cells.push_back(row.CellText(c));
  return cells;
}

TEST(RtfLayout, ParagraphsKeepTheirAlignmentAndRunsTablesTheirRowsAndCells) {
  const RtfDocument doc(
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\\pard\\qc\\fs28 {\\b \\'c7\\'e0}\\par"
      "\\pard\\qj\\plain text {\\i it}\\line next\\tab x\\par"
      "\\trowd\\cellx100\\cellx200\\pard\\intbl A\\cell B1\\par\\qr B2\\cell\\row"
      "\\trowd\\cellx100\\cellx200\\pard\\intbl C\\cell\\cell\\row"
      "\\pard after\\par tail}");
  const auto blocks = LayOutRtf(doc);
  ASSERT_EQ(blocks.size(), 5u);

  const RtfParagraph& title = blocks[0].paragraph;
  EXPECT_EQ(title.align, Align::Centre);
  ASSERT_EQ(title.runs.size(), 1u);
  EXPECT_EQ(title.runs[0].text, "За");
  EXPECT_TRUE(title.runs[0].bold);
  EXPECT_EQ(title.runs[0].halfPoints, 28);

  const RtfParagraph& body = blocks[1].paragraph;
  EXPECT_EQ(body.align, Align::Justified);
  ASSERT_EQ(body.runs.size(), 3u);
  EXPECT_FALSE(body.runs[0].italic);
  EXPECT_TRUE(body.runs[1].italic);
  EXPECT_EQ(body.runs[0].halfPoints, 24);  // \plain
  EXPECT_EQ(body.Text(), "text it\nnext\tx");

  ASSERT_TRUE(blocks[2].isTable);
  ASSERT_EQ(blocks[2].rows.size(), 2u);
  EXPECT_THAT(Cells(blocks[2].rows[0]), ElementsAre("A", "B1\nB2"));
  EXPECT_EQ(blocks[2].rows[0].cells[1][1].align, Align::Right);
  EXPECT_THAT(Cells(blocks[2].rows[1]), ElementsAre("C", ""));

  EXPECT_EQ(blocks[3].paragraph.Text(), "after");
  EXPECT_FALSE(blocks[3].isTable);
  EXPECT_EQ(blocks[4].paragraph.Text(), "tail");  // text after the last paragraph mark still shows
}

TEST(DocumentEnabling, DocumentsNeedASignedInAccountThePassportATrack) {
  CommandEnabling enabling;
  bool rows = false, signedIn = false, selected = false;
  enabling.DefineState(kStateTrackRows, [&] { return rows; });
  DefineDocumentEnabling(
      enabling, [&] { return signedIn; }, [&] { return selected; });
  auto enabled = [&](std::string_view menu, std::string_view command) {
    for (const auto& c : enabling.Evaluate(menu))
      if (c.command == command) return c.enabled;
    ADD_FAILURE() << command << " has no row in " << menu;
    return false;
  };
  EXPECT_FALSE(enabled(kSubscriptionMenu, "PodDocItem"));
  EXPECT_FALSE(enabled(kTrackMenus, "PassportItem"));
  EXPECT_FALSE(enabled(kTrackRowButtons, "TrPassportBut"));
  signedIn = rows = true;
  EXPECT_TRUE(enabled(kSubscriptionMenu, "PodDocItem"));
  EXPECT_TRUE(enabled(kTrackMenus, "PassportItem"));
  EXPECT_FALSE(enabled(kTrackRowButtons, "TrPassportBut"));  // rows, but none selected
  selected = true;
  EXPECT_TRUE(enabled(kTrackRowButtons, "TrPassportBut"));
}

}  // namespace
}  // namespace trakvella::testing
