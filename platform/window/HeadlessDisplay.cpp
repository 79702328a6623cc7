#include "platform/window/HeadlessDisplay.h"

#include "platform/graphics/PngWriter.h"
#include "platform/graphics/Utf8.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"

namespace pelmo::platform {

namespace {
// A loop that never goes idle is a fault of the code under test; stop it
// rather than hang the test run.
constexpr int runaway = 1000000;
} // namespace

void HeadlessDisplay::present(WindowHandle window, const Surface&, const Rect& area)
{
    presented_.push_back(Presented{window, area});
}

void HeadlessDisplay::waitForEvents(int timeoutMs)
{
    if (timeoutMs >= 0) {
        now_ += static_cast<std::uint64_t>(timeoutMs);
        return;
    }
    std::unique_lock lock(wakeMutex_);
    wakeSignal_.wait(lock, [this] { return woken_; });
    woken_ = false;
}

void HeadlessDisplay::wakeUp()
{
    {
        std::lock_guard lock(wakeMutex_);
        woken_ = true;
    }
    wakeSignal_.notify_one();
}

int HeadlessDisplay::runUntilIdle()
{
    int dispatched = 0;
    WindowMessage message;
    while (dispatched < runaway && !quit_ && system_->peekMessage(message, true)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            exitCode_ = static_cast<int>(message.wParam);
            break;
        }
        if (filter_ && filter_(message))
            continue;
        system_->translateMessage(message);
        system_->dispatchMessage(message);
        ++dispatched;
    }
    return dispatched;
}

void HeadlessDisplay::advanceTime(std::uint64_t milliseconds)
{
    const std::uint64_t target = now_.load() + milliseconds;
    runUntilIdle();
    while (!quit_) {
        const std::optional<std::uint64_t> next = system_->untilNextTimer();
        if (!next || now_.load() + *next > target)
            break;
        now_ += *next;
        runUntilIdle();
    }
    now_.store(target);
    runUntilIdle();
}

void HeadlessDisplay::mouseMove(int x, int y)
{
    system_->input().pointerMoved(Point{x, y});
    runUntilIdle();
}

void HeadlessDisplay::mouseDown(MouseButton button)
{
    system_->input().buttonChanged(button, true);
    runUntilIdle();
}

void HeadlessDisplay::mouseUp(MouseButton button)
{
    system_->input().buttonChanged(button, false);
    runUntilIdle();
}

void HeadlessDisplay::click(int x, int y, MouseButton button)
{
    mouseMove(x, y);
    mouseDown(button);
    mouseUp(button);
}

void HeadlessDisplay::wheel(int notches)
{
    system_->input().wheelTurned(notches * WHEEL_DELTA);
    runUntilIdle();
}

void HeadlessDisplay::keyDown(unsigned virtualKey, char32_t character)
{
    if (character == 0)
        character = usCharacter(virtualKey, system_->keyState(VK_SHIFT) < 0);
    system_->input().keyChanged(virtualKey, true, false, character);
    runUntilIdle();
}

void HeadlessDisplay::keyUp(unsigned virtualKey)
{
    system_->input().keyChanged(virtualKey, false);
    runUntilIdle();
}

void HeadlessDisplay::pressKey(unsigned virtualKey)
{
    keyDown(virtualKey);
    keyUp(virtualKey);
}

void HeadlessDisplay::typeText(std::string_view utf8)
{
    WindowHandle target = system_->focus();
    if (target == NoWindow)
        target = system_->activeWindow();
    for (std::size_t offset = 0; offset < utf8.size();) {
        const char32_t character = Utf8::next(utf8, offset);
        system_->postMessage(target, WM_CHAR, static_cast<WParam>(character), 1);
    }
    runUntilIdle();
}

char32_t HeadlessDisplay::usCharacter(unsigned virtualKey, bool shift)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return shift ? virtualKey : virtualKey + ('a' - 'A');
    if (virtualKey >= '0' && virtualKey <= '9')
        return shift ? U")!@#$%^&*("[virtualKey - '0'] : virtualKey;
    switch (virtualKey) {
    case VK_SPACE: return U' ';
    case VK_RETURN: return U'\r';
    case VK_TAB: return U'\t';
    case VK_BACK: return U'\b';
    case VK_ESCAPE: return 0x1B;
    default: return 0;
    }
}

Surface HeadlessDisplay::screenshot() const { return system_->composeScreen(); }

bool HeadlessDisplay::writeScreenshot(const std::string& path, std::string* error) const
{
    return PngWriter::write(screenshot(), path, error);
}

} // namespace pelmo::platform
