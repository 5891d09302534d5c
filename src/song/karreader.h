#pragma once

#include "platform/messagesink.h"
#include "song/songmodel.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace song {

// Reads a KAR file: the division from the header, the tempo map from the first track chunk and
// the syllables from the text events of the third. Returns false after telling the user through
// `messages` why the file is not a KAR file; the arrays must not be used then. Values that do
// not fit their widths (an SMPTE division, a length or delta past 32 bits, more than 32766
// syllables or 32767 tempo changes) are raised as platform::RuntimeError instead.
bool ReadKar(const std::string& path, LyricArray& Lyrics, std::int16_t& Division,
             TempoArray& Tempos, platform::MessageSink& messages);

// The same over a file already in memory; `path` only names the file in messages.
bool ReadKarBytes(std::string_view bytes, const std::string& path, LyricArray& Lyrics,
                  std::int16_t& Division, TempoArray& Tempos, platform::MessageSink& messages);

} // namespace song
