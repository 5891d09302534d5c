#pragma once

#include "platform/errors.h"
#include "platform/errortrap.h"
#include "platform/messagesink.h"

#include <exception>
#include <string>
#include <utility>

namespace platform {

// Where the errors of a window's event handlers go. Setting a control from code raises its
// handler at once, nested in the code that set it; when that code is a continue-on-error step,
// the handler's error becomes the step's pending error, as if the step itself had failed. A
// handler the user raised has no such step above it: its error is told to the user, and the
// program goes on. Either way no error leaves the handler.
class HandlerErrors {
public:
    explicit HandlerErrors(MessageSink& messages) : m_messages(messages) {}
    HandlerErrors(const HandlerErrors&) = delete;
    HandlerErrors& operator=(const HandlerErrors&) = delete;

    template <typename Handler> void run(Handler&& handler) noexcept {
        try {
            std::forward<Handler>(handler)();
        } catch (...) {
            failed(errorNumberOf(std::current_exception()));
        }
    }

    // While a scope lives, handler errors go to its trap; scopes nest.
    class [[nodiscard]] Scope {
    public:
        Scope(HandlerErrors& owner, ErrorTrap& trap)
            : m_owner(owner), m_previous(std::exchange(owner.m_trap, &trap)) {}
        ~Scope() { m_owner.m_trap = m_previous; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        HandlerErrors& m_owner;
        ErrorTrap* m_previous;
    };

    Scope collectInto(ErrorTrap& trap) { return Scope(*this, trap); }

private:
    void failed(int number) noexcept {
        if (m_trap) {
            m_trap->setPending(number);
            return;
        }
        try {
            m_messages.showMessage("Error " + std::to_string(number) + ": " +
                                       errorDescription(number),
                                   MessageIcon::Critical);
        } catch (...) { // with no memory left for the message there is nothing more to do
        }
    }

    MessageSink& m_messages;
    ErrorTrap* m_trap = nullptr;
};

} // namespace platform
