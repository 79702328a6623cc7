#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/graphics/FaceSource.h"
#include "platform/graphics/FontDescription.h"
#include "platform/graphics/GlyphCache.h"

namespace pelmo::platform {

class FontSystem;

struct FontMetrics {
    int ascent = 0;   // pixels above the baseline
    int descent = 0;  // pixels below it
    int height = 0;   // ascent + descent: one line of text
    int averageCharWidth = 0;
    int underlineOffset = 1;    // from the baseline down to the underline's top
    int underlineThickness = 1;
};

// A font of one description at one pixel size, opened through FontSystem.
// Characters missing from the preferred face come from the next face
// fontconfig offers that has them, so Latin and Chinese mix in one string.
// Rendered glyphs stay in the font's cache for its lifetime.
class Font {
public:
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const FontDescription& description() const { return description_; }
    const FontMetrics& metrics() const { return metrics_; }

    // The glyph of a character, rendered on first use; the reference is good
    // until the next call (see GlyphCache). Control characters have no ink
    // and no advance.
    const Glyph& glyph(char32_t character) const;
    int advance(char32_t character) const { return glyph(character).advance; }
    // The advance width of a UTF-8 string.
    int measure(std::string_view utf8) const;
    const GlyphCache& cache() const { return cache_; }

private:
    friend class FontSystem;
    struct Faces;
    Font(FontSystem& system, FontDescription description, std::vector<FaceSource> sources);

    FontDescription description_;
    FontMetrics metrics_;
    std::unique_ptr<Faces> faces_;
    mutable GlyphCache cache_;
};

} // namespace pelmo::platform
