#include "ui/builder/CLayoutElement.h"

#include <algorithm>

#include "ui/builder/CLayoutReader.h"

namespace pelmo::ui {

CLayoutElement::CLayoutElement(const CLayoutReader* reader, std::uint32_t index)
    : reader_(reader), index_(index), generation_(reader->generation_)
{
}

bool CLayoutElement::IsValid() const
{
    return reader_ && generation_ == reader_->generation_ && index_ < reader_->elements_.size();
}

std::string CLayoutElement::GetName() const
{
    if (!IsValid())
        return {};
    const auto& element = reader_->elements_[index_];
    return std::string(reader_->Span(element.name, element.nameLength));
}

std::string CLayoutElement::GetValue() const
{
    if (!IsValid())
        return {};
    const auto& element = reader_->elements_[index_];
    return std::string(reader_->Span(element.value, element.valueLength));
}

CLayoutElement CLayoutElement::GetFirstChild() const
{
    if (!IsValid() || reader_->elements_[index_].firstChild == CLayoutReader::none)
        return {};
    return CLayoutElement(reader_, reader_->elements_[index_].firstChild);
}

CLayoutElement CLayoutElement::GetNextSibling() const
{
    if (!IsValid() || reader_->elements_[index_].nextSibling == CLayoutReader::none)
        return {};
    return CLayoutElement(reader_, reader_->elements_[index_].nextSibling);
}

bool CLayoutElement::HasChildren() const
{
    return IsValid() && reader_->elements_[index_].firstChild != CLayoutReader::none;
}

std::size_t CLayoutElement::GetAttributeCount() const
{
    return IsValid() ? reader_->elements_[index_].attributeCount : 0;
}

std::string CLayoutElement::GetAttributeName(std::size_t index) const
{
    if (index >= GetAttributeCount())
        return {};
    const auto& attribute = reader_->attributes_[reader_->elements_[index_].firstAttribute + index];
    return std::string(reader_->Span(attribute.name, attribute.nameLength));
}

std::string CLayoutElement::GetAttributeValue(std::size_t index) const
{
    if (index >= GetAttributeCount())
        return {};
    const auto& attribute = reader_->attributes_[reader_->elements_[index_].firstAttribute + index];
    return std::string(reader_->Span(attribute.value, attribute.valueLength));
}

std::uint32_t CLayoutElement::FindAttribute(std::string_view name) const
{
    if (!IsValid())
        return CLayoutReader::none;
    const auto& element = reader_->elements_[index_];
    for (std::uint32_t i = element.firstAttribute; i < element.firstAttribute + element.attributeCount; ++i) {
        const auto& attribute = reader_->attributes_[i];
        if (reader_->Span(attribute.name, attribute.nameLength) == name)
            return i;
    }
    return CLayoutReader::none;
}

std::string CLayoutElement::GetAttributeValue(std::string_view name) const
{
    std::uint32_t found = FindAttribute(name);
    if (found == CLayoutReader::none)
        return {};
    const auto& attribute = reader_->attributes_[found];
    return std::string(reader_->Span(attribute.value, attribute.valueLength));
}

bool CLayoutElement::HasAttribute(std::string_view name) const
{
    return FindAttribute(name) != CLayoutReader::none;
}

bool CLayoutElement::GetAttributeValue(std::string_view name, char* buffer, std::size_t size) const
{
    std::uint32_t found = FindAttribute(name);
    if (!buffer || size == 0)
        return found != CLayoutReader::none;
    std::string_view value;
    if (found != CLayoutReader::none) {
        const auto& attribute = reader_->attributes_[found];
        value = reader_->Span(attribute.value, attribute.valueLength);
    }
    std::size_t limit = std::min(size - 1, attributeCopyLimit);
    if (value.size() > limit) {
        // The reader's text is valid UTF-8, so stepping back over
        // continuation bytes lands on the start of the character that does
        // not fit.
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
            --cut;
        value = value.substr(0, cut);
    }
    std::copy(value.begin(), value.end(), buffer);
    buffer[value.size()] = '\0';
    return found != CLayoutReader::none;
}

} // namespace pelmo::ui
