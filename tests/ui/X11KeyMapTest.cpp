#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "platform/window/WindowMessages.h"
#include "platform/window/X11KeyMap.h"

using namespace pelmo::platform;

namespace {

// The virtual-key codes of every key the program can assign, record or send.
constexpr unsigned keyTableCodes[] = {
    0x08, 0x09, 0x0D, 0x10, 0x11, 0x12, 0x13, 0x14, 0x1B, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
    0x29, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x41, 0x42,
    0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x50, 0x51, 0x52, 0x53, 0x54,
    0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x5D, 0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68,
    0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F, 0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A,
    0x7B, 0x90, 0x91, 0xC0, 0xDB, 0xDD, 0xDC, 0xBD, 0xBB, 0xDE, 0xBA, 0xBF, 0xBE, 0xBC,
};

// The generic modifier codes arrive as their left- or right-hand codes.
unsigned generic(unsigned code)
{
    switch (code) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return code;
    }
}

} // namespace

TEST(X11KeyMap, EveryKeyOfTheKeyTableIsReachableFromSomeKeysym)
{
    static_assert(std::size(keyTableCodes) == 104);
    for (unsigned code : keyTableCodes) {
        bool reachable = false;
        for (const X11KeyMap::Entry& entry : X11KeyMap::entries())
            reachable = reachable || generic(entry.virtualKey) == code;
        EXPECT_TRUE(reachable) << std::hex << code;
        ASSERT_TRUE(X11KeyMap::keysymFor(code).has_value()) << std::hex << code;
        EXPECT_EQ(generic(X11KeyMap::fromKeysym(*X11KeyMap::keysymFor(code))->virtualKey), code);
    }
}

TEST(X11KeyMap, KeysKeepTheirSideTheirExtendedFlagAndIgnoreShift)
{
    struct Case {
        unsigned long keysym;
        unsigned virtualKey;
        bool extended;
    } cases[] = {
        {XK_Control_R, VK_RCONTROL, true}, {XK_Shift_L, VK_LSHIFT, false}, {XK_KP_Enter, VK_RETURN, true},
        {XK_Return, VK_RETURN, false},     {XK_Q, 0x51, false},             {XK_KP_Home, VK_HOME, false},
        {XK_Home, VK_HOME, true},          {XK_KP_7, 0x67, false},
    };
    for (const Case& c : cases) {
        const auto key = X11KeyMap::fromKeysym(c.keysym);
        ASSERT_TRUE(key.has_value()) << c.keysym;
        EXPECT_EQ(key->virtualKey, c.virtualKey) << c.keysym;
        EXPECT_EQ(key->extended, c.extended) << c.keysym;
    }
    EXPECT_FALSE(X11KeyMap::fromKeysym(XK_F13).has_value());
}
