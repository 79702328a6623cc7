#include "app/settings/StoredText.h"

#include <cstring>

namespace pelmo::app {

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence that starts at `text[at]`, or 0 when
// none does (a stray continuation byte, an overlong form, a surrogate, a code
// point above U+10FFFF or a sequence cut short).
std::size_t sequenceLength(std::string_view text, std::size_t at)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char secondLow = 0x80, secondHigh = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0;
        if (lead == 0xED)
            secondHigh = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90;
        if (lead == 0xF4)
            secondHigh = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - at < length)
        return 0;
    if (byte(1) < secondLow || byte(1) > secondHigh)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!isContinuation(byte(i)))
            return 0;
    return length;
}

} // namespace

std::string_view fieldText(const char* field, std::size_t size)
{
    const void* zero = std::memchr(field, '\0', size);
    return {field, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - field) : size};
}

void storeFieldText(char* field, std::size_t size, std::string_view text)
{
    if (size == 0)
        return;
    text = text.substr(0, text.find('\0'));
    std::string valid = replaceInvalidUtf8(text, "?");
    std::string_view kept = truncateUtf8(valid, size - 1);
    std::memcpy(field, kept.data(), kept.size());
    std::memset(field + kept.size(), 0, size - kept.size());
}

std::string_view truncateUtf8(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t cut = maxBytes;
    while (cut > 0 && isContinuation(static_cast<unsigned char>(text[cut])))
        --cut;
    return text.substr(0, cut);
}

std::string replaceInvalidUtf8(std::string_view text, std::string_view replacement)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = sequenceLength(text, at);
        if (length == 0) {
            result += replacement;
            ++at;
        } else {
            result.append(text.substr(at, length));
            at += length;
        }
    }
    return result;
}

std::string displayText(std::string_view stored)
{
    return replaceInvalidUtf8(stored, "\xEF\xBF\xBD");
}

} // namespace pelmo::app
