#pragma once

#include <memory>
#include <vector>

#include "ui/core/CDelegate.h"

namespace pelmo::ui {

// An ordered list of delegates, each a copy of the one added. Adding one
// equal to a delegate already there does nothing. Invoking calls them in the
// order added and stops at the first that answers false, which is then the
// answer; an empty source answers true.
class CEventSource {
public:
    void Add(const CDelegateBase& delegate);
    void Remove(const CDelegateBase& delegate);
    bool Invoke(void* argument);
    bool IsEmpty() const { return delegates_.empty(); }
    std::size_t Count() const { return delegates_.size(); }

    CEventSource& operator+=(const CDelegateBase& delegate)
    {
        Add(delegate);
        return *this;
    }
    CEventSource& operator-=(const CDelegateBase& delegate)
    {
        Remove(delegate);
        return *this;
    }

private:
    std::vector<std::unique_ptr<CDelegateBase>> delegates_;
};

} // namespace pelmo::ui
