#include "ui/painter/WindowShape.h"

#include <vector>

#include "platform/files/AtomicFile.h"
#include "ui/resources/ImageDecoder.h"
#include "ui/resources/ResourceReader.h"

namespace pelmo::ui {

using platform::Rect;
using platform::Region;

Region WindowShape::roundCornerRegion(int width, int height, int cx, int cy)
{
    return Region::roundRect(Rect{0, 0, width + 1, height + 1}, cx, cy);
}

Region WindowShape::buildMaskRegion(const platform::Surface& mask)
{
    // Batching bounds the work of each merge however many runs the mask has.
    constexpr std::size_t batchSize = 2000;
    Region result;
    std::vector<Rect> batch;
    batch.reserve(batchSize);
    auto flush = [&] {
        result.unite(Region::fromRects(batch));
        batch.clear();
    };
    for (int y = 0; y < mask.height(); ++y) {
        const std::uint32_t* row = mask.row(y);
        int x = 0;
        while (x < mask.width()) {
            while (x < mask.width() && (row[x] & 0x00FFFFFFu) == 0x00FFFFFFu)
                ++x;
            int start = x;
            while (x < mask.width() && (row[x] & 0x00FFFFFFu) != 0x00FFFFFFu)
                ++x;
            if (x > start) {
                batch.push_back(Rect{start, y, x, y + 1});
                if (batch.size() == batchSize)
                    flush();
            }
        }
    }
    flush();
    return result;
}

std::optional<Region> WindowShape::loadMaskRegion(const std::string& path)
{
    std::optional<std::vector<std::uint8_t>> bytes = platform::readWholeFile(path, ResourceReader::imageLimit);
    if (!bytes)
        return std::nullopt;
    std::unique_ptr<LoadedImage> image = ImageDecoder::decode(*bytes, 0);
    if (!image)
        return std::nullopt;
    return buildMaskRegion(image->bitmap);
}

} // namespace pelmo::ui
