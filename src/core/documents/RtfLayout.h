#pragma once
// RtfLayout: a document as a reader lays it out — paragraphs of formatted runs
// and tables of cells — read from the document's displayed text and looks, so
// a window can show a filled document without an RTF reader. Plain values.
#include <string>
#include <vector>

#include "core/documents/RtfDocument.h"

namespace trakvella {

// Text in one formatting; UTF-8, LF for a line break, TAB for a tab.
struct RtfRun {
  std::string text;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int halfPoints = 24;
};

struct RtfParagraph {
  RtfDocument::Align align = RtfDocument::Align::Left;
  std::vector<RtfRun> runs;
  std::string Text() const;  // the runs' text joined
};

// A table row: each cell holds one or more paragraphs.
struct RtfTableRow {
  std::vector<std::vector<RtfParagraph>> cells;
  std::string CellText(size_t cell) const;  // the cell's paragraphs joined by LF; "" past the last cell
};

// One paragraph outside a table, or a run of consecutive table rows.
struct RtfBlock {
  bool isTable = false;
  RtfParagraph paragraph;         // when not a table
  std::vector<RtfTableRow> rows;  // when a table
};

std::vector<RtfBlock> LayOutRtf(const RtfDocument& document);

}  // namespace trakvella
