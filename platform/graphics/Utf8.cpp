#include "platform/graphics/Utf8.h"

namespace pelmo::platform {

char32_t Utf8::next(std::string_view text, std::size_t& offset)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(offset);
    if (lead < 0x80) {
        ++offset;
        return lead;
    }
    int length;
    char32_t value;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        minimum = 0x10000;
    } else {
        ++offset;
        return replacement;
    }
    if (offset + static_cast<std::size_t>(length) > text.size()) {
        ++offset;
        return replacement;
    }
    for (int i = 1; i < length; ++i) {
        unsigned char continuation = byte(offset + static_cast<std::size_t>(i));
        if ((continuation & 0xC0) != 0x80) {
            ++offset;
            return replacement;
        }
        value = (value << 6) | (continuation & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++offset;
        return replacement;
    }
    offset += static_cast<std::size_t>(length);
    return value;
}

void Utf8::append(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace pelmo::platform
