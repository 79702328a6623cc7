#include "platform/graphics/Font.h"

#include <algorithm>
#include <cstdlib>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H
#include FT_SYNTHESIS_H

#include "platform/graphics/FontSystem.h"
#include "platform/graphics/Utf8.h"

namespace pelmo::platform {

namespace {

int ceil26Dot6(FT_Pos value)
{
    return static_cast<int>((value + 63) >> 6);
}

int round26Dot6(FT_Pos value)
{
    return static_cast<int>((value + 32) >> 6);
}

} // namespace

// The faces behind a font: the preferred one first, then the fallbacks,
// each opened on first need. A face that cannot be opened stays closed and
// is not tried again.
struct Font::Faces {
    struct Entry {
        FaceSource source;
        FT_Face face = nullptr;
        bool tried = false;
    };
    FT_Library library = nullptr;
    int height = 0;
    std::vector<Entry> entries;

    explicit Faces(FT_Library shared) : library(shared)
    {
        // Each font holds a reference to the library, so fonts that outlive
        // the font system (in static objects) still close their faces safely.
        if (library)
            FT_Reference_Library(library);
    }
    ~Faces()
    {
        for (Entry& entry : entries)
            if (entry.face)
                FT_Done_Face(entry.face);
        if (library)
            FT_Done_Library(library);
    }
    Faces(const Faces&) = delete;
    Faces& operator=(const Faces&) = delete;

    FT_Face face(std::size_t i)
    {
        Entry& entry = entries[i];
        if (entry.tried)
            return entry.face;
        entry.tried = true;
        if (!library)
            return nullptr;
        FT_Face face = nullptr;
        if (FT_New_Face(library, entry.source.path.c_str(), entry.source.index, &face) != 0)
            return nullptr;
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(height)) != 0) {
            FT_Done_Face(face);
            return nullptr;
        }
        if (entry.source.oblique) {
            // The slant fontconfig and most desktops use for synthetic italics.
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
            FT_Set_Transform(face, &shear, nullptr);
        }
        entry.face = face;
        return face;
    }
};

Font::Font(FontSystem& system, FontDescription description, std::vector<FaceSource> sources)
    : description_(std::move(description)), faces_(std::make_unique<Faces>(system.library()))
{
    faces_->height = description_.height;
    for (FaceSource& source : sources)
        faces_->entries.push_back(Faces::Entry{std::move(source)});

    FT_Face primary = nullptr;
    for (std::size_t i = 0; i < faces_->entries.size() && !primary; ++i)
        primary = faces_->face(i);
    if (primary) {
        const FT_Size_Metrics& size = primary->size->metrics;
        metrics_.ascent = ceil26Dot6(size.ascender);
        metrics_.descent = ceil26Dot6(-size.descender);
        if (FT_IS_SCALABLE(primary)) {
            metrics_.underlineOffset = std::max(1, round26Dot6(-FT_MulFix(primary->underline_position, size.y_scale)));
            metrics_.underlineThickness =
                std::max(1, round26Dot6(FT_MulFix(primary->underline_thickness, size.y_scale)));
        }
    } else {
        metrics_.ascent = description_.height * 4 / 5;
        metrics_.descent = description_.height - metrics_.ascent;
    }
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.averageCharWidth = std::max(1, advance(U'x'));
}

Font::~Font() = default;

const Glyph& Font::glyph(char32_t character) const
{
    if (const Glyph* cached = cache_.find(character))
        return *cached;

    Glyph glyph;
    if (character < 0x20 || character == 0x7F)
        return cache_.insert(character, std::move(glyph));

    // The first face that has the character; the preferred face's missing-
    // glyph box when none has it.
    FT_Face face = nullptr;
    FT_UInt index = 0;
    bool embolden = false;
    for (std::size_t i = 0; i < faces_->entries.size(); ++i) {
        FT_Face candidate = faces_->face(i);
        if (!candidate)
            continue;
        FT_UInt found = FT_Get_Char_Index(candidate, character);
        if (!face || found) {
            face = candidate;
            index = found;
            embolden = faces_->entries[i].source.embolden;
        }
        if (found)
            break;
    }
    if (!face || FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0)
        return cache_.insert(character, std::move(glyph));

    FT_GlyphSlot slot = face->glyph;
    if (embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_GlyphSlot_Embolden(slot);
    glyph.advance = round26Dot6(slot->advance.x);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 && slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.height = static_cast<int>(bitmap.rows);
        glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height));
        int pitch = std::abs(bitmap.pitch);
        for (int row = 0; row < glyph.height; ++row) {
            int sourceRow = bitmap.pitch >= 0 ? row : glyph.height - 1 - row;
            std::copy_n(bitmap.buffer + static_cast<std::ptrdiff_t>(sourceRow) * pitch, glyph.width,
                        glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.width);
        }
    }
    return cache_.insert(character, std::move(glyph));
}

int Font::measure(std::string_view utf8) const
{
    int width = 0;
    for (std::size_t offset = 0; offset < utf8.size();)
        width += advance(Utf8::next(utf8, offset));
    return width;
}

} // namespace pelmo::platform
