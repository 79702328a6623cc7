#include "ui/resources/ResourceModule.h"

#include <algorithm>
#include <cctype>

namespace pelmo::ui {

ResourceModule::ResourceModule(std::string fileName, std::vector<ResourceEntry> entries)
    : fileName_(std::move(fileName)), entries_(std::move(entries))
{
}

const ResourceEntry* ResourceModule::find(int id, std::string_view type) const
{
    auto sameType = [type](std::string_view other) {
        return other.size() == type.size() &&
               std::equal(other.begin(), other.end(), type.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const ResourceEntry& entry : entries_)
        if (entry.id == id && sameType(entry.type))
            return &entry;
    return nullptr;
}

} // namespace pelmo::ui
