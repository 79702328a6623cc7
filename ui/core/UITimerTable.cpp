#include "ui/core/UITimerTable.h"

#include <algorithm>

#include "platform/window/WindowSystem.h"

namespace pelmo::ui {

namespace {
constexpr std::uintptr_t lastNativeId = 0xFFFF;
}

std::uintptr_t UITimerTable::DrawNativeId()
{
    // Ids are never shared by two records of a window, so a tick always
    // reaches the control that set the timer.
    for (;;) {
        const std::uintptr_t id = nextNativeId_;
        nextNativeId_ = nextNativeId_ >= lastNativeId ? firstNativeId : nextNativeId_ + 1;
        const bool used = std::any_of(records_.begin(), records_.end(),
                                      [id](const Record& record) { return record.nativeId == id; });
        if (!used)
            return id;
    }
}

bool UITimerTable::Set(platform::WindowSystem& windows, platform::WindowHandle window, CControlUI* control,
                       unsigned id, unsigned milliseconds)
{
    for (Record& record : records_) {
        if (record.control != control || record.window != window || record.id != id)
            continue;
        if (!record.killed)
            return false;
        if (!windows.setTimer(window, record.nativeId, milliseconds))
            return false;
        record.killed = false;
        return true;
    }
    const std::uintptr_t nativeId = DrawNativeId();
    if (!windows.setTimer(window, nativeId, milliseconds))
        return false;
    records_.push_back(Record{control, id, window, nativeId, false});
    return true;
}

bool UITimerTable::Kill(platform::WindowSystem& windows, CControlUI* control, unsigned id)
{
    for (Record& record : records_) {
        if (record.control == control && record.id == id && !record.killed) {
            windows.killTimer(record.window, record.nativeId);
            record.killed = true;
            return true;
        }
    }
    return false;
}

void UITimerTable::KillControl(platform::WindowSystem& windows, CControlUI* control)
{
    std::erase_if(records_, [&](const Record& record) {
        if (record.control != control)
            return false;
        if (!record.killed)
            windows.killTimer(record.window, record.nativeId);
        return true;
    });
}

void UITimerTable::KillAll(platform::WindowSystem& windows)
{
    for (const Record& record : records_)
        if (!record.killed)
            windows.killTimer(record.window, record.nativeId);
    records_.clear();
}

const UITimerTable::Record* UITimerTable::Find(platform::WindowHandle window, std::uintptr_t nativeId) const
{
    for (const Record& record : records_)
        if (record.window == window && record.nativeId == nativeId && !record.killed)
            return &record;
    return nullptr;
}

} // namespace pelmo::ui
