#include "platform/window/EditWindow.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "platform/graphics/Font.h"
#include "platform/graphics/FontSystem.h"
#include "platform/graphics/Raster.h"
#include "platform/graphics/TextLayout.h"
#include "platform/graphics/Utf8.h"
#include "platform/window/WindowSystem.h"

namespace pelmo::platform {

namespace {

// The length a single-line edit accepts until told otherwise.
constexpr std::size_t defaultLimit = 32767;
constexpr std::uintptr_t blinkTimer = 1;
constexpr unsigned blinkMs = 530;
constexpr unsigned VK_INSERT = 0x2D;
constexpr std::uint32_t disabledTextColour = 0xFF8C8C8C;

// What one edit window keeps; owned by the window through its user data.
struct EditState {
    std::u32string text;
    std::size_t caret = 0;
    std::size_t anchor = 0;  // the other end of the selection
    int scroll = 0;          // pixels of the text hidden at the left
    std::size_t limit = defaultLimit;
    char32_t passwordChar = U'*';
    bool password = false;
    bool readOnly = false;
    bool modified = false;
    bool focused = false;
    bool caretOn = false;
    bool dragging = false;
    // Ctrl and Shift as of the key message being handled: the layer's key
    // state is already that of the last input read, which may be ahead.
    bool control = false;
    bool shift = false;
    int leftMargin = 1;
    int rightMargin = 1;
    std::shared_ptr<Font> font;
};

EditState* stateOf(WindowSystem& system, WindowHandle window)
{
    return reinterpret_cast<EditState*>(system.userData(window));
}

std::u32string decode(std::string_view utf8)
{
    std::u32string text;
    for (std::size_t offset = 0; offset < utf8.size();)
        text += Utf8::next(utf8, offset);
    return text;
}

std::string encode(std::u32string_view text)
{
    std::string utf8;
    for (char32_t c : text)
        Utf8::append(utf8, c);
    return utf8;
}

bool isBlank(char32_t c) { return c == U' ' || c == U'\t' || c == 0x3000; }

// A character the box can hold: no control characters, no surrogate
// halves, nothing beyond Unicode.
bool isPrintable(char32_t c)
{
    return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
}

// The operations of one edit window while it handles one message. Every
// notification to the parent may destroy the window, so each caller stops
// when notify() says it is gone.
class Editor {
public:
    Editor(WindowSystem& system, WindowHandle window, EditState& state)
        : system_(system), window_(window), state_(state)
    {
    }

    std::u32string shown() const
    {
        return state_.password ? std::u32string(state_.text.size(), state_.passwordChar) : state_.text;
    }

    int widthOf(std::u32string_view text) const
    {
        int width = 0;
        for (char32_t c : text)
            width += state_.font->advance(c);
        return width;
    }

    int textLeft() const { return state_.leftMargin - state_.scroll; }
    int xOf(std::size_t index) const { return textLeft() + widthOf(std::u32string_view(shown()).substr(0, index)); }

    // The character boundary nearest to x.
    std::size_t indexAt(int x) const
    {
        const std::u32string text = shown();
        int at = textLeft();
        for (std::size_t i = 0; i < text.size(); ++i) {
            const int advance = state_.font->advance(text[i]);
            if (x < at + advance / 2)
                return i;
            at += advance;
        }
        return text.size();
    }

    std::size_t selectionStart() const { return std::min(state_.caret, state_.anchor); }
    std::size_t selectionEnd() const { return std::max(state_.caret, state_.anchor); }
    bool hasSelection() const { return state_.caret != state_.anchor; }

    std::size_t previousWord(std::size_t index) const
    {
        if (state_.password)
            return 0;
        while (index > 0 && isBlank(state_.text[index - 1]))
            --index;
        while (index > 0 && !isBlank(state_.text[index - 1]))
            --index;
        return index;
    }

    std::size_t nextWord(std::size_t index) const
    {
        const std::size_t size = state_.text.size();
        if (state_.password)
            return size;
        while (index < size && !isBlank(state_.text[index]))
            ++index;
        while (index < size && isBlank(state_.text[index]))
            ++index;
        return index;
    }

    // Keeps the caret inside the visible part, and no more of the text
    // scrolled away than needed.
    void ensureCaretVisible()
    {
        const int visible = std::max(1, system_.clientRect(window_).width() - state_.leftMargin - state_.rightMargin);
        const std::u32string text = shown();
        const int total = widthOf(text);
        const int caretX = widthOf(std::u32string_view(text).substr(0, state_.caret));
        if (state_.scroll > 0 && total - state_.scroll < visible - 1)
            state_.scroll = std::max(0, total - visible + 1);
        if (caretX - state_.scroll > visible - 1)
            state_.scroll = caretX - visible + 1;
        if (caretX < state_.scroll)
            state_.scroll = caretX;
    }

    void restartBlink()
    {
        state_.caretOn = true;
        if (state_.focused)
            system_.setTimer(window_, blinkTimer, blinkMs);
    }

    void changedView()
    {
        ensureCaretVisible();
        restartBlink();
        system_.invalidateRect(window_, nullptr, false);
    }

    void moveCaret(std::size_t to, bool extend)
    {
        state_.caret = std::min(to, state_.text.size());
        if (!extend)
            state_.anchor = state_.caret;
        changedView();
    }

    // False when the window did not survive the parent's handling.
    bool notify(unsigned code)
    {
        const WindowHandle parent = system_.parent(window_);
        if (parent == NoWindow)
            return true;
        const WindowRecord* record = system_.record(window_);
        const auto id = static_cast<unsigned>(record ? record->menu : 0);
        system_.sendMessage(parent, WM_COMMAND, makeWParam(id, code), static_cast<LParam>(window_));
        return system_.isWindow(window_) && stateOf(system_, window_) == &state_;
    }

    // Replaces the selection by `insert`, within the length limit. Typing
    // into a full box changes nothing and tells the parent so.
    bool replaceSelection(std::u32string insert)
    {
        if (state_.readOnly)
            return true;
        const std::size_t start = selectionStart();
        const std::size_t removed = selectionEnd() - start;
        const std::size_t kept = state_.text.size() - removed;
        const std::size_t room = state_.limit > kept ? state_.limit - kept : 0;
        const bool full = insert.size() > room;
        if (full)
            insert.resize(room);
        if (insert.empty() && (removed == 0 || full))
            return full ? notify(EN_MAXTEXT) : true;
        state_.text.replace(start, removed, insert);
        state_.caret = state_.anchor = start + insert.size();
        state_.modified = true;
        changedView();
        if (!notify(EN_CHANGE))
            return false;
        return full ? notify(EN_MAXTEXT) : true;
    }

    bool deleteRange(std::size_t start, std::size_t end)
    {
        if (state_.readOnly || start >= end)
            return true;
        state_.anchor = start;
        state_.caret = end;
        return replaceSelection({});
    }

    void copy()
    {
        // A password never leaves the box.
        if (state_.password || !hasSelection())
            return;
        const std::u32string_view text(state_.text);
        system_.backend().setClipboardText(encode(text.substr(selectionStart(), selectionEnd() - selectionStart())));
    }

    bool cut()
    {
        if (state_.password || state_.readOnly || !hasSelection())
            return true;
        copy();
        return replaceSelection({});
    }

    // Only the first line of the clipboard goes in, without control
    // characters.
    bool paste()
    {
        const std::u32string pasted = decode(system_.backend().clipboardText());
        std::u32string line;
        for (char32_t c : pasted) {
            if (c == U'\r' || c == U'\n')
                break;
            if (isPrintable(c))
                line += c;
        }
        if (line.empty())
            return true;
        return replaceSelection(std::move(line));
    }

    bool keyDown(unsigned key)
    {
        const bool control = state_.control;
        const bool shift = state_.shift;
        switch (key) {
        case VK_LEFT:
            if (!shift && !control && hasSelection())
                moveCaret(selectionStart(), false);
            else
                moveCaret(control ? previousWord(state_.caret) : (state_.caret > 0 ? state_.caret - 1 : 0), shift);
            return true;
        case VK_RIGHT:
            if (!shift && !control && hasSelection())
                moveCaret(selectionEnd(), false);
            else
                moveCaret(control ? nextWord(state_.caret) : state_.caret + 1, shift);
            return true;
        case VK_HOME:
            moveCaret(0, shift);
            return true;
        case VK_END:
            moveCaret(state_.text.size(), shift);
            return true;
        case VK_DELETE:
            if (shift)
                return cut();
            if (hasSelection())
                return deleteRange(selectionStart(), selectionEnd());
            return deleteRange(state_.caret, control ? nextWord(state_.caret) : state_.caret + 1);
        case VK_INSERT:
            if (control)
                copy();
            else if (shift)
                return paste();
            return true;
        case 'A':
            if (control) {
                state_.anchor = 0;
                moveCaret(state_.text.size(), true);
            }
            return true;
        case 'C':
            if (control)
                copy();
            return true;
        case 'X':
            return control ? cut() : true;
        case 'V':
            return control ? paste() : true;
        default:
            return true;
        }
    }

    bool character(char32_t c)
    {
        if (c == U'\b') {
            if (hasSelection())
                return deleteRange(selectionStart(), selectionEnd());
            return state_.caret > 0 ? deleteRange(state_.caret - 1, state_.caret) : true;
        }
        if (!isPrintable(c))
            return true;
        return replaceSelection(std::u32string(1, c));
    }

    void paint()
    {
        EditColours colours;
        const bool enabled = system_.isEnabled(window_);
        if (const WindowHandle parent = system_.parent(window_); parent != NoWindow) {
            system_.sendMessage(parent, state_.readOnly ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                reinterpret_cast<WParam>(&colours), static_cast<LParam>(window_));
            if (!system_.isWindow(window_))
                return;
        }
        if (!enabled)
            colours.text = disabledTextColour;
        PaintStruct paint = system_.beginPaint(window_);
        if (paint.surface) {
            Surface& surface = *paint.surface;
            const Rect client = surface.bounds();
            raster::fill(surface, client, paint.dirty, premultiply(colours.background));
            const Font& font = *state_.font;
            const int top = (client.height() - font.metrics().height) / 2;
            const int baseline = top + font.metrics().ascent;
            const Rect area = Rect{state_.leftMargin, 0, client.right - state_.rightMargin, client.bottom}
                                  .intersected(paint.dirty);
            const std::string text = encode(shown());
            const bool selected = state_.focused && hasSelection();
            const int from = selected ? xOf(selectionStart()) : 0;
            const int to = selected ? xOf(selectionEnd()) : 0;
            const Rect selection = Rect{from, top, to, top + font.metrics().height}.intersected(area);
            // The text outside the selection in the text colour, inside it
            // in the selection's, so that no glyph is blended twice.
            for (const Rect& part : {Rect{area.left, area.top, selected ? from : area.right, area.bottom},
                                     Rect{selected ? to : area.right, area.top, area.right, area.bottom}}) {
                const Rect clip = part.intersected(area);
                if (!clip.isEmpty())
                    TextLayout::drawString(surface, clip, font, textLeft(), baseline, text, colours.text);
            }
            if (!selection.isEmpty()) {
                raster::fill(surface, selection, selection, premultiply(colours.selectedBackground));
                TextLayout::drawString(surface, selection, font, textLeft(), baseline, text, colours.selectedText);
            }
            if (state_.focused && state_.caretOn && !hasSelection()) {
                const int x = std::clamp(xOf(state_.caret), 0, std::max(0, client.right - 1));
                raster::fill(surface, Rect{x, top, x + 1, top + font.metrics().height}, paint.dirty,
                             premultiply(0xFF000000u | colours.text));
            }
        }
        system_.endPaint(window_, paint);
    }

private:
    WindowSystem& system_;
    WindowHandle window_;
    EditState& state_;
};

} // namespace

void EditWindow::registerClass(WindowSystem& system)
{
    system.registerClass(WindowClass{className, CS_DBLCLKS, &EditWindow::procedure, CursorShape::IBeam});
}

std::string EditWindow::text(WindowSystem& system, WindowHandle window)
{
    std::string text;
    system.sendMessage(window, WM_GETTEXT, 0, reinterpret_cast<LParam>(&text));
    return text;
}

LResult EditWindow::procedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam)
{
    WindowSystem* system = WindowSystem::current();
    if (!system)
        return 0;
    if (message == WM_NCCREATE) {
        auto* state = new EditState;
        state->font = FontSystem::instance().open(FontSystem::defaultGuiFontDescription());
        const unsigned style = system->style(window);
        state->password = (style & ES_PASSWORD) != 0;
        state->readOnly = (style & ES_READONLY) != 0;
        system->setUserData(window, reinterpret_cast<std::intptr_t>(state));
        return 1;
    }
    EditState* state = stateOf(*system, window);
    if (!state)
        return system->defWindowProc(window, message, wParam, lParam);
    Editor editor(*system, window, *state);
    switch (message) {
    case WM_NCDESTROY:
        system->killTimer(window, blinkTimer);
        system->setUserData(window, 0);
        delete state;
        return 0;
    case WM_PAINT:
        editor.paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        editor.ensureCaretVisible();
        return 0;
    case WM_ENABLE:
        system->invalidateRect(window, nullptr, false);
        return 0;
    case WM_SETFOCUS:
        state->focused = true;
        state->control = system->keyState(VK_CONTROL) < 0;
        state->shift = system->keyState(VK_SHIFT) < 0;
        editor.changedView();
        editor.notify(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        state->focused = false;
        state->dragging = false;
        system->killTimer(window, blinkTimer);
        system->invalidateRect(window, nullptr, false);
        editor.notify(EN_KILLFOCUS);
        return 0;
    case WM_TIMER:
        if (wParam == blinkTimer) {
            state->caretOn = !state->caretOn;
            system->invalidateRect(window, nullptr, false);
        }
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam == VK_CONTROL)
            state->control = message == WM_KEYDOWN;
        else if (wParam == VK_SHIFT)
            state->shift = message == WM_KEYDOWN;
        else if (message == WM_KEYDOWN)
            editor.keyDown(static_cast<unsigned>(wParam));
        return 0;
    case WM_CHAR:
        editor.character(static_cast<char32_t>(wParam));
        return 0;
    case WM_LBUTTONDOWN: {
        if (system->focus() != window) {
            system->setFocus(window);
            if (stateOf(*system, window) != state)
                return 0;
        }
        const bool shift = (wParam & MK_SHIFT) != 0;
        state->dragging = true;
        system->setCapture(window);
        editor.moveCaret(editor.indexAt(xFromLParam(lParam)), shift);
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        // A double click selects the word under the pointer (all of a password).
        const std::size_t size = state->text.size();
        std::size_t start = state->password ? 0 : editor.indexAt(xFromLParam(lParam));
        std::size_t end = state->password ? size : start;
        while (start > 0 && !isBlank(state->text[start - 1]))
            --start;
        while (end < size && !isBlank(state->text[end]))
            ++end;
        state->anchor = start;
        editor.moveCaret(end, true);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (state->dragging)
            editor.moveCaret(editor.indexAt(xFromLParam(lParam)), true);
        return 0;
    case WM_LBUTTONUP:
        if (state->dragging) {
            state->dragging = false;
            system->releaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        state->dragging = false;
        return 0;
    case WM_SETTEXT:
        state->text = decode(lParam ? reinterpret_cast<const char*>(lParam) : "");
        state->caret = state->anchor = 0;
        state->scroll = 0;
        state->modified = false;
        editor.changedView();
        editor.notify(EN_CHANGE);
        return 1;
    case WM_GETTEXT:
        if (auto* text = reinterpret_cast<std::string*>(lParam)) {
            *text = encode(state->text);
            return static_cast<LResult>(text->size());
        }
        return 0;
    case WM_SETFONT: {
        const auto* description = reinterpret_cast<const FontDescription*>(wParam);
        state->font = FontSystem::instance().open(description ? *description : FontSystem::defaultGuiFontDescription());
        editor.changedView();
        return 0;
    }
    case EM_GETSEL:
        return makeLParam(static_cast<int>(editor.selectionStart()), static_cast<int>(editor.selectionEnd()));
    case EM_SETSEL: {
        const auto start = static_cast<std::intptr_t>(wParam);
        if (start < 0) {
            state->anchor = state->caret;
        } else {
            const std::size_t size = state->text.size();
            state->anchor = std::min(static_cast<std::size_t>(start), size);
            state->caret = lParam < 0 ? size : std::min(static_cast<std::size_t>(lParam), size);
        }
        editor.changedView();
        return 0;
    }
    case EM_GETMODIFY:
        return state->modified ? 1 : 0;
    case EM_SETMODIFY:
        state->modified = wParam != 0;
        return 0;
    case EM_LIMITTEXT:
        state->limit = wParam == 0 ? defaultLimit : static_cast<std::size_t>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LResult>(state->limit);
    case EM_SETPASSWORDCHAR:
        state->password = wParam != 0;
        if (wParam != 0)
            state->passwordChar = static_cast<char32_t>(wParam);
        editor.changedView();
        return 0;
    case EM_SETREADONLY:
        state->readOnly = wParam != 0;
        system->invalidateRect(window, nullptr, false);
        return 1;
    case EM_SETMARGINS:
        if (wParam & EC_LEFTMARGIN)
            state->leftMargin = std::max(0, static_cast<int>(lowWord(static_cast<std::uintptr_t>(lParam))));
        if (wParam & EC_RIGHTMARGIN)
            state->rightMargin = std::max(0, static_cast<int>(highWord(static_cast<std::uintptr_t>(lParam))));
        editor.changedView();
        return 0;
    case WM_COPY:
        editor.copy();
        return 0;
    case WM_CUT:
        editor.cut();
        return 0;
    case WM_PASTE:
        editor.paste();
        return 0;
    case WM_CLEAR:
        editor.deleteRange(editor.selectionStart(), editor.selectionEnd());
        return 0;
    default:
        return system->defWindowProc(window, message, wParam, lParam);
    }
}

} // namespace pelmo::platform
