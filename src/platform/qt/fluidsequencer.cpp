#include "platform/qt/fluidsequencer.h"

#include "platform/binaryfile.h"
#include "platform/errors.h"
#include "song/midimeasure.h"
#include "song/songpointer.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <utility>

namespace platform::qt {

namespace {

using std::chrono::steady_clock;

// How far ahead of the clock an output may render when it starts (it fills its buffer first).
constexpr std::int64_t RenderAheadMicroseconds = 500'000;

struct PlayerDeleter {
    void operator()(fluid_player_t* player) const noexcept { delete_fluid_player(player); }
};
using Player = std::unique_ptr<fluid_player_t, PlayerDeleter>;

// Runs on the synthesiser's audio thread: it only stores the tick.
int noteTick(void* data, int tick) {
    static_cast<std::atomic<int>*>(data)->store(tick, std::memory_order_relaxed);
    return FLUID_OK;
}

std::string readSong(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw RuntimeError(err::FileNotFound, "the file does not exist");
    try {
        return BinaryFile(path).readAll();
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number(), "the file cannot be read");
    }
}

} // namespace

struct FluidSequencer::Session {
    std::string bytes;
    song::MidiMeasure measure;
    std::int32_t length = 0; // song-pointer units
    std::atomic<int> reachedTick{-1};
    FluidEngine::Claim claim;
    Player player;
    FluidEngine::AudioDriver audio;

    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    // The output's thread drives the player: stop the player, then the output, then free it.
    ~Session() {
        if (player)
            fluid_player_stop(player.get());
        audio.reset();
        player.reset();
    }

    std::int32_t lengthTicks() const noexcept { return measure.lengthTicks; }
    bool synthPlaying() const noexcept {
        return fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING;
    }
    void silence() const noexcept {
        if (synthPlaying())
            fluid_player_stop(player.get());
    }
};

FluidSequencer::FluidSequencer(FluidEngine& engine) : m_engine(engine) {}

FluidSequencer::~FluidSequencer() {
    close();
}

void FluidSequencer::setTimeFormat(std::int32_t format) {
    if (format != sequencer::SongPointerFormat)
        raiseError(err::InvalidPropertyValue);
}

void FluidSequencer::open(const std::string& path) {
    close();
    auto session = std::make_unique<Session>();
    session->bytes = readSong(path);
    session->measure = song::measureMidiFile(session->bytes);
    if (session->measure.fault != song::MidiFault::None)
        throw RuntimeError(err::InvalidCall, song::describeMidiFault(session->measure.fault));
    try {
        session->length =
            song::songPointerOfTick(session->measure.lengthTicks, session->measure.division);
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number(), song::describeMidiFault(song::MidiFault::TooLong));
    }

    session->claim = FluidEngine::Claim(m_engine);
    session->player.reset(new_fluid_player(session->claim.synth()));
    if (!session->player)
        throw RuntimeError(err::OutOfMemory, "the synthesiser's player could not be started");
    fluid_player_set_tick_callback(session->player.get(), noteTick, &session->reachedTick);
    if (fluid_player_add_mem(session->player.get(), session->bytes.data(), session->bytes.size()) !=
        FLUID_OK)
        throw RuntimeError(err::OutOfMemory, "the synthesiser's player could not take the file");
    session->audio = m_engine.startAudio();

    m_session = std::move(session);
    m_state = State::Stopped;
    m_restTick = 0;
    m_problem.clear();
}

void FluidSequencer::close() noexcept {
    m_session.reset();
    m_state = State::Stopped;
    m_restTick = 0;
    m_problem.clear();
}

void FluidSequencer::play(std::optional<std::int32_t> from) {
    if (!m_session)
        return;
    refresh();
    if (m_state == State::Playing && !from)
        return;
    const std::int32_t lengthTicks = m_session->lengthTicks();
    const std::int32_t target =
        from ? std::min(song::tickOfSongPointer(std::clamp(*from, 0, m_session->length),
                                                m_session->measure.division),
                        lengthTicks)
             : m_restTick;
    // Always seek before playing: the player forgets a stop's position in its tail, and after
    // its own end it would start again from the top.
    m_session->silence();
    if (target >= lengthTicks) {
        m_state = State::Stopped;
        m_restTick = lengthTicks;
        return;
    }
    m_session->reachedTick.store(-1, std::memory_order_relaxed);
    takeFluidError();
    if (fluid_player_seek(m_session->player.get(), target) != FLUID_OK ||
        fluid_player_play(m_session->player.get()) != FLUID_OK) {
        m_session->silence();
        m_state = State::Stopped;
        m_restTick = target;
        m_problem = "the synthesiser could not start it";
        return;
    }
    m_startTick = target;
    m_startTime = steady_clock::now();
    m_state = State::Playing;
}

void FluidSequencer::pause() {
    if (!m_session)
        return;
    refresh();
    if (m_state != State::Playing)
        return;
    m_restTick = currentTick();
    m_session->silence();
    m_state = State::Paused;
}

void FluidSequencer::stop() {
    if (!m_session)
        return;
    refresh();
    if (m_state == State::Playing)
        m_restTick = currentTick();
    m_session->silence(); // also the last notes still ringing after the end
    m_state = State::Stopped;
}

void FluidSequencer::rewind() {
    if (!m_session)
        return;
    refresh();
    if (m_state == State::Playing) {
        play(0);
        return;
    }
    m_session->silence();
    m_state = State::Stopped;
    m_restTick = 0;
}

std::int32_t FluidSequencer::mode() {
    if (!m_session)
        return sequencer::NotOpen;
    refresh();
    switch (m_state) {
    case State::Playing:
        return sequencer::Playing;
    case State::Paused:
        return sequencer::Paused;
    case State::Stopped:
        break;
    }
    return sequencer::Stopped;
}

std::int32_t FluidSequencer::position() {
    if (!m_session)
        return 0;
    refresh();
    return song::songPointerOfTick(currentTick(), m_session->measure.division);
}

std::int32_t FluidSequencer::length() const {
    return m_session ? m_session->length : 0;
}

std::string FluidSequencer::takeProblem() {
    refresh();
    return std::exchange(m_problem, {});
}

// Notices what happened on the synthesiser's side since the last look: the end of the song,
// or a player that gave up on its own.
void FluidSequencer::refresh() {
    if (!m_session || m_state != State::Playing)
        return;
    const std::int32_t lengthTicks = m_session->lengthTicks();
    if (currentTick() >= lengthTicks) {
        // The last notes ring out; the next command silences them.
        m_state = State::Stopped;
        m_restTick = lengthTicks;
        return;
    }
    if (m_session->synthPlaying())
        return;
    // It stopped before the end. Without a single tick it never read the file.
    const bool started = m_session->reachedTick.load(std::memory_order_relaxed) >= 0;
    m_state = State::Stopped;
    m_restTick = started ? lengthTicks : m_startTick;
    if (!started) {
        const std::string why = takeFluidError();
        m_problem = "the synthesiser could not read it" + (why.empty() ? "" : " (" + why + ")");
    }
}

// The tick reached. Right after a start the player still shows the tick it had before until its
// thread has moved; a tick that cannot have been reached since the start is such a leftover.
std::int32_t FluidSequencer::currentTick() const {
    if (m_state != State::Playing)
        return m_restTick;
    const std::int32_t reached = m_session->reachedTick.load(std::memory_order_relaxed);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::microseconds>(steady_clock::now() - m_startTime);
    const std::int64_t reachable = (elapsed.count() + RenderAheadMicroseconds) *
                                       m_session->measure.division /
                                       m_session->measure.fastestTempo +
                                   2;
    if (reached < m_startTick || reached > m_startTick + reachable)
        return m_startTick;
    return std::min(reached, m_session->lengthTicks());
}

} // namespace platform::qt
