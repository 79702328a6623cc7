#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window/WindowTypes.h"

namespace pelmo::platform {

// The running timers of the windows of one thread. A timer fires at most
// once per take: a timer that fell behind fires once and is re-armed from
// the time it fired, as timer messages never pile up.
class TimerTable {
public:
    struct Due {
        WindowHandle window = NoWindow;
        std::uintptr_t id = 0;
    };

    // Starts the timer, or restarts it with the new interval when the
    // window already has one of that id. Intervals below 10 ms are 10 ms.
    void set(WindowHandle window, std::uintptr_t id, unsigned milliseconds, std::uint64_t now);
    bool kill(WindowHandle window, std::uintptr_t id);
    void killWindow(WindowHandle window);

    // The earliest timer due at `now` (ties in the order they were set), re-armed.
    std::optional<Due> takeDue(std::uint64_t now);
    // Milliseconds until the next timer is due (0 when one is), or none.
    std::optional<std::uint64_t> untilNext(std::uint64_t now) const;
    std::size_t size() const { return timers_.size(); }

private:
    struct Timer {
        WindowHandle window;
        std::uintptr_t id;
        unsigned interval;
        std::uint64_t due;
        std::uint64_t order;
    };
    std::vector<Timer> timers_;
    std::uint64_t nextOrder_ = 0;
};

} // namespace pelmo::platform
