#pragma once

// The message numbers, style bits and codes of the window layer. They keep
// the values of the desktop window protocol the UI framework was designed
// against, so that numbers stored or compared by the framework (private
// message 0x8001, reflected codes 0x2000 above a message, WM_USER + 103)
// mean the same here.

namespace pelmo::platform {

// Window messages.
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_CREATE = 0x0001;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_ACTIVATE = 0x0006;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_GETTEXT = 0x000D;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_QUIT = 0x0012;
constexpr unsigned WM_ERASEBKGND = 0x0014;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_SETCURSOR = 0x0020;
constexpr unsigned WM_MOUSEACTIVATE = 0x0021;
constexpr unsigned WM_GETMINMAXINFO = 0x0024;
constexpr unsigned WM_SETFONT = 0x0030;
constexpr unsigned WM_GETFONT = 0x0031;
constexpr unsigned WM_NOTIFY = 0x004E;
constexpr unsigned WM_CONTEXTMENU = 0x007B;
constexpr unsigned WM_NCCREATE = 0x0081;
constexpr unsigned WM_NCDESTROY = 0x0082;
constexpr unsigned WM_NCCALCSIZE = 0x0083;
constexpr unsigned WM_NCHITTEST = 0x0084;
constexpr unsigned WM_NCPAINT = 0x0085;
constexpr unsigned WM_NCACTIVATE = 0x0086;
constexpr unsigned WM_INPUT = 0x00FF;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCHAR = 0x0106;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_CTLCOLOREDIT = 0x0133;
constexpr unsigned WM_CTLCOLORSTATIC = 0x0138;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr unsigned WM_XBUTTONDOWN = 0x020B;
constexpr unsigned WM_XBUTTONUP = 0x020C;
constexpr unsigned WM_XBUTTONDBLCLK = 0x020D;
constexpr unsigned WM_CAPTURECHANGED = 0x0215;
constexpr unsigned WM_DEVICECHANGE = 0x0219;
constexpr unsigned WM_MOUSEHOVER = 0x02A1;
constexpr unsigned WM_MOUSELEAVE = 0x02A3;
constexpr unsigned WM_PRINTCLIENT = 0x0318;
constexpr unsigned WM_USER = 0x0400;
constexpr unsigned WM_APP = 0x8000;
// Messages reflected to a native child window sit this far above their code.
constexpr unsigned OCM_BASE = WM_USER + 0x1C00;

// Hit-test codes answered to WM_NCHITTEST.
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;
constexpr int HTLEFT = 10;
constexpr int HTRIGHT = 11;
constexpr int HTTOP = 12;
constexpr int HTTOPLEFT = 13;
constexpr int HTTOPRIGHT = 14;
constexpr int HTBOTTOM = 15;
constexpr int HTBOTTOMLEFT = 16;
constexpr int HTBOTTOMRIGHT = 17;

// Button and modifier bits in the wParam of mouse messages.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;
constexpr unsigned MK_XBUTTON1 = 0x0020;
constexpr unsigned MK_XBUTTON2 = 0x0040;
// The X button of WM_XBUTTON* in the high word of wParam.
constexpr unsigned XBUTTON1 = 0x0001;
constexpr unsigned XBUTTON2 = 0x0002;
// One notch of the wheel in WM_MOUSEWHEEL.
constexpr int WHEEL_DELTA = 120;

// Virtual-key codes the layer itself produces or looks at; the key table
// holds the full set.
constexpr unsigned VK_LBUTTON = 0x01;
constexpr unsigned VK_RBUTTON = 0x02;
constexpr unsigned VK_MBUTTON = 0x04;
constexpr unsigned VK_XBUTTON1 = 0x05;
constexpr unsigned VK_XBUTTON2 = 0x06;
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_TAB = 0x09;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_SHIFT = 0x10;
constexpr unsigned VK_CONTROL = 0x11;
constexpr unsigned VK_MENU = 0x12;
constexpr unsigned VK_CAPITAL = 0x14;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_PRIOR = 0x21;
constexpr unsigned VK_NEXT = 0x22;
constexpr unsigned VK_END = 0x23;
constexpr unsigned VK_HOME = 0x24;
constexpr unsigned VK_LEFT = 0x25;
constexpr unsigned VK_UP = 0x26;
constexpr unsigned VK_RIGHT = 0x27;
constexpr unsigned VK_DOWN = 0x28;
constexpr unsigned VK_DELETE = 0x2E;
constexpr unsigned VK_F4 = 0x73;
constexpr unsigned VK_F10 = 0x79;
constexpr unsigned VK_NUMLOCK = 0x90;
constexpr unsigned VK_SCROLL = 0x91;
constexpr unsigned VK_LSHIFT = 0xA0;
constexpr unsigned VK_RSHIFT = 0xA1;
constexpr unsigned VK_LCONTROL = 0xA2;
constexpr unsigned VK_RCONTROL = 0xA3;
constexpr unsigned VK_LMENU = 0xA4;
constexpr unsigned VK_RMENU = 0xA5;
// Bit 24 of a key message's lParam: the right-hand Ctrl or Alt, the
// navigation block, the keypad's Enter and divide.
constexpr long KF_EXTENDED_BIT = 1L << 24;

// Window styles.
constexpr unsigned WS_OVERLAPPED = 0x00000000u;
constexpr unsigned WS_POPUP = 0x80000000u;
constexpr unsigned WS_CHILD = 0x40000000u;
constexpr unsigned WS_MINIMIZE = 0x20000000u;
constexpr unsigned WS_VISIBLE = 0x10000000u;
constexpr unsigned WS_DISABLED = 0x08000000u;
constexpr unsigned WS_CLIPSIBLINGS = 0x04000000u;
constexpr unsigned WS_CLIPCHILDREN = 0x02000000u;
constexpr unsigned WS_MAXIMIZE = 0x01000000u;
constexpr unsigned WS_CAPTION = 0x00C00000u;
constexpr unsigned WS_BORDER = 0x00800000u;
constexpr unsigned WS_DLGFRAME = 0x00400000u;
constexpr unsigned WS_SYSMENU = 0x00080000u;
constexpr unsigned WS_THICKFRAME = 0x00040000u;
constexpr unsigned WS_MINIMIZEBOX = 0x00020000u;
constexpr unsigned WS_MAXIMIZEBOX = 0x00010000u;
constexpr unsigned WS_OVERLAPPEDWINDOW = 0x00CF0000u;
// Extended styles.
constexpr unsigned WS_EX_TOPMOST = 0x00000008u;
constexpr unsigned WS_EX_TRANSPARENT = 0x00000020u; // never hit by the pointer
constexpr unsigned WS_EX_TOOLWINDOW = 0x00000080u;
constexpr unsigned WS_EX_LAYERED = 0x00080000u;
constexpr unsigned WS_EX_NOACTIVATE = 0x08000000u;
// createWindow's "let the layer choose" for a position or size.
constexpr int CW_USEDEFAULT = -2147483647 - 1;
// Class styles.
constexpr unsigned CS_VREDRAW = 0x0001;
constexpr unsigned CS_HREDRAW = 0x0002;
constexpr unsigned CS_DBLCLKS = 0x0008;

// WM_SYSCOMMAND commands.
constexpr unsigned SC_CLOSE = 0xF060;
// WM_ACTIVATE states.
constexpr unsigned WA_INACTIVE = 0;
constexpr unsigned WA_ACTIVE = 1;
constexpr unsigned WA_CLICKACTIVE = 2;
// WM_SIZE kinds.
constexpr unsigned SIZE_RESTORED = 0;
constexpr unsigned SIZE_MINIMIZED = 1;

// setWindowPos flags.
constexpr unsigned SWP_NOSIZE = 0x0001;
constexpr unsigned SWP_NOMOVE = 0x0002;
constexpr unsigned SWP_NOZORDER = 0x0004;
constexpr unsigned SWP_NOACTIVATE = 0x0010;
constexpr unsigned SWP_FRAMECHANGED = 0x0020;
constexpr unsigned SWP_SHOWWINDOW = 0x0040;
constexpr unsigned SWP_HIDEWINDOW = 0x0080;

// trackMouseEvent flags.
constexpr unsigned TME_HOVER = 0x00000001u;
constexpr unsigned TME_LEAVE = 0x00000002u;
constexpr unsigned TME_CANCEL = 0x80000000u;

// The tooltip class the layer draws itself, and its messages. The tool
// description travels as a ToolInfo pointer in lParam.
constexpr const char* TOOLTIPS_CLASS = "tooltips_class32";
constexpr unsigned TTS_ALWAYSTIP = 0x01;
constexpr unsigned TTS_NOPREFIX = 0x02;
constexpr unsigned TTF_TRACK = 0x0020;
constexpr unsigned TTF_ABSOLUTE = 0x0080;
constexpr unsigned TTM_TRACKACTIVATE = WM_USER + 17;
constexpr unsigned TTM_TRACKPOSITION = WM_USER + 18;
constexpr unsigned TTM_SETMAXTIPWIDTH = WM_USER + 24;
constexpr unsigned TTM_GETDELAYTIME = WM_USER + 21;
constexpr unsigned TTM_ADDTOOL = WM_USER + 50;
constexpr unsigned TTM_UPDATETIPTEXT = WM_USER + 57;
constexpr unsigned TTDT_INITIAL = 3;

} // namespace pelmo::platform
