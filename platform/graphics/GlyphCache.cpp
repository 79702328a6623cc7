#include "platform/graphics/GlyphCache.h"

namespace pelmo::platform {

const Glyph* GlyphCache::find(char32_t character) const
{
    if (character < latin_.size())
        return latin_[character].get();
    auto found = others_.find(character);
    return found == others_.end() ? nullptr : found->second.get();
}

const Glyph& GlyphCache::insert(char32_t character, Glyph glyph)
{
    if (bytes_ + glyph.coverage.size() > byteLimit)
        clear();
    std::unique_ptr<Glyph>& slot = character < latin_.size() ? latin_[character] : others_[character];
    if (slot)
        bytes_ -= slot->coverage.size();
    else
        ++count_;
    bytes_ += glyph.coverage.size();
    slot = std::make_unique<Glyph>(std::move(glyph));
    return *slot;
}

void GlyphCache::clear()
{
    for (auto& slot : latin_)
        slot.reset();
    others_.clear();
    count_ = 0;
    bytes_ = 0;
}

} // namespace pelmo::platform
