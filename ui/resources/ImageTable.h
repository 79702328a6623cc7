#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/resources/LoadedImage.h"

namespace pelmo::ui {

// One window's decoded images, by the name an image string gives them. A
// window manager owns one; images are decoded on first use and live until
// dropped or until the table goes. The type and mask of a name's first load
// stay with it, so two strings naming the same file with different masks
// share the first bitmap. Every live table is known process-wide, so that a
// change of skin folder can reload the images of all windows.
class ImageTable {
public:
    ImageTable();
    ~ImageTable();
    ImageTable(const ImageTable&) = delete;
    ImageTable& operator=(const ImageTable&) = delete;

    // Loads and stores an image; none when it cannot be loaded or the name is
    // already there. With a resource type the name must begin with a digit:
    // it is the resource id.
    const LoadedImage* CacheImage(std::string_view name, std::string_view type, std::uint32_t mask);
    const LoadedImage* FindImage(std::string_view name) const;
    const LoadedImage* FindOrLoadImage(std::string_view name, std::string_view type, std::uint32_t mask);
    bool DropImage(std::string_view name);
    void DropAllImages();
    // Decodes every image again from the current sources with its stored type
    // and mask; an image that no longer loads is dropped, so it disappears
    // rather than showing what the previous sources had. Returns whether the
    // table changed, and then calls the repaint handler.
    bool ReloadImages();
    std::size_t size() const { return images_.size(); }

    // What to call after a reload replaced images: the owner's repaint.
    void SetRepaintHandler(std::function<void()> handler) { repaint_ = std::move(handler); }

    // ReloadImages on every live table.
    static void ReloadImagesEverywhere();

private:
    std::unordered_map<std::string, std::unique_ptr<LoadedImage>> images_;
    std::function<void()> repaint_;
};

} // namespace pelmo::ui
