#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/settings/DataFolder.h"
#include "app/settings/ReadResult.h"
#include "app/settings/SettingsStore.h"

namespace pelmo::app {

// The settings files: config.ini (the interface language), profile/AllProfile
// (the whole store) and the single-profile .zrp files the user saves and
// loads. The files are the records' exact byte images with no header; a
// shorter file fills the front of its record and leaves the rest zero, a
// longer one is cut. Every write replaces its file atomically, so a failed
// write, or a process killed during one, leaves the previous file whole.
class SettingsFiles {
public:
    SettingsFiles(SettingsStore& store, DataFolder folder);

    // `languageIndex` from config.ini: 0 English, 1 Traditional Chinese,
    // 2 Simplified Chinese, 3 German; 0 when the file, the key or a value in
    // that range is missing.
    std::uint8_t readLanguage() const;
    // Stores the index as two digits ("01"), keeping the rest of the file.
    bool writeLanguage(std::uint8_t languageIndex);

    // An empty path means profile/AllProfile in the data folder. Writes
    // return true when the whole file was written.
    bool writeAllProfiles(const std::string& path = {});
    ReadResult readAllProfiles(const std::string& path = {});

    // Saving names profile `profile` (0..4) after the file (the name without
    // its folder, in `fileName`) once the file is written; a failed save
    // changes nothing. Loading replaces the whole record, name included.
    bool saveProfileFile(const std::string& path, int profile);
    ReadResult loadProfileFile(const std::string& path, int profile);

    // Why the last failing operation failed, for diagnostics.
    const std::string& lastError() const { return lastError_; }
    const DataFolder& folder() const { return folder_; }

private:
    bool failed(std::string reason);
    ReadResult readFailed(const std::string& path);

    SettingsStore& store_;
    DataFolder folder_;
    std::string lastError_;
};

} // namespace pelmo::app
