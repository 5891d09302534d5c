#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

namespace sequencer {
// The modes the player compares with, in the numbering it knows.
inline constexpr std::int32_t NotOpen = 524;
inline constexpr std::int32_t Stopped = 525;
inline constexpr std::int32_t Playing = 526;
inline constexpr std::int32_t Paused = 529;

// The only time format: song-pointer units, four to a quarter note.
inline constexpr std::int32_t SongPointerFormat = 16385;
} // namespace sequencer

// A MIDI sequencer playing one song file. Every call comes from the user-interface thread;
// positions and lengths are in the time format (song-pointer units).
class SequencerDevice {
public:
    virtual ~SequencerDevice() = default;

    // Any format but song-pointer units is refused with error 380, open or not.
    virtual void setTimeFormat(std::int32_t format) = 0;
    virtual std::int32_t timeFormat() const = 0;

    // Opens a song file, stopped at 0, closing whatever was open. The length is known when this
    // returns. A file that cannot be played is refused with a RuntimeError whose detail says
    // why, as the end of a sentence.
    virtual void open(const std::string& path) = 0;
    virtual void close() noexcept = 0;

    // Plays from the given position, or from where it stopped or paused. A start at or past the
    // length plays nothing and leaves the device stopped at the length. Nothing happens when
    // the device is not open.
    virtual void play(std::optional<std::int32_t> from) = 0;
    // Both take effect before they return; a paused device resumes where it paused.
    virtual void pause() = 0;
    virtual void stop() = 0;
    // Back to 0; a playing device goes on playing from there, any other one is then stopped.
    virtual void rewind() = 0;

    // Once the position reaches the length, the mode reads stopped and the position the length.
    virtual std::int32_t mode() = 0;
    virtual std::int32_t position() = 0;
    virtual std::int32_t length() const = 0;

    // A problem met while playing that stopped the device (the synthesiser gave up on the file),
    // as the end of a sentence; empty when there is none. Reading it clears it.
    virtual std::string takeProblem() = 0;
};

} // namespace platform
