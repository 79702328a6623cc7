#include "ui/painter/ImageDescription.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace pelmo::ui {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// "l,t,r,b": up to four decimal integers; missing or malformed ones are 0.
platform::Rect parseRect(std::string_view text)
{
    int values[4] = {0, 0, 0, 0};
    std::size_t at = 0;
    for (int& value : values) {
        while (at < text.size() && text[at] == ' ')
            ++at;
        auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
        if (error != std::errc())
            value = 0;
        at = static_cast<std::size_t>(end - text.data());
        std::size_t comma = text.find(',', at);
        if (comma == std::string_view::npos)
            break;
        at = comma + 1;
    }
    return platform::Rect{values[0], values[1], values[2], values[3]};
}

std::uint32_t parseColour(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    std::uint32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return value;
}

class Parser {
public:
    explicit Parser(std::vector<ImageDrawItem>& items) : items_(items) {}

    // Applies the pairs of `text`; false when the text does not begin with a pair.
    bool apply(std::string_view text)
    {
        std::size_t at = 0;
        bool any = false;
        while (true) {
            while (at < text.size() && text[at] == ' ')
                ++at;
            if (at >= text.size())
                break;
            std::size_t equals = text.find('=', at);
            if (equals == std::string_view::npos || equals == at || equals + 1 >= text.size() ||
                text[equals + 1] != '\'')
                break;
            std::string_view key = text.substr(at, equals - at);
            if (key.find(' ') != std::string_view::npos)
                break;
            std::size_t close = text.find('\'', equals + 2);
            if (close == std::string_view::npos)
                break;
            std::string_view value = text.substr(equals + 2, close - equals - 2);
            any = true;
            if (!value.empty())
                set(key, value);
            at = close + 1;
            if (at < text.size() && text[at] != ' ')
                break;
        }
        return any;
    }

    void finish()
    {
        if (!current_.name.empty())
            items_.push_back(current_);
    }

    ImageDrawItem& current() { return current_; }

private:
    void set(std::string_view key, std::string_view value)
    {
        if (equalsIgnoringCase(key, "file") || equalsIgnoringCase(key, "res")) {
            if (!current_.name.empty()) {
                items_.push_back(current_);
                current_ = ImageDrawItem{};
            }
            current_.name = std::string(value);
        } else if (equalsIgnoringCase(key, "restype")) {
            current_.resourceType = std::string(value);
        } else if (equalsIgnoringCase(key, "dest")) {
            current_.dest = parseRect(value);
            current_.hasDest = true;
        } else if (equalsIgnoringCase(key, "source")) {
            current_.source = parseRect(value);
        } else if (equalsIgnoringCase(key, "corner")) {
            current_.corner = parseRect(value);
        } else if (equalsIgnoringCase(key, "mask")) {
            current_.mask = parseColour(value);
        } else if (equalsIgnoringCase(key, "fade")) {
            int fade = 255;
            std::from_chars(value.data(), value.data() + value.size(), fade);
            current_.fade = static_cast<std::uint8_t>(std::clamp(fade, 0, 255));
        } else if (equalsIgnoringCase(key, "hole")) {
            current_.hole = equalsIgnoringCase(value, "true");
        } else if (equalsIgnoringCase(key, "xtiled")) {
            current_.xtiled = equalsIgnoringCase(value, "true");
        } else if (equalsIgnoringCase(key, "ytiled")) {
            current_.ytiled = equalsIgnoringCase(value, "true");
        }
    }

    std::vector<ImageDrawItem>& items_;
    ImageDrawItem current_;
};

} // namespace

std::vector<ImageDrawItem> ImageDescription::parse(std::string_view description, std::string_view modifier)
{
    std::vector<ImageDrawItem> items;
    Parser parser(items);
    // A string that does not begin with a pair is a bare file name.
    if (!parser.apply(description))
        parser.current().name = std::string(description);
    parser.apply(modifier);
    parser.finish();
    return items;
}

} // namespace pelmo::ui
