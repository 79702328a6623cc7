// The window manager's hot paths on the headless display: a mouse move
// dispatched through a 300-control tree, and a hover that repaints two
// controls.

#include <benchmark/benchmark.h>

#include <memory>

#include "platform/window/HeadlessDisplay.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "ui/core/CUIManager.h"
#include "ui/layout/CHorizontalLayoutUI.h"
#include "ui/layout/CVerticalLayoutUI.h"
#include "ui/window/CWindowWnd.h"

using namespace pelmo;
using namespace pelmo::platform;
using namespace pelmo::ui;

namespace {

// Repaints itself when the pointer enters or leaves it.
class HoverCell : public CControlUI {
public:
    HoverCell() { SetBkColor(0xFF506080); }
    void HandleEvent(UIEvent& event) override
    {
        if (event.type == UIEventType::MouseEnter)
            SetBkColor(0xFF7090C0);
        else if (event.type == UIEventType::MouseLeave)
            SetBkColor(0xFF506080);
        else
            CControlUI::HandleEvent(event);
    }
};

class GridWindow : public CWindowWnd {
public:
    CUIManager manager;

protected:
    std::string WindowClassName() const override { return "BenchGridWnd"; }
    LResult HandleWindowMessage(unsigned message, WParam wParam, LParam lParam) override
    {
        if (message == WM_CREATE) {
            manager.Init(GetHWND());
            // 30 rows of 10 cells, 20 x 10 pixels each: 300 controls.
            auto* root = new CVerticalLayoutUI;
            for (int row = 0; row < 30; ++row) {
                auto* line = new CHorizontalLayoutUI;
                line->SetFixedHeight(10);
                for (int column = 0; column < 10; ++column)
                    line->Add(new HoverCell);
                root->Add(line);
            }
            manager.AttachRoot(root);
            return 0;
        }
        LResult result = 0;
        if (manager.HandleWindowMessage(message, wParam, lParam, result))
            return result;
        return CWindowWnd::HandleWindowMessage(message, wParam, lParam);
    }
};

struct Grid {
    Grid()
    {
        auto backend = std::make_unique<HeadlessDisplay>();
        display = backend.get();
        windows = std::make_unique<WindowSystem>(std::move(backend));
        WindowSystem::setCurrent(windows.get());
        window.Create(NoWindow, "", WS_POPUP | WS_VISIBLE, 0, 0, 0, 200, 300);
        display->runUntilIdle();
    }
    ~Grid() { WindowSystem::setCurrent(nullptr); }

    HeadlessDisplay* display;
    std::unique_ptr<WindowSystem> windows;
    GridWindow window;
};

// A move within one cell: hit test, no hover change, nothing to paint.
void BM_MouseMoveThrough300Controls(benchmark::State& state)
{
    Grid grid;
    grid.display->mouseMove(195, 295);
    int x = 0;
    for (auto _ : state) {
        LResult result = 0;
        grid.window.manager.HandleWindowMessage(WM_MOUSEMOVE, 0, makeLParam(181 + (x++ & 7), 291), result);
    }
}
BENCHMARK(BM_MouseMoveThrough300Controls);

// The pointer goes from one cell to another: leave, enter, and the paint of
// the two cells through the loop.
void BM_HoverRepaint(benchmark::State& state)
{
    Grid grid;
    bool flip = false;
    for (auto _ : state) {
        grid.display->mouseMove(flip ? 105 : 125, 155);
        flip = !flip;
        grid.display->clearPresented();
    }
}
BENCHMARK(BM_HoverRepaint);

} // namespace
