#include "song/songjson.h"

#include "platform/text.h"

#include <cstdio>

namespace song {

std::string jsonString(std::string_view bytes) {
    std::string out = "\"";
    for (const char c : platform::latin1ToUtf8(bytes)) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (code < 0x20 || code == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

namespace {

template <typename Item, typename Format>
void appendArray(std::string& out, const platform::Array<Item>& items, Format format) {
    out += '[';
    bool first = true;
    for (const Item& item : items) {
        if (!first)
            out += ',';
        first = false;
        format(out, item);
    }
    out += ']';
}

} // namespace

std::string SongToJson(const SongModel& song, std::string_view title, std::string_view info) {
    std::string out = "{\"division\":" + std::to_string(song.Division) + ",\"tempos\":";
    appendArray(out, song.Tempos, [](std::string& o, const TempoChange& t) {
        o += "{\"tempo\":" + std::to_string(t.Tempo) + ",\"tick\":" + std::to_string(t.Tick) + '}';
    });
    out += ",\"lyrics\":";
    appendArray(out, song.Lyrics, [](std::string& o, const LyricEvent& e) {
        o += "{\"text\":" + jsonString(e.Text) + ",\"kind\":" + std::to_string(e.Kind) +
             ",\"tick\":" + std::to_string(e.Tick) + '}';
    });
    out += ",\"lines\":";
    appendArray(out, song.Lines, [](std::string& o, const DisplayLine& l) {
        o += "{\"text\":" + jsonString(l.Text) + ",\"kind\":" + std::to_string(l.Kind) + '}';
    });
    out += ",\"title\":" + jsonString(title) + ",\"info\":" + jsonString(info) + '}';
    return out;
}

} // namespace song
