#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmo::ui {

// One resource compiled into a module: a numeric id, a type name ("XML" for
// layouts) and the bytes, which live as long as the module.
struct ResourceEntry {
    int id = 0;
    std::string_view type;
    std::span<const std::uint8_t> bytes;
};

// A module and the resources compiled into it: the program's executable,
// which carries its layouts. The module's file name locates the program
// folder.
class ResourceModule {
public:
    ResourceModule(std::string fileName, std::vector<ResourceEntry> entries);

    const std::string& fileName() const { return fileName_; }
    // The resource of that id and type; type names match without regard to
    // case ("xml" finds "XML"). None when there is no such resource.
    const ResourceEntry* find(int id, std::string_view type) const;

private:
    std::string fileName_;
    std::vector<ResourceEntry> entries_;
};

} // namespace pelmo::ui
