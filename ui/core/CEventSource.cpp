#include "ui/core/CEventSource.h"

#include <algorithm>

namespace pelmo::ui {

void CEventSource::Add(const CDelegateBase& delegate)
{
    for (const auto& present : delegates_)
        if (present->Equals(delegate))
            return;
    delegates_.push_back(delegate.Copy());
}

void CEventSource::Remove(const CDelegateBase& delegate)
{
    std::erase_if(delegates_, [&](const auto& present) { return present->Equals(delegate); });
}

bool CEventSource::Invoke(void* argument)
{
    // A delegate may add or remove delegates while it runs; the list is
    // walked by position so that such changes never leave a dangling
    // iterator. A delegate removed meanwhile is not called.
    for (std::size_t i = 0; i < delegates_.size(); ++i) {
        CDelegateBase* delegate = delegates_[i].get();
        if (!delegate->Invoke(argument))
            return false;
    }
    return true;
}

} // namespace pelmo::ui
