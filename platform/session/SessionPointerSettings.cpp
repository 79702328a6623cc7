#include "platform/session/SessionPointerSettings.h"

#include <charconv>
#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/AtomicFile.h"
#include "platform/x11/X11PointerControl.h"

namespace pelmo::platform {

namespace {

// The store is a few "name=value" lines; unknown lines are ignored and
// missing or unreadable values keep their defaults.
constexpr std::string_view kDoubleClick = "double_click_ms";
constexpr std::string_view kWheelLines = "wheel_lines";
constexpr std::string_view kPointerSpeed = "pointer_speed";

void parseLine(std::string_view line, PointerValues& values)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return;
    const std::string_view name = line.substr(0, equals);
    const std::string_view text = line.substr(equals + 1);
    std::uint32_t number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size())
        return;
    if (name == kDoubleClick && number > 0 && number <= 5000)
        values.doubleClickTimeMs = number;
    else if (name == kWheelLines && number > 0 && number <= 100)
        values.wheelScrollLines = number;
    else if (name == kPointerSpeed && number >= 1 && number <= 20)
        values.pointerSpeed = number;
}

} // namespace

SessionPointerSettings::SessionPointerSettings(std::string storeFile, std::optional<std::string> display)
    : storeFile_(std::move(storeFile))
    , display_(std::move(display))
{
}

std::unique_ptr<SessionPointerSettings> SessionPointerSettings::forThisSession()
{
    std::string folder;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        folder = std::string(runtime) + "/pelmo";
    else
        folder = "/tmp/pelmo-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);

    std::optional<std::string> display;
    if (const char* name = std::getenv("DISPLAY"); name && *name)
        display = name;
    return std::make_unique<SessionPointerSettings>(folder + "/pointer-settings", display);
}

PointerValues SessionPointerSettings::read()
{
    PointerValues values;
    if (auto bytes = readWholeFile(storeFile_, 4096)) {
        std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        while (!text.empty()) {
            const std::size_t newline = text.find('\n');
            parseLine(text.substr(0, newline), values);
            text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        }
    }
    return values;
}

bool SessionPointerSettings::write(const PointerValues& values, std::string* error)
{
    const std::string text = std::string(kDoubleClick) + "=" + std::to_string(values.doubleClickTimeMs) + "\n"
        + std::string(kWheelLines) + "=" + std::to_string(values.wheelScrollLines) + "\n"
        + std::string(kPointerSpeed) + "=" + std::to_string(values.pointerSpeed) + "\n";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!writeFileAtomically(storeFile_, {bytes, text.size()}, error))
        return false;
    if (display_ && !X11PointerControl(*display_).writeSpeed(values.pointerSpeed)) {
        if (error)
            *error = "cannot reach the X display " + *display_ + " to set the pointer speed";
        return false;
    }
    return true;
}

} // namespace pelmo::platform
