#pragma once

namespace pelmo::ui {

class CControlUI;

// The child list of a container.
class IContainerUI {
public:
    virtual CControlUI* GetItemAt(int index) const = 0;
    virtual int GetItemIndex(CControlUI* control) const = 0;
    virtual bool SetItemIndex(CControlUI* control, int index) = 0;
    virtual int GetCount() const = 0;
    virtual bool Add(CControlUI* control) = 0;
    virtual bool InsertChildAt(CControlUI* control, int index) = 0;
    virtual bool Remove(CControlUI* control) = 0;
    virtual bool RemoveAt(int index) = 0;
    virtual void RemoveAll() = 0;

protected:
    ~IContainerUI() = default;
};

} // namespace pelmo::ui
