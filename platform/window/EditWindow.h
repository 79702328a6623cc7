#pragma once

#include <cstdint>
#include <string>

#include "platform/window/WindowMessages.h"
#include "platform/window/WindowTypes.h"

namespace pelmo::platform {

class WindowSystem;

// The edit class ("Edit") the layer draws itself: a single-line text box
// with a caret, a selection made with the mouse or Shift, the keys a text
// box has (arrows, Home, End, Backspace, Delete, Ctrl with A, C, X, V and
// the arrows), clipboard copy and paste through the display, a maximum
// length, and password and read-only modes. Its messages and codes keep the
// numbers of the desktop protocol's edit control; where that protocol passes
// a buffer, this one passes an object (noted below).
//
// It tells its parent window of changes with WM_COMMAND (wParam: the
// window's menu id in the low word and an EN_ code in the high word, lParam:
// the edit window), and asks its parent for its colours with
// WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when read-only), whose wParam points to
// an EditColours the parent may change; a parent that answers 0 leaves the
// system colours.
class EditWindow {
public:
    static constexpr const char* className = "Edit";

    static void registerClass(WindowSystem& system);

    // The text as UTF-8.
    static std::string text(WindowSystem& system, WindowHandle window);

private:
    static LResult procedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
};

// The colours an edit window paints with.
struct EditColours {
    std::uint32_t text = 0xFF000000;
    std::uint32_t background = 0xFFFFFFFF;
    std::uint32_t selectedText = 0xFFFFFFFF;
    std::uint32_t selectedBackground = 0xFF3388DD;
};

// Edit styles.
constexpr unsigned ES_PASSWORD = 0x0020;
constexpr unsigned ES_AUTOHSCROLL = 0x0080;
constexpr unsigned ES_READONLY = 0x0800;

// Edit messages. EM_SETSEL takes the start in wParam (as a signed value: -1
// removes the selection) and the end in lParam (-1: the end of the text);
// EM_GETSEL answers the start in the low word and the end in the high word.
// WM_SETTEXT takes a zero-terminated UTF-8 string; WM_GETTEXT a
// std::string* to fill; WM_SETFONT a const FontDescription* (none: the
// desktop's default GUI font).
constexpr unsigned EM_GETSEL = 0x00B0;
constexpr unsigned EM_SETSEL = 0x00B1;
constexpr unsigned EM_GETMODIFY = 0x00B8;
constexpr unsigned EM_SETMODIFY = 0x00B9;
constexpr unsigned EM_LIMITTEXT = 0x00C5;
constexpr unsigned EM_SETPASSWORDCHAR = 0x00CC;
constexpr unsigned EM_SETREADONLY = 0x00CF;
constexpr unsigned EM_SETMARGINS = 0x00D3;
constexpr unsigned EM_GETLIMITTEXT = 0x00D5;
constexpr unsigned WM_CUT = 0x0300;
constexpr unsigned WM_COPY = 0x0301;
constexpr unsigned WM_PASTE = 0x0302;
constexpr unsigned WM_CLEAR = 0x0303;
// EM_SETMARGINS flags; the margins travel as makeLParam(left, right).
constexpr unsigned EC_LEFTMARGIN = 0x0001;
constexpr unsigned EC_RIGHTMARGIN = 0x0002;

// Notification codes in the high word of WM_COMMAND's wParam.
constexpr unsigned EN_SETFOCUS = 0x0100;
constexpr unsigned EN_KILLFOCUS = 0x0200;
constexpr unsigned EN_CHANGE = 0x0300;
constexpr unsigned EN_MAXTEXT = 0x0501;

} // namespace pelmo::platform
