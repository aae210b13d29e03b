#include "core/documents/RtfLayout.h"

#include "core/text/Text.h"

namespace trakvella {

std::string RtfParagraph::Text() const {
  std::string text;
  for (const RtfRun& run : runs) text += run.text;
  return text;
}

std::string RtfTableRow::CellText(size_t cell) const {
  std::string text;
  if (cell >= cells.size()) return text;
  for (const RtfParagraph& p : cells[cell]) {
    if (!text.empty()) text += '\n';
    text += p.Text();
  }
  return text;
}

namespace {

using Break = RtfDocument::Break;
using Look = RtfDocument::Look;

class Builder {
 public:
  std::vector<RtfBlock> blocks;

  void Add(char32_t c, const Look& look) {
    auto& runs = paragraph_.runs;
    if (runs.empty() || runs.back().bold != look.bold || runs.back().italic != look.italic ||
        runs.back().underline != look.underline || runs.back().halfPoints != look.halfPoints)
      runs.push_back({{}, look.bold, look.italic, look.underline, look.halfPoints});
    AppendChar(runs.back().text, c);
  }

  void EndParagraph(const Look& look) {
    paragraph_.align = look.align;
    if (look.inTable) {
      cell_.push_back(std::move(paragraph_));
    } else {
      CloseTable();
      blocks.push_back({false, std::move(paragraph_), {}});
    }
    paragraph_ = {};
  }

  void EndCell(const Look& look) {
    paragraph_.align = look.align;
    // A cell's last paragraph ends with the cell; an empty cell still has one.
    if (!paragraph_.runs.empty() || cell_.empty()) cell_.push_back(std::move(paragraph_));
    paragraph_ = {};
    row_.cells.push_back(std::move(cell_));
    cell_ = {};
  }

  void EndRow() {
    if (!paragraph_.runs.empty() || !cell_.empty()) EndCell(Look{});
    if (!tableOpen_) {
      blocks.push_back({true, {}, {}});
      tableOpen_ = true;
    }
    blocks.back().rows.push_back(std::move(row_));
    row_ = {};
  }

  void Finish(const Look& look) {
    if (!row_.cells.empty() || !cell_.empty()) EndRow();
    if (!paragraph_.runs.empty()) {
      Look outside = look;
      outside.inTable = false;
      EndParagraph(outside);
    }
  }

 private:
  // A paragraph outside the table ends it; cells without their row end become a row.
  void CloseTable() {
    if (!row_.cells.empty() || !cell_.empty()) EndRow();
    tableOpen_ = false;
  }

  RtfParagraph paragraph_;
  std::vector<RtfParagraph> cell_;
  RtfTableRow row_;
  bool tableOpen_ = false;
};

}  // namespace

std::vector<RtfBlock> LayOutRtf(const RtfDocument& document) {
  Builder builder;
  const auto& text = document.text();
  const auto& looks = document.looks();
  for (size_t i = 0; i < text.size(); ++i) {
    const Look& look = looks[i];
    switch (look.breaks) {
      case Break::Paragraph:
        builder.EndParagraph(look);
        break;
      case Break::Cell:
        builder.EndCell(look);
        break;
      case Break::Row:
        builder.EndRow();
        break;
      case Break::Line:
      case Break::None:
        builder.Add(text[i], look);
        break;
    }
  }
  builder.Finish(looks.empty() ? Look{} : looks.back());
  return std::move(builder.blocks);
}

}  // namespace trakvella
