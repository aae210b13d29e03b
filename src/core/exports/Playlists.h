#pragma once
// Playlists: the playlist files the editors write for the exports
// ("playlists.txt", "playlists_desktop.txt"), read into blocks. A block is the
// playlist code, its name line, a description line, a tag number and the track
// codes; an empty line parts the blocks and "@" ends the file.
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

inline constexpr std::string_view kSitePlaylistsFile = "playlists.txt";
inline constexpr std::string_view kDesktopPlaylistsFile = "playlists_desktop.txt";

struct PlaylistBlock {
  std::string code;
  std::string nameLine;     // as written
  int nameLineIndex = 0;    // its 0-based line index in the file
  std::string description;  // as written
  long long tagNumber = 0;
  std::vector<std::string> tracks;
};

// Reads the blocks of a playlist file. A tag number that is not an integer
// stops the reading: false, with the message to show in error.
bool ParsePlaylists(const std::vector<std::string>& lines, std::vector<PlaylistBlock>& blocks, std::string& error);

// The name written between "«" and "»"; false when the line lacks either.
bool PlaylistName(std::string_view nameLine, std::string& name);
// The message for a name line without "«" and "»".
std::string MalformedPlaylistNameMessage(int lineIndex, std::string_view line);

// How the playlist files are to be written, shown before they are read.
std::string DesktopPlaylistsInstruction();
std::string SitePlaylistsInstruction();

}  // namespace trakvella
