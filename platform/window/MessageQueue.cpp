#include "platform/window/MessageQueue.h"

#include <algorithm>

namespace pelmo::platform {

void MessageQueue::post(const WindowMessage& message)
{
    std::lock_guard lock(mutex_);
    messages_.push_back(message);
}

void MessageQueue::postFront(const WindowMessage& message)
{
    std::lock_guard lock(mutex_);
    messages_.push_front(message);
}

std::optional<WindowMessage> MessageQueue::take(bool remove)
{
    std::lock_guard lock(mutex_);
    if (messages_.empty())
        return std::nullopt;
    WindowMessage message = messages_.front();
    if (remove)
        messages_.pop_front();
    return message;
}

bool MessageQueue::empty() const
{
    std::lock_guard lock(mutex_);
    return messages_.empty();
}

void MessageQueue::dropWindow(WindowHandle window)
{
    std::lock_guard lock(mutex_);
    std::erase_if(messages_, [window](const WindowMessage& message) { return message.window == window; });
}

} // namespace pelmo::platform
