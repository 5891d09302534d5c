#pragma once

#include "platform/messagesink.h"

#include <string>
#include <string_view>

namespace song {

// The browser's description of a song without loading it: the "@I" lines of the second track
// chunk into info and the "@T" lines of the third into title, each line's text after its two
// tag characters followed by CR LF. An output is written only once its chunk has been read; a
// file of the wrong shape is reported through `messages` and the rest is left as passed in.
void ReadSongInfo(const std::string& path, std::string& info, std::string& title,
                  platform::MessageSink& messages);

// The same over a file already in memory; `path` only names the file in messages.
void ReadSongInfoBytes(std::string_view bytes, const std::string& path, std::string& info,
                       std::string& title, platform::MessageSink& messages);

// The text events of a chunk that hold `tag`, found by their byte pattern rather than by walking
// the events, joined as described above.
std::string CollectTaggedLines(std::string_view chunk, std::string_view tag);

} // namespace song
