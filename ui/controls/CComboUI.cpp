#include "ui/controls/CComboUI.h"

#include <algorithm>
#include <utility>

#include "platform/graphics/TextLayout.h"
#include "platform/window/WindowMessages.h"
#include "ui/controls/CComboWnd.h"
#include "ui/controls/ControlState.h"
#include "ui/controls/IListItemUI.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/CUIManager.h"
#include "ui/painter/CUIPainter.h"

namespace pelmo::ui {

namespace {

constexpr int comboMargin = 12;
// The plain look of a combo box without images.
constexpr std::uint32_t plainBackground = 0xFFFFFFFF;
constexpr std::uint32_t plainBorder = 0xFFABADB3;
constexpr std::uint32_t plainHotBorder = 0xFF7EB4EA;
constexpr std::uint32_t plainFocusBorder = 0xFF3388DD;
constexpr std::uint32_t plainArrow = 0xFF505050;
constexpr std::uint32_t plainDisabledArrow = 0xFFB0B0B0;
constexpr int arrowArea = 18;
constexpr int plainIndent = 4;

IListItemUI* AsListItem(CControlUI* control)
{
    return control ? static_cast<IListItemUI*>(control->AsInterface("ListItem")) : nullptr;
}

} // namespace

CComboUI::CComboUI() = default;

CComboUI::~CComboUI()
{
    if (window_)
        window_->Dismiss();
}

std::string_view CComboUI::GetClass() const { return "ComboUI"; }

void* CComboUI::AsInterface(std::string_view name)
{
    if (name == "Combo")
        return static_cast<CComboUI*>(this);
    if (name == "IListOwner")
        return static_cast<IListOwnerUI*>(this);
    return CContainerUI::AsInterface(name);
}

bool CComboUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    if (window_)
        return true;
    window_ = CComboWnd::Open(this);
    if (!window_)
        return false;
    if (manager_)
        manager_->DispatchNotification(this, "dropdown");
    Invalidate();
    return true;
}

std::string CComboUI::GetText() const
{
    const CControlUI* item = GetItemAt(current_);
    return item ? item->GetText() : std::string();
}

void CComboUI::DropDownClosed(CComboWnd* window)
{
    if (window_ != window)
        return;
    window_ = nullptr;
    Invalidate();
}

void CComboUI::DismissDropDown()
{
    if (CComboWnd* window = std::exchange(window_, nullptr))
        window->Dismiss();
}

void CComboUI::Reindex(int from)
{
    for (int i = std::max(0, from); i < GetCount(); ++i)
        if (IListItemUI* item = AsListItem(GetItemAt(i)))
            item->SetIndex(i);
}

bool CComboUI::Add(CControlUI* control) { return InsertChildAt(control, GetCount()); }

bool CComboUI::InsertChildAt(CControlUI* control, int index)
{
    // The drop-down shows the items as they were when it opened.
    DismissDropDown();
    if (!CContainerUI::InsertChildAt(control, index))
        return false;
    if (IListItemUI* item = AsListItem(control))
        item->SetOwner(this);
    Reindex(index);
    if (current_ >= index)
        ++current_;
    return true;
}

bool CComboUI::SetItemIndex(CControlUI* control, int index)
{
    DismissDropDown();
    CControlUI* current = GetItemAt(current_);
    if (!CContainerUI::SetItemIndex(control, index))
        return false;
    Reindex(0);
    current_ = current ? GetItemIndex(current) : -1;
    return true;
}

bool CComboUI::RemoveAt(int index)
{
    DismissDropDown();
    if (!CContainerUI::RemoveAt(index))
        return false;
    Reindex(index);
    if (current_ == index)
        current_ = -1;
    else if (current_ > index)
        --current_;
    return true;
}

void CComboUI::RemoveAll()
{
    DismissDropDown();
    current_ = -1;
    CContainerUI::RemoveAll();
}

bool CComboUI::SelectItemAt(int index, bool)
{
    if (window_ && !navigatingDropDown_)
        window_->Close();
    if (index == current_)
        return true;
    if (index < 0 || GetCount() == 0)
        return false;
    index = std::min(index, GetCount() - 1);
    if (index == current_)
        return true;
    CControlUI* control = GetItemAt(index);
    IListItemUI* item = AsListItem(control);
    if (!item || !control->IsVisible() || !control->IsEnabled())
        return false;
    const int old = current_;
    if (IListItemUI* previous = AsListItem(GetItemAt(old)))
        previous->Select(false);
    current_ = index;
    // Inside the open drop-down the item takes the keyboard.
    if (window_)
        control->SetFocus();
    item->Select(true);
    if (manager_)
        manager_->DispatchNotification(this, "itemselect", static_cast<platform::WParam>(index),
                                       static_cast<platform::LParam>(old));
    Invalidate();
    return true;
}

void CComboUI::HandleEvent(UIEvent& event)
{
    if (!mouseEnabled_ && IsMouseEvent(event.type)) {
        CContainerUI::HandleEvent(event);
        return;
    }
    switch (event.type) {
    case UIEventType::ButtonDown:
        if (IsEnabled()) {
            state_ |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
            Activate();
        }
        return;
    case UIEventType::ButtonUp:
        if (state_ & UISTATE_CAPTURED) {
            state_ &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            Invalidate();
        }
        return;
    case UIEventType::MouseMove:
        return;
    case UIEventType::KeyDown:
        switch (event.key) {
        case platform::VK_UP:
        case platform::VK_PRIOR:
            SelectItemAt(FindSelectableItem(*this, current_ - 1, false));
            return;
        case platform::VK_DOWN:
        case platform::VK_NEXT:
            SelectItemAt(FindSelectableItem(*this, current_ + 1, true));
            return;
        case platform::VK_HOME:
            SelectItemAt(FindSelectableItem(*this, 0, true));
            return;
        case platform::VK_END:
            SelectItemAt(FindSelectableItem(*this, GetCount() - 1, false));
            return;
        case platform::VK_F4:
            Activate();
            return;
        default:
            break;
        }
        break;
    case UIEventType::ScrollWheel: {
        const bool down = platform::lowWord(event.wParam) != 0;
        SelectItemAt(FindSelectableItem(*this, current_ + (down ? 1 : -1), down));
        return;
    }
    case UIEventType::MouseEnter:
        if (IsEnabled()) {
            state_ |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEventType::MouseLeave:
        if (state_ & UISTATE_HOT) {
            state_ &= ~UISTATE_HOT;
            Invalidate();
        }
        return;
    default:
        break;
    }
    // Not the container's handling: the combo has no scroll bars of its own.
    CControlUI::HandleEvent(event);
}

void CComboUI::SetTextPadding(const Rect& padding)
{
    textPadding_ = padding;
    Invalidate();
}

void CComboUI::SetNormalImage(std::string_view image)
{
    normalImage_ = image;
    Invalidate();
}

void CComboUI::SetHotImage(std::string_view image)
{
    hotImage_ = image;
    Invalidate();
}

void CComboUI::SetPushedImage(std::string_view image)
{
    pushedImage_ = image;
    Invalidate();
}

void CComboUI::SetFocusedImage(std::string_view image)
{
    focusedImage_ = image;
    Invalidate();
}

void CComboUI::SetDisabledImage(std::string_view image)
{
    disabledImage_ = image;
    Invalidate();
}

void CComboUI::SetPos(Rect rect)
{
    CControlUI::SetPos(rect);
    // The items are shown only by the drop-down; here they take no place,
    // so that no click in the window ever reaches them.
    if (!window_)
        for (CControlUI* item : items_)
            item->SetPos(Rect{});
}

UISize CComboUI::MeasureSize(UISize)
{
    if (fixedHeight_ > 0 || !manager_)
        return UISize{fixedWidth_, fixedHeight_};
    return UISize{fixedWidth_, manager_->DefaultFontHeight() + comboMargin};
}

void CComboUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "textpadding")
        SetTextPadding(AttributeValue::ReadRect(value));
    else if (name == "normalimage")
        SetNormalImage(value);
    else if (name == "hotimage")
        SetHotImage(value);
    else if (name == "pushedimage")
        SetPushedImage(value);
    else if (name == "focusedimage")
        SetFocusedImage(value);
    else if (name == "disabledimage")
        SetDisabledImage(value);
    else if (name == "dropbox")
        SetDropBoxAttributes(value);
    else if (name != "itemendellipsis" && settings_.ApplyAttribute(name, value))
        Invalidate();
    else
        CContainerUI::ApplyAttribute(name, value);
}

void CComboUI::Paint(UIDC& dc, const Rect& dirty)
{
    // The items belong to the drop-down's picture, not to this one.
    CControlUI::Paint(dc, dirty);
}

void CComboUI::PaintStateImage(UIDC& dc)
{
    const bool enabled = IsEnabled();
    const std::string* image = &normalImage_;
    if (!enabled && !disabledImage_.empty())
        image = &disabledImage_;
    else if (enabled && (state_ & UISTATE_PUSHED) && !pushedImage_.empty())
        image = &pushedImage_;
    else if (enabled && (state_ & UISTATE_HOT) && !hotImage_.empty())
        image = &hotImage_;
    else if (enabled && IsFocused() && !focusedImage_.empty())
        image = &focusedImage_;
    if (!image->empty()) {
        CUIPainter::DrawImageDescription(dc, item_, dc.clip, *image);
        return;
    }
    if (HasImages())
        return;
    // The plain look: a white box, a border that shows hover and focus, and
    // a drop arrow at the right.
    if (bkColour_[0] == 0 && bkImage_.empty())
        CUIPainter::FillColour(dc, item_, plainBackground);
    if (borderColour_ == 0) {
        const std::uint32_t border = !enabled                                          ? plainBorder
                                     : (IsFocused() || (state_ & UISTATE_PUSHED) || window_) ? plainFocusBorder
                                     : (state_ & UISTATE_HOT)                          ? plainHotBorder
                                                                                       : plainBorder;
        CUIPainter::StrokeRect(dc, item_, 1, border);
    }
    const int cx = item_.right - arrowArea / 2;
    const int cy = (item_.top + item_.bottom) / 2 - 1;
    for (int row = 0; row < 4; ++row)
        CUIPainter::FillColour(dc, Rect{cx - 4 + row, cy - 1 + row, cx + 4 - row, cy + row},
                               enabled ? plainArrow : plainDisabledArrow);
}

void CComboUI::PaintText(UIDC& dc)
{
    IListItemUI* item = AsListItem(GetItemAt(current_));
    if (!item)
        return;
    Rect rect{item_.left + textPadding_.left, item_.top + textPadding_.top, item_.right - textPadding_.right,
              item_.bottom - textPadding_.bottom};
    if (!HasImages()) {
        rect.left += plainIndent;
        rect.right -= arrowArea;
    }
    item->DrawItemText(dc, rect);
}

} // namespace pelmo::ui
