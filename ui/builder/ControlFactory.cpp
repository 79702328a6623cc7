#include "ui/builder/ControlFactory.h"

#include "ui/controls/CActiveXUI.h"
#include "ui/controls/CButtonUI.h"
#include "ui/controls/CComboUI.h"
#include "ui/controls/CEditUI.h"
#include "ui/controls/CLabelUI.h"
#include "ui/controls/CListContainerElementUI.h"
#include "ui/controls/CListHeaderItemUI.h"
#include "ui/controls/CListHeaderUI.h"
#include "ui/controls/CListLabelElementUI.h"
#include "ui/controls/CListTextElementUI.h"
#include "ui/controls/CListUI.h"
#include "ui/controls/COptionUI.h"
#include "ui/controls/CProgressUI.h"
#include "ui/controls/CRichEditUI.h"
#include "ui/controls/CScrollBarUI.h"
#include "ui/controls/CSliderUI.h"
#include "ui/controls/CTextUI.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CControlUI.h"
#include "ui/layout/CDialogLayoutUI.h"
#include "ui/layout/CHorizontalLayoutUI.h"
#include "ui/layout/CTabLayoutUI.h"
#include "ui/layout/CTileLayoutUI.h"
#include "ui/layout/CVerticalLayoutUI.h"

namespace pelmo::ui {

namespace {

template <class Control>
CControlUI* make()
{
    return new Control;
}

constexpr ControlFactory::Entry entries[] = {
    {"Control", make<CControlUI>},
    {"Container", make<CContainerUI>},
    {"VerticalLayout", make<CVerticalLayoutUI>},
    {"HorizontalLayout", make<CHorizontalLayoutUI>},
    {"TileLayout", make<CTileLayoutUI>},
    {"DialogLayout", make<CDialogLayoutUI>},
    {"TabLayout", make<CTabLayoutUI>},
    {"Label", make<CLabelUI>},
    {"Text", make<CTextUI>},
    {"Button", make<CButtonUI>},
    {"Option", make<COptionUI>},
    {"Progress", make<CProgressUI>},
    {"Slider", make<CSliderUI>},
    {"Edit", make<CEditUI>},
    {"ScrollBar", make<CScrollBarUI>},
    {"Combo", make<CComboUI>},
    {"List", make<CListUI>},
    {"ListHeader", make<CListHeaderUI>},
    {"ListHeaderItem", make<CListHeaderItemUI>},
    {"ListLabelElement", make<CListLabelElementUI>},
    {"ListTextElement", make<CListTextElementUI>},
    {"ListContainerElement", make<CListContainerElementUI>},
    {"RichEdit", make<CRichEditUI>},
    {"ActiveX", make<CActiveXUI>},
};

} // namespace

CControlUI* ControlFactory::Create(std::string_view elementName)
{
    for (const Entry& entry : entries)
        if (entry.elementName == elementName)
            return entry.create();
    return nullptr;
}

std::span<const ControlFactory::Entry> ControlFactory::Entries() { return entries; }

} // namespace pelmo::ui
