#pragma once

#include <optional>
#include <string>

#include "platform/session/PointerSettings.h"

namespace pelmo::platform {

// The session's pointer settings as a Linux desktop can hold them. The X
// server takes the pointer speed; it has no double-click time or wheel line
// count that other programs would honour. All three values are kept in a
// small per-session file that the program and pelmoctl share, which is also
// what reading returns, so a value reads back as it was applied. The file
// sits in $XDG_RUNTIME_DIR, which ends with the login session.
class SessionPointerSettings final : public PointerSettings {
public:
    // `storeFile` holds the values; `display` names the X display whose
    // pointer acceleration follows the speed (none: the file alone).
    SessionPointerSettings(std::string storeFile, std::optional<std::string> display);

    // The store in $XDG_RUNTIME_DIR/pelmo (else /tmp/pelmo-UID) and the
    // display in $DISPLAY, if any.
    static std::unique_ptr<SessionPointerSettings> forThisSession();

    PointerValues read() override;
    bool write(const PointerValues& values, std::string* error = nullptr) override;

    const std::string& storeFile() const { return storeFile_; }

private:
    std::string storeFile_;
    std::optional<std::string> display_;
};

} // namespace pelmo::platform
