#include "ui/resources/ImageTable.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "ui/resources/ImageDecoder.h"

namespace pelmo::ui {

namespace {

// The live tables, in creation order. The UI runs on one thread.
std::vector<ImageTable*>& liveTables()
{
    static std::vector<ImageTable*> tables;
    return tables;
}

} // namespace

ImageTable::ImageTable()
{
    liveTables().push_back(this);
}

ImageTable::~ImageTable()
{
    auto& tables = liveTables();
    tables.erase(std::remove(tables.begin(), tables.end(), this), tables.end());
}

const LoadedImage* ImageTable::CacheImage(std::string_view name, std::string_view type, std::uint32_t mask)
{
    if (name.empty() || images_.count(std::string(name)))
        return nullptr;
    if (!type.empty() && !std::isdigit(static_cast<unsigned char>(name.front())))
        return nullptr;
    std::unique_ptr<LoadedImage> image = DecodeImageFile(name, type, mask);
    if (!image)
        return nullptr;
    const LoadedImage* stored = image.get();
    images_.emplace(std::string(name), std::move(image));
    return stored;
}

const LoadedImage* ImageTable::FindImage(std::string_view name) const
{
    auto found = images_.find(std::string(name));
    return found == images_.end() ? nullptr : found->second.get();
}

const LoadedImage* ImageTable::FindOrLoadImage(std::string_view name, std::string_view type, std::uint32_t mask)
{
    if (const LoadedImage* found = FindImage(name))
        return found;
    return CacheImage(name, type, mask);
}

bool ImageTable::DropImage(std::string_view name)
{
    return images_.erase(std::string(name)) > 0;
}

void ImageTable::DropAllImages()
{
    images_.clear();
}

bool ImageTable::ReloadImages()
{
    bool changed = false;
    for (auto entry = images_.begin(); entry != images_.end();) {
        LoadedImage& image = *entry->second;
        std::unique_ptr<LoadedImage> fresh = DecodeImageFile(entry->first, image.resourceType, image.mask);
        if (fresh) {
            // The entry object stays, so pointers into the table stay valid
            // until the next paint.
            image = std::move(*fresh);
            ++entry;
        } else {
            // An image the new sources lack must not go on showing the old
            // one (a caption in the previous language); dropped, it is looked
            // for again at the next paint.
            entry = images_.erase(entry);
        }
        changed = true;
    }
    if (changed && repaint_)
        repaint_();
    return changed;
}

void ImageTable::ReloadImagesEverywhere()
{
    // A repaint handler may create or destroy windows; work on a copy and
    // skip tables that went away meanwhile.
    std::vector<ImageTable*> tables = liveTables();
    for (ImageTable* table : tables) {
        const auto& live = liveTables();
        if (std::find(live.begin(), live.end(), table) != live.end())
            table->ReloadImages();
    }
}

} // namespace pelmo::ui
