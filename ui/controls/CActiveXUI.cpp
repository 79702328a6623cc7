#include "ui/controls/CActiveXUI.h"

#include "ui/core/AttributeValue.h"

namespace pelmo::ui {

std::string_view CActiveXUI::GetClass() const { return "ActiveXUI"; }

void* CActiveXUI::AsInterface(std::string_view name)
{
    if (name == "ActiveX")
        return static_cast<CActiveXUI*>(this);
    return CControlUI::AsInterface(name);
}

void CActiveXUI::ApplyAttribute(std::string_view name, std::string_view value)
{
    if (name == "clsid")
        classId_ = value;
    else if (name == "modulename")
        moduleName_ = value;
    else if (name == "delaycreate")
        delayCreate_ = AttributeValue::Boolean(value);
    else
        CControlUI::ApplyAttribute(name, value);
}

} // namespace pelmo::ui
