#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmo::app {

// A private-profile (.ini) file held as text: "[section]" lines followed by
// "key=value" lines. Sections and keys match without regard to the case of
// ASCII letters, spaces around names and values are not part of them, and a
// value in matching quotes loses them. Changing a value rewrites that one line
// and keeps every other line, comment and line ending as it was.
class IniFile {
public:
    explicit IniFile(std::string_view text = {});

    // The value of the first matching key in the first matching section.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // A private-profile integer: the leading decimal number of the value (0
    // when it does not start with one), or `fallback` when the key is missing.
    long integer(std::string_view section, std::string_view key, long fallback) const;

    // Replaces the key's value, or adds the key at the end of its section, or
    // adds the section at the end of the file.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    const std::string& text() const { return text_; }

private:
    // One line of the text: its content, and where the next line begins
    // (after "\n" or "\r\n", or at the end of the text).
    struct Line {
        std::size_t begin;
        std::size_t end;
        std::size_t next;
    };
    std::vector<Line> lines() const;
    std::string_view content(const Line& line) const;
    std::optional<std::size_t> findSection(const std::vector<Line>& lines, std::string_view section) const;
    std::size_t sectionEnd(const std::vector<Line>& lines, std::size_t header) const;
    std::optional<std::size_t> findKey(const std::vector<Line>& lines, std::size_t header,
                                       std::string_view key) const;
    std::string newLineEnding() const;

    std::string text_;
};

} // namespace pelmo::app
