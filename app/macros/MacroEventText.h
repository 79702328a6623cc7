#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/macros/MacroEvent.h"

namespace pelmo::app {

// The `kind` and `action` texts an event of `kind` is stored with.
std::string_view kindText(MacroEventKind kind);
std::string_view actionText(MacroEventKind kind);

// A delay as stored: "%d.%d%d%d" of whole seconds, then tenths, hundredths
// and thousandths, so 50 ms is "0.050" and 100000 ms "100.000".
std::string delaySecondsText(std::int64_t milliseconds);

// What a stored event shows as on the macro page: key down or up, mouse down
// or up (the wheel's direction is in its name), or a delay. None for any
// other combination of texts, which the page does not show.
std::optional<MacroEventKind> storedEventKind(const MacroEvent& event);

// The macro list's line for a stored event in the language `languageIndex`:
// a key's name, a mouse button's name and direction, or a delay's seconds
// text and the delay word. None for an event the page does not show.
std::optional<std::string> eventListText(const MacroEvent& event, std::uint8_t languageIndex);

} // namespace pelmo::app
