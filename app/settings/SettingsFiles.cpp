#include "app/settings/SettingsFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "app/settings/IniFile.h"
#include "app/settings/Language.h"
#include "app/settings/StoredText.h"
#include "platform/files/AtomicFile.h"

namespace pelmo::app {

namespace {

constexpr std::string_view kLanguageSection = "Configuration Option";
constexpr std::string_view kLanguageKey = "lang";
// A config.ini larger than this is not one the program wrote: only its front
// is read, and it is not rewritten (rewriting would cut it).
constexpr std::size_t kConfigSizeLimit = 1u << 20;

std::span<const std::uint8_t> asBytes(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string_view asText(const std::vector<std::uint8_t>& bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

} // namespace

SettingsFiles::SettingsFiles(SettingsStore& store, DataFolder folder) : store_(store), folder_(std::move(folder)) {}

bool SettingsFiles::failed(std::string reason)
{
    lastError_ = std::move(reason);
    return false;
}

ReadResult SettingsFiles::readFailed(const std::string& path)
{
    lastError_ = "cannot read " + path + ": " + std::strerror(errno);
    return ReadResult::NotOpened;
}

std::uint8_t SettingsFiles::readLanguage() const
{
    auto bytes = platform::readWholeFile(folder_.configPath(), kConfigSizeLimit);
    if (!bytes)
        return 0;
    long index = IniFile(asText(*bytes)).integer(kLanguageSection, kLanguageKey, 0);
    // Every language table has four columns; any other number is not a
    // language and must not become an index.
    return index >= 0 && index < static_cast<long>(kLanguageCount) ? static_cast<std::uint8_t>(index) : 0;
}

bool SettingsFiles::writeLanguage(std::uint8_t languageIndex)
{
    const std::string path = folder_.configPath();
    std::string existing;
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored)) {
        auto bytes = platform::readWholeFile(path, kConfigSizeLimit + 1);
        if (!bytes)
            return failed("cannot read " + path + " to update it: " + std::strerror(errno));
        if (bytes->size() > kConfigSizeLimit)
            return failed(path + " is too large to be a settings file; it was left as it is");
        existing.assign(asText(*bytes));
    }
    IniFile ini(existing);
    char value[8];
    std::snprintf(value, sizeof value, "%2.2d", languageIndex);
    ini.setValue(kLanguageSection, kLanguageKey, value);
    std::string error;
    if (!platform::writeFileAtomically(path, asBytes(ini.text()), &error))
        return failed(error);
    return true;
}

bool SettingsFiles::writeAllProfiles(const std::string& path)
{
    const std::string target = path.empty() ? folder_.allProfilePath() : path;
    std::string error;
    if (!platform::writeFileAtomically(target, storeBytes(store_), &error))
        return failed(error);
    return true;
}

ReadResult SettingsFiles::readAllProfiles(const std::string& path)
{
    const std::string source = path.empty() ? folder_.allProfilePath() : path;
    auto bytes = platform::readWholeFile(source, sizeof(SettingsStore));
    if (!bytes)
        return readFailed(source);
    if (bytes->empty()) {
        lastError_ = source + " is empty";
        return ReadResult::Unusable;
    }
    loadFileImage(storeBytes(store_), *bytes);
    return ReadResult::Ok;
}

bool SettingsFiles::saveProfileFile(const std::string& path, int profile)
{
    if (profile < 0 || profile >= static_cast<int>(kProfileCount))
        return failed("no profile " + std::to_string(profile));
    // The name goes into a copy first: the live record takes it only once the
    // file holds it.
    AppProfile named = store_.profiles[profile];
    std::size_t slash = path.find_last_of('/');
    storeFieldText(named.fileName, slash == std::string::npos ? path : path.substr(slash + 1));
    std::string error;
    if (!platform::writeFileAtomically(path, profileBytes(named), &error))
        return failed(error);
    store_.profiles[profile] = named;
    return true;
}

ReadResult SettingsFiles::loadProfileFile(const std::string& path, int profile)
{
    if (profile < 0 || profile >= static_cast<int>(kProfileCount)) {
        lastError_ = "no profile " + std::to_string(profile);
        return ReadResult::NotOpened;
    }
    auto bytes = platform::readWholeFile(path, sizeof(AppProfile));
    if (!bytes)
        return readFailed(path);
    if (bytes->empty()) {
        lastError_ = path + " is empty";
        return ReadResult::Unusable;
    }
    loadFileImage(profileBytes(store_.profiles[profile]), *bytes);
    return ReadResult::Ok;
}

} // namespace pelmo::app
