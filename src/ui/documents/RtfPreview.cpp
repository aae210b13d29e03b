#include "ui/documents/RtfPreview.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextTable>
#include <algorithm>

#include "core/documents/RtfLayout.h"
#include "ui/QtText.h"

namespace trakvella {

namespace {

Qt::Alignment AlignmentOf(RtfDocument::Align align) {
  switch (align) {
    case RtfDocument::Align::Centre:
      return Qt::AlignHCenter;
    case RtfDocument::Align::Right:
      return Qt::AlignRight;
    case RtfDocument::Align::Justified:
      return Qt::AlignJustify;
    case RtfDocument::Align::Left:
      break;
  }
  return Qt::AlignLeft;
}

// Writes the paragraph into the cursor's block, or into a new block after it.
void WriteParagraph(QTextCursor& cursor, const RtfParagraph& paragraph, bool newBlock) {
  QTextBlockFormat block;
  block.setAlignment(AlignmentOf(paragraph.align));
  if (newBlock)
    cursor.insertBlock(block);
  else
    cursor.setBlockFormat(block);
  for (const RtfRun& run : paragraph.runs) {
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    format.setFontPointSize(run.halfPoints / 2.0);
    QString text = Q(run.text);
    text.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
    cursor.insertText(text, format);
  }
}

void WriteTable(QTextCursor& cursor, const std::vector<RtfTableRow>& rows) {
  size_t columns = 1;
  for (const RtfTableRow& row : rows) columns = std::max(columns, row.cells.size());
  QTextTableFormat format;
  format.setBorder(1);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderCollapse(true);
  format.setCellPadding(2);
  format.setCellSpacing(0);
  QTextTable* table = cursor.insertTable(static_cast<int>(rows.size()), static_cast<int>(columns), format);
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].cells.size(); ++c) {
      QTextCursor cell = table->cellAt(static_cast<int>(r), static_cast<int>(c)).firstCursorPosition();
      const auto& paragraphs = rows[r].cells[c];
      for (size_t p = 0; p < paragraphs.size(); ++p) WriteParagraph(cell, paragraphs[p], p > 0);
    }
}

}  // namespace

void ShowRtf(QTextEdit* editor, const RtfDocument& document) {
  QTextDocument* shown = editor->document();
  shown->clear();
  QTextCursor cursor(shown);
  // Whether the cursor's block is still empty and unused: the first block, or the one after a table.
  bool freshBlock = true;
  for (const RtfBlock& block : LayOutRtf(document)) {
    if (block.isTable) {
      if (!freshBlock) cursor.insertBlock();
      WriteTable(cursor, block.rows);
      cursor.movePosition(QTextCursor::End);
      freshBlock = true;
    } else {
      WriteParagraph(cursor, block.paragraph, !freshBlock);
      freshBlock = false;
    }
  }
  editor->moveCursor(QTextCursor::Start);
  editor->verticalScrollBar()->setValue(0);
}

}  // namespace trakvella
