#pragma once
// MusicSetConversions: the music set's tracks turned into the import texts of
// outside music services and the web shop (musictag, MSTOCK, SourceAudio,
// OpenCart). Each reads the set's entries in set order, asks what it needs
// through the dialogs and leaves its text on the clipboard.
#include <string>
#include <string_view>
#include <vector>

#include "core/exports/ExportRun.h"
#include "core/musicset/MusicSet.h"

namespace trakvella {

// The vocabularies of the services for a tag line.
std::string MusictagTempo(std::string_view tagLine);
std::string MusictagMood(std::string_view tagLine);
std::string MstockTempo(std::string_view tagLine);
std::string MstockMood(std::string_view tagLine);
std::string ServiceTempo(std::string_view tagLine);  // SourceAudio and OpenCart
std::string ServiceMood(std::string_view tagLine);
// "TON:" and the key code, with a "0" before a two-character code; empty
// without a key.
std::string MstockKey(std::string_view tagLine);
// The MSTOCK category code of a CD: the last of its category paths found in
// the table, empty for none.
std::string MstockCategory(const CdRecord& cd);
// "1" and the code's CD and track numbers: KMLB_003_012 gives "1003012".
std::string OpenCartProductId(std::string_view code);

ExportResult ConvertMusictag(ExportContext& context, const MusicSet& set);
ExportResult ConvertMstock(ExportContext& context, const MusicSet& set);
// Reads the service's catalogue export from the clipboard for the identifiers,
// then asks for the code prefix and the collection name.
ExportResult ConvertSourceAudio(ExportContext& context, const MusicSet& set);
// Asks for the shop category number; leaves the products text and then the
// filters text on the clipboard.
ExportResult ConvertOpenCart(ExportContext& context, const MusicSet& set);

// The column names of the SourceAudio and OpenCart products texts.
std::vector<std::string> SourceAudioColumns();
std::vector<std::string> OpenCartColumns();

}  // namespace trakvella
