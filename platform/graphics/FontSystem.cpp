#include "platform/graphics/FontSystem.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include <cstdlib>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H

#include "platform/debug/DebugOutput.h"
#include "platform/graphics/Font.h"

namespace pelmo::platform {

namespace {

constexpr std::size_t fontCacheSize = 64;
constexpr std::size_t maxFaceSources = 8;
constexpr int maxHeight = 256;

// Windows face names of Chinese fonts, which Linux systems do not have under
// those names: they ask fontconfig for a face of the right language instead
// of falling back to the Latin default.
struct ChineseFace {
    std::string_view name;
    const char* language;
};
constexpr std::array<ChineseFace, 12> chineseFaces{{
    {"microsoft jhenghei", "zh-tw"},
    {"microsoft jhenghei ui", "zh-tw"},
    {"pmingliu", "zh-tw"},
    {"mingliu", "zh-tw"},
    {"microsoft yahei", "zh-cn"},
    {"microsoft yahei ui", "zh-cn"},
    {"simsun", "zh-cn"},
    {"nsimsun", "zh-cn"},
    {"simhei", "zh-cn"},
    {"kaiti", "zh-cn"},
    {"dengxian", "zh-cn"},
    {"fangsong", "zh-cn"},
}};

const char* chineseLanguageOf(std::string_view face)
{
    std::string lower(face);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ChineseFace& known : chineseFaces)
        if (lower == known.name)
            return known.language;
    // A face name written in Chinese characters ("微软雅黑", "新細明體").
    if (std::any_of(face.begin(), face.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE0; }))
        return "zh-cn";
    return nullptr;
}

FontDescription normalised(FontDescription description)
{
    if (description.height <= 0)
        description.height = FontSystem::defaultGuiFontDescription().height;
    description.height = std::min(description.height, maxHeight);
    return description;
}

// FreeType's allocator, in static storage: the library is reference counted
// (every font holds it, see Font), so it may be released after the font
// system, and its allocator must outlive both.
void* allocate(FT_Memory, long size)
{
    return std::malloc(static_cast<std::size_t>(size));
}

void release(FT_Memory, void* block)
{
    std::free(block);
}

void* reallocate(FT_Memory, long, long size, void* block)
{
    return std::realloc(block, static_cast<std::size_t>(size));
}

FT_MemoryRec_ freetypeMemory{nullptr, allocate, release, reallocate};

} // namespace

FontSystem& FontSystem::instance()
{
    static FontSystem system;
    return system;
}

FontSystem::FontSystem()
{
    if (FT_New_Library(&freetypeMemory, &library_) == 0) {
        FT_Add_Default_Modules(library_);
        FT_Set_Default_Properties(library_);
    } else {
        library_ = nullptr;
        debugOutput("FreeType could not be initialised; text is not drawn");
    }
    fontconfigReady_ = FcInit() == FcTrue;
    if (!fontconfigReady_)
        debugOutput("fontconfig could not be initialised; text is not drawn");
}

FontSystem::~FontSystem()
{
    fonts_.clear();
    if (library_)
        FT_Done_Library(library_);
    // Gives back fontconfig's configuration, so leak checkers see a clean exit.
    if (fontconfigReady_)
        FcFini();
}

FontDescription FontSystem::defaultGuiFontDescription()
{
    return FontDescription{"sans-serif", 12, false, false, false};
}

std::vector<FaceSource> FontSystem::resolve(const FontDescription& description) const
{
    std::vector<FaceSource> sources;
    if (!fontconfigReady_)
        return sources;

    FcPattern* pattern = FcPatternCreate();
    if (!description.face.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(description.face.c_str()));
    if (const char* language = chineseLanguageOf(description.face)) {
        FcLangSet* languages = FcLangSetCreate();
        FcLangSetAdd(languages, reinterpret_cast<const FcChar8*>(language));
        FcPatternAddLangSet(pattern, FC_LANG, languages);
        FcLangSetDestroy(languages);
    }
    FcPatternAddInteger(pattern, FC_WEIGHT, description.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, description.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, description.height);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcFontSet* set = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
    if (set) {
        for (int i = 0; i < set->nfont && sources.size() < maxFaceSources; ++i) {
            FcPattern* font = FcFontRenderPrepare(nullptr, pattern, set->fonts[i]);
            if (!font)
                continue;
            FcChar8* file = nullptr;
            int index = 0;
            FcBool embolden = FcFalse;
            FcMatrix* matrix = nullptr;
            if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch && file) {
                FcPatternGetInteger(font, FC_INDEX, 0, &index);
                FcPatternGetBool(font, FC_EMBOLDEN, 0, &embolden);
                int slant = FC_SLANT_ROMAN;
                FcPatternGetInteger(font, FC_SLANT, 0, &slant);
                bool shear = FcPatternGetMatrix(font, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix &&
                             matrix->xy != 0.0;
                FaceSource source;
                source.path = reinterpret_cast<const char*>(file);
                source.index = index;
                source.embolden = embolden == FcTrue;
                source.oblique = description.italic && (shear || slant == FC_SLANT_ROMAN);
                sources.push_back(std::move(source));
            }
            FcPatternDestroy(font);
        }
        FcFontSetDestroy(set);
    }
    FcPatternDestroy(pattern);
    return sources;
}

std::shared_ptr<Font> FontSystem::open(const FontDescription& requested)
{
    FontDescription description = normalised(requested);
    for (auto entry = fonts_.begin(); entry != fonts_.end(); ++entry) {
        if (entry->first == description) {
            fonts_.splice(fonts_.begin(), fonts_, entry);
            return fonts_.front().second;
        }
    }
    auto font = std::shared_ptr<Font>(new Font(*this, description, resolve(description)));
    fonts_.emplace_front(description, font);
    if (fonts_.size() > fontCacheSize)
        fonts_.pop_back();
    return font;
}

} // namespace pelmo::platform
