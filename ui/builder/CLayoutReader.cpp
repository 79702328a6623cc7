#include "ui/builder/CLayoutReader.h"

#include <algorithm>

#include "platform/graphics/Utf8.h"
#include "ui/resources/ResourceReader.h"

namespace pelmo::ui {

namespace {

using platform::Utf8;

bool isWhitespace(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == ':';
}

// `bytes` up to its first zero byte as valid UTF-8: every byte that does not
// begin a well-formed sequence becomes U+FFFD.
std::string validUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    std::size_t offset = 0;
    while (offset < bytes.size() && bytes[offset] != '\0') {
        if (static_cast<unsigned char>(bytes[offset]) < 0x80)
            text += bytes[offset++];
        else
            Utf8::append(text, Utf8::next(bytes, offset));
    }
    return text;
}

// UTF-16 code units after the byte order mark, up to the first zero unit, as
// UTF-8. Unpaired surrogates and a trailing odd byte become U+FFFD.
std::string utf16ToUtf8(const std::uint8_t* bytes, std::size_t size, bool bigEndian)
{
    auto unit = [&](std::size_t at) -> char32_t {
        return bigEndian ? char32_t{bytes[at]} << 8 | bytes[at + 1] : char32_t{bytes[at + 1]} << 8 | bytes[at];
    };
    std::string text;
    text.reserve(size + size / 2);
    std::size_t at = 0;
    for (; at + 1 < size; at += 2) {
        char32_t c = unit(at);
        if (c == 0)
            return text;
        if (c >= 0xD800 && c <= 0xDBFF && at + 3 < size) {
            char32_t low = unit(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                Utf8::append(text, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        Utf8::append(text, c >= 0xD800 && c <= 0xDFFF ? Utf8::replacement : c);
    }
    if (at < size)
        Utf8::append(text, Utf8::replacement);
    return text;
}

// The first `count` characters of valid UTF-8 `text`.
std::string_view firstCharacters(std::string_view text, std::size_t count)
{
    std::size_t end = 0;
    std::size_t characters = 0;
    for (; end < text.size(); ++end) {
        bool starts = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
        if (starts && characters++ == count)
            break;
    }
    return text.substr(0, end);
}

} // namespace

bool CLayoutReader::Load(std::string_view text)
{
    errorMessage_.clear();
    errorLocation_.clear();
    if (text.size() > ResourceReader::layoutLimit)
        return Fail(ResourceReader::errorText(ResourceError::TooLarge), {});
    return Parse(validUtf8(text));
}

bool CLayoutReader::LoadFromMemory(const std::uint8_t* bytes, std::size_t size, LayoutEncoding encoding)
{
    errorMessage_.clear();
    errorLocation_.clear();
    if (!bytes)
        size = 0;
    if (size > ResourceReader::layoutLimit)
        return Fail(ResourceReader::errorText(ResourceError::TooLarge), {});
    std::string_view input(reinterpret_cast<const char*>(bytes), size);
    switch (encoding) {
    case LayoutEncoding::Utf8:
        if (input.starts_with("\xEF\xBB\xBF"))
            input.remove_prefix(3);
        return Parse(validUtf8(input));
    case LayoutEncoding::Ansi:
        return Parse(validUtf8(input));
    case LayoutEncoding::Utf16:
        if (input.starts_with("\xFF\xFE"))
            return Parse(utf16ToUtf8(bytes + 2, size - 2, false));
        if (input.starts_with("\xFE\xFF"))
            return Parse(utf16ToUtf8(bytes + 2, size - 2, true));
        return Fail(expectedByteOrderMark, {});
    }
    return Fail(expectedByteOrderMark, {});
}

bool CLayoutReader::LoadFromFile(std::string_view name, LayoutEncoding encoding, std::string_view type)
{
    ResourceBytes read = ResourceReader::read(name, type, ResourceReader::layoutLimit);
    if (!read) {
        errorMessage_.clear();
        errorLocation_.clear();
        return Fail(ResourceReader::errorText(read.error), validUtf8(name));
    }
    return LoadFromMemory(read.bytes.data(), read.bytes.size(), encoding);
}

CLayoutElement CLayoutReader::GetRoot() const
{
    return elements_.empty() ? CLayoutElement() : CLayoutElement(this, 0);
}

bool CLayoutReader::Parse(std::string text)
{
    Clear();
    text_ = std::move(text);
    const std::size_t size = text_.size();
    std::vector<OpenElement> open;
    std::size_t pos = 0;
    for (;;) {
        while (pos < size && isWhitespace(text_[pos]))
            ++pos;
        if (pos == size) {
            if (open.empty())
                return true;
            return Fail(expectedEndTagStart, {});
        }
        if (text_[pos] != '<')
            return Fail(expectedStartTag, std::string_view(text_).substr(pos));
        char next = pos + 1 < size ? text_[pos + 1] : '\0';
        if (next == '!' || next == '?') {
            // Comments, declarations and processing instructions carry
            // nothing a layout uses; one that never closes runs to the end.
            std::size_t close = text_.find(next == '!' ? "->" : "?>", pos + 2);
            pos = close == std::string::npos ? size : close + 2;
        } else if (next == '/') {
            if (!ParseEndTag(pos, open))
                return false;
        } else if (!ParseStartTag(pos, open)) {
            return false;
        }
    }
}

bool CLayoutReader::ParseStartTag(std::size_t& pos, std::vector<OpenElement>& open)
{
    const std::size_t size = text_.size();
    std::size_t nameStart = ++pos;
    while (pos < size && isNameCharacter(text_[pos]))
        ++pos;
    if (pos == nameStart)
        return Fail(badElementName, std::string_view(text_).substr(nameStart));

    ElementRecord element;
    element.name = static_cast<std::uint32_t>(nameStart);
    element.nameLength = static_cast<std::uint32_t>(pos - nameStart);
    element.firstAttribute = static_cast<std::uint32_t>(attributes_.size());
    if (!ParseAttributes(pos, element))
        return false;
    auto index = static_cast<std::uint32_t>(elements_.size());
    elements_.push_back(element);
    Link(index, open);

    if (text_.compare(pos, 2, "/>") == 0) {
        pos += 2;
        return true;
    }
    if (pos == size || text_[pos] != '>')
        return Fail(expectedStartTagClosing, std::string_view(text_).substr(pos));
    ++pos;
    std::size_t valueEnd = text_.find('<', pos);
    if (valueEnd == std::string::npos)
        return Fail(expectedEndTagStart, std::string_view(text_).substr(pos));
    elements_[index].value = static_cast<std::uint32_t>(pos);
    elements_[index].valueLength = ReplaceEntities(pos, valueEnd);
    pos = valueEnd;
    open.push_back({index, none});
    return true;
}

bool CLayoutReader::ParseAttributes(std::size_t& pos, ElementRecord& element)
{
    const std::size_t size = text_.size();
    auto skipWhitespace = [&] {
        while (pos < size && isWhitespace(text_[pos]))
            ++pos;
    };
    for (;;) {
        skipWhitespace();
        if (pos == size || text_[pos] == '>' || text_[pos] == '/')
            return true;
        std::size_t nameStart = pos;
        while (pos < size && isNameCharacter(text_[pos]))
            ++pos;
        std::size_t nameEnd = pos;
        skipWhitespace();
        if (nameEnd == nameStart || pos == size || text_[pos] != '=')
            return Fail(badAttributes, std::string_view(text_).substr(pos));
        ++pos;
        skipWhitespace();
        if (pos == size || text_[pos] != '"')
            return Fail(expectedAttributeValue, std::string_view(text_).substr(pos));
        std::size_t valueStart = ++pos;
        std::size_t valueEnd = text_.find('"', valueStart);
        if (valueEnd == std::string::npos)
            return Fail(badAttributeString, std::string_view(text_).substr(valueStart));
        pos = valueEnd + 1;
        // Attributes past the limit are read for their syntax and dropped.
        if (element.attributeCount < maxAttributes) {
            AttributeRecord attribute;
            attribute.name = static_cast<std::uint32_t>(nameStart);
            attribute.nameLength = static_cast<std::uint32_t>(nameEnd - nameStart);
            attribute.value = static_cast<std::uint32_t>(valueStart);
            attribute.valueLength = ReplaceEntities(valueStart, valueEnd);
            attributes_.push_back(attribute);
            ++element.attributeCount;
        }
    }
}

bool CLayoutReader::ParseEndTag(std::size_t& pos, std::vector<OpenElement>& open)
{
    const std::size_t size = text_.size();
    std::string_view tag = std::string_view(text_).substr(pos);
    std::size_t nameStart = pos + 2;
    pos = nameStart;
    while (pos < size && isNameCharacter(text_[pos]))
        ++pos;
    std::string_view name = std::string_view(text_).substr(nameStart, pos - nameStart);
    while (pos < size && isWhitespace(text_[pos]))
        ++pos;
    if (open.empty() || pos == size || text_[pos] != '>')
        return Fail(unmatchedClosingTag, tag);
    const ElementRecord& element = elements_[open.back().element];
    if (name != Span(element.name, element.nameLength))
        return Fail(unmatchedClosingTag, tag);
    ++pos;
    open.pop_back();
    return true;
}

void CLayoutReader::Link(std::uint32_t index, std::vector<OpenElement>& open)
{
    std::uint32_t& previous = open.empty() ? lastTopLevel_ : open.back().lastChild;
    if (previous != none)
        elements_[previous].nextSibling = index;
    else if (!open.empty())
        elements_[open.back().element].firstChild = index;
    previous = index;
}

std::uint32_t CLayoutReader::ReplaceEntities(std::size_t start, std::size_t end)
{
    struct Entity {
        std::string_view name;
        char character;
    };
    static constexpr Entity entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''},
    };
    // Each entity is longer than its character, so the text shrinks and the
    // write position never passes the read position.
    std::size_t write = start;
    std::size_t read = start;
    while (read < end) {
        const Entity* found = nullptr;
        if (text_[read] == '&') {
            for (const Entity& entity : entities) {
                if (end - read >= entity.name.size() && text_.compare(read, entity.name.size(), entity.name) == 0) {
                    found = &entity;
                    break;
                }
            }
        }
        if (found) {
            text_[write++] = found->character;
            read += found->name.size();
        } else {
            text_[write++] = text_[read++];
        }
    }
    return static_cast<std::uint32_t>(write - start);
}

bool CLayoutReader::Fail(std::string_view message, std::string_view location)
{
    errorMessage_ = message.substr(0, maxErrorMessage);
    errorLocation_ = firstCharacters(location, maxErrorLocation);
    Clear();
    return false;
}

void CLayoutReader::Clear()
{
    text_ = {};
    elements_ = {};
    attributes_ = {};
    lastTopLevel_ = none;
    ++generation_;
}

} // namespace pelmo::ui
