#include "platform/window/X11Display.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/graphics/Utf8.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/X11KeyMap.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

// X.h names a query class CursorShape; the layer's enum of that name is meant here.
#undef CursorShape

namespace pelmo::platform {

namespace {

// Motif's window-manager hints: the one way to ask any window manager for
// no decorations.
struct MotifHints {
    unsigned long flags;
    unsigned long functions;
    unsigned long decorations;
    long inputMode;
    unsigned long status;
};
constexpr unsigned long motifHintsDecorations = 2;

constexpr long eventMask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                           PointerMotionMask | EnterWindowMask | LeaveWindowMask | FocusChangeMask |
                           StructureNotifyMask;
constexpr unsigned pointerMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                                 LeaveWindowMask;

// Set while a request that may fail is checked (shared memory attach).
bool requestFailed = false;
int noteFailure(Display*, XErrorEvent*)
{
    requestFailed = true;
    return 0;
}

unsigned cursorGlyph(CursorShape shape)
{
    switch (shape) {
    case CursorShape::Arrow: return XC_left_ptr;
    case CursorShape::Hand: return XC_hand2;
    case CursorShape::IBeam: return XC_xterm;
    case CursorShape::Wait: return XC_watch;
    case CursorShape::Cross: return XC_crosshair;
    case CursorShape::SizeAll: return XC_fleur;
    case CursorShape::SizeWE: return XC_sb_h_double_arrow;
    case CursorShape::SizeNS: return XC_sb_v_double_arrow;
    case CursorShape::SizeNWSE: return XC_bottom_right_corner;
    case CursorShape::SizeNESW: return XC_bottom_left_corner;
    case CursorShape::No: return XC_X_cursor;
    }
    return XC_left_ptr;
}

} // namespace

// One X window with the image its pixels travel in.
struct NativeWindow {
    Window window = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    XShmSegmentInfo shm{};
    bool shared = false;
    Rect rect;
    bool mapped = false;
    bool focusWhenMapped = false;
    // The window's input context, through which keys become text in any
    // script (and an input method composes it); none without an input method.
    XIC inputContext = nullptr;
};

struct X11Display::Impl {
    Display* display = nullptr;
    int screen = 0;
    Window root = 0;
    Visual* visual = nullptr;
    int depth = 24;
    bool shapeExtension = false;
    bool sharedMemory = false;
    bool xtest = false;
    int wakeRead = -1;
    int wakeWrite = -1;
    WindowSystem* system = nullptr;
    std::map<WindowHandle, NativeWindow> windows;
    std::map<Window, WindowHandle> byXid;
    std::map<CursorShape, Cursor> cursors;
    Atom wmProtocols = 0;
    Atom wmDelete = 0;
    Atom motifHints = 0;
    Atom netWmName = 0;
    Atom utf8String = 0;
    Atom netWorkArea = 0;
    Atom netWindowType = 0;
    Atom typeDialog = 0;
    Atom typeNormal = 0;
    Atom typePopupMenu = 0;
    // The CLIPBOARD selection: an unmapped window of ours owns it and
    // receives the answers of other owners; the text we offer; the time of
    // the last user input, which selection requests should carry.
    Window clipboardWindow = 0;
    Atom clipboardAtom = 0;
    Atom targetsAtom = 0;
    Atom textAtom = 0;
    Atom incrAtom = 0;
    Atom transferAtom = 0;
    std::string clipboard;
    Time lastInputTime = CurrentTime;
    XIM inputMethod = nullptr;

    ~Impl()
    {
        for (auto& [handle, native] : windows) {
            releaseImage(native);
            if (native.inputContext)
                XDestroyIC(native.inputContext);
        }
        if (inputMethod)
            XCloseIM(inputMethod);
        for (auto& entry : cursors)
            XFreeCursor(display, entry.second);
        if (display)
            XCloseDisplay(display);
        if (wakeRead >= 0)
            ::close(wakeRead);
        if (wakeWrite >= 0)
            ::close(wakeWrite);
    }

    NativeWindow* find(WindowHandle handle)
    {
        auto found = windows.find(handle);
        return found == windows.end() ? nullptr : &found->second;
    }

    WindowHandle handleOf(Window window) const
    {
        auto found = byXid.find(window);
        return found == byXid.end() ? NoWindow : found->second;
    }

    void releaseImage(NativeWindow& native)
    {
        if (!native.image)
            return;
        if (native.shared) {
            XShmDetach(display, &native.shm);
            XDestroyImage(native.image);
            shmdt(native.shm.shmaddr);
        } else {
            XDestroyImage(native.image);  // frees the pixel buffer too
        }
        native.image = nullptr;
        native.shared = false;
    }

    // The image matches the window's size; made again when that changes.
    XImage* imageFor(NativeWindow& native)
    {
        const int width = std::max(1, native.rect.width());
        const int height = std::max(1, native.rect.height());
        if (native.image && native.image->width == width && native.image->height == height)
            return native.image;
        releaseImage(native);
        if (sharedMemory) {
            XImage* image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr,
                                            &native.shm, static_cast<unsigned>(width), static_cast<unsigned>(height));
            if (image && image->bits_per_pixel == 32) {
                native.shm.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * height,
                                          IPC_CREAT | 0600);
                if (native.shm.shmid >= 0) {
                    native.shm.shmaddr = static_cast<char*>(shmat(native.shm.shmid, nullptr, 0));
                    image->data = native.shm.shmaddr;
                    native.shm.readOnly = False;
                    XShmAttach(display, &native.shm);
                    XSync(display, False);
                    shmctl(native.shm.shmid, IPC_RMID, nullptr);  // gone once both sides detach
                    native.image = image;
                    native.shared = true;
                    return image;
                }
            }
            if (image)
                XDestroyImage(image);
        }
        const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
        char* data = static_cast<char*>(std::calloc(bytes, 1));
        native.image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, data,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height), 32, width * 4);
        if (native.image)
            native.image->byte_order = LSBFirst;
        else
            std::free(data);
        return native.image;
    }

    bool probeSharedMemory()
    {
        if (!XShmQueryExtension(display))
            return false;
        XShmSegmentInfo info{};
        info.shmid = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
        if (info.shmid < 0)
            return false;
        info.shmaddr = static_cast<char*>(shmat(info.shmid, nullptr, 0));
        info.readOnly = False;
        requestFailed = false;
        XErrorHandler previous = XSetErrorHandler(noteFailure);
        XShmAttach(display, &info);
        XSync(display, False);
        XSetErrorHandler(previous);
        const bool works = !requestFailed;
        if (works)
            XShmDetach(display, &info);
        XSync(display, False);
        shmdt(info.shmaddr);
        shmctl(info.shmid, IPC_RMID, nullptr);
        // The image byte order must be ours, as frames are copied as they are.
        return works && XImageByteOrder(display) == LSBFirst;
    }

    void handle(XEvent& event);
    void handleKey(XKeyEvent& event, bool pressed);
    void handleSelection(XEvent& event);
    // Characters typed beyond the one a key message carries (an input
    // method's text, a key without a virtual-key code) reach the focus
    // window as WM_CHAR.
    void postCharacters(const std::u32string& characters);
    bool requestSelection(Atom target, std::string& text);
};

X11Display::X11Display(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

X11Display::~X11Display() = default;

std::unique_ptr<X11Display> X11Display::open(const std::string& name, std::string* error)
{
    auto impl = std::make_unique<Impl>();
    impl->display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (!impl->display) {
        if (error)
            *error = "cannot open X display " + (name.empty() ? std::string("$DISPLAY") : name);
        return nullptr;
    }
    Display* display = impl->display;
    impl->screen = XDefaultScreen(display);
    impl->root = XRootWindow(display, impl->screen);
    impl->visual = XDefaultVisual(display, impl->screen);
    impl->depth = XDefaultDepth(display, impl->screen);
    int eventBase = 0;
    int errorBase = 0;
    impl->shapeExtension = XShapeQueryExtension(display, &eventBase, &errorBase);
    int major = 0;
    int minor = 0;
    impl->xtest = XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor);
    // Frames are 32-bit 0x00RRGGBB pixels; other visuals take XPutImage's
    // conversion.
    impl->sharedMemory = impl->depth >= 24 && impl->probeSharedMemory();
    int pipeFds[2];
    if (::pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) == 0) {
        impl->wakeRead = pipeFds[0];
        impl->wakeWrite = pipeFds[1];
    }
    impl->wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
    impl->wmDelete = XInternAtom(display, "WM_DELETE_WINDOW", False);
    impl->motifHints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    impl->netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    impl->utf8String = XInternAtom(display, "UTF8_STRING", False);
    impl->netWorkArea = XInternAtom(display, "_NET_WORKAREA", False);
    impl->netWindowType = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    impl->typeDialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    impl->typeNormal = XInternAtom(display, "_NET_WM_WINDOW_TYPE_NORMAL", False);
    impl->typePopupMenu = XInternAtom(display, "_NET_WM_WINDOW_TYPE_POPUP_MENU", False);
    impl->clipboardAtom = XInternAtom(display, "CLIPBOARD", False);
    impl->targetsAtom = XInternAtom(display, "TARGETS", False);
    impl->textAtom = XInternAtom(display, "TEXT", False);
    impl->incrAtom = XInternAtom(display, "INCR", False);
    impl->transferAtom = XInternAtom(display, "PELMO_CLIPBOARD", False);
    impl->clipboardWindow = XCreateSimpleWindow(display, impl->root, -10, -10, 1, 1, 0, 0, 0);
    // The input method the user's XMODIFIERS names, else the built-in one
    // (which still gives the text of every keyboard layout).
    XSetLocaleModifiers("");
    impl->inputMethod = XOpenIM(display, nullptr, nullptr, nullptr);
    if (!impl->inputMethod) {
        XSetLocaleModifiers("@im=none");
        impl->inputMethod = XOpenIM(display, nullptr, nullptr, nullptr);
    }
    return std::unique_ptr<X11Display>(new X11Display(std::move(impl)));
}

void X11Display::attach(WindowSystem& system) { impl_->system = &system; }

bool X11Display::hasShape() const { return impl_->shapeExtension; }

bool X11Display::usesSharedMemory() const { return impl_->sharedMemory; }

Rect X11Display::screenRect() const
{
    return Rect{0, 0, XDisplayWidth(impl_->display, impl_->screen), XDisplayHeight(impl_->display, impl_->screen)};
}

Rect X11Display::workArea() const
{
    // A window manager publishes the area its panels leave free.
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Rect area = screenRect();
    if (XGetWindowProperty(impl_->display, impl_->root, impl_->netWorkArea, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data) {
        if (format == 32 && count >= 4) {
            const auto* values = reinterpret_cast<const long*>(data);
            const Rect published{static_cast<int>(values[0]), static_cast<int>(values[1]),
                                 static_cast<int>(values[0] + values[2]), static_cast<int>(values[1] + values[3])};
            if (!published.isEmpty())
                area = published;
        }
        XFree(data);
    }
    return area;
}

std::uint64_t X11Display::nowMs() const
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void X11Display::createNative(WindowHandle handle, const NativeWindowInfo& info)
{
    Display* display = impl_->display;
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.event_mask = eventMask;
    attributes.override_redirect = info.transient ? True : False;
    attributes.colormap = XDefaultColormap(display, impl_->screen);
    NativeWindow native;
    native.rect = info.rect;
    native.window = XCreateWindow(display, impl_->root, info.rect.left, info.rect.top,
                                  static_cast<unsigned>(std::max(1, info.rect.width())),
                                  static_cast<unsigned>(std::max(1, info.rect.height())), 0, impl_->depth,
                                  InputOutput, impl_->visual,
                                  CWBackPixmap | CWBorderPixel | CWEventMask | CWOverrideRedirect | CWColormap,
                                  &attributes);
    native.gc = XCreateGC(display, native.window, 0, nullptr);
    if (impl_->inputMethod) {
        native.inputContext = XCreateIC(impl_->inputMethod, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                                        XNClientWindow, native.window, XNFocusWindow, native.window, nullptr);
        long filterEvents = 0;
        if (native.inputContext && !XGetICValues(native.inputContext, XNFilterEvents, &filterEvents, nullptr))
            XSelectInput(display, native.window, eventMask | filterEvents);
    }

    XClassHint classHint{};
    std::string resourceName = "pelmo";
    std::string resourceClass = info.className;
    classHint.res_name = resourceName.data();
    classHint.res_class = resourceClass.data();
    XSetClassHint(display, native.window, &classHint);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(display, native.window, &hints);
    XSetWMProtocols(display, native.window, &impl_->wmDelete, 1);
    // Every window of the program draws its own frame, or none.
    MotifHints motif{motifHintsDecorations, 0, 0, 0, 0};
    XChangeProperty(display, native.window, impl_->motifHints, impl_->motifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&motif), 5);
    Atom type = info.transient ? impl_->typePopupMenu : info.owner != NoWindow ? impl_->typeDialog : impl_->typeNormal;
    XChangeProperty(display, native.window, impl_->netWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&type), 1);
    if (NativeWindow* owner = impl_->find(info.owner))
        XSetTransientForHint(display, native.window, owner->window);
    impl_->byXid[native.window] = handle;
    impl_->windows[handle] = native;
    setTitleNative(handle, info.title);
}

void X11Display::destroyNative(WindowHandle handle)
{
    NativeWindow* native = impl_->find(handle);
    if (!native)
        return;
    impl_->releaseImage(*native);
    if (native->inputContext)
        XDestroyIC(native->inputContext);
    XFreeGC(impl_->display, native->gc);
    XDestroyWindow(impl_->display, native->window);
    XFlush(impl_->display);
    impl_->byXid.erase(native->window);
    impl_->windows.erase(handle);
}

void X11Display::showNative(WindowHandle handle, bool visible, bool activate)
{
    NativeWindow* native = impl_->find(handle);
    if (!native)
        return;
    if (visible) {
        native->focusWhenMapped = activate;
        XMapRaised(impl_->display, native->window);
    } else {
        XUnmapWindow(impl_->display, native->window);
        native->mapped = false;
    }
    XFlush(impl_->display);
}

void X11Display::moveNative(WindowHandle handle, const Rect& rect)
{
    NativeWindow* native = impl_->find(handle);
    if (!native)
        return;
    native->rect = rect;
    XMoveResizeWindow(impl_->display, native->window, rect.left, rect.top,
                      static_cast<unsigned>(std::max(1, rect.width())), static_cast<unsigned>(std::max(1, rect.height())));
    XFlush(impl_->display);
}

void X11Display::restackNative(const std::vector<WindowHandle>& topToBottom)
{
    std::vector<Window> stack;
    for (WindowHandle handle : topToBottom)
        if (NativeWindow* native = impl_->find(handle))
            stack.push_back(native->window);
    if (stack.empty())
        return;
    XRaiseWindow(impl_->display, stack.front());
    XRestackWindows(impl_->display, stack.data(), static_cast<int>(stack.size()));
    XFlush(impl_->display);
}

void X11Display::setTitleNative(WindowHandle handle, const std::string& title)
{
    NativeWindow* native = impl_->find(handle);
    if (!native)
        return;
    XStoreName(impl_->display, native->window, title.c_str());
    XChangeProperty(impl_->display, native->window, impl_->netWmName, impl_->utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
}

void X11Display::setShapeNative(WindowHandle handle, const Region* outline)
{
    NativeWindow* native = impl_->find(handle);
    if (!native || !impl_->shapeExtension)
        return;
    if (!outline) {
        XShapeCombineMask(impl_->display, native->window, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> rects;
        rects.reserve(outline->rects().size());
        for (const Rect& rect : outline->rects())
            rects.push_back(XRectangle{static_cast<short>(rect.left), static_cast<short>(rect.top),
                                       static_cast<unsigned short>(rect.width()),
                                       static_cast<unsigned short>(rect.height())});
        XShapeCombineRectangles(impl_->display, native->window, ShapeBounding, 0, 0, rects.data(),
                                static_cast<int>(rects.size()), ShapeSet, Unsorted);
    }
    XFlush(impl_->display);
}

void X11Display::present(WindowHandle handle, const Surface& frame, const Rect& area)
{
    NativeWindow* native = impl_->find(handle);
    if (!native)
        return;
    XImage* image = impl_->imageFor(*native);
    if (!image)
        return;
    const Rect clipped = area.intersected(Rect{0, 0, std::min(image->width, frame.width()),
                                               std::min(image->height, frame.height())});
    if (clipped.isEmpty())
        return;
    for (int y = clipped.top; y < clipped.bottom; ++y)
        std::memcpy(image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line + clipped.left * 4,
                    frame.row(y) + clipped.left, static_cast<std::size_t>(clipped.width()) * 4);
    const auto width = static_cast<unsigned>(clipped.width());
    const auto height = static_cast<unsigned>(clipped.height());
    if (native->shared)
        XShmPutImage(impl_->display, native->window, native->gc, image, clipped.left, clipped.top, clipped.left,
                     clipped.top, width, height, False);
    else
        XPutImage(impl_->display, native->window, native->gc, image, clipped.left, clipped.top, clipped.left,
                  clipped.top, width, height);
    XFlush(impl_->display);
}

void X11Display::setCursorNative(WindowHandle handle, CursorShape shape)
{
    NativeWindow* native = impl_->find(handle);
    if (!native)
        return;
    Cursor& cursor = impl_->cursors[shape];
    if (!cursor)
        cursor = XCreateFontCursor(impl_->display, cursorGlyph(shape));
    XDefineCursor(impl_->display, native->window, cursor);
}

void X11Display::focusNative(WindowHandle handle)
{
    NativeWindow* native = impl_->find(handle);
    if (!native)
        return;
    if (!native->mapped) {
        native->focusWhenMapped = true;
        return;
    }
    XSetInputFocus(impl_->display, native->window, RevertToParent, CurrentTime);
    XFlush(impl_->display);
}

void X11Display::captureNative(WindowHandle handle)
{
    if (NativeWindow* native = impl_->find(handle))
        XGrabPointer(impl_->display, native->window, True, pointerMask, GrabModeAsync, GrabModeAsync, None, None,
                     CurrentTime);
    else
        XUngrabPointer(impl_->display, CurrentTime);
    XFlush(impl_->display);
}

void X11Display::pumpEvents()
{
    while (XPending(impl_->display)) {
        XEvent event;
        XNextEvent(impl_->display, &event);
        // An input method takes the keys it composes with.
        if (XFilterEvent(&event, None))
            continue;
        impl_->handle(event);
    }
}

void X11Display::waitForEvents(int timeoutMs)
{
    XFlush(impl_->display);
    if (XPending(impl_->display))
        return;
    pollfd fds[2] = {{XConnectionNumber(impl_->display), POLLIN, 0}, {impl_->wakeRead, POLLIN, 0}};
    ::poll(fds, impl_->wakeRead >= 0 ? 2 : 1, timeoutMs);
    char drain[64];
    while (impl_->wakeRead >= 0 && ::read(impl_->wakeRead, drain, sizeof drain) > 0) {
    }
}

void X11Display::wakeUp()
{
    if (impl_->wakeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t written = ::write(impl_->wakeWrite, &byte, 1);
    }
}

unsigned long X11Display::nativeWindow(WindowHandle handle) const
{
    NativeWindow* native = impl_->find(handle);
    return native ? native->window : 0;
}

void X11Display::sync() { XSync(impl_->display, False); }

bool X11Display::fakeMotion(int x, int y)
{
    if (!impl_->xtest)
        return false;
    XTestFakeMotionEvent(impl_->display, impl_->screen, x, y, CurrentTime);
    XFlush(impl_->display);
    return true;
}

bool X11Display::fakeButton(unsigned button, bool pressed)
{
    if (!impl_->xtest)
        return false;
    XTestFakeButtonEvent(impl_->display, button, pressed ? True : False, CurrentTime);
    XFlush(impl_->display);
    return true;
}

bool X11Display::fakeKey(unsigned virtualKey, bool pressed)
{
    std::optional<unsigned long> keysym = X11KeyMap::keysymFor(virtualKey);
    if (!impl_->xtest || !keysym)
        return false;
    const KeyCode code = XKeysymToKeycode(impl_->display, *keysym);
    if (code == 0)
        return false;
    XTestFakeKeyEvent(impl_->display, code, pressed ? True : False, CurrentTime);
    XFlush(impl_->display);
    return true;
}

std::string X11Display::clipboardText()
{
    Impl& x = *impl_;
    const Window owner = XGetSelectionOwner(x.display, x.clipboardAtom);
    if (owner == None)
        return {};
    if (owner == x.clipboardWindow)
        return x.clipboard;
    std::string text;
    if (!x.requestSelection(x.utf8String, text))
        x.requestSelection(XA_STRING, text);
    return text;
}

void X11Display::setClipboardText(const std::string& text)
{
    impl_->clipboard = text;
    XSetSelectionOwner(impl_->display, impl_->clipboardAtom, impl_->clipboardWindow, impl_->lastInputTime);
    XFlush(impl_->display);
}

namespace {

std::string latin1ToUtf8(const unsigned char* data, unsigned long count)
{
    std::string text;
    for (unsigned long i = 0; i < count; ++i) {
        const unsigned char c = data[i];
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

// STRING is Latin-1: characters beyond it become "?".
std::string utf8ToLatin1(const std::string& utf8)
{
    std::string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (length == 2 && i + 1 < utf8.size() && lead <= 0xC3)
            text += static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
        else
            text += length == 1 && lead < 0x80 ? static_cast<char>(lead) : '?';
        i += length;
    }
    return text;
}

} // namespace

// Asks the owner of CLIPBOARD for its text as `target` and waits a
// bounded time for the answer; other events stay queued meanwhile. Large
// transfers in pieces (INCR) are not taken: a clipboard for one-line text
// boxes does not need them.
bool X11Display::Impl::requestSelection(Atom target, std::string& text)
{
    XDeleteProperty(display, clipboardWindow, transferAtom);
    XConvertSelection(display, clipboardAtom, target, transferAtom, clipboardWindow, lastInputTime);
    XFlush(display);
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + seconds(1);
    XEvent event;
    while (!XCheckTypedWindowEvent(display, clipboardWindow, SelectionNotify, &event)) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0)
            return false;
        pollfd fd{XConnectionNumber(display), POLLIN, 0};
        ::poll(&fd, 1, static_cast<int>(left));
        XEventsQueued(display, QueuedAfterReading);
    }
    if (event.xselection.property == None)
        return false;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool read = XGetWindowProperty(display, clipboardWindow, transferAtom, 0, 0x1000000, True, AnyPropertyType,
                                         &type, &format, &count, &after, &data) == Success;
    bool taken = false;
    if (read && data && format == 8 && type != incrAtom) {
        text = type == XA_STRING ? latin1ToUtf8(data, count) : std::string(reinterpret_cast<char*>(data), count);
        taken = true;
    }
    if (data)
        XFree(data);
    return taken;
}

// Another client asks for the clipboard we own, or took it over.
void X11Display::Impl::handleSelection(XEvent& event)
{
    if (event.type == SelectionClear) {
        if (event.xselectionclear.selection == clipboardAtom)
            clipboard.clear();
        return;
    }
    if (event.type != SelectionRequest)
        return;
    const XSelectionRequestEvent& request = event.xselectionrequest;
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = request.display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = None;
    // Clients from before ICCCM 2 name no property: the target is used.
    const Atom property = request.property != None ? request.property : request.target;
    const long maxBytes = std::max(XExtendedMaxRequestSize(display), XMaxRequestSize(display)) * 4 - 256;
    if (request.selection == clipboardAtom && request.owner == clipboardWindow) {
        if (request.target == targetsAtom) {
            Atom targets[] = {targetsAtom, utf8String, textAtom, XA_STRING};
            XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(targets), 4);
            reply.property = property;
        } else if (request.target == utf8String || request.target == textAtom || request.target == XA_STRING) {
            const std::string data = request.target == XA_STRING ? utf8ToLatin1(clipboard) : clipboard;
            if (static_cast<long>(data.size()) < maxBytes) {
                XChangeProperty(display, request.requestor, property,
                                request.target == XA_STRING ? XA_STRING : utf8String, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
                reply.property = property;
            }
        }
    }
    XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
}

Surface X11Display::grabScreen()
{
    const Rect screen = screenRect();
    Surface result(screen.width(), screen.height());
    XImage* image = XGetImage(impl_->display, impl_->root, 0, 0, static_cast<unsigned>(screen.width()),
                              static_cast<unsigned>(screen.height()), AllPlanes, ZPixmap);
    if (!image)
        return result;
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            result.setPixel(x, y, 0xFF000000u | static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
    XDestroyImage(image);
    return result;
}

void X11Display::Impl::handleKey(XKeyEvent& event, bool pressed)
{
    // X repeats a held key as release and press with one time stamp; the
    // layer wants a run of presses, as the desktop protocol has it.
    if (!pressed && XEventsQueued(display, QueuedAfterReading)) {
        XEvent next;
        XPeekEvent(display, &next);
        if (next.type == KeyPress && next.xkey.time == event.time && next.xkey.keycode == event.keycode)
            return;
    }
    lastInputTime = event.time;
    char text[16] = {};
    KeySym looked = NoSymbol;
    const int length = XLookupString(&event, text, sizeof text, &looked, nullptr);
    KeySym keysym = XLookupKeysym(&event, 0);
    if (X11KeyMap::isKeypad(looked))
        keysym = looked;
    char32_t character = 0;
    if (pressed) {
        if (length == 1 && static_cast<unsigned char>(text[0]) != 0x7F)
            character = static_cast<unsigned char>(text[0]);
        else if (looked >= 0x20 && looked <= 0xFF)
            character = static_cast<char32_t>(looked);
        else if ((looked & 0xFF000000) == 0x01000000)
            character = static_cast<char32_t>(looked & 0xFFFFFF);
    }
    // The input context knows the text of every layout (Cyrillic, Greek
    // ...) and of the input method; the first character rides on the key
    // message, the rest follow it.
    std::u32string more;
    const NativeWindow* native = find(handleOf(event.window));
    if (pressed && native && native->inputContext) {
        std::string typed(64, '\0');
        KeySym ignored = NoSymbol;
        Status status = 0;
        int bytes = Xutf8LookupString(native->inputContext, &event, typed.data(), static_cast<int>(typed.size()),
                                      &ignored, &status);
        if (status == XBufferOverflow) {
            typed.resize(static_cast<std::size_t>(bytes));
            bytes = Xutf8LookupString(native->inputContext, &event, typed.data(), static_cast<int>(typed.size()),
                                      &ignored, &status);
        }
        if ((status == XLookupChars || status == XLookupBoth) && bytes > 0) {
            typed.resize(static_cast<std::size_t>(bytes));
            for (std::size_t offset = 0; offset < typed.size();)
                more += Utf8::next(typed, offset);
            character = more.front() != 0x7F ? more.front() : 0;
            more.erase(0, 1);
        }
    }
    std::optional<X11KeyMap::Key> key = X11KeyMap::fromKeysym(keysym);
    if (!key) {
        // A key without a virtual-key code (or an input method's commit)
        // still types.
        if (character != 0)
            more.insert(more.begin(), character);
        postCharacters(more);
        return;
    }
    system->input().pointerMoved(Point{event.x_root, event.y_root}, handleOf(event.window));
    system->input().keyChanged(key->virtualKey, pressed, key->extended, character,
                               event.keycode >= 8 ? event.keycode - 8 : 0);
    postCharacters(more);
}

void X11Display::Impl::postCharacters(const std::u32string& characters)
{
    WindowHandle to = system->focus();
    if (to == NoWindow)
        to = system->activeWindow();
    if (to == NoWindow)
        return;
    for (char32_t character : characters)
        system->postMessage(to, WM_CHAR, static_cast<WParam>(character), 1);
}

void X11Display::Impl::handle(XEvent& event)
{
    // The keyboard's layout changed: keys are looked up in the new one.
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    if (event.xany.window == clipboardWindow && clipboardWindow != 0) {
        handleSelection(event);
        return;
    }
    const WindowHandle handle = handleOf(event.xany.window);
    NativeWindow* native = find(handle);
    if (!native)
        return;
    InputRouter& input = system->input();
    switch (event.type) {
    case Expose:
        system->representArea(handle, Rect{event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                           event.xexpose.y + event.xexpose.height});
        break;
    case MapNotify:
        native->mapped = true;
        if (std::exchange(native->focusWhenMapped, false))
            XSetInputFocus(display, native->window, RevertToParent, CurrentTime);
        break;
    case UnmapNotify:
        native->mapped = false;
        break;
    case ConfigureNotify: {
        int x = event.xconfigure.x;
        int y = event.xconfigure.y;
        if (!event.xconfigure.send_event && !event.xconfigure.override_redirect) {
            Window child = 0;
            XTranslateCoordinates(display, native->window, root, 0, 0, &x, &y, &child);
        }
        const Rect rect{x, y, x + event.xconfigure.width, y + event.xconfigure.height};
        if (rect != native->rect && !(native->rect.isEmpty() && rect.width() == 1)) {
            native->rect = rect;
            system->nativeMoved(handle, rect);
        }
        break;
    }
    case MotionNotify: {
        // Only the latest position of a burst matters.
        while (XCheckTypedWindowEvent(display, event.xany.window, MotionNotify, &event)) {
        }
        input.pointerMoved(Point{event.xmotion.x_root, event.xmotion.y_root}, handle);
        break;
    }
    case EnterNotify:
        input.pointerMoved(Point{event.xcrossing.x_root, event.xcrossing.y_root}, handle);
        break;
    case LeaveNotify:
        if (event.xcrossing.mode == NotifyNormal)
            input.pointerMoved(Point{event.xcrossing.x_root, event.xcrossing.y_root});
        break;
    case ButtonPress:
    case ButtonRelease: {
        const bool pressed = event.type == ButtonPress;
        lastInputTime = event.xbutton.time;
        const Point at{event.xbutton.x_root, event.xbutton.y_root};
        if (at != input.pointer())
            input.pointerMoved(at, handle);
        switch (event.xbutton.button) {
        case Button1: input.buttonChanged(MouseButton::Left, pressed); break;
        case Button2: input.buttonChanged(MouseButton::Middle, pressed); break;
        case Button3: input.buttonChanged(MouseButton::Right, pressed); break;
        case Button4:
            if (pressed)
                input.wheelTurned(WHEEL_DELTA);
            break;
        case Button5:
            if (pressed)
                input.wheelTurned(-WHEEL_DELTA);
            break;
        case 8: input.buttonChanged(MouseButton::X1, pressed); break;
        case 9: input.buttonChanged(MouseButton::X2, pressed); break;
        default: break;
        }
        break;
    }
    case KeyPress:
    case KeyRelease:
        handleKey(event.xkey, event.type == KeyPress);
        break;
    case FocusIn:
        if (native->inputContext)
            XSetICFocus(native->inputContext);
        if (event.xfocus.mode == NotifyNormal && system->activeWindow() != handle)
            system->setActiveWindow(handle);
        break;
    case FocusOut:
        if (native->inputContext)
            XUnsetICFocus(native->inputContext);
        if (event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyInferior) {
            Window focused = 0;
            int revert = 0;
            XGetInputFocus(display, &focused, &revert);
            if (handleOf(focused) == NoWindow)
                system->nativeDeactivated();
        }
        break;
    case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == wmDelete)
            system->nativeCloseRequested(handle);
        break;
    default:
        break;
    }
}

} // namespace pelmo::platform
