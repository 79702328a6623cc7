#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace pelmo::platform {

// One rendered character: its coverage mask (8 bits a pixel, packed rows),
// where the mask sits relative to the pen on the baseline, and how far the
// pen moves after it.
struct Glyph {
    int advance = 0;
    int left = 0;   // from the pen to the mask's left edge
    int top = 0;    // from the baseline up to the mask's top edge
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
};

// The glyphs a font has rendered, by character. Latin-1 characters sit in a
// direct table because they are nearly all the program draws. The masks are
// bounded: an insert that would take the cache past `byteLimit` empties it
// first (text of every script at large sizes could otherwise grow it without
// end), so a reference from find or insert is good only until the next insert.
class GlyphCache {
public:
    static constexpr std::size_t byteLimit = 8u << 20;

    const Glyph* find(char32_t character) const;
    const Glyph& insert(char32_t character, Glyph glyph);
    std::size_t size() const { return count_; }

private:
    void clear();

    std::array<std::unique_ptr<Glyph>, 256> latin_{};
    std::unordered_map<char32_t, std::unique_ptr<Glyph>> others_;
    std::size_t count_ = 0;
    std::size_t bytes_ = 0;
};

} // namespace pelmo::platform
