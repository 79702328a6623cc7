#include "ui/controls/CListTextElementUI.h"

#include <algorithm>

#include "platform/window/WindowSystem.h"
#include "ui/core/CUIManager.h"

namespace pelmo::ui {

std::string_view CListTextElementUI::GetClass() const { return "ListTextElementUI"; }

void* CListTextElementUI::AsInterface(std::string_view name)
{
    if (name == "ListTextElement")
        return static_cast<CListTextElementUI*>(this);
    return CListLabelElementUI::AsInterface(name);
}

unsigned CListTextElementUI::ControlFlags() const
{
    return IsEnabled() && linkCount_ > 0 ? UIFLAG_SETCURSOR : 0u;
}

std::string CListTextElementUI::GetColumnText(int column) const
{
    if (column < 0 || column >= static_cast<int>(texts_.size()))
        return {};
    return texts_[static_cast<std::size_t>(column)];
}

void CListTextElementUI::SetColumnText(int column, std::string_view text)
{
    if (column < 0 || column >= ListItemSettings::maxColumns)
        return;
    if (static_cast<int>(texts_.size()) <= column)
        texts_.resize(static_cast<std::size_t>(column) + 1);
    texts_[static_cast<std::size_t>(column)] = text;
    if (column == 0)
        text_ = text;
    Invalidate();
}

void CListTextElementUI::SetText(std::string_view text) { SetColumnText(0, text); }

int CListTextElementUI::LinkAt(platform::Point point) const
{
    for (int i = 0; i < linkCount_; ++i)
        if (links_[i].contains(point.x, point.y))
            return i;
    return -1;
}

void CListTextElementUI::HandleEvent(UIEvent& event)
{
    if (mouseEnabled_ && linkCount_ > 0) {
        switch (event.type) {
        case UIEventType::SetCursor:
            if (platform::WindowSystem* windows = platform::WindowSystem::current())
                windows->setCursor(LinkAt(event.mouse) >= 0 ? platform::CursorShape::Hand
                                                            : platform::CursorShape::Arrow);
            return;
        case UIEventType::ButtonUp:
            if (const int link = LinkAt(event.mouse); link >= 0 && IsEnabled() && manager_) {
                manager_->DispatchNotification(this, "link", static_cast<platform::WParam>(link));
                return;
            }
            break;
        case UIEventType::MouseMove:
            if (const int link = LinkAt(event.mouse); link != hotLink_) {
                hotLink_ = link;
                Invalidate();
            }
            break;
        case UIEventType::MouseLeave:
            hotLink_ = -1;
            break;
        default:
            break;
        }
    }
    CListLabelElementUI::HandleEvent(event);
}

void CListTextElementUI::DrawItemText(UIDC& dc, const Rect& rect)
{
    const ListItemSettings& settings = Settings();
    const unsigned state = ItemState();
    linkCount_ = 0;
    auto paint = [&](const Rect& area, const std::string& text) {
        int found = maxLinks - linkCount_;
        settings.PaintText(dc, area, text, state, links_ + linkCount_, &found);
        linkCount_ += found;
    };
    if (settings.columnCount == 0) {
        paint(rect, text_);
        return;
    }
    const int columns = std::min(settings.columnCount, static_cast<int>(texts_.size()));
    for (int i = 0; i < columns; ++i) {
        const Rect& column = settings.columns[i];
        paint(Rect{column.left, rect.top, column.right, rect.bottom}, texts_[static_cast<std::size_t>(i)]);
    }
}

} // namespace pelmo::ui
