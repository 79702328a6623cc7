#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/graphics/FontDescription.h"
#include "ui/core/CUIManager.h"
#include "ui/window/CWindowWnd.h"

namespace pelmo::ui {

class CListUI;
class CMenuElementUI;

// A pop-up menu: a topmost tool window whose list holds the rows
// (CMenuElementUI). Rows may be added before or after Init, which makes the
// window (hidden); Show places it inside the work area and brings it up.
// A command row posts WM_COMMAND with its id to the menu owner window (the
// top-level window of the top menu's owner); every menu window that goes
// away posts WM_COMMAND 1999 there. All open menus close together when the
// focus leaves them, on Escape, and when a command is chosen.
//
// A top-level menu deletes itself when its window is gone; a sub-menu
// belongs to the row that opens it.
class CMenuUI : public CWindowWnd {
public:
    // The command every closing menu window posts.
    static constexpr unsigned closedCommand = 1999;

    // Style 0 is the normal menu; style 1 centres the texts and has no icon
    // column; style 2 right-aligns them. Only style 0 has sub-menus.
    explicit CMenuUI(int style = 0);
    ~CMenuUI() override;

    int GetStyle() const { return style_; }
    int GetItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    int GetMenuWidth() const { return width_; }
    void SetMenuWidth(int width);
    std::uint32_t GetBkColor() const { return bkColour_; }
    void SetBkColor(std::uint32_t colour);
    // The colour of the line under each row of the list.
    void SetLineColor(std::uint32_t colour);
    // The font of the rows: the menu window's default font.
    void SetFont(const platform::FontDescription& font);

    // A command row (or, with hasSubMenu, the entry of a sub-menu, whose
    // rows are then added to element->GetSubMenu()). A height of 0 or less
    // is the item height; a marker image shows in the icon column when it
    // is wider than 4.
    CMenuElementUI* AddItem(std::string_view text, unsigned id, std::string_view markerImage = {},
                            std::uint32_t textColour = 0xFFFFFFFF, int height = 0, bool hasSubMenu = false);
    // A row made by the caller; the menu takes it.
    CMenuElementUI* AddElement(CMenuElementUI* element, int height = 0, bool hasSubMenu = false);
    // A 2-pixel row with a line of the colour.
    void AddSeparator(std::uint32_t colour);
    int GetCount() const;
    CListUI* GetList() const { return list_; }

    // Makes the (hidden) window at a screen point: owned by `owner` for a
    // top-level menu, which first closes every other open menu; by the
    // parent row's menu for a sub-menu.
    bool Init(platform::Point point, platform::WindowHandle owner, CMenuElementUI* parentElement = nullptr,
              int iconWidth = 4);
    // Places the menu inside the work area and shows it on top, with the
    // keyboard focus; closes a menu without rows instead.
    void Show();
    // The point the menu opens at (screen coordinates).
    void SetPoint(platform::Point point) { point_ = point; }
    CMenuElementUI* GetParentElement() const { return parentElement_; }
    int GetIconWidth() const { return iconWidth_; }

    // The open menus and the window their commands go to.
    static const std::vector<CMenuUI*>& OpenMenus();
    static platform::WindowHandle MenuOwnerWindow();
    static void CloseAllMenus();
    // Hides the sub-menus opened from rows of this menu, and theirs.
    void HideSubMenus();

protected:
    std::string WindowClassName() const override { return "MenuUI"; }
    unsigned ClassStyle() const override;
    platform::LResult HandleWindowMessage(unsigned message, platform::WParam wParam, platform::LParam lParam) override;
    void FinalMessage(platform::WindowHandle window) override;

private:
    int Height() const { return height_; }
    void AttachList();

    int style_;
    int itemHeight_ = 20;
    int width_ = 150;
    int height_ = 4;  // the list's inset, above and below the rows
    int iconWidth_ = 4;
    std::uint32_t bkColour_ = 0xFF202020;
    std::uint32_t lineColour_ = 0;
    std::optional<platform::FontDescription> font_;
    platform::Point point_;
    CMenuElementUI* parentElement_ = nullptr;
    CUIManager manager_;
    // Owned here until the window's manager takes it.
    CListUI* list_;
    bool listAttached_ = false;
    // Set while the destructor takes the window down.
    bool destroying_ = false;
};

} // namespace pelmo::ui
