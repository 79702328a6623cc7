#pragma once

#include <string>

#include "ui/core/CControlUI.h"

namespace pelmo::ui {

// The hosted-object element of the layout language. There are no hosted
// objects here: the control keeps the object's class id and module name
// and stays an ordinary (empty) control, and "showactivex" never comes.
class CActiveXUI : public CControlUI {
public:
    std::string_view GetClass() const override;
    void* AsInterface(std::string_view name) override;

    const std::string& GetClassId() const { return classId_; }
    const std::string& GetModuleName() const { return moduleName_; }
    bool IsDelayCreate() const { return delayCreate_; }

    void ApplyAttribute(std::string_view name, std::string_view value) override;

private:
    std::string classId_;
    std::string moduleName_;
    bool delayCreate_ = true;
};

} // namespace pelmo::ui
