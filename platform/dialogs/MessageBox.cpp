#include "platform/dialogs/MessageBox.h"

#include <cstdio>

namespace pelmo::platform {

void StderrMessageBox::show(std::string_view, std::string_view text, MessageIcon)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    std::fprintf(stderr, "%s%.*s\n", prefix_.c_str(), static_cast<int>(text.size()), text.data());
}

} // namespace pelmo::platform
