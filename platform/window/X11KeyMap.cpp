#include "platform/window/X11KeyMap.h"

#include <X11/keysym.h>

#include "platform/window/WindowMessages.h"

namespace pelmo::platform {

namespace {

constexpr X11KeyMap::Entry table[] = {
    {XK_BackSpace, VK_BACK, false},
    {XK_Tab, VK_TAB, false},
    {XK_ISO_Left_Tab, VK_TAB, false},
    {XK_Return, VK_RETURN, false},
    {XK_KP_Enter, VK_RETURN, true},
    {XK_Shift_L, VK_LSHIFT, false},
    {XK_Shift_R, VK_RSHIFT, false},
    {XK_Control_L, VK_LCONTROL, false},
    {XK_Control_R, VK_RCONTROL, true},
    {XK_Alt_L, VK_LMENU, false},
    {XK_Meta_L, VK_LMENU, false},
    {XK_Alt_R, VK_RMENU, true},
    {XK_ISO_Level3_Shift, VK_RMENU, true},
    {XK_Pause, 0x13, false},
    {XK_Caps_Lock, VK_CAPITAL, false},
    {XK_Escape, VK_ESCAPE, false},
    {XK_space, VK_SPACE, false},
    {XK_Prior, VK_PRIOR, true},
    {XK_Next, VK_NEXT, true},
    {XK_End, VK_END, true},
    {XK_Home, VK_HOME, true},
    {XK_Left, VK_LEFT, true},
    {XK_Up, VK_UP, true},
    {XK_Right, VK_RIGHT, true},
    {XK_Down, VK_DOWN, true},
    {XK_KP_Prior, VK_PRIOR, false},
    {XK_KP_Next, VK_NEXT, false},
    {XK_KP_End, VK_END, false},
    {XK_KP_Home, VK_HOME, false},
    {XK_KP_Left, VK_LEFT, false},
    {XK_KP_Up, VK_UP, false},
    {XK_KP_Right, VK_RIGHT, false},
    {XK_KP_Down, VK_DOWN, false},
    {XK_KP_Begin, 0x0C, false},
    {XK_Select, 0x29, false},
    {XK_Execute, 0x2B, false},
    {XK_Print, 0x2C, true},
    {XK_Insert, 0x2D, true},
    {XK_KP_Insert, 0x2D, false},
    {XK_Delete, VK_DELETE, true},
    {XK_KP_Delete, VK_DELETE, false},
    {XK_Help, 0x2F, false},
    {XK_0, 0x30, false}, {XK_1, 0x31, false}, {XK_2, 0x32, false}, {XK_3, 0x33, false},
    {XK_4, 0x34, false}, {XK_5, 0x35, false}, {XK_6, 0x36, false}, {XK_7, 0x37, false},
    {XK_8, 0x38, false}, {XK_9, 0x39, false},
    {XK_a, 0x41, false}, {XK_b, 0x42, false}, {XK_c, 0x43, false}, {XK_d, 0x44, false},
    {XK_e, 0x45, false}, {XK_f, 0x46, false}, {XK_g, 0x47, false}, {XK_h, 0x48, false},
    {XK_i, 0x49, false}, {XK_j, 0x4A, false}, {XK_k, 0x4B, false}, {XK_l, 0x4C, false},
    {XK_m, 0x4D, false}, {XK_n, 0x4E, false}, {XK_o, 0x4F, false}, {XK_p, 0x50, false},
    {XK_q, 0x51, false}, {XK_r, 0x52, false}, {XK_s, 0x53, false}, {XK_t, 0x54, false},
    {XK_u, 0x55, false}, {XK_v, 0x56, false}, {XK_w, 0x57, false}, {XK_x, 0x58, false},
    {XK_y, 0x59, false}, {XK_z, 0x5A, false},
    {XK_Super_L, 0x5B, true},
    {XK_Super_R, 0x5C, true},
    {XK_Menu, 0x5D, true},
    {XK_KP_0, 0x60, false}, {XK_KP_1, 0x61, false}, {XK_KP_2, 0x62, false}, {XK_KP_3, 0x63, false},
    {XK_KP_4, 0x64, false}, {XK_KP_5, 0x65, false}, {XK_KP_6, 0x66, false}, {XK_KP_7, 0x67, false},
    {XK_KP_8, 0x68, false}, {XK_KP_9, 0x69, false},
    {XK_KP_Multiply, 0x6A, false},
    {XK_KP_Add, 0x6B, false},
    {XK_KP_Separator, 0x6C, false},
    {XK_KP_Subtract, 0x6D, false},
    {XK_KP_Decimal, 0x6E, false},
    {XK_KP_Divide, 0x6F, true},
    {XK_F1, 0x70, false}, {XK_F2, 0x71, false}, {XK_F3, 0x72, false}, {XK_F4, 0x73, false},
    {XK_F5, 0x74, false}, {XK_F6, 0x75, false}, {XK_F7, 0x76, false}, {XK_F8, 0x77, false},
    {XK_F9, 0x78, false}, {XK_F10, 0x79, false}, {XK_F11, 0x7A, false}, {XK_F12, 0x7B, false},
    {XK_Num_Lock, VK_NUMLOCK, true},
    {XK_Scroll_Lock, VK_SCROLL, false},
    {XK_grave, 0xC0, false},
    {XK_bracketleft, 0xDB, false},
    {XK_bracketright, 0xDD, false},
    {XK_backslash, 0xDC, false},
    {XK_minus, 0xBD, false},
    {XK_equal, 0xBB, false},
    {XK_apostrophe, 0xDE, false},
    {XK_semicolon, 0xBA, false},
    {XK_slash, 0xBF, false},
    {XK_period, 0xBE, false},
    {XK_comma, 0xBC, false},
};

} // namespace

std::optional<X11KeyMap::Key> X11KeyMap::fromKeysym(unsigned long keysym)
{
    // Upper-case letters come from a keyboard map with Shift at level 0.
    if (keysym >= XK_A && keysym <= XK_Z)
        keysym += XK_a - XK_A;
    for (const Entry& entry : table)
        if (entry.keysym == keysym)
            return Key{entry.virtualKey, entry.extended};
    return std::nullopt;
}

std::optional<unsigned long> X11KeyMap::keysymFor(unsigned virtualKey)
{
    for (const Entry& entry : table)
        if (entry.virtualKey == virtualKey)
            return entry.keysym;
    if (virtualKey == VK_SHIFT)
        return XK_Shift_L;
    if (virtualKey == VK_CONTROL)
        return XK_Control_L;
    if (virtualKey == VK_MENU)
        return XK_Alt_L;
    return std::nullopt;
}

bool X11KeyMap::isKeypad(unsigned long keysym) { return keysym >= XK_KP_Space && keysym <= XK_KP_Equal; }

std::span<const X11KeyMap::Entry> X11KeyMap::entries() { return table; }

} // namespace pelmo::platform
