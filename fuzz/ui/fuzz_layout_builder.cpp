// Any bytes built as a layout: as text (when they begin with "<") and as a
// module resource, whose includes then name resources, itself among them;
// without a manager and with the manager of a headless window, which the
// result is then attached to and painted in. A callback makes a container
// of "Panel" and a plain control of "Leaf", so custom controls with children
// and children under a control that is no container both occur. A build
// either fails with a message or yields a tree; nothing leaks or crashes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/window/HeadlessDisplay.h"
#include "platform/window/WindowSystem.h"
#include "ui/builder/CLayoutBuilder.h"
#include "ui/builder/IDialogBuilderCallback.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CUIManager.h"
#include "ui/resources/ResourceModule.h"
#include "ui/resources/UIResources.h"
#include "ui/window/CWindowWnd.h"

namespace {

using namespace pelmo;

class Callback : public ui::IDialogBuilderCallback {
public:
    ui::CControlUI* CreateCustomControl(std::string_view name) override
    {
        if (name == "Panel")
            return new ui::CContainerUI;
        if (name == "Leaf")
            return new ui::CControlUI;
        return nullptr;
    }
};

// A small window whose messages go to the manager of the input at hand.
class FuzzWindow : public ui::CWindowWnd {
public:
    ui::CUIManager* manager = nullptr;

protected:
    std::string WindowClassName() const override { return "FuzzLayoutWnd"; }
    platform::LResult HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam) override
    {
        platform::LResult result = 0;
        if (manager && manager->HandleWindowMessage(message, wParam, lParam, result))
            return result;
        return CWindowWnd::HandleWindowMessage(message, wParam, lParam);
    }
};

struct Screen {
    Screen()
    {
        auto backend = std::make_unique<platform::HeadlessDisplay>();
        display = backend.get();
        windows = std::make_unique<platform::WindowSystem>(std::move(backend));
        platform::WindowSystem::setCurrent(windows.get());
        display->setMessageFilter(
            [](const platform::WindowMessage& message) { return ui::CUIManager::TranslateMessage(message); });
        window.Create(platform::NoWindow, "fuzz", platform::WS_POPUP | platform::WS_VISIBLE, 0, 0, 0, 64, 48);
        // Images and included files are looked for where there are none.
        ui::UIResources::SetSkinFolder("/nonexistent/pelmo-fuzz");
    }

    platform::HeadlessDisplay* display = nullptr;
    std::unique_ptr<platform::WindowSystem> windows;
    FuzzWindow window;
};

void check(ui::CLayoutBuilder& builder, ui::CControlUI* result)
{
    if (result && !builder.GetLastErrorMessage().empty())
        __builtin_trap();
    if (builder.GetLastErrorMessage().size() > ui::CLayoutReader::maxErrorMessage)
        __builtin_trap();
}

void buildWithoutManager(bool asText, std::string_view text, Callback& callback)
{
    ui::CLayoutBuilder builder;
    ui::CControlUI* result = asText ? builder.Create(text, {}, &callback) : builder.Create(1, "xml", &callback);
    check(builder, result);
    delete result;
}

void buildForWindow(Screen& screen, bool asText, std::string_view text, Callback& callback)
{
    auto manager = std::make_unique<ui::CUIManager>();
    manager->Init(screen.window.GetHWND());
    screen.window.manager = manager.get();
    // With a root attached, the layout's window size is taken without
    // resizing the window.
    manager->AttachRoot(new ui::CControlUI);
    ui::CLayoutBuilder builder;
    ui::CControlUI* result =
        asText ? builder.Create(text, {}, &callback, manager.get()) : builder.Create(1, "xml", &callback, manager.get());
    check(builder, result);
    if (result)
        manager->AttachRoot(result);
    screen.display->runUntilIdle();
    screen.window.manager = nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Screen screen;
    static Callback callback;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool asText = !text.empty() && text.front() == '<';

    ui::ResourceModule module("/nonexistent/pelmo-fuzz/PelmoMice",
                              {{1, "XML", std::span<const std::uint8_t>(data, size)}});
    ui::UIResources::SetLayoutModule(&module);
    for (bool fromText : {true, false}) {
        if (fromText && !asText)
            continue;
        buildWithoutManager(fromText, text, callback);
        buildForWindow(screen, fromText, text, callback);
    }
    ui::UIResources::SetLayoutModule(nullptr);
    return 0;
}
