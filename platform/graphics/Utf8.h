#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pelmo::platform {

// UTF-8 as the UI framework reads it: malformed sequences (stray
// continuation bytes, overlong forms, surrogates, truncated sequences) decode
// to U+FFFD one byte at a time, so any byte string can be drawn.
class Utf8 {
public:
    static constexpr char32_t replacement = 0xFFFD;

    // Decodes the character at `offset` and advances `offset` past it.
    static char32_t next(std::string_view text, std::size_t& offset);
    static void append(std::string& text, char32_t character);
};

} // namespace pelmo::platform
