// Any bytes, read as each of the layout encodings, either load or fail with a
// bounded message, and a loaded document can be walked whole: every element,
// every attribute by index and by name, and the copy into a small buffer.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ui/builder/CLayoutElement.h"
#include "ui/builder/CLayoutReader.h"

namespace {

// The number of characters of UTF-8 text.
std::size_t characters(const std::string& text)
{
    std::size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void walk(const pelmo::ui::CLayoutReader& reader)
{
    using pelmo::ui::CLayoutElement;
    // An explicit stack, so that a deeply nested document is walked as
    // safely as it was parsed.
    std::vector<CLayoutElement> pending;
    if (reader.GetRoot())
        pending.push_back(reader.GetRoot());
    while (!pending.empty()) {
        CLayoutElement element = pending.back();
        pending.pop_back();
        if (element.GetName().empty())
            __builtin_trap();
        (void)element.GetValue();
        std::size_t count = element.GetAttributeCount();
        if (count > pelmo::ui::CLayoutReader::maxAttributes)
            __builtin_trap();
        for (std::size_t i = 0; i <= count; ++i) {
            std::string name = element.GetAttributeName(i);
            std::string value = element.GetAttributeValue(i);
            if (i == count && (!name.empty() || !value.empty()))
                __builtin_trap();
            if (i == count)
                break;
            // By name, the first attribute of that name answers.
            std::string first = element.GetAttributeValue(name);
            char buffer[8];
            if (!element.HasAttribute(name) || !element.GetAttributeValue(name, buffer, sizeof buffer))
                __builtin_trap();
            if (std::strlen(buffer) >= sizeof buffer || first.compare(0, std::strlen(buffer), buffer) != 0)
                __builtin_trap();
        }
        if (element.HasChildren() != static_cast<bool>(element.GetFirstChild()))
            __builtin_trap();
        if (CLayoutElement sibling = element.GetNextSibling())
            pending.push_back(sibling);
        if (CLayoutElement child = element.GetFirstChild())
            pending.push_back(child);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using pelmo::ui::LayoutEncoding;
    static pelmo::ui::CLayoutReader reader;
    for (LayoutEncoding encoding : {LayoutEncoding::Utf8, LayoutEncoding::Ansi, LayoutEncoding::Utf16}) {
        bool loaded = reader.LoadFromMemory(data, size, encoding);
        if (loaded != reader.GetLastErrorMessage().empty())
            __builtin_trap();
        if (reader.GetLastErrorMessage().size() > pelmo::ui::CLayoutReader::maxErrorMessage ||
            characters(reader.GetLastErrorLocation()) > pelmo::ui::CLayoutReader::maxErrorLocation)
            __builtin_trap();
        if (!loaded && reader.GetRoot())
            __builtin_trap();
        walk(reader);
    }
    return 0;
}
