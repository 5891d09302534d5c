#include "song/songinfo.h"

#include "platform/binaryfile.h"
#include "platform/numeric.h"
#include "platform/text.h"
#include "song/midicursor.h"

#include <cstdint>
#include <functional>

namespace song {

namespace {

// Reads up to `count` bytes at `offset`; fewer where the file ends.
using ReadAt = std::function<std::string(std::int64_t offset, std::int64_t count)>;

void complain(platform::MessageSink& messages, const char* prefix, const std::string& path) {
    messages.showMessage(prefix + platform::upperCase(path) + ".  It is not a valid Karaoke file.",
                         platform::MessageIcon::Exclamation);
}

std::int32_t readLength(const ReadAt& read, std::int64_t offset) {
    const std::string bytes = read(offset, 4);
    MidiCursor in(bytes);
    return in.length32();
}

// Where the chunk whose "MTrk" stands at `start` ends.
std::int32_t afterChunk(std::int32_t start, std::int32_t length) {
    return platform::add32(platform::add32(start, 8), length);
}

void probe(const ReadAt& read, const std::string& path, std::string& info, std::string& title,
           platform::MessageSink& messages) {
    if (read(0, 4) != "MThd") {
        complain(messages, "Missing MIDI Header Track in ", path);
        return;
    }
    std::int32_t at = platform::add32(8, readLength(read, 4));
    if (read(at, 4) != "MTrk") {
        complain(messages, "Missing MIDI Track 0 in ", path);
        return;
    }
    at = afterChunk(at, readLength(read, std::int64_t{at} + 4));
    if (read(at, 4) != "MTrk") {
        complain(messages, "Missing MIDI Track 1 in ", path);
        return;
    }
    std::int32_t length = readLength(read, std::int64_t{at} + 4);
    info = CollectTaggedLines(read(std::int64_t{at} + 8, length), "@I");
    at = afterChunk(at, length);
    if (read(at, 4) != "MTrk") {
        complain(messages, "Missing MIDI Track 2 in ", path);
        return;
    }
    length = readLength(read, std::int64_t{at} + 4);
    title = CollectTaggedLines(read(std::int64_t{at} + 8, length), "@T");
}

void probeGuarded(const ReadAt& read, const std::string& path, std::string& info,
                  std::string& title, platform::MessageSink& messages) {
    try {
        probe(read, path, info, title, messages);
    } catch (const UnexpectedEnd&) {
        complain(messages, "Unexpected end of file in ", path);
    }
}

} // namespace

std::string CollectTaggedLines(std::string_view chunk, std::string_view tag) {
    static constexpr std::string_view TextEvent("\xFF\x01", 2);
    std::string result;
    for (std::size_t found = chunk.find(TextEvent); found != std::string_view::npos;
         found = chunk.find(TextEvent, found + 2)) {
        // The length is a variable-length quantity like every meta length; one that runs off
        // the end of the chunk leaves nothing more to collect.
        std::size_t at = found + 2;
        std::size_t length = 0;
        bool complete = false;
        while (at < chunk.size() && !complete) {
            const auto b = static_cast<unsigned char>(chunk[at++]);
            length = length < chunk.size() ? (length << 7) | (b & 0x7Fu) : chunk.size();
            complete = (b & 0x80) == 0;
        }
        if (!complete)
            break;
        std::string line(chunk.substr(at, length));
        line += "\r\n";
        if (line.find(tag) != std::string::npos)
            result.append(line, 2);
    }
    return result;
}

void ReadSongInfoBytes(std::string_view bytes, const std::string& path, std::string& info,
                       std::string& title, platform::MessageSink& messages) {
    const ReadAt read = [bytes](std::int64_t offset, std::int64_t count) {
        const auto size = static_cast<std::int64_t>(bytes.size());
        if (offset < 0 || count <= 0 || offset >= size)
            return std::string();
        return std::string(
            bytes.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(count)));
    };
    probeGuarded(read, path, info, title, messages);
}

void ReadSongInfo(const std::string& path, std::string& info, std::string& title,
                  platform::MessageSink& messages) {
    const platform::BinaryFile file(path);
    const ReadAt read = [&file](std::int64_t offset, std::int64_t count) {
        return file.readAt(offset, count);
    };
    probeGuarded(read, path, info, title, messages);
}

} // namespace song
