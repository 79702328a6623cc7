#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/builder/CLayoutElement.h"

namespace pelmo::ui {

// How the bytes of a layout are encoded.
enum class LayoutEncoding {
    // The encoding of every layout the program ships; a leading byte order
    // mark EF BB BF is skipped.
    Utf8,
    // The system code page, which on Linux is UTF-8 as well.
    Ansi,
    // Must begin with a byte order mark: FF FE little-endian, FE FF
    // big-endian.
    Utf16,
};

// The layout language's own small XML reader. It reads exactly the language
// and nothing more: values in double quotes only (a single quote is an
// ordinary character, which is how image strings carry their '...' parts),
// the five entities &amp; &lt; &gt; &quot; &apos; (any other "&" stays as
// typed), at most 64 attributes per element, names of ASCII letters, digits,
// "_" and ":", "<!" sections skipped up to "->" and "<?" sections up to "?>".
//
// The reader owns the text it loaded, as UTF-8: bytes that are not valid in
// their encoding become U+FFFD, and the text ends at its first zero
// character. Elements are kept in flat arrays and parsed without recursion,
// so nesting depth is limited only by the size of the text, which is limited
// to the size of the largest layout file.
//
// A failed load keeps no document and records why: one of the messages below
// (at most 99 characters) and the text that follows the point of failure (at
// most 49 characters), or the resource name for a file that could not be
// read.
class CLayoutReader {
public:
    // The messages of a text that does not parse.
    static constexpr std::string_view expectedStartTag = "Expected start tag";
    static constexpr std::string_view badElementName = "Error parsing element name";
    static constexpr std::string_view badAttributes = "Error while parsing attributes";
    static constexpr std::string_view expectedAttributeValue = "Expected attribute value";
    static constexpr std::string_view badAttributeString = "Error while parsing attribute string";
    static constexpr std::string_view expectedStartTagClosing = "Expected start-tag closing";
    static constexpr std::string_view expectedEndTagStart = "Expected end-tag start";
    static constexpr std::string_view unmatchedClosingTag = "Unmatched closing tag";
    // UTF-16 bytes without their byte order mark.
    static constexpr std::string_view expectedByteOrderMark = "Expected byte order mark";

    static constexpr std::size_t maxAttributes = 64;
    static constexpr std::size_t maxErrorMessage = 99;
    static constexpr std::size_t maxErrorLocation = 49;

    CLayoutReader() = default;
    CLayoutReader(const CLayoutReader&) = delete;
    CLayoutReader& operator=(const CLayoutReader&) = delete;

    // Each load replaces the document; it returns whether the text parsed.
    // Texts and byte strings longer than the largest layout file
    // (ResourceReader::layoutLimit) fail with "File too large".
    bool Load(std::string_view text);
    bool LoadFromMemory(const std::uint8_t* bytes, std::size_t size,
                        LayoutEncoding encoding = LayoutEncoding::Utf8);
    // Reads through ResourceReader: the file of that name in the skin folder
    // or skin archive; with a resource type, the module resource whose id the
    // name gives. Read failures carry ResourceReader's messages.
    bool LoadFromFile(std::string_view name, LayoutEncoding encoding = LayoutEncoding::Utf8,
                      std::string_view type = {});

    // The first top-level element: none when nothing is loaded or the text
    // holds no element. Further top-level elements are its siblings.
    CLayoutElement GetRoot() const;

    const std::string& GetLastErrorMessage() const { return errorMessage_; }
    const std::string& GetLastErrorLocation() const { return errorLocation_; }

private:
    friend class CLayoutElement;

    static constexpr std::uint32_t none = 0xFFFFFFFF;

    // Spans of text_ by offset and length.
    struct ElementRecord {
        std::uint32_t name = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t value = 0;
        std::uint32_t valueLength = 0;
        std::uint32_t firstChild = none;
        std::uint32_t nextSibling = none;
        std::uint32_t firstAttribute = 0;
        std::uint32_t attributeCount = 0;
    };
    struct AttributeRecord {
        std::uint32_t name = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t value = 0;
        std::uint32_t valueLength = 0;
    };

    // An element whose end tag has not been read yet, with the last child
    // linked to it so far.
    struct OpenElement {
        std::uint32_t element = none;
        std::uint32_t lastChild = none;
    };

    // Starts a new document over `text`, which must be valid UTF-8.
    bool Parse(std::string text);
    bool ParseStartTag(std::size_t& pos, std::vector<OpenElement>& open);
    bool ParseAttributes(std::size_t& pos, ElementRecord& element);
    bool ParseEndTag(std::size_t& pos, std::vector<OpenElement>& open);
    void Link(std::uint32_t index, std::vector<OpenElement>& open);
    // Replaces the entities of text_[start, end) in place; returns the new
    // length.
    std::uint32_t ReplaceEntities(std::size_t start, std::size_t end);
    bool Fail(std::string_view message, std::string_view location);
    void Clear();

    std::string_view Span(std::uint32_t offset, std::uint32_t length) const
    {
        return std::string_view(text_).substr(offset, length);
    }

    std::string text_;
    std::vector<ElementRecord> elements_;
    std::vector<AttributeRecord> attributes_;
    // The last top-level element parsed, which the next one follows.
    std::uint32_t lastTopLevel_ = none;
    // Counts loads, so that handles on an earlier document read as none.
    std::uint32_t generation_ = 1;
    std::string errorMessage_;
    std::string errorLocation_;
};

} // namespace pelmo::ui
