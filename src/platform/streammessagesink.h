#pragma once

#include "platform/messagesink.h"

#include <ostream>

namespace platform {

// Messages of the command-line modes: one line each on the given stream (standard error).
class StreamMessageSink : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& out) : m_out(out) {}
    void showMessage(const std::string& text, MessageIcon) override {
        m_out << text << '\n';
        ++m_count;
    }
    int count() const noexcept { return m_count; }

private:
    std::ostream& m_out;
    int m_count = 0;
};

} // namespace platform
