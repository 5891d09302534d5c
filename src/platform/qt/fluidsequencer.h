#pragma once

#include "platform/qt/fluidengine.h"
#include "platform/sequencerdevice.h"

#include <chrono>
#include <memory>

namespace platform::qt {

// The sequencer device on the synthesiser's MIDI file player. The file is checked and measured
// before the player sees it; the player's own thread reports the tick it reached through an
// atomic and never calls back into our objects otherwise. Its end, which the player only reaches
// after a long tail, is ours: the mode reads stopped as soon as the position reaches the length,
// while the last notes ring out.
class FluidSequencer final : public SequencerDevice {
public:
    explicit FluidSequencer(FluidEngine& engine);
    ~FluidSequencer() override;
    FluidSequencer(const FluidSequencer&) = delete;
    FluidSequencer& operator=(const FluidSequencer&) = delete;

    void setTimeFormat(std::int32_t format) override;
    std::int32_t timeFormat() const override { return sequencer::SongPointerFormat; }

    void open(const std::string& path) override;
    void close() noexcept override;

    void play(std::optional<std::int32_t> from) override;
    void pause() override;
    void stop() override;
    void rewind() override;

    std::int32_t mode() override;
    std::int32_t position() override;
    std::int32_t length() const override;
    std::string takeProblem() override;

private:
    struct Session;
    enum class State { Stopped, Playing, Paused };

    void refresh();
    void halt(State state);
    std::int32_t currentTick() const;

    FluidEngine& m_engine;
    std::unique_ptr<Session> m_session;
    State m_state = State::Stopped;
    std::int32_t m_restTick = 0;  // where it stopped or paused
    std::int32_t m_startTick = 0; // where the current play started
    std::chrono::steady_clock::time_point m_startTime;
    std::string m_problem;
};

} // namespace platform::qt
