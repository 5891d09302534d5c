#pragma once

#include "platform/messagesink.h"

#include <string>
#include <vector>

namespace testsupport {

struct ShownMessage {
    std::string text;
    platform::MessageIcon icon;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// Keeps every message shown, in order.
class RecordingMessageSink : public platform::MessageSink {
public:
    void showMessage(const std::string& text, platform::MessageIcon icon) override {
        messages.push_back({text, icon});
    }
    std::vector<ShownMessage> messages;
};

} // namespace testsupport
