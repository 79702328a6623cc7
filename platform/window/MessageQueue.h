#pragma once

#include <deque>
#include <mutex>
#include <optional>

#include "platform/window/WindowTypes.h"

namespace pelmo::platform {

// The posted messages of one UI thread, first in first out. Posting is
// thread-safe (the device monitor posts from its own thread); taking is for
// the owning thread.
class MessageQueue {
public:
    void post(const WindowMessage& message);
    // Puts a message before everything already waiting: the characters that
    // translateMessage makes from a key come before the key's release.
    void postFront(const WindowMessage& message);
    std::optional<WindowMessage> take(bool remove);
    bool empty() const;
    // Forgets the messages of a destroyed window.
    void dropWindow(WindowHandle window);

private:
    mutable std::mutex mutex_;
    std::deque<WindowMessage> messages_;
};

} // namespace pelmo::platform
