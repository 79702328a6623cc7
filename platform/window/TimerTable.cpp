#include "platform/window/TimerTable.h"

#include <algorithm>

namespace pelmo::platform {

namespace {
constexpr unsigned minimumInterval = 10;
}

void TimerTable::set(WindowHandle window, std::uintptr_t id, unsigned milliseconds, std::uint64_t now)
{
    const unsigned interval = std::max(milliseconds, minimumInterval);
    for (Timer& timer : timers_) {
        if (timer.window == window && timer.id == id) {
            timer.interval = interval;
            timer.due = now + interval;
            return;
        }
    }
    timers_.push_back(Timer{window, id, interval, now + interval, nextOrder_++});
}

bool TimerTable::kill(WindowHandle window, std::uintptr_t id)
{
    return std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; }) > 0;
}

void TimerTable::killWindow(WindowHandle window)
{
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

std::optional<TimerTable::Due> TimerTable::takeDue(std::uint64_t now)
{
    Timer* first = nullptr;
    for (Timer& timer : timers_) {
        if (timer.due > now)
            continue;
        if (!first || timer.due < first->due || (timer.due == first->due && timer.order < first->order))
            first = &timer;
    }
    if (!first)
        return std::nullopt;
    first->due = now + first->interval;
    return Due{first->window, first->id};
}

std::optional<std::uint64_t> TimerTable::untilNext(std::uint64_t now) const
{
    std::optional<std::uint64_t> result;
    for (const Timer& timer : timers_) {
        const std::uint64_t wait = timer.due > now ? timer.due - now : 0;
        if (!result || wait < *result)
            result = wait;
    }
    return result;
}

} // namespace pelmo::platform
