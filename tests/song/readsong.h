#pragma once

// Runs the song readers over bytes held in memory and keeps everything they produced.

#include "platform/errors.h"
#include "song/karreader.h"
#include "song/songinfo.h"
#include "support/recordingmessagesink.h"

#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

inline constexpr const char* SongPath = "/songs/Demo.kar";

struct KarResult {
    bool ok = false;
    int error = 0; // the run-time error raised, if any
    song::LyricArray lyrics = song::makeLyricArray();
    std::int16_t division = 0;
    song::TempoArray tempos = song::makeTempoArray();
    std::vector<ShownMessage> messages;

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& e : lyrics)
            out.push_back(e.Text);
        return out;
    }
};

inline KarResult readKar(std::string_view bytes, const std::string& path = SongPath) {
    KarResult result;
    RecordingMessageSink sink;
    try {
        result.ok =
            song::ReadKarBytes(bytes, path, result.lyrics, result.division, result.tempos, sink);
    } catch (const platform::RuntimeError& e) {
        result.error = e.number();
    }
    result.messages = sink.messages;
    return result;
}

struct InfoResult {
    std::string info;
    std::string title;
    int error = 0;
    std::vector<ShownMessage> messages;
};

inline InfoResult readSongInfo(std::string_view bytes, std::string info = "(untouched)",
                               std::string title = "(untouched)") {
    InfoResult result{std::move(info), std::move(title), 0, {}};
    RecordingMessageSink sink;
    try {
        song::ReadSongInfoBytes(bytes, SongPath, result.info, result.title, sink);
    } catch (const platform::RuntimeError& e) {
        result.error = e.number();
    }
    result.messages = sink.messages;
    return result;
}

} // namespace testsupport
