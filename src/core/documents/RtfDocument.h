#pragma once
// RtfDocument: one RTF document held as its source bytes together with the text
// a reader displays and, for every displayed character, the source bytes it was
// read from; fields are filled in the displayed text, fragments in the source.
// The document owns its source; nothing else keeps pointers into it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

class RtfDocument {
 public:
  // Where one displayed character stands in the source.
  struct Span {
    uint32_t begin = 0;          // first source byte
    uint32_t end = 0;            // one past its last source byte (fallback characters of \uN included)
    uint8_t unicodeSkip = 1;     // the \ucN in force there
    bool afterBareWord = false;  // right after a control word that ended without its blank
  };
  // What a line feed or TAB of the displayed text stands for.
  enum class Break : uint8_t { None, Paragraph, Line, Cell, Row };
  enum class Align : uint8_t { Left, Centre, Right, Justified };
  // How one displayed character is shown: the character formatting in force,
  // its paragraph's alignment and whether that paragraph is a table cell's.
  struct Look {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool inTable = false;
    Align align = Align::Left;
    uint16_t halfPoints = 24;
    Break breaks = Break::None;  // for LF and TAB: the break it stands for (None: a tab)
  };

  RtfDocument() = default;
  // Reads an RTF text: code page 1251 bytes, \'hh and \uN escapes; one that is not RTF is an empty document.
  explicit RtfDocument(std::string source) { (void)Load(std::move(source)); }

  // Replaces the document by source. A text that does not begin with "{\rtf"
  // gives an empty document and false.
  [[nodiscard]] bool Load(std::string source);
  void Clear() { (void)Load(std::string()); }  // nothing to read: empty, whatever Load says

  const std::string& source() const { return source_; }
  // The displayed text: paragraph and line breaks as LF, cells and tabs as TAB;
  // font tables, style sheets, document information and "\*" groups are not shown.
  const std::u32string& text() const { return text_; }
  std::string Text() const;  // the displayed text in UTF-8
  const std::vector<Span>& spans() const { return spans_; }
  // One look per displayed character.
  const std::vector<Look>& looks() const { return looks_; }

  // Replaces every occurrence of placeholder in the displayed text, found
  // ignoring letter case and whatever formatting runs split it, by value
  // (UTF-8; line breaks become line breaks of the document). The value takes
  // the formatting of the placeholder's first character. Searching goes on
  // after each inserted value, so a value holding its placeholder is inserted
  // once. Returns the number of occurrences replaced.
  int FillField(std::string_view placeholder, std::string_view value);

  // Replaces every occurrence of marker in the source by the RTF fragment and
  // reads the document again. Returns the number of occurrences replaced.
  int InsertRtf(std::string_view marker, std::string_view rtf);

  // Writes the source to file through a temporary file beside it, so a failed
  // write leaves an earlier file whole. False when the file was not written.
  bool SaveRtf(const std::filesystem::path& file) const;

 private:
  void Parse();

  std::string source_;
  std::u32string text_;
  std::u32string folded_;  // text_ in lower case, for searching
  std::vector<Span> spans_;
  std::vector<Look> looks_;
};

// Text written as RTF source: "\", "{" and "}" escaped, line breaks as \line,
// tabs as \tab, every character beyond ASCII as \uN followed by its code page
// 1251 byte (or "?") for readers without Unicode. unicodeSkip is the \ucN in
// force where the text goes; when it is not 1 the text is put in a group of its
// own with \uc1.
std::string RtfText(std::string_view utf8, int unicodeSkip = 1);

// The grid a table is drawn from: its font and its column widths in pixels.
struct RtfTableGrid {
  std::string fontName;
  std::vector<int> columnWidths;
};

// The RTF fragment of a table: one row per line, fields separated by TAB and
// trimmed, pixel widths turned into twips with the screen's horizontal
// density (pixels per inch). Cell texts are written with RtfText.
std::string MakeRtfTable(const RtfTableGrid& grid, const std::vector<std::string>& lines, double pixelsPerInch);

}  // namespace trakvella
