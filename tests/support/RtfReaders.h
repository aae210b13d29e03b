#pragma once
// Real RTF readers for the document tests: Debian's unrtf and LibreOffice
// headless, each turning RTF files into UTF-8 text.
#include <filesystem>
#include <string>
#include <vector>

namespace trakvella::testing {

// `unrtf --text` of the file, with the characters beyond ASCII it writes as
// numeric references ("&#1055;") read back into UTF-8. Throws when unrtf fails.
std::string UnrtfText(const std::filesystem::path& rtf);

// LibreOffice's plain-text export (UTF-8) of each file, in one run of
// `soffice --headless --convert-to txt`. Throws when a file is not converted.
std::vector<std::string> LibreOfficeTexts(const std::vector<std::filesystem::path>& rtfFiles);

// Whether the parts stand in the text in this order, each after the one before.
bool InOrder(const std::string& text, const std::vector<std::string>& parts);

}  // namespace trakvella::testing
