#pragma once

#include <cstddef>
#include <cstdint>

namespace pelmo::app {

// One event of a macro as stored in the settings store and in macro files:
// three zero-terminated UTF-8 texts in fixed fields.
//   kind    "k" key, "m" mouse button, "t" delay
//   text    the key's name from the key table, the mouse button's name, or
//           the delay as seconds text ("0.050")
//   action  "down" or "up"; empty for a delay
#pragma pack(push, 1)
struct MacroEvent {
    char kind[100];
    char text[200];
    char action[100];
};
#pragma pack(pop)
static_assert(sizeof(MacroEvent) == 400);
static_assert(offsetof(MacroEvent, kind) == 0);
static_assert(offsetof(MacroEvent, text) == 100);
static_assert(offsetof(MacroEvent, action) == 300);

// What an edit of a macro writes: the kind and action texts of each.
// The wheel kinds store the same texts as the button kinds; the wheel's
// direction lives in the button name.
enum class MacroEventKind : std::uint8_t {
    EventDelay = 0,     // "t", no action
    EventKeyDown = 1,   // "k", "down"
    EventKeyUp = 2,     // "k", "up"
    EventMouseDown = 3, // "m", "down"
    EventMouseUp = 4,   // "m", "up"
    EventWheelDown = 5, // "m", "down"
    EventWheelUp = 6,   // "m", "up"
};

} // namespace pelmo::app
