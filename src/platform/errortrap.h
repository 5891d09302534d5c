#pragma once

#include "platform/errors.h"

#include <exception>
#include <utility>

namespace platform {

// The continue-on-error regime of window start-ups and some handlers: each step runs; a step
// that fails is abandoned, its error number stays pending, and the next step runs. A later
// failure replaces the pending number. The pending error goes away only through take() or
// clear(), i.e. when it is reported or explicitly discarded.
class ErrorTrap {
public:
    // Runs one step. Returns true when it completed, false when it was abandoned.
    template <typename Step> bool run(Step&& step) noexcept {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (...) {
            m_pending = errorNumberOf(std::current_exception());
            return false;
        }
    }

    // Records an error found without an exception (a step that failed in its own way).
    void setPending(int number) noexcept { m_pending = number; }
    bool hasPending() const noexcept { return m_pending != 0; }
    int pending() const noexcept { return m_pending; }
    void clear() noexcept { m_pending = 0; }
    int take() noexcept { return std::exchange(m_pending, 0); }

private:
    int m_pending = 0;
};

} // namespace platform
