#pragma once

// What the player window works out from what the browser hands over, before any drawing.

#include <string>

namespace player {

// The application's title: the caption of a window without a song and the end of every other.
inline constexpr const char* PlayerTitle = "Vocatune Player 1.5";

// The song's full path from the browser's folder and selected file name; a folder that already
// ends in the separator (the root) gets none added.
std::string SongPath(const std::string& folderPath, const std::string& fileName);

// The name a song goes by in the window's caption. Song text is the song file's own bytes (one
// character per byte); a file name is UTF-8.
struct CaptionName {
    std::string text;
    bool isSongText = false;
    friend bool operator==(const CaptionName&, const CaptionName&) = default;
};

// The song's first title line when the browser's title text holds a line end (a carriage
// return); otherwise the file name without its last four characters (the extension), upper-cased.
CaptionName captionName(const std::string& titleText, const std::string& fileName);

// What follows the song's name in the caption.
inline constexpr const char* CaptionSuffix = " - Vocatune Player 1.5";

} // namespace player
