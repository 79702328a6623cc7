#include "app/macros/MacroEventText.h"

#include <cassert>
#include <cinttypes>
#include <cstdio>

#include "app/keys/MouseEventNames.h"
#include "app/settings/StoredText.h"

namespace pelmo::app {

std::string_view kindText(MacroEventKind kind)
{
    switch (kind) {
    case MacroEventKind::EventDelay:
        return "t";
    case MacroEventKind::EventKeyDown:
    case MacroEventKind::EventKeyUp:
        return "k";
    case MacroEventKind::EventMouseDown:
    case MacroEventKind::EventMouseUp:
    case MacroEventKind::EventWheelDown:
    case MacroEventKind::EventWheelUp:
        return "m";
    }
    return {};
}

std::string_view actionText(MacroEventKind kind)
{
    switch (kind) {
    case MacroEventKind::EventDelay:
        return {};
    case MacroEventKind::EventKeyDown:
    case MacroEventKind::EventMouseDown:
    case MacroEventKind::EventWheelDown:
        return "down";
    case MacroEventKind::EventKeyUp:
    case MacroEventKind::EventMouseUp:
    case MacroEventKind::EventWheelUp:
        return "up";
    }
    return {};
}

std::string delaySecondsText(std::int64_t milliseconds)
{
    assert(milliseconds >= 0 && "a delay cannot be negative");
    if (milliseconds < 0)
        milliseconds = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64 ".%d%d%d", milliseconds / 1000,
                  static_cast<int>(milliseconds % 1000 / 100), static_cast<int>(milliseconds % 100 / 10),
                  static_cast<int>(milliseconds % 10));
    return text;
}

std::optional<MacroEventKind> storedEventKind(const MacroEvent& event)
{
    std::string_view kind = fieldText(event.kind);
    std::string_view action = fieldText(event.action);
    if (kind == "t")
        return MacroEventKind::EventDelay;
    if (kind == "k" && action == "down")
        return MacroEventKind::EventKeyDown;
    if (kind == "k" && action == "up")
        return MacroEventKind::EventKeyUp;
    if (kind == "m" && action == "down")
        return MacroEventKind::EventMouseDown;
    if (kind == "m" && action == "up")
        return MacroEventKind::EventMouseUp;
    return std::nullopt;
}

std::optional<std::string> eventListText(const MacroEvent& event, std::uint8_t languageIndex)
{
    auto kind = storedEventKind(event);
    if (!kind)
        return std::nullopt;
    std::string_view text = fieldText(event.text);
    switch (*kind) {
    case MacroEventKind::EventDelay:
        return delayListText(text, languageIndex);
    case MacroEventKind::EventKeyDown:
    case MacroEventKind::EventKeyUp:
        return displayText(text);
    case MacroEventKind::EventMouseDown:
        return mouseEventListText(text, MouseEventSuffix::Down, languageIndex);
    default:
        return mouseEventListText(text, MouseEventSuffix::Up, languageIndex);
    }
}

} // namespace pelmo::app
