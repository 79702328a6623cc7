#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/macros/MacroLibrary.h"
#include "app/settings/DataFolder.h"
#include "app/settings/DeviceLibrary.h"
#include "app/settings/DeviceLink.h"
#include "app/settings/SettingsFiles.h"
#include "app/settings/SettingsStore.h"
#include "platform/session/SessionPointerSettings.h"
#include "platform/time/Clock.h"

namespace pelmo::tools {

// The options that come before the subcommand.
struct GlobalOptions {
    std::optional<std::string> emulate; // the emulated mouse; the state file, empty for the default one
    std::string trace;                  // the protocol trace file
    std::string home;                   // the data folder
    bool quiet = false;
};

// The view the device link refreshes; a command line has nothing to show.
class QuietView final : public app::IDeviceLinkView {
public:
    void refreshProfileView(int) override {}
    int currentProfile() const override { return 0; }
    void selectProfileTab(int) override {}
    bool checkLightingBox() override { return false; }
    void applyLayoutForLanguage() override {}
};

// Everything a pelmoctl command works with: the data folder, the settings
// store and its files, the device library and the device link.
class CtlSession {
public:
    explicit CtlSession(const GlobalOptions& options);

    // Loads pelmo_api; false after saying why on standard error.
    bool bindLibrary();
    // One line on standard error naming the failure and, where the library
    // knows one, the reason the mouse could not be opened.
    int mouseNotReachable();

    const GlobalOptions& options;
    app::DataFolder data;
    std::unique_ptr<app::SettingsStore> store;
    app::SettingsFiles files;
    app::MacroLibrary macros;
    std::unique_ptr<platform::SessionPointerSettings> pointer;
    platform::RealClock clock;
    app::DeviceLibrary library;
    app::DeviceLink link;
    QuietView view;
};

// Shows a running count of seconds on a terminal while a long operation runs.
class Progress {
public:
    Progress(const GlobalOptions& options, std::string what);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace pelmo::tools
