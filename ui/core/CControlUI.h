#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/graphics/Rect.h"
#include "ui/core/CEventSource.h"
#include "ui/core/UIEvent.h"
#include "ui/painter/UIDC.h"

namespace pelmo::ui {

using platform::Rect;

class CUIManager;

struct UISize {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(const UISize&, const UISize&) = default;
};

// ControlFlags bits.
constexpr unsigned UIFLAG_TABSTOP = 0x01;
constexpr unsigned UIFLAG_SETCURSOR = 0x02;

// LookupControl flags: which controls the predicate is offered.
constexpr unsigned UIFIND_ALL = 0x00;
constexpr unsigned UIFIND_VISIBLE = 0x01;
constexpr unsigned UIFIND_ENABLED = 0x02;
// Only controls that take the mouse and contain the point `data` points to.
constexpr unsigned UIFIND_HITTEST = 0x04;
// Children from the last (the topmost) to the first.
constexpr unsigned UIFIND_TOP_FIRST = 0x08;
// A container offers itself before its children.
constexpr unsigned UIFIND_ME_FIRST = 0x8000;

// Answers the control it accepts, or none to go on searching.
using FindControlProc = CControlUI* (*)(CControlUI* control, void* data);

// The relative placement of a floating control: how far it moves and grows,
// in percent of its parent's growth since it was first placed.
struct RelativePos {
    bool relative = false;
    int moveXPercent = 0;
    int moveYPercent = 0;
    int zoomXPercent = 0;
    int zoomYPercent = 0;
    UISize parentSize;  // when first placed; 0 until then
    UISize baseOffset;  // the fixed offset when first placed
};

// The base of every control: a rectangle in its window's client area, the
// layout properties its parent reads, visibility and input state, colours,
// border and background image, and five event sources. A control is bound
// to the manager of its window and belongs to its parent; destroying it
// unbinds it from the manager.
class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    virtual const std::string& GetName() const { return name_; }
    virtual void SetName(std::string_view name) { name_ = name; }
    virtual std::string_view GetClass() const;
    // The view of this object as the named interface ("Control", ...), or none.
    virtual void* AsInterface(std::string_view name);
    virtual unsigned ControlFlags() const { return 0; }
    virtual bool Activate();
    CUIManager* GetManager() const { return manager_; }
    virtual void SetManager(CUIManager* manager, CControlUI* parent, bool initialise = true);
    CControlUI* GetParent() const { return parent_; }
    virtual std::string GetText() const { return text_; }
    virtual void SetText(std::string_view text);

    virtual const Rect& GetPos() const { return item_; }
    virtual void SetPos(Rect rect);
    virtual Rect GetPadding() const { return padding_; }
    virtual void SetPadding(const Rect& padding);
    virtual UISize GetFixedXY() const { return fixedXY_; }
    virtual void SetFixedXY(UISize offset);
    virtual int GetFixedWidth() const { return fixedWidth_; }
    virtual void SetFixedWidth(int width);
    virtual int GetFixedHeight() const { return fixedHeight_; }
    virtual void SetFixedHeight(int height);
    virtual int GetMinWidth() const { return minWidth_; }
    virtual void SetMinWidth(int width);
    virtual int GetMaxWidth() const { return maxWidth_; }
    virtual void SetMaxWidth(int width);
    virtual int GetMinHeight() const { return minHeight_; }
    virtual void SetMinHeight(int height);
    virtual int GetMaxHeight() const { return maxHeight_; }
    virtual void SetMaxHeight(int height);
    virtual RelativePos GetRelativePos() const { return relative_; }
    virtual void SetRelativePos(int moveX, int moveY, int zoomX, int zoomY);
    // Remembers where the relative placement starts from.
    void SetRelativeBase(UISize parentSize, UISize offset)
    {
        relative_.parentSize = parentSize;
        relative_.baseOffset = offset;
    }
    bool IsRelativePos() const { return relative_.relative; }

    virtual std::string GetToolTip() const { return tooltip_; }
    virtual void SetToolTip(std::string_view text) { tooltip_ = text; }
    virtual char GetShortcut() const { return shortcut_; }
    virtual void SetShortcut(char shortcut) { shortcut_ = shortcut; }
    virtual bool HasContextMenu() const { return contextMenu_; }
    virtual void SetContextMenu(bool used) { contextMenu_ = used; }
    virtual std::string GetUserData() const { return userData_; }
    virtual void SetUserData(std::string_view text) { userData_ = text; }

    virtual bool IsVisible() const { return visible_ && internalVisible_; }
    virtual void SetVisible(bool visible = true);
    // A container hides its children this way while it is hidden itself.
    virtual void SetHiddenByParent(bool hidden);
    virtual bool IsEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled = true);
    virtual bool IsMouseEnabled() const { return mouseEnabled_; }
    virtual void SetMouseEnabled(bool enabled = true) { mouseEnabled_ = enabled; }
    virtual bool IsFocused() const { return focused_; }
    virtual void SetFocus();
    virtual bool IsFloat() const { return float_; }
    virtual void SetFloat(bool floating = true);

    virtual CControlUI* LookupControl(FindControlProc proc, void* data, unsigned flags);

    // Binds to the manager's window: InitSelf, then the init delegates.
    void Init();
    virtual void InitSelf() {}
    // The event delegates run first; the event is handled only if all agree.
    void Event(UIEvent& event);
    virtual void HandleEvent(UIEvent& event);
    virtual void ApplyAttribute(std::string_view name, std::string_view value);
    // name="value" pairs separated by one blank.
    void ApplyAttributeString(std::string_view list);
    // The size the control would like within `available`: its fixed size.
    virtual UISize MeasureSize(UISize available);

    virtual void Paint(UIDC& dc, const Rect& dirty);
    virtual void PaintBackgroundColour(UIDC& dc);
    virtual void PaintBackgroundImage(UIDC& dc);
    virtual void PaintStateImage(UIDC&) {}
    virtual void PaintText(UIDC&) {}
    virtual void PaintBorder(UIDC& dc);
    virtual void PaintAfterTree(UIDC&) {}

    void Invalidate();
    bool IsUpdateNeeded() const { return updateNeeded_; }
    void RequestLayout();
    void RequestParentLayout();

    // Colours, border, background.
    std::uint32_t GetBkColor() const { return bkColour_[0]; }
    void SetBkColor(std::uint32_t colour);
    std::uint32_t GetBkColor2() const { return bkColour_[1]; }
    void SetBkColor2(std::uint32_t colour);
    std::uint32_t GetBkColor3() const { return bkColour_[2]; }
    void SetBkColor3(std::uint32_t colour);
    std::uint32_t GetBorderColor() const { return borderColour_; }
    void SetBorderColor(std::uint32_t colour);
    std::uint32_t GetFocusBorderColor() const { return focusBorderColour_; }
    void SetFocusBorderColor(std::uint32_t colour);
    int GetBorderSize() const { return borderSize_; }
    void SetBorderSize(int size);
    UISize GetBorderRound() const { return borderRound_; }
    void SetBorderRound(UISize round);
    const std::string& GetBkImage() const { return bkImage_; }
    void SetBkImage(std::string_view image);
    bool IsColorHSL() const { return colourHsl_; }
    void SetColorHSL(bool adjusted);

    // The five event sources: init and destroy take the control, size the
    // control, event a UIEvent, notify a UINotification.
    CEventSource OnInit;
    CEventSource OnDestroy;
    CEventSource OnSize;
    CEventSource OnEvent;
    CEventSource OnNotify;

protected:
    // Called by the manager or a container when the control moves into a
    // new parent (or to none while it waits for deferred deletion).
    friend class CUIManager;
    friend class CContainerUI;
    void SetParentOnly(CControlUI* parent) { parent_ = parent; }
    void SetUpdateNeeded(bool needed) { updateNeeded_ = needed; }
    void SetFocusedFlag(bool focused) { focused_ = focused; }
    // Forwards an event to the parent's HandleEvent, or handles it here.
    void PassToParent(UIEvent& event);
    void SetSizeProperty(int& field, int value);

    CUIManager* manager_ = nullptr;
    CControlUI* parent_ = nullptr;
    std::string name_;
    std::string text_;
    std::string tooltip_;
    std::string userData_;
    Rect item_;
    Rect padding_;
    UISize fixedXY_;
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
    int minWidth_ = 0;
    int maxWidth_ = 9999;
    int minHeight_ = 0;
    int maxHeight_ = 9999;
    RelativePos relative_;
    bool visible_ = true;
    bool internalVisible_ = true;
    bool enabled_ = true;
    bool mouseEnabled_ = true;
    bool focused_ = false;
    bool float_ = false;
    bool contextMenu_ = false;
    bool updateNeeded_ = true;
    bool colourHsl_ = false;
    bool inSizeSource_ = false;
    char shortcut_ = 0;
    std::uint32_t bkColour_[3] = {0, 0, 0};
    std::uint32_t borderColour_ = 0;
    std::uint32_t focusBorderColour_ = 0;
    int borderSize_ = 1;
    UISize borderRound_;
    std::string bkImage_;
};

} // namespace pelmo::ui
