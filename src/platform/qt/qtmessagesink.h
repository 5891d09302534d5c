#pragma once

#include "platform/messagesink.h"

class QWidget;

namespace platform::qt {

// Messages as modal boxes with one OK button, titled with the application's name.
class QtMessageSink : public MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr) : m_parent(parent) {}
    void showMessage(const std::string& text, MessageIcon icon) override;

private:
    QWidget* m_parent;
};

// The caption of every message box.
inline constexpr const char* ApplicationTitle = "Vocatune Player 1.5";

} // namespace platform::qt
