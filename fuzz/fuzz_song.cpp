// Feeds arbitrary bytes to the KAR reader and the song info probe. Messages are dropped; a
// numbered run-time error is an expected outcome; anything else (a crash, a sanitizer report,
// an exception of another kind, a hang) is a finding.

#include "platform/errors.h"
#include "song/karreader.h"
#include "song/linebuilder.h"
#include "song/songinfo.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

class DropMessages : public platform::MessageSink {
public:
    void showMessage(const std::string&, platform::MessageIcon) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DropMessages messages;
    try {
        song::SongModel song;
        if (song::ReadKarBytes(bytes, "/fuzz/input.kar", song.Lyrics, song.Division, song.Tempos,
                               messages))
            song::BuildLines(song.Lyrics, song.Lines);
    } catch (const platform::RuntimeError&) {
    }
    try {
        std::string info;
        std::string title;
        song::ReadSongInfoBytes(bytes, "/fuzz/input.kar", info, title, messages);
    } catch (const platform::RuntimeError&) {
    }
    return 0;
}
