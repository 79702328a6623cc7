#pragma once

#include <string_view>

namespace pelmo::ui {

class CControlUI;

// Creates the controls of element names the framework does not know (the
// program's pages and panels) while a layout is built.
class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A new control for a name the callback knows, or none; the builder
    // takes ownership of what it returns.
    virtual CControlUI* CreateCustomControl(std::string_view elementName) = 0;
};

} // namespace pelmo::ui
