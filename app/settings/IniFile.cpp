#include "app/settings/IniFile.h"

#include <cctype>
#include <climits>

namespace pelmo::app {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view text)
{
    constexpr std::string_view kBlank = " \t\r\f\v";
    std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(kBlank);
    return text.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

// The name of a "[section]" line, or none for any other line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    std::size_t close = line.find(']');
    return trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line)
{
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || sectionName(line))
        return std::nullopt;
    return KeyValue{trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
}

} // namespace

IniFile::IniFile(std::string_view text) : text_(text) {}

std::vector<IniFile::Line> IniFile::lines() const
{
    std::vector<Line> result;
    std::size_t at = text_.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0 ? kByteOrderMark.size() : 0;
    while (at < text_.size()) {
        std::size_t newline = text_.find('\n', at);
        if (newline == std::string::npos) {
            result.push_back({at, text_.size(), text_.size()});
            break;
        }
        std::size_t end = newline > at && text_[newline - 1] == '\r' ? newline - 1 : newline;
        result.push_back({at, end, newline + 1});
        at = newline + 1;
    }
    return result;
}

std::string_view IniFile::content(const Line& line) const
{
    return std::string_view(text_).substr(line.begin, line.end - line.begin);
}

std::optional<std::size_t> IniFile::findSection(const std::vector<Line>& lines, std::string_view section) const
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto name = sectionName(content(lines[i]));
        if (name && sameName(*name, section))
            return i;
    }
    return std::nullopt;
}

std::size_t IniFile::sectionEnd(const std::vector<Line>& lines, std::size_t header) const
{
    std::size_t end = header + 1;
    while (end < lines.size() && !sectionName(content(lines[end])))
        ++end;
    return end;
}

std::optional<std::size_t> IniFile::findKey(const std::vector<Line>& lines, std::size_t header,
                                            std::string_view key) const
{
    const std::size_t end = sectionEnd(lines, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        auto entry = keyValue(content(lines[i]));
        if (entry && sameName(entry->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const auto all = lines();
    auto header = findSection(all, section);
    if (!header)
        return std::nullopt;
    auto line = findKey(all, *header, key);
    if (!line)
        return std::nullopt;
    std::string_view found = keyValue(content(all[*line]))->value;
    if (found.size() >= 2 && (found.front() == '"' || found.front() == '\'') && found.back() == found.front())
        found = found.substr(1, found.size() - 2);
    return std::string(found);
}

long IniFile::integer(std::string_view section, std::string_view key, long fallback) const
{
    auto text = value(section, key);
    if (!text)
        return fallback;
    std::string_view digits = *text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    long number = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        int digit = c - '0';
        if (number > (LONG_MAX - digit) / 10) {
            number = LONG_MAX;
            break;
        }
        number = number * 10 + digit;
    }
    return negative ? -number : number;
}

std::string IniFile::newLineEnding() const
{
    std::size_t newline = text_.find('\n');
    if (newline == std::string::npos)
        return "\n";
    return newline > 0 && text_[newline - 1] == '\r' ? "\r\n" : "\n";
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string ending = newLineEnding();
    const std::string entry = std::string(key) + "=" + std::string(value);
    const auto all = lines();
    auto header = findSection(all, section);
    if (!header) {
        if (!all.empty()) {
            if (all.back().end == all.back().next)
                text_ += ending;
            text_ += ending;
        }
        text_ += "[" + std::string(section) + "]" + ending + entry + ending;
        return;
    }
    if (auto found = findKey(all, *header, key)) {
        const Line& line = all[*found];
        // Keep the key as the file spells it.
        std::string replacement = std::string(keyValue(content(line))->key) + "=" + std::string(value);
        if (line.end == line.next)
            replacement += ending;
        text_.replace(line.begin, line.end - line.begin, replacement);
        return;
    }
    // After the section's last non-blank line, so that blank lines separating
    // it from the next section stay where they are.
    std::size_t after = sectionEnd(all, *header) - 1;
    while (after > *header && trim(content(all[after])).empty())
        --after;
    const Line& line = all[after];
    if (line.end == line.next)
        text_.insert(line.next, ending + entry + ending);
    else
        text_.insert(line.next, entry + ending);
}

} // namespace pelmo::app
