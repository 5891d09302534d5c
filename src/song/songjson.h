#pragma once

#include "song/songmodel.h"

#include <string>
#include <string_view>

namespace song {

// A loaded song as one JSON object: division, tempos, lyrics with both sentinels, lines, title
// and info. Song text is bytes; each byte becomes the code point of the same value.
std::string SongToJson(const SongModel& song, std::string_view title, std::string_view info);

// A JSON string literal of song bytes, quotes included.
std::string jsonString(std::string_view bytes);

} // namespace song
