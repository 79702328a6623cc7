#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pelmo::app {

// Texts kept in records (profile file names, macro names, key names, macro
// event texts) are zero-terminated UTF-8 in fixed fields. Records come from
// files of any content, so a field may lack its terminating zero or hold
// bytes that are not UTF-8; these helpers never read past the field and never
// split a character when a text has to be cut.

// The text of a field: up to its first zero byte, or the whole field when it
// has none.
std::string_view fieldText(const char* field, std::size_t size);
template <std::size_t N>
std::string_view fieldText(const char (&field)[N])
{
    return fieldText(field, N);
}

// Stores `text` (up to its first zero byte) as the field's text: bytes that
// are not UTF-8 become '?', the text is cut at a character boundary so that
// its terminating zero fits, and the rest of the field is zero.
void storeFieldText(char* field, std::size_t size, std::string_view text);
template <std::size_t N>
void storeFieldText(char (&field)[N], std::string_view text)
{
    storeFieldText(field, N, text);
}

// At most `maxBytes` of valid UTF-8 `text`, never ending inside a character.
std::string_view truncateUtf8(std::string_view text, std::size_t maxBytes);

// `text` with every byte that does not begin a valid UTF-8 sequence replaced:
// by '?' for storing, by U+FFFD for showing.
std::string replaceInvalidUtf8(std::string_view text, std::string_view replacement);

// A stored text made safe to show and to convert to UTF-16.
std::string displayText(std::string_view stored);

} // namespace pelmo::app
