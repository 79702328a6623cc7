#include "ui/painter/MarkupText.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "platform/graphics/FontSystem.h"
#include "platform/graphics/Raster.h"
#include "platform/graphics/TextLayout.h"
#include "platform/graphics/Utf8.h"
#include "ui/painter/UIPaintResources.h"

namespace pelmo::ui {

using platform::Font;
using platform::FontDescription;
using platform::Rect;
using platform::TextLayout;
using platform::TextStyle;
using platform::Utf8;

struct MarkupText::Item {
    enum class Kind { Text, Image };
    Kind kind = Kind::Text;
    std::size_t line = 0;
    int x = 0;
    int width = 0;
    int height = 0;
    const Font* font = nullptr;
    std::string text;
    std::uint32_t colour = 0;
    int link = -1;
    bool selected = false;
    const LoadedImage* image = nullptr;
    Rect source;
    Rect box; // set once the lines are placed
};

namespace {

constexpr std::size_t maxNesting = 64;

std::string_view trim(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == ' ')
            ++at;
        std::size_t end = text.find(' ', at);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > at)
            result.push_back(text.substr(at, end - at));
        at = end;
    }
    return result;
}

int parseInt(std::string_view text, int fallback)
{
    int value = fallback;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : fallback;
}

bool isDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Where a run of text may be cut for word break: after a blank or any
// character that is not a letter, and before a Chinese character.
bool breaksAfter(char32_t c)
{
    if (c < 0x80)
        return !std::isalpha(static_cast<int>(c));
    return c >= 0x2E80;
}

} // namespace

struct MarkupText::Style {
    const Font* font;
    std::uint32_t colour;
    int link;
};

class MarkupText::Builder {
public:
    Builder(MarkupText& owner, std::uint32_t colour) : owner_(owner), x_(owner.rect_.left)
    {
        fonts_.push_back(&owner.resources_.DefaultFont());
        colours_.push_back(Style{nullptr, colour & 0x00FFFFFFu, -1});
        owner_.lines_.push_back(Line{});
        owner_.lines_.back().emptyHeight = font().metrics().height;
    }

    void run(std::string_view text)
    {
        std::size_t at = 0;
        while (at < text.size()) {
            char c = text[at];
            if (raw_) {
                if (matches(text, at, "{/r}") || matches(text, at, "</r>") || matches(text, at, "{/r>") ||
                    matches(text, at, "</r}")) {
                    raw_ = false;
                    at += 4;
                } else {
                    at = textUntil(text, at, true);
                }
                continue;
            }
            if (c == '{' || c == '<') {
                if (std::size_t used = literal(text, at)) {
                    at += used;
                    continue;
                }
                if (std::size_t used = tag(text, at)) {
                    at += used;
                    continue;
                }
                placeText(text.substr(at, 1));
                ++at;
                continue;
            }
            if (c == '\n') {
                newLine();
                ++at;
                continue;
            }
            at = textUntil(text, at, false);
        }
    }

private:
    const Font& font() const { return *fonts_.back(); }

    static bool matches(std::string_view text, std::size_t at, std::string_view what)
    {
        return text.substr(at, what.size()) == what;
    }

    // Places the plain text from `at` up to the next bracket (or, raw, the
    // next possible "{/r}"), returning where it stopped.
    std::size_t textUntil(std::string_view text, std::size_t at, bool raw)
    {
        std::size_t end = text.find_first_of(raw ? "{<" : "{<\n", at + 1);
        if (end == std::string_view::npos)
            end = text.size();
        placeText(text.substr(at, end - at));
        return end;
    }

    std::size_t literal(std::string_view text, std::size_t at)
    {
        static constexpr std::pair<std::string_view, std::string_view> forms[] = {
            {"<{>", "{"}, {"<}>", "}"}, {"{<}", "<"}, {"{>}", ">"}};
        for (const auto& [form, character] : forms) {
            if (matches(text, at, form)) {
                placeText(character);
                return form.size();
            }
        }
        return 0;
    }

    // Handles the tag at `at`; returns the bytes it took, or 0 when it is not
    // a tag this language knows (the caller then draws the bracket as text).
    std::size_t tag(std::string_view text, std::size_t at)
    {
        std::size_t p = at + 1;
        bool closing = p < text.size() && text[p] == '/';
        if (closing)
            ++p;
        if (p + 1 >= text.size() || text[p] < 'a' || text[p] > 'z')
            return 0;
        char next = text[p + 1];
        if (next != ' ' && next != '}' && next != '>')
            return 0;
        std::size_t end = text.find_first_of("}>", p + 1);
        if (end == std::string_view::npos)
            return 0;
        std::string_view arguments = trim(text.substr(p + 1, end - p - 1));
        bool known = closing ? closeTag(text[p]) : openTag(text[p], arguments);
        return known ? end - at + 1 : 0;
    }

    bool openTag(char name, std::string_view arguments)
    {
        switch (name) {
        case 'b':
            return pushDerived([](FontDescription& d) { d.bold = true; });
        case 'u':
            return pushDerived([](FontDescription& d) { d.underline = true; });
        case 'i':
            if (arguments.empty())
                return pushDerived([](FontDescription& d) { d.italic = true; });
            placeImage(arguments);
            return true;
        case 's':
            ++selected_;
            return true;
        case 'c': {
            std::string_view value = arguments;
            if (!value.empty() && value.front() == '#')
                value.remove_prefix(1);
            std::uint32_t colour = 0;
            std::from_chars(value.data(), value.data() + value.size(), colour, 16);
            if (colours_.size() < maxNesting)
                colours_.push_back(Style{nullptr, colour & 0x00FFFFFFu, -1});
            return true;
        }
        case 'f':
            return pushFont(arguments);
        case 'a': {
            int index = static_cast<int>(owner_.links_.size());
            owner_.links_.push_back(Link{Rect{}, std::string(arguments)});
            link_ = index;
            if (colours_.size() < maxNesting)
                colours_.push_back(Style{nullptr, owner_.resources_.linkColour & 0x00FFFFFFu, index});
            return pushDerived([](FontDescription& d) { d.underline = true; });
        }
        case 'n':
            newLine();
            return true;
        case 'p':
            if (!atLineStart())
                newLine();
            owner_.lines_.back().spacing += std::clamp(parseInt(arguments, 0), 0, 1000);
            return true;
        case 'x':
            x_ += std::clamp(parseInt(arguments, 0), -10000, 10000);
            return true;
        case 'y':
            owner_.lines_.back().forcedHeight = std::clamp(parseInt(arguments, 0), 0, 10000);
            return true;
        case 'r':
            raw_ = true;
            return true;
        default:
            return false;
        }
    }

    bool closeTag(char name)
    {
        switch (name) {
        case 'b':
        case 'i':
        case 'u':
        case 'f':
            popFont();
            return true;
        case 'a':
            popFont();
            if (colours_.size() > 1 && colours_.back().link >= 0)
                colours_.pop_back();
            link_ = -1;
            return true;
        case 's':
            selected_ = std::max(0, selected_ - 1);
            return true;
        case 'c':
            if (colours_.size() > 1)
                colours_.pop_back();
            return true;
        case 'p':
            if (!atLineStart())
                newLine();
            return true;
        case 'r':
            return true;
        default:
            return false;
        }
    }

    template <typename Change>
    bool pushDerived(Change change)
    {
        FontDescription description = font().description();
        change(description);
        pushFont(platform::FontSystem::instance().open(description));
        return true;
    }

    // {f n} takes font n of the window's list; {f face size styles...} a font
    // by description (the face may contain blanks; the size is the first
    // word of digits after it).
    bool pushFont(std::string_view arguments)
    {
        std::vector<std::string_view> parts = words(arguments);
        if (parts.empty())
            return false;
        if (isDigits(parts.front()) && parts.size() == 1) {
            fonts_.push_back(&owner_.resources_.GetFont(parseInt(parts.front(), -1)));
            return true;
        }
        FontDescription description;
        std::size_t i = 0;
        std::string face;
        for (; i < parts.size() && !(i > 0 && isDigits(parts[i])); ++i) {
            if (!face.empty())
                face += ' ';
            face += parts[i];
        }
        description.face = face;
        description.height = i < parts.size() ? parseInt(parts[i++], 12) : 12;
        for (; i < parts.size(); ++i) {
            description.bold |= equalsIgnoringCase(parts[i], "bold");
            description.underline |= equalsIgnoringCase(parts[i], "underline");
            description.italic |= equalsIgnoringCase(parts[i], "italic");
        }
        pushFont(platform::FontSystem::instance().open(description));
        return true;
    }

    void pushFont(std::shared_ptr<Font> derived)
    {
        if (fonts_.size() >= maxNesting)
            return;
        fonts_.push_back(derived.get());
        owner_.fonts_.push_back(std::move(derived));
    }

    void popFont()
    {
        if (fonts_.size() > 1)
            fonts_.pop_back();
    }

    bool atLineStart() const { return x_ == owner_.rect_.left && lineEmpty_; }

    void newLine()
    {
        owner_.lines_.push_back(Line{});
        owner_.lines_.back().emptyHeight = font().metrics().height;
        x_ = owner_.rect_.left;
        lineEmpty_ = true;
        dropRest_ = false;
    }

    void place(Item item)
    {
        Line& line = owner_.lines_.back();
        item.line = owner_.lines_.size() - 1;
        item.x = x_;
        item.link = link_;
        item.selected = selected_ > 0;
        x_ += item.width;
        line.height = std::max(line.height, item.height);
        line.width = std::max(line.width, x_ - owner_.rect_.left);
        lineEmpty_ = false;
        owner_.items_.push_back(std::move(item));
    }

    void placeRun(std::string_view text, int width)
    {
        if (text.empty())
            return;
        Item item;
        item.kind = Item::Kind::Text;
        item.width = width;
        item.height = font().metrics().height;
        item.font = &font();
        item.text = std::string(text);
        item.colour = colours_.back().colour;
        place(std::move(item));
    }

    void placeText(std::string_view text)
    {
        const unsigned style = owner_.style_;
        const bool wrap = (style & TextStyle::WordBreak) && !(style & TextStyle::SingleLine);
        while (!text.empty() && !dropRest_) {
            int room = owner_.rect_.right - x_;
            int width = font().measure(text);
            // Blanks at the end of a line may hang past the right edge.
            std::string_view inked = text.substr(0, text.find_last_not_of(' ') + 1);
            if (width <= room || (!wrap && !(style & TextStyle::EndEllipsis)) ||
                (wrap && font().measure(inked) <= room)) {
                placeRun(text, width);
                return;
            }
            if (!wrap) {
                std::string shortened = TextLayout::ellipsize(font(), text, room);
                placeRun(shortened, font().measure(shortened));
                dropRest_ = true;
                return;
            }
            // Cut after the last blank or non-letter that fits.
            std::size_t fits = TextLayout::fit(font(), text, room);
            std::size_t cut = 0;
            for (std::size_t offset = 0; offset < fits;) {
                char32_t c = Utf8::next(text, offset);
                if (offset <= fits && breaksAfter(c))
                    cut = offset;
            }
            if (cut == 0) {
                if (!atLineStart()) {
                    newLine();
                    text = trimLeadingBlanks(text);
                    continue;
                }
                std::size_t first = 0;
                Utf8::next(text, first);
                cut = std::max(fits, first);
            }
            std::string_view head = text.substr(0, cut);
            while (!head.empty() && head.back() == ' ')
                head.remove_suffix(1);
            placeRun(head, font().measure(head));
            newLine();
            text = trimLeadingBlanks(text.substr(cut));
        }
    }

    static std::string_view trimLeadingBlanks(std::string_view text)
    {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        return text;
    }

    void placeImage(std::string_view arguments)
    {
        std::vector<std::string_view> parts = words(arguments);
        const LoadedImage* image = owner_.resources_.images().FindOrLoadImage(parts.front(), "", 0);
        if (!image || dropRest_)
            return;
        int frames = parts.size() > 1 ? std::max(1, parseInt(parts[1], 1)) : 1;
        int frame = parts.size() > 2 ? parseInt(parts[2], 0) : 0;
        if (frame < 0 || frame >= frames)
            frame = 0;
        int stripWidth = image->width / frames;
        if (stripWidth <= 0)
            return;
        const bool wrap = (owner_.style_ & TextStyle::WordBreak) && !(owner_.style_ & TextStyle::SingleLine);
        if (wrap && !atLineStart() && x_ + stripWidth > owner_.rect_.right)
            newLine();
        Item item;
        item.kind = Item::Kind::Image;
        item.width = stripWidth;
        item.height = image->height;
        item.image = image;
        item.source = Rect{frame * stripWidth, 0, (frame + 1) * stripWidth, image->height};
        place(std::move(item));
    }

    MarkupText& owner_;
    std::vector<const Font*> fonts_;
    std::vector<Style> colours_;
    int x_;
    int link_ = -1;
    int selected_ = 0;
    bool raw_ = false;
    bool lineEmpty_ = true;
    bool dropRest_ = false;
};

MarkupText::MarkupText(UIPaintResources& resources, std::string_view text, const Rect& rect, std::uint32_t colour,
                       unsigned style)
    : resources_(resources), rect_(rect), style_(style)
{
    Builder(*this, colour).run(text);

    // Line heights are known now: stack the lines and place every item on the
    // bottom of its line.
    int top = rect_.top;
    int width = 0;
    for (Line& line : lines_) {
        if (line.forcedHeight >= 0)
            line.height = line.forcedHeight;
        else if (line.height == 0)
            line.height = line.emptyHeight;
        line.height += line.spacing;
        line.top = top;
        top += line.height;
        width = std::max(width, line.width);
    }
    int height = top - rect_.top;

    int dx = 0;
    int dy = 0;
    if (lines_.size() == 1) {
        if (style_ & TextStyle::Center)
            dx = (rect_.width() - width) / 2;
        else if (style_ & TextStyle::Right)
            dx = rect_.width() - width;
        if (style_ & TextStyle::VCenter)
            dy = (rect_.height() - height) / 2;
        else if (style_ & TextStyle::Bottom)
            dy = rect_.height() - height;
    }
    extent_ = Rect{rect_.left + dx, rect_.top + dy, rect_.left + dx + width, rect_.top + dy + height};

    for (Item& item : items_) {
        const Line& line = lines_[item.line];
        int bottom = line.top + line.height + dy;
        item.box = Rect{item.x + dx, bottom - item.height, item.x + dx + item.width, bottom};
        if (item.link >= 0)
            links_[static_cast<std::size_t>(item.link)].rect =
                links_[static_cast<std::size_t>(item.link)].rect.united(item.box);
    }
}

MarkupText::~MarkupText() = default;

void MarkupText::draw(platform::Surface& target, const Rect& clip) const
{
    Rect area = clip.intersected(rect_);
    if (area.isEmpty())
        return;
    std::vector<bool> hot(links_.size(), false);
    for (std::size_t i = 0; i < links_.size(); ++i)
        hot[i] = links_[i].rect.contains(resources_.mouseX, resources_.mouseY);

    const std::uint32_t selection = resources_.selectedBackgroundColour | 0xFF000000u;
    for (const Item& item : items_)
        if (item.selected)
            platform::raster::fill(target, item.box, area, selection);

    for (const Item& item : items_) {
        if (!item.box.intersects(area))
            continue;
        if (item.kind == Item::Kind::Image) {
            platform::raster::blit(target, item.box, area, item.image->bitmap, item.source, item.image->hasAlpha);
            continue;
        }
        std::uint32_t colour = item.colour;
        if (item.link >= 0 && hot[static_cast<std::size_t>(item.link)])
            colour = resources_.linkHoverColour;
        TextLayout::drawString(target, area, *item.font, item.box.left,
                               item.box.bottom - item.font->metrics().descent, item.text, colour);
    }
}

} // namespace pelmo::ui
