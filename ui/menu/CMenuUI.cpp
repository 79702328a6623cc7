#include "ui/menu/CMenuUI.h"

#include <algorithm>
#include <cstdio>

#include "platform/graphics/TextLayout.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "ui/controls/CLabelUI.h"
#include "ui/controls/CListUI.h"
#include "ui/layout/CHorizontalLayoutUI.h"
#include "ui/menu/CMenuElementUI.h"

namespace pelmo::ui {

using namespace pelmo::platform;

namespace {

// The menus open now, top-level first, and where their commands go. Only
// menus share this; it lives on the UI thread.
std::vector<CMenuUI*>& openMenus()
{
    static std::vector<CMenuUI*> menus;
    return menus;
}
WindowHandle menuOwner = NoWindow;

// The gap a menu keeps to the top of the work area.
constexpr int topMargin = 4;
constexpr int rowTopPadding = 3;
constexpr int plainIconWidth = 4;
// Posted to itself by a menu window that lost the keyboard focus.
constexpr unsigned focusCheckMessage = WM_APP + 1;

unsigned alignmentOf(int style)
{
    const unsigned horizontal = style == 1 ? TextStyle::Center : style == 2 ? TextStyle::Right : TextStyle::Left;
    return horizontal | TextStyle::VCenter | TextStyle::SingleLine;
}

} // namespace

CMenuUI::CMenuUI(int style) : style_(style), list_(new CListUI)
{
    if (style_ == 1)
        iconWidth_ = plainIconWidth;
}

CMenuUI::~CMenuUI()
{
    std::erase(openMenus(), this);
    // The window goes while this is still a menu, so that it is closed as
    // one; FinalMessage then finds the object on its way out.
    if (window_ != NoWindow)
        if (WindowSystem* windows = WindowSystem::current(); windows && windows->isWindow(window_)) {
            destroying_ = true;
            windows->destroyWindow(window_);
        }
    if (!listAttached_)
        delete list_;
}

const std::vector<CMenuUI*>& CMenuUI::OpenMenus() { return openMenus(); }

WindowHandle CMenuUI::MenuOwnerWindow() { return menuOwner; }

unsigned CMenuUI::ClassStyle() const { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS; }

void CMenuUI::SetItemHeight(int height)
{
    if (height > 0)
        itemHeight_ = height;
}

void CMenuUI::SetMenuWidth(int width)
{
    if (width > 0)
        width_ = width;
}

void CMenuUI::SetBkColor(std::uint32_t colour)
{
    bkColour_ = colour;
    if (listAttached_)
        list_->SetBkColor(colour);
}

void CMenuUI::SetLineColor(std::uint32_t colour)
{
    lineColour_ = colour;
    list_->GetItemSettings().lineColour = colour;
    list_->Invalidate();
}

void CMenuUI::SetFont(const FontDescription& font)
{
    font_ = font;
    if (listAttached_)
        manager_.SetDefaultFont(font);
}

int CMenuUI::GetCount() const { return list_->GetCount(); }

CMenuElementUI* CMenuUI::AddItem(std::string_view text, unsigned id, std::string_view markerImage,
                                 std::uint32_t textColour, int height, bool hasSubMenu)
{
    auto* element = new CMenuElementUI;
    element->SetId(id);
    auto* row = new CHorizontalLayoutUI;
    row->SetInset(Rect{0, rowTopPadding, 0, 0});
    if (iconWidth_ > plainIconWidth) {
        auto* marker = new CLabelUI;
        marker->SetFixedWidth(iconWidth_);
        marker->SetShowHtml(true);
        marker->SetText("{x 4}{i " + std::string(markerImage) + " }");
        row->Add(marker);
    }
    auto* label = new CLabelUI;
    char name[32];
    std::snprintf(name, sizeof name, "MenuElementLabel%x", id & 0xFFFF);
    label->SetName(name);
    label->SetShowHtml(true);
    label->SetTextStyle(alignmentOf(style_));
    label->SetTextColor(textColour);
    label->SetText(text);
    row->Add(label);
    element->Add(row);
    element->label_ = label;
    return AddElement(element, height, hasSubMenu);
}

CMenuElementUI* CMenuUI::AddElement(CMenuElementUI* element, int height, bool hasSubMenu)
{
    if (!element)
        return nullptr;
    const int rowHeight = height < 1 ? itemHeight_ : height;
    element->SetFixedHeight(rowHeight);
    element->menu_ = this;
    // The row answers for the controls it is made of.
    element->SetChildrenGetMouse(false);
    if (hasSubMenu && style_ == 0) {
        auto subMenu = std::make_unique<CMenuUI>(style_);
        subMenu->SetMenuWidth(width_);
        subMenu->SetItemHeight(itemHeight_);
        subMenu->SetBkColor(bkColour_);
        subMenu->SetLineColor(lineColour_);
        subMenu->iconWidth_ = iconWidth_;
        if (font_)
            subMenu->SetFont(*font_);
        element->subMenu_ = std::move(subMenu);
    }
    list_->Add(element);
    height_ += rowHeight;
    return element;
}

void CMenuUI::AddSeparator(std::uint32_t colour)
{
    auto* element = new CMenuElementUI;
    element->separator_ = true;
    element->separatorColour_ = colour;
    element->separatorIndent_ = iconWidth_;
    element->SetMouseEnabled(false);
    element->SetEnabled(false);
    AddElement(element, 2, false);
}

bool CMenuUI::Init(Point point, WindowHandle owner, CMenuElementUI* parentElement, int iconWidth)
{
    WindowSystem* windows = WindowSystem::current();
    if (!windows || window_ != NoWindow)
        return false;
    parentElement_ = parentElement;
    point_ = point;
    iconWidth_ = style_ == 1 ? plainIconWidth : iconWidth;
    if (!parentElement) {
        CloseAllMenus();
        menuOwner = windows->topLevel(owner);
    }
    if (Create(owner, "", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, point.x, point.y, width_, height_) == NoWindow)
        return false;
    openMenus().push_back(this);
    return true;
}

void CMenuUI::AttachList()
{
    manager_.Init(window_);
    list_->ApplyAttributeString("inset=\"2,2,2,2\" bkcolor=\"0xFFE9FFFF\" bordersize=\"0\" header=\"hidden\"");
    list_->SetBkColor(bkColour_);
    if (font_)
        manager_.SetDefaultFont(*font_);
    manager_.AttachRoot(list_);
    listAttached_ = true;
}

void CMenuUI::Show()
{
    if (window_ == NoWindow)
        return;
    if (GetCount() == 0) {
        Close();
        return;
    }
    WindowSystem& windows = Windows();
    const Rect area = windows.workArea();
    int x = point_.x;
    int y = point_.y;
    if (x + width_ > area.right) {
        // Past the right edge: a top-level menu opens to the left of its
        // point, a sub-menu to the left of its parent.
        if (parentElement_ && parentElement_->GetMenu())
            x = windows.windowRect(parentElement_->GetMenu()->GetHWND()).left - width_;
        else
            x = point_.x - width_;
        x = std::max(x, area.left);
    }
    if (y + height_ > area.bottom)
        y = std::max(y - height_, area.top + topMargin);
    windows.setWindowPos(window_, ZOrder::Topmost, x, y, width_, height_, SWP_SHOWWINDOW);
    windows.setForegroundWindow(window_);
}

void CMenuUI::HideSubMenus()
{
    for (CMenuUI* menu : std::vector<CMenuUI*>(openMenus()))
        if (menu->parentElement_ && menu->parentElement_->GetMenu() == this) {
            menu->HideSubMenus();
            menu->ShowWindow(false);
        }
}

void CMenuUI::CloseAllMenus()
{
    for (CMenuUI* menu : std::vector<CMenuUI*>(openMenus()))
        menu->Close();
}

LResult CMenuUI::HandleWindowMessage(unsigned message, WParam wParam, LParam lParam)
{
    switch (message) {
    case WM_CREATE:
        AttachList();
        return 0;
    case WM_KILLFOCUS:
        // Whether the focus left the menus altogether is known once it has
        // settled: hiding a sub-menu passes it through no window at all on
        // its way back to the parent menu.
        PostMessage(focusCheckMessage);
        break;
    case focusCheckMessage: {
        const WindowHandle focused = Windows().topLevel(Windows().focus());
        const auto& menus = openMenus();
        if (std::none_of(menus.begin(), menus.end(), [focused](CMenuUI* menu) { return menu->GetHWND() == focused; }))
            CloseAllMenus();
        return 0;
    }
    case WM_CLOSE:
        // Straight to destruction: the manager's closing would hand the
        // keyboard to the owner, and the menu opened meanwhile would lose it.
        Windows().destroyWindow(window_);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            CloseAllMenus();
            return 0;
        }
        break;
    case WM_DESTROY:
        Windows().postMessage(menuOwner, WM_COMMAND, makeWParam(closedCommand, 0), 0);
        std::erase(openMenus(), this);
        break;
    default:
        break;
    }
    LResult result = 0;
    if (manager_.HandleWindowMessage(message, wParam, lParam, result))
        return result;
    return CWindowWnd::HandleWindowMessage(message, wParam, lParam);
}

void CMenuUI::FinalMessage(WindowHandle)
{
    if (!parentElement_ && !destroying_)
        delete this;
}

} // namespace pelmo::ui
