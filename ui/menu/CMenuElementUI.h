#pragma once

#include <cstdint>
#include <memory>

#include "ui/controls/CListContainerElementUI.h"

namespace pelmo::ui {

class CLabelUI;
class CMenuUI;

// One row of a pop-up menu: a command with a 16-bit id, a separator line,
// or the entry of a sub-menu, which it owns and shows when the mouse first
// enters it. Pressing a command posts WM_COMMAND with its id to the menu
// owner window and closes the menus.
class CMenuElementUI : public CListContainerElementUI {
public:
    static constexpr std::uint32_t hotLabelColour = 0xFFFF0000;
    static constexpr std::uint32_t labelColour = 0xFFFFFFFF;

    CMenuElementUI();
    ~CMenuElementUI() override;

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;

    unsigned GetId() const { return id_; }
    void SetId(unsigned id) { id_ = id & 0xFFFF; }
    // The menu the row belongs to, and the sub-menu it opens (none for a
    // command).
    CMenuUI* GetMenu() const { return menu_; }
    CMenuUI* GetSubMenu() const { return subMenu_.get(); }
    // The label that shows the row's text (none for a separator).
    CLabelUI* GetLabel() const { return label_; }
    bool IsSeparator() const { return separator_; }

    void HandleEvent(UIEvent& event) override;
    void PaintStateImage(UIDC& dc) override;

private:
    friend class CMenuUI;
    void ShowSubMenu();

    unsigned id_ = 0;
    CMenuUI* menu_ = nullptr;
    std::unique_ptr<CMenuUI> subMenu_;
    CLabelUI* label_ = nullptr;
    bool separator_ = false;
    std::uint32_t separatorColour_ = 0;
    int separatorIndent_ = 0;
};

} // namespace pelmo::ui
