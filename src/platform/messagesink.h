#pragma once

#include <string>

namespace platform {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };

// Where the program's messages go: a modal box with an OK button titled with the application
// name in the windows, standard error on the command line, a recorder in tests. Texts are UTF-8.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& text, MessageIcon icon) = 0;
};

} // namespace platform
