#pragma once
// XmlExports: the two XML catalogues of the developer menu, one for the web
// site and one for the desktop player: the category tree as tags (walked
// through the browser's navigation), the vocabularies, every CD with its
// tracks, and the editors' playlists. Saved as UTF-8 without byte-order mark.
#include <filesystem>
#include <string>
#include <string_view>

#include "core/browse/Browser.h"
#include "core/exports/ExportRun.h"

namespace trakvella {

inline constexpr std::string_view kSiteXmlFile = "trakvella-com_UTF8_wo_BOM.xml";
inline constexpr std::string_view kDesktopXmlFile = "trakvella-desktop_UTF8_wo_BOM.xml";
inline constexpr std::string_view kPlaylistsEntryTestFile = "playlists_entry_test.txt";
inline constexpr std::string_view kPricesFile = "prices.txt";
inline constexpr std::string_view kTrendsFile = "trends.txt";

// Where an XML export reads and writes. An empty output path leaves the file
// unwritten (the text is still in the result); the same for entryTest.
struct XmlFiles {
  std::filesystem::path prices, trends, playlists;
  std::filesystem::path output, entryTest;
};
// The files of the program folder: the site's or the desktop's.
XmlFiles SiteXmlFiles(const std::filesystem::path& programFolder);
XmlFiles DesktopXmlFiles(const std::filesystem::path& programFolder);

// The site XML; the walk starts at the level the browser shows. The result
// holds the XML text, then the text of "playlists_entry_test.txt".
ExportResult ExportSiteXml(ExportContext& context, Browser& browser, const XmlFiles& files);
// The desktop XML; the walk starts below the first row of the root.
ExportResult ExportDesktopXml(ExportContext& context, Browser& browser, const XmlFiles& files);

// Text for an XML element: "&", "<" and ">" written as entities, characters
// XML 1.0 cannot hold (control characters but TAB, LF, CR; U+FFFE, U+FFFF) as blanks.
std::string XmlValue(std::string_view text);
// Appends XmlValue(text) to out.
void AppendXmlValue(std::string& out, std::string_view text);

}  // namespace trakvella
