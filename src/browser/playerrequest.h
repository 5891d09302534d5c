#pragma once

#include <string>

namespace browser {

// What the browser hands to a new player window: the file list's folder and selected file name
// and the song-information label's text (the song's title lines, each ending in CR LF, as bytes).
struct PlayerRequest {
    std::string folderPath;
    std::string fileName;
    std::string titleText;
    friend bool operator==(const PlayerRequest&, const PlayerRequest&) = default;
};

} // namespace browser
