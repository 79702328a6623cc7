#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelmo::app {

// One key the program can assign, record or send to the mouse. The layout is
// the program's fixed 260-byte row: Windows virtual-key code, USB HID usage on
// the Keyboard/Keypad page, and the name under which the key is shown and
// stored in macro events (ASCII, one space on each side, zero-filled).
#pragma pack(push, 1)
struct KeyEntry {
    std::uint16_t vk;
    std::uint16_t usage;
    char name[256];
};
#pragma pack(pop)
static_assert(sizeof(KeyEntry) == 260);
static_assert(offsetof(KeyEntry, usage) == 2);
static_assert(offsetof(KeyEntry, name) == 4);

// A row number of the key table, 0..103, as passed between windows.
using KeyIndex = std::uint8_t;
inline constexpr KeyIndex NoKey = 255;
inline constexpr std::size_t kKeyCount = 104;

// The 104 keys in their fixed order, then one all-zero row that ends every
// scan. Keys without a row (F13 and above, media keys, the left/right-specific
// modifier codes) do not exist for the program.
extern const std::array<KeyEntry, kKeyCount + 1> KeyTable;

// Lookups scan from row 0 and stop at the empty row; the first match wins and
// a miss is none, never a default row.
// The code is taken whole, as a profile stores it: a stored 0x10010 is no
// key, not Shift.
std::optional<KeyIndex> findKeyByVirtualKey(std::int32_t vk);
std::optional<KeyIndex> findKeyByUsage(std::uint16_t usage);
// Exact, byte for byte: the surrounding spaces are part of the name.
std::optional<KeyIndex> findKeyByName(std::string_view name);

// The row's name; empty for NoKey or any index past the last key.
std::string_view keyName(KeyIndex key);

// What a mouse button's label shows right after a single key was assigned:
// " %s Key " with the name as it stands, so " A " gives "  A  Key ". Bounded
// to 259 bytes, the room of the label's 260-character buffer.
std::string keyButtonLabel(KeyIndex key);

} // namespace pelmo::app
