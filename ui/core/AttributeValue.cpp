#include "ui/core/AttributeValue.h"

#include <cctype>
#include <limits>

namespace pelmo::ui {

int AttributeValue::Integer(std::string_view text, std::string_view* rest)
{
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    long long value = 0;
    const std::size_t digits = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        // Saturates instead of overflowing, as the C conversion does.
        if (value < std::numeric_limits<int>::max())
            value = value * 10 + (text[at] - '0');
        ++at;
    }
    if (at == digits)
        at = 0;  // nothing readable: nothing consumed
    if (rest)
        *rest = text.substr(at);
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

AttributeValue::Pair AttributeValue::ReadPair(std::string_view text)
{
    std::string_view rest;
    Pair pair;
    pair.cx = Integer(text, &rest);
    if (!rest.empty())
        pair.cy = Integer(rest.substr(1));
    return pair;
}

platform::Rect AttributeValue::ReadRect(std::string_view text)
{
    int values[4] = {};
    std::string_view rest = text;
    for (int i = 0; i < 4; ++i) {
        values[i] = Integer(rest, &rest);
        if (rest.empty())
            break;
        rest.remove_prefix(1);
    }
    return platform::Rect{values[0], values[1], values[2], values[3]};
}

std::uint32_t AttributeValue::Colour(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    std::uint64_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = (value << 4) | static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu)
            return 0xFFFFFFFFu;  // strtoul saturates a value too large
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace pelmo::ui
