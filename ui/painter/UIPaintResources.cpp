#include "ui/painter/UIPaintResources.h"

#include "platform/graphics/FontSystem.h"

namespace pelmo::ui {

using platform::FontSystem;

UIPaintResources::UIPaintResources()
    : defaultFont_(FontSystem::instance().open(FontSystem::defaultGuiFontDescription()))
{
}

int UIPaintResources::AddFont(const platform::FontDescription& description)
{
    fonts_.push_back(FontSystem::instance().open(description));
    return static_cast<int>(fonts_.size()) - 1;
}

const platform::Font& UIPaintResources::GetFont(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= fonts_.size())
        return *defaultFont_;
    return *fonts_[static_cast<std::size_t>(index)];
}

void UIPaintResources::SetDefaultFont(const platform::FontDescription& description)
{
    defaultFont_ = FontSystem::instance().open(description);
}

} // namespace pelmo::ui
