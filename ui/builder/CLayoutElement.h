#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelmo::ui {

class CLayoutReader;

// A handle on one element of the document a CLayoutReader holds. It is a
// small value that refers into the reader, which must outlive it; a handle
// taken before the reader loaded another text reads as none, never as an
// element of the new document. Every accessor of a none element answers
// empty, zero or none, so callers can walk a tree without checking each step.
class CLayoutElement {
public:
    // The most a caller's buffer receives of an attribute value, without the
    // terminating zero.
    static constexpr std::size_t attributeCopyLimit = 499;

    CLayoutElement() = default;

    bool IsValid() const;
    explicit operator bool() const { return IsValid(); }

    std::string GetName() const;
    // The text between the start tag and the first child or the end tag,
    // with its entities replaced and its whitespace kept.
    std::string GetValue() const;

    CLayoutElement GetFirstChild() const;
    CLayoutElement GetNextSibling() const;
    bool HasChildren() const;

    // Attributes in document order; an index past the last reads as empty.
    std::size_t GetAttributeCount() const;
    std::string GetAttributeName(std::size_t index) const;
    std::string GetAttributeValue(std::size_t index) const;

    // The whole value of the first attribute of that name (names compare
    // case-sensitively); empty when there is none.
    std::string GetAttributeValue(std::string_view name) const;
    bool HasAttribute(std::string_view name) const;

    // Copies the value of the named attribute into `buffer` as a zero-
    // terminated text of at most min(size - 1, attributeCopyLimit) bytes, cut
    // at a character boundary. Returns whether the attribute exists; when it
    // does not, the buffer receives an empty text.
    bool GetAttributeValue(std::string_view name, char* buffer, std::size_t size) const;

private:
    friend class CLayoutReader;
    CLayoutElement(const CLayoutReader* reader, std::uint32_t index);

    // The index of the named attribute in the reader's attribute list, or
    // none.
    std::uint32_t FindAttribute(std::string_view name) const;

    const CLayoutReader* reader_ = nullptr;
    std::uint32_t index_ = 0;
    std::uint32_t generation_ = 0;
};

} // namespace pelmo::ui
