#include "platform/graphics/Raster.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pelmo::platform::raster {

namespace {

// x * a / 255 for the two channels held in bits 0-7 and 16-23 at once,
// rounded; the usual exact division by 255 for values below 65535.
inline std::uint32_t scaleLanes(std::uint32_t lanes, std::uint32_t a)
{
    std::uint32_t t = lanes * a + 0x00800080u;
    return ((t + ((t >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// All four channels of a premultiplied pixel times a / 255.
inline std::uint32_t scalePixel(std::uint32_t pixel, std::uint32_t a)
{
    return scaleLanes(pixel & 0x00FF00FFu, a) | (scaleLanes((pixel >> 8) & 0x00FF00FFu, a) << 8);
}

inline std::uint32_t overPixel(std::uint32_t source, std::uint32_t destination)
{
    // Channels of a premultiplied source never exceed its alpha, so the sum
    // stays within a byte and carries do not cross lanes.
    return source + scalePixel(destination, 255 - (source >> 24));
}

#if defined(__SSE2__)
// Four premultiplied pixels at a time, as 16-bit lanes: the same arithmetic
// as scaleLanes (x * a / 255, rounded), so both paths give equal results.
inline __m128i scale16(__m128i x, __m128i a)
{
    __m128i t = _mm_add_epi16(_mm_mullo_epi16(x, a), _mm_set1_epi16(0x80));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

// Each pixel's alpha copied into its four 16-bit lanes.
inline __m128i alphaLanes(__m128i pixels16)
{
    __m128i lo = _mm_shufflelo_epi16(pixels16, _MM_SHUFFLE(3, 3, 3, 3));
    return _mm_shufflehi_epi16(lo, _MM_SHUFFLE(3, 3, 3, 3));
}

inline __m128i over4(__m128i source, __m128i destination)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    __m128i sLo = _mm_unpacklo_epi8(source, zero);
    __m128i sHi = _mm_unpackhi_epi8(source, zero);
    __m128i dLo = _mm_unpacklo_epi8(destination, zero);
    __m128i dHi = _mm_unpackhi_epi8(destination, zero);
    dLo = scale16(dLo, _mm_sub_epi16(full, alphaLanes(sLo)));
    dHi = scale16(dHi, _mm_sub_epi16(full, alphaLanes(sHi)));
    return _mm_add_epi8(source, _mm_packus_epi16(dLo, dHi));
}

inline __m128i fade4(__m128i source, __m128i fade16)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i lo = scale16(_mm_unpacklo_epi8(source, zero), fade16);
    __m128i hi = scale16(_mm_unpackhi_epi8(source, zero), fade16);
    return _mm_packus_epi16(lo, hi);
}
#endif

} // namespace

std::uint32_t over(std::uint32_t source, std::uint32_t destination)
{
    return overPixel(source, destination);
}

void fill(Surface& target, const Rect& rect, const Rect& clip, std::uint32_t pixel)
{
    Rect area = rect.intersected(clip).intersected(target.bounds());
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint32_t* row = target.row(y) + area.left;
        int count = area.width();
        int i = 0;
#if defined(__SSE2__)
        const __m128i four = _mm_set1_epi32(static_cast<int>(pixel));
        for (; i + 4 <= count; i += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), four);
#endif
        for (; i < count; ++i)
            row[i] = pixel;
    }
}

void blendFill(Surface& target, const Rect& rect, const Rect& clip, std::uint32_t pixel)
{
    std::uint32_t alpha = pixel >> 24;
    if (alpha == 0)
        return;
    if (alpha == 255) {
        fill(target, rect, clip, pixel);
        return;
    }
    Rect area = rect.intersected(clip).intersected(target.bounds());
    std::uint32_t inverse = 255 - alpha;
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint32_t* row = target.row(y);
        int x = area.left;
#if defined(__SSE2__)
        const __m128i four = _mm_set1_epi32(static_cast<int>(pixel));
        for (; x + 4 <= area.right; x += 4) {
            __m128i* at = reinterpret_cast<__m128i*>(row + x);
            _mm_storeu_si128(at, over4(four, _mm_loadu_si128(at)));
        }
#endif
        for (; x < area.right; ++x)
            row[x] = pixel + scalePixel(row[x], inverse);
    }
}

namespace {

void blendRow(std::uint32_t* destination, const std::uint32_t* source, int count)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 4 <= count; i += 4) {
        __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        __m128i alpha = _mm_and_si128(pixels, alphaMask);
        __m128i* at = reinterpret_cast<__m128i*>(destination + i);
        // Runs of clear or opaque pixels are common in skins and cost nothing.
        int clear = _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_setzero_si128()));
        if (clear == 0xFFFF)
            continue;
        int opaque = _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, alphaMask));
        if (opaque == 0xFFFF)
            _mm_storeu_si128(at, pixels);
        else
            _mm_storeu_si128(at, over4(pixels, _mm_loadu_si128(at)));
    }
#endif
    for (; i < count; ++i) {
        std::uint32_t pixel = source[i];
        std::uint32_t alpha = pixel >> 24;
        // Skins are mostly fully opaque or fully clear; both skip the arithmetic.
        if (alpha == 255)
            destination[i] = pixel;
        else if (alpha != 0)
            destination[i] = overPixel(pixel, destination[i]);
    }
}

void blendRowFaded(std::uint32_t* destination, const std::uint32_t* source, int count, std::uint32_t fade)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i fade16 = _mm_set1_epi16(static_cast<short>(fade));
    for (; i + 4 <= count; i += 4) {
        __m128i pixels = fade4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i)), fade16);
        __m128i* at = reinterpret_cast<__m128i*>(destination + i);
        _mm_storeu_si128(at, over4(pixels, _mm_loadu_si128(at)));
    }
#endif
    for (; i < count; ++i) {
        std::uint32_t pixel = source[i];
        if (pixel >> 24)
            destination[i] = overPixel(scalePixel(pixel, fade), destination[i]);
    }
}

} // namespace

void blit(Surface& target, const Rect& destRect, const Rect& clip, const Surface& source, const Rect& sourceRect,
          bool blend, std::uint8_t constantAlpha)
{
    if (destRect.isEmpty() || sourceRect.isEmpty() || (blend && constantAlpha == 0))
        return;
    if (sourceRect.intersected(source.bounds()) != sourceRect)
        return;
    Rect area = destRect.intersected(clip).intersected(target.bounds());
    if (area.isEmpty())
        return;

    const int dw = destRect.width();
    const int dh = destRect.height();
    const int sw = sourceRect.width();
    const int sh = sourceRect.height();
    const bool stretched = dw != sw || dh != sh;

    // Nearest neighbour, sampling each target pixel's centre.
    auto sourceX = [&](int x) {
        return sourceRect.left + static_cast<int>((2LL * (x - destRect.left) + 1) * sw / (2LL * dw));
    };
    auto sourceY = [&](int y) {
        return sourceRect.top + static_cast<int>((2LL * (y - destRect.top) + 1) * sh / (2LL * dh));
    };

    std::vector<std::uint32_t> stretchedRow;
    std::vector<int> columns;
    if (stretched) {
        stretchedRow.resize(static_cast<std::size_t>(area.width()));
        columns.resize(static_cast<std::size_t>(area.width()));
        for (int x = area.left; x < area.right; ++x)
            columns[static_cast<std::size_t>(x - area.left)] = sourceX(x);
    }

    const int count = area.width();
    for (int y = area.top; y < area.bottom; ++y) {
        const std::uint32_t* sourceRow = source.row(sourceY(y));
        const std::uint32_t* pixels;
        if (stretched) {
            for (int i = 0; i < count; ++i)
                stretchedRow[static_cast<std::size_t>(i)] = sourceRow[columns[static_cast<std::size_t>(i)]];
            pixels = stretchedRow.data();
        } else {
            pixels = sourceRow + sourceRect.left + (area.left - destRect.left);
        }
        std::uint32_t* destination = target.row(y) + area.left;
        if (!blend)
            std::copy(pixels, pixels + count, destination);
        else if (constantAlpha == 255)
            blendRow(destination, pixels, count);
        else
            blendRowFaded(destination, pixels, count, constantAlpha);
    }
}

void blendMask(Surface& target, int x, int y, const Rect& clip, const std::uint8_t* mask, int width, int height,
               int pitch, std::uint32_t colour)
{
    Rect area = Rect{x, y, x + width, y + height}.intersected(clip).intersected(target.bounds());
    std::uint32_t opaque = 0xFF000000u | (colour & 0x00FFFFFFu);
    for (int row = area.top; row < area.bottom; ++row) {
        const std::uint8_t* coverage = mask + static_cast<std::ptrdiff_t>(row - y) * pitch;
        std::uint32_t* destination = target.row(row);
        for (int column = area.left; column < area.right; ++column) {
            std::uint32_t c = coverage[column - x];
            if (c == 0)
                continue;
            destination[column] = c == 255 ? opaque : overPixel(scalePixel(opaque, c), destination[column]);
        }
    }
}

} // namespace pelmo::platform::raster
