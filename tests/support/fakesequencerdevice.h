#pragma once

#include "platform/errors.h"
#include "platform/sequencerdevice.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// A sequencer device whose song plays only when the test moves its position. It keeps the
// device's rules (a start at or past the length plays nothing, reaching the length stops) and
// records every call, in order.
class FakeSequencerDevice : public platform::SequencerDevice {
public:
    // Test controls.
    std::int32_t lengthOnOpen = 100;
    std::string refuseNextOpen; // the reason, when not empty
    void setPosition(std::int32_t position) { m_position = position; }
    void giveUp(std::string reason) {
        m_problem = std::move(reason);
        m_mode = platform::sequencer::Stopped;
    }

    std::vector<std::string> calls;
    std::string openedPath;

    void setTimeFormat(std::int32_t format) override {
        calls.push_back("timeFormat " + std::to_string(format));
        if (format != platform::sequencer::SongPointerFormat)
            platform::raiseError(platform::err::InvalidPropertyValue);
    }
    std::int32_t timeFormat() const override { return platform::sequencer::SongPointerFormat; }

    void open(const std::string& path) override {
        calls.push_back("open " + path);
        close();
        if (!refuseNextOpen.empty())
            throw platform::RuntimeError(platform::err::InvalidCall,
                                         std::exchange(refuseNextOpen, {}));
        openedPath = path;
        m_mode = platform::sequencer::Stopped;
        m_length = lengthOnOpen;
    }
    void close() noexcept override {
        m_mode = platform::sequencer::NotOpen;
        m_position = 0;
        m_length = 0;
        openedPath.clear();
    }

    void play(std::optional<std::int32_t> from) override {
        calls.push_back(from ? "play " + std::to_string(*from) : "play");
        if (m_mode == platform::sequencer::NotOpen ||
            (m_mode == platform::sequencer::Playing && !from))
            return;
        if (from)
            m_position = std::clamp(*from, 0, m_length);
        m_mode =
            m_position >= m_length ? platform::sequencer::Stopped : platform::sequencer::Playing;
    }
    void pause() override {
        calls.push_back("pause");
        if (m_mode == platform::sequencer::Playing)
            m_mode = platform::sequencer::Paused;
    }
    void stop() override {
        calls.push_back("stop");
        if (m_mode != platform::sequencer::NotOpen)
            m_mode = platform::sequencer::Stopped;
    }
    void rewind() override {
        calls.push_back("rewind");
        if (m_mode == platform::sequencer::NotOpen)
            return;
        m_position = 0;
        if (m_mode != platform::sequencer::Playing)
            m_mode = platform::sequencer::Stopped;
    }

    std::int32_t mode() override {
        noticeEnd();
        return m_mode;
    }
    std::int32_t position() override {
        noticeEnd();
        return m_position;
    }
    std::int32_t length() const override { return m_length; }
    std::string takeProblem() override { return std::exchange(m_problem, {}); }

private:
    void noticeEnd() {
        if (m_mode == platform::sequencer::Playing && m_position >= m_length) {
            m_mode = platform::sequencer::Stopped;
            m_position = m_length;
        }
    }

    std::int32_t m_mode = platform::sequencer::NotOpen;
    std::int32_t m_position = 0;
    std::int32_t m_length = 0;
    std::string m_problem;
};

} // namespace testsupport
