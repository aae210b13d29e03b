#pragma once
// RtfPreview: shows a document of the RTF engine read-only in a text editor — its paragraphs with their
// alignment and emphasis, its tables as tables. The editor owns what it shows; the document is only read.
class QTextEdit;

namespace trakvella {

class RtfDocument;

// Replaces the editor's content by the document as laid out, scrolled to its top.
void ShowRtf(QTextEdit* editor, const RtfDocument& document);

}  // namespace trakvella
