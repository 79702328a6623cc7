#pragma once

#include "ui/controls/IListUI.h"
#include "ui/controls/ListItemSettings.h"
#include "ui/layout/CVerticalLayoutUI.h"

namespace pelmo::ui {

class CListBodyUI;
class CListHeaderUI;
class IListItemUI;

// A list: a header of column headings over a scrolling body of items. The
// child list operations (IContainerUI) address the items in the body; a
// ListHeader added to the list replaces its header and ListHeaderItems go
// into the header. The list keeps the current item and moves it with the
// keys (Up, Down, Home, End; Page Up and Page Down scroll) and, with
// scroll-select, the wheel; Return activates it.
class CListUI : public CVerticalLayoutUI, public IListUI {
public:
    CListUI();

    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;
    unsigned ControlFlags() const override { return UIFLAG_TABSTOP; }

    // IContainerUI, on the body.
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool SetItemIndex(CControlUI* control, int index) override;
    int GetCount() const override;
    bool Add(CControlUI* control) override;
    bool InsertChildAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;
    int NextSelectable(int index, bool forward) const override;

    // IListUI.
    ListItemSettings& GetItemSettings() override { return settings_; }
    int GetCurSel() const override { return current_; }
    // Fails for an index outside the items and for an item that is hidden,
    // disabled or no list item, leaving the selection alone; an item that
    // refuses selection leaves none. The new item is scrolled into view
    // before "itemselect" (new index, old index) goes out.
    bool SelectItemAt(int index, bool takeFocus = false) override;
    CListHeaderUI* GetHeader() const override { return header_; }
    CContainerUI* GetList() const override;
    bool ExpandItem(int index, bool expand = true) override;
    int GetExpandedItem() const override { return expanded_; }
    void HandleEvent(UIEvent& event) override;

    bool IsScrollSelect() const { return scrollSelect_; }
    void SetScrollSelect(bool scrollSelect) { scrollSelect_ = scrollSelect; }
    // Scrolls the body so that the item is fully visible.
    void ScrollIntoView(int index);

    // Scrolling is the body's.
    UISize GetScrollPos() const override;
    UISize GetScrollRange() const override;
    void SetScrollPos(UISize position) override;
    void LineUp() override;
    void LineDown() override;
    void PageUp() override;
    void PageDown() override;
    void ScrollToTop() override;
    void ScrollToBottom() override;
    void LineLeft() override;
    void LineRight() override;
    void PageLeft() override;
    void PageRight() override;
    void ScrollToLeftEnd() override;
    void ScrollToRightEnd() override;
    void ShowScrollBars(bool vertical, bool horizontal) override;
    IScrollBarUI* GetVerticalScrollBar() const override;
    IScrollBarUI* GetHorizontalScrollBar() const override;

    void SetPos(Rect rect) override;
    void ApplyAttribute(std::string_view name, std::string_view value) override;
    // Searches the header and the body (the container's search counts the
    // items, which are the body's).
    CControlUI* LookupControl(FindControlProc proc, void* data, unsigned flags) override;

private:
    static IListItemUI* AsListItem(CControlUI* control);
    bool ReplaceHeader(CListHeaderUI* header);
    // Tells the items from `from` on their new indices.
    void Reindex(int from);

    CListHeaderUI* header_;
    CListBodyUI* body_;
    ListItemSettings settings_;
    int current_ = -1;
    int expanded_ = -1;
    bool scrollSelect_ = false;
};

} // namespace pelmo::ui
