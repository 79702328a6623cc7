#pragma once

#include <functional>
#include <string>

namespace pelmo::app {

// Where the program keeps its data: profile/ (AllProfile, Macros),
// macro_files/ and config.ini. That is the program folder when it is
// writable (portable use, the build tree), else $XDG_DATA_HOME/pelmo/ (by
// default ~/.local/share/pelmo/); `--home DIR` overrides both. All paths end
// folders with '/'.
class DataFolder {
public:
    // What the choice depends on, given explicitly so tests can vary it.
    struct Environment {
        std::string xdgDataHome; // $XDG_DATA_HOME, empty when unset
        std::string home;        // $HOME, empty when unset
        std::function<bool(const std::string& folder)> isWritable;

        // The running process's environment and the file system's answer.
        static Environment current();
    };

    // `homeOverride` is the folder given with --home, empty when none.
    static DataFolder choose(const std::string& programFolder, const Environment& environment,
                             const std::string& homeOverride = {});

    explicit DataFolder(std::string folder);

    const std::string& path() const { return folder_; }
    std::string profileFolder() const { return folder_ + "profile/"; }
    std::string macroFilesFolder() const { return folder_ + "macro_files/"; }
    std::string allProfilePath() const { return folder_ + "profile/AllProfile"; }
    std::string macroStorePath() const { return folder_ + "profile/Macros"; }
    std::string configPath() const { return folder_ + "config.ini"; }

    // Creates the data folder with profile/ and macro_files/ where missing.
    // False, with the reason in `error`, when one cannot be created.
    bool createFolders(std::string* error = nullptr) const;

private:
    std::string folder_;
};

} // namespace pelmo::app
