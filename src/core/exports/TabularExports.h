#pragma once
// TabularExports: the developer menu's tab-separated exports of the catalogue
// for spreadsheets, the rights society's registry and outside services. Each
// is one call that shows its progress and messages and leaves its table on the
// clipboard; the result repeats every text it put there.
#include <filesystem>
#include <string>
#include <vector>

#include "core/exports/ExportRun.h"
#include "core/musicset/MusicSet.h"

namespace trakvella {

// The track table of the maximum export: every track, or with a set only the
// tracks whose code is in the music set (still in catalogue order).
ExportResult MaximumTrackTable(ExportContext& context, const MusicSet* set);
// The playlist table of the maximum export, from a playlist file of the
// desktop form (names between "«" and "»").
ExportResult MaximumPlaylistTable(ExportContext& context, const std::filesystem::path& playlistsFile);
// "Максимальный Экспорт" (all tracks) and "... по Набору" (a set given): the
// track table, then the playlist table from "playlists_desktop.txt" in the
// program folder.
ExportResult ExportMaximum(ExportContext& context, const MusicSet* set);

// The outside-service catalogue table of 73 columns.
ExportResult ExportItFactory(ExportContext& context);
// The tracks not yet registered with the rights society; the registered codes
// are taken from the clipboard.
ExportResult ExportRaoList(ExportContext& context);
// The four option lists of the registry web page, one clipboard text each.
ExportResult ExportRegistryLists(ExportContext& context);
// Code, text and description of every CD that has tracks.
ExportResult ExportDescriptions(ExportContext& context);

// The column names of the tables, in order.
std::vector<std::string> MaximumColumns();
std::vector<std::string> ItFactoryColumns();

}  // namespace trakvella
