#pragma once

#include <cstdint>
#include <string>

#include "ui/controls/IListOwnerUI.h"
#include "ui/controls/ListItemSettings.h"
#include "ui/core/CContainerUI.h"

namespace pelmo::ui {

class CComboWnd;

// A combo box: a box showing the current item, whose items (list items it
// owns but never lays out itself) drop down in a window of their own when
// it is pressed or F4 is typed. The keys and the wheel move the current
// item; each change sends "itemselect" (new index, old index), and the
// drop-down's opening sends "dropdown". Without images it draws a plain
// white box with a drop arrow.
class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    unsigned ControlFlags() const override { return UIFLAG_TABSTOP; }
    // Opens the drop-down (and sends "dropdown") unless it is open.
    bool Activate() override;
    // The current item's text.
    std::string GetText() const override;

    bool InsertChildAt(CControlUI* control, int index) override;
    bool Add(CControlUI* control) override;
    bool SetItemIndex(CControlUI* control, int index) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    ListItemSettings& GetItemSettings() override { return settings_; }
    int GetCurSel() const override { return current_; }
    // Closes an open drop-down first (unless the drop-down itself moves the
    // selection with its keys). Fails for index < 0, an empty combo, or an
    // item that is hidden, disabled or no list item; an index past the end
    // means the last item.
    bool SelectItemAt(int index, bool takeFocus = false) override;
    void HandleEvent(UIEvent& event) override;

    const std::string& GetDropBoxAttributes() const { return dropBoxAttributes_; }
    void SetDropBoxAttributes(std::string_view attributes) { dropBoxAttributes_ = attributes; }
    // Width 0: as wide as the combo box. The height is the most the
    // drop-down grows to.
    UISize GetDropBoxSize() const { return dropBoxSize_; }
    void SetDropBoxSize(UISize size) { dropBoxSize_ = size; }
    Rect GetTextPadding() const { return textPadding_; }
    void SetTextPadding(const Rect& padding);
    void SetNormalImage(std::string_view image);
    void SetHotImage(std::string_view image);
    void SetPushedImage(std::string_view image);
    void SetFocusedImage(std::string_view image);
    void SetDisabledImage(std::string_view image);
    // The drop-down window while it is open.
    CComboWnd* GetDropDown() const { return window_; }

    void SetPos(Rect rect) override;
    UISize MeasureSize(UISize available) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    void Paint(UIDC& dc, const Rect& dirty) override;
    void PaintStateImage(UIDC& dc) override;
    void PaintText(UIDC& dc) override;

private:
    friend class CComboWnd;
    // The drop-down is gone; called by it.
    void DropDownClosed(CComboWnd* window);
    // Takes the items back from an open drop-down and destroys it now.
    void DismissDropDown();
    void Reindex(int from);
    bool HasImages() const { return !normalImage_.empty(); }

    ListItemSettings settings_;
    int current_ = -1;
    unsigned state_ = 0;
    Rect textPadding_;
    std::string normalImage_;
    std::string hotImage_;
    std::string pushedImage_;
    std::string focusedImage_;
    std::string disabledImage_;
    std::string dropBoxAttributes_;
    UISize dropBoxSize_{0, 150};
    CComboWnd* window_ = nullptr;
    // Set while the drop-down hands its keys and wheel to the combo: the
    // selection moves and the drop-down stays open.
    bool navigatingDropDown_ = false;
};

} // namespace pelmo::ui
