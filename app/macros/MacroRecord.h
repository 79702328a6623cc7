#pragma once

#include <cstddef>
#include <cstdint>

#include "app/macros/MacroEvent.h"

namespace pelmo::app {

inline constexpr std::size_t kEventsPerMacro = 256;

// One macro: 102,664 bytes, packed, little-endian. Files may hold any value
// in `eventCount` and any bytes in `name`; readers bound both.
#pragma pack(push, 1)
struct MacroRecord {
    std::int32_t number;     // 1-based slot number when the macro came from the mouse, else 0
    char name[256];          // zero-terminated UTF-8, at most 255 bytes
    std::int32_t eventCount; // events in use, 0..256
    MacroEvent events[kEventsPerMacro];
};
#pragma pack(pop)
static_assert(sizeof(MacroRecord) == 102664);
static_assert(offsetof(MacroRecord, number) == 0);
static_assert(offsetof(MacroRecord, name) == 4);
static_assert(offsetof(MacroRecord, eventCount) == 260);
static_assert(offsetof(MacroRecord, events) == 264);

} // namespace pelmo::app
