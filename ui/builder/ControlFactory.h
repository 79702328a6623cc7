#pragma once

#include <span>
#include <string_view>

namespace pelmo::ui {

class CControlUI;

// The framework's element names and the classes they create: one table
// from name to creator, which the layout builder consults before the
// builder callback. Names compare case-sensitively.
class ControlFactory {
public:
    using Creator = CControlUI* (*)();
    struct Entry {
        std::string_view elementName;
        Creator create;
    };

    // A new control of the class the element name stands for, or none.
    static CControlUI* Create(std::string_view elementName);
    static std::span<const Entry> Entries();
};

} // namespace pelmo::ui
