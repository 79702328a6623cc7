#pragma once

#include <optional>
#include <span>

namespace pelmo::platform {

// The one table from X11 keysyms to the virtual-key codes the UI framework
// and the key table use. Keys are looked up by their unshifted keysym, so
// "1" and "!" are both the key 0x31; keypad keys by the keysym Num Lock gives
// them. Left- and right-hand modifiers keep their side (VK_LSHIFT ...), and
// the keys a PC keyboard sends with an extended scan code are marked so.
class X11KeyMap {
public:
    struct Entry {
        unsigned long keysym;
        unsigned virtualKey;
        bool extended;
    };
    struct Key {
        unsigned virtualKey = 0;
        bool extended = false;
    };

    static std::optional<Key> fromKeysym(unsigned long keysym);
    // The first keysym that gives the virtual key (for synthetic input).
    static std::optional<unsigned long> keysymFor(unsigned virtualKey);
    static bool isKeypad(unsigned long keysym);
    static std::span<const Entry> entries();
};

} // namespace pelmo::platform
