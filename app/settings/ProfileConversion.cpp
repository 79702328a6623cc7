#include "app/settings/ProfileConversion.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include <string>

#include "app/keys/KeyTable.h"
#include "app/keys/MouseEventNames.h"
#include "app/macros/MacroEventText.h"
#include "app/settings/LevelTables.h"
#include "app/settings/StoredText.h"

namespace pelmo::app {

namespace {

// Device button kinds (the first byte of a button entry).
enum DeviceKind : std::uint8_t {
    KindMouse = 0x00,
    KindWheel = 0x01,
    KindKey = 0x02,
    KindMacro = 0x03,
    KindProfileSelect = 0x08,
    KindDpiLevelSwitch = 0x09,
    KindDpiUp = 0x0A,
    KindDpiDown = 0x0B,
    KindSniper = 0x0C,
    KindTripleClick = 0x0D,
    KindDoubleClick = 0x0E,
    KindDisabled = 0xFF,
};

// Macro event kinds on the mouse.
constexpr std::uint8_t kEventKey = 0x01;
constexpr std::uint8_t kEventButton = 0x10;
constexpr std::uint8_t kEventWheel = 0x11;

constexpr std::uint32_t kMaxDeviceDelayMs = 0xFFFFFF; // the mouse keeps 24 bits

struct ButtonEncoding {
    ButtonFunction function;
    std::uint8_t kind;
    std::uint8_t value;
};

// Functions 1..17 in order, without Macro and Single Key, whose values are
// computed.
constexpr ButtonEncoding kButtonEncodings[] = {
    {ButtonFunction::LeftClick, KindMouse, 0x01},       {ButtonFunction::RightClick, KindMouse, 0x02},
    {ButtonFunction::ScrollWheelClick, KindMouse, 0x04}, {ButtonFunction::BrowserForward, KindMouse, 0x10},
    {ButtonFunction::BrowserBackward, KindMouse, 0x08}, {ButtonFunction::ScrollUp, KindWheel, 0x01},
    {ButtonFunction::ScrollDown, KindWheel, 0xFF},      {ButtonFunction::DpiUp, KindDpiUp, 0x01},
    {ButtonFunction::DpiDown, KindDpiDown, 0x01},       {ButtonFunction::DpiLevelSwitch, KindDpiLevelSwitch, 0x00},
    {ButtonFunction::ProfileSelect, KindProfileSelect, 0x01}, {ButtonFunction::DoubleClick, KindDoubleClick, 0x01},
    {ButtonFunction::TripleClick, KindTripleClick, 0x01}, {ButtonFunction::SniperSwitch, KindSniper, 0x01},
    {ButtonFunction::Disable, KindDisabled, 0x01},
};

// The mouse codes of the seven macro mouse buttons, in MouseButton order.
struct MouseEventCode {
    std::uint8_t kind;
    std::uint16_t code;
};
constexpr MouseEventCode kMouseEventCodes[kMouseButtonCount] = {
    {kEventButton, 1}, {kEventButton, 2},  {kEventButton, 4},   {kEventButton, 8},
    {kEventButton, 16}, {kEventWheel, 1}, {kEventWheel, 0xFF},
};

std::uint16_t swapBytes(std::uint16_t value)
{
    return static_cast<std::uint16_t>((value << 8) | (value >> 8));
}

int roundedTenth(int value)
{
    return (value + 5) / 10;
}

bool validPlayback(std::int32_t repeat)
{
    return (repeat >= 1 && repeat <= 99) || repeat == 241 || repeat == 242;
}

std::uint8_t reportRateCode(std::int32_t hz)
{
    switch (hz) {
    case 125:
        return 5;
    case 250:
        return 3;
    case 500:
        return 2;
    default:
        return 1;
    }
}

std::int32_t pollingRateHz(std::uint8_t code)
{
    switch (code) {
    case 2:
        return 500;
    case 3:
        return 250;
    case 5:
        return 125;
    default:
        return 1000;
    }
}

std::uint8_t liftOffValue(std::int32_t level)
{
    if (level >= 1 && level <= 10)
        return kLiftOffValues[static_cast<std::size_t>(level - 1)];
    return level == 0 ? 5 : 32;
}

std::int32_t liftOffLevel(std::uint8_t value)
{
    for (std::size_t i = 0; i < kLiftOffValues.size(); ++i)
        if (kLiftOffValues[i] == value)
            return static_cast<std::int32_t>(i + 1);
    if (value <= 7)
        return 1;
    const int v = value * 4 - 28;
    return v < 10 ? 1 : roundedTenth(v);
}

// The mouse button a stored macro mouse-event text names: the first whose
// canonical name occurs in it, or whose recorder name it is.
std::optional<std::size_t> macroMouseButton(std::string_view text)
{
    for (std::size_t b = 0; b < kMouseButtonCount; ++b)
        if (text.find(CanonicalMouseName[b]) != std::string_view::npos || text == MouseEventNameTable[b][0])
            return b;
    return std::nullopt;
}

void macroToDevice(const MacroRecord& record, DeviceMacro& macro)
{
    const std::int32_t eventCount = record.eventCount; // a copy: the record's fields are unaligned
    const auto stored = static_cast<std::size_t>(std::clamp<std::int32_t>(eventCount, 0, kEventsPerMacro));
    std::size_t produced = 0;
    for (std::size_t i = 0; i < stored && produced < PELMO_MAX_MACRO_EVENTS; ++i) {
        const MacroEvent& event = record.events[i];
        const std::string_view kind = fieldText(event.kind);
        DeviceMacroEvent out{};
        if (kind == "k") {
            out.kind = kEventKey;
            if (auto key = findKeyByName(fieldText(event.text)))
                out.code = KeyTable[*key].usage;
        } else if (kind == "m") {
            auto button = macroMouseButton(fieldText(event.text));
            if (!button)
                continue;
            out.kind = kMouseEventCodes[*button].kind;
            out.code = kMouseEventCodes[*button].code;
        } else {
            continue;
        }
        const std::string_view action = fieldText(event.action);
        out.direction = action == "up" ? 1 : 0;
        if (i + 1 < stored && fieldText(record.events[i + 1].kind) == "t")
            out.delay = delayMilliseconds(fieldText(record.events[i + 1].text)).value_or(0);
        macro.events[produced++] = out;
    }
    macro.eventCount = static_cast<std::uint16_t>(produced);
}

void profileToDevice(const SettingsStore& store, const AppProfile& profile, std::uint8_t number,
                     DeviceProfile& device)
{
    device.profileNumber = number;
    device.imageSize = 2048;
    device.enabled = profile.enabled == 1 ? 1 : 0;
    device.powerSaving = static_cast<std::uint8_t>(profile.powerSaveSeconds);
    device.reportRateCode = reportRateCode(profile.pollingRateHz);
    // The mouse knows angle snapping 0..9; a stored level beyond 10 is sent as 9.
    if (profile.angleSnapLevel > 0)
        device.angleSnapping = static_cast<std::uint8_t>(std::min(profile.angleSnapLevel - 1, 9));
    device.liftOff = liftOffValue(profile.liftOffLevel);
    for (std::size_t i = 0; i < 4; ++i) {
        device.opticalDpi[i] = static_cast<std::uint8_t>(profile.opticalDpi[i] / 400);
        device.duvoDpi[i] = static_cast<std::uint8_t>(profile.duvoDpi[i] / 400);
        device.laserDpi[2 * i] = static_cast<std::uint8_t>(profile.laserDpi[i][0] / 90);
        device.laserDpi[2 * i + 1] = static_cast<std::uint8_t>(profile.laserDpi[i][1] / 90);
    }

    for (std::size_t b = 0; b < kButtonCount; ++b) {
        DeviceButton& button = device.buttons[b];
        const std::int32_t function = profile.buttonFunction[b];
        if (function == code(ButtonFunction::SingleKey)) {
            button.kind = KindKey;
            if (auto key = findKeyByVirtualKey(profile.buttonParam[b]))
                button.value = static_cast<std::uint8_t>(KeyTable[*key].usage);
        } else if (function == code(ButtonFunction::Macro)) {
            const std::int32_t param = profile.buttonParam[b];
            const std::int32_t macroNumber = std::max(param, 1);
            button.kind = KindMacro;
            button.value = validPlayback(profile.macroRepeat[b]) ? static_cast<std::uint8_t>(profile.macroRepeat[b]) : 1;
            button.macroNumber = static_cast<std::uint8_t>(macroNumber);
            // Only the fifteen macros the program keeps can be played; any
            // other number from a damaged file plays nothing.
            if (macroNumber <= static_cast<std::int32_t>(kMacrosInUseLimit))
                macroToDevice(store.macros[macroNumber - 1], device.macros[b]);
        } else {
            for (const ButtonEncoding& encoding : kButtonEncodings) {
                if (code(encoding.function) == function) {
                    button.kind = encoding.kind;
                    button.value = encoding.value;
                }
            }
        }
    }
    device.buttons[11] = {KindWheel, 0x01, 0, 0, 0, 0};
    device.buttons[12] = {KindWheel, 0xFF, 0, 0, 0, 0};
}

std::optional<std::int32_t> functionFromDevice(std::uint8_t kind, std::uint8_t value)
{
    switch (kind) {
    case KindMouse:
        switch (value) {
        case 0x01: return code(ButtonFunction::LeftClick);
        case 0x02: return code(ButtonFunction::RightClick);
        case 0x04: return code(ButtonFunction::ScrollWheelClick);
        case 0x10: return code(ButtonFunction::BrowserForward);
        case 0x08: return code(ButtonFunction::BrowserBackward);
        default: return std::nullopt;
        }
    case KindWheel:
        if (value == 0x01)
            return code(ButtonFunction::ScrollUp);
        if (value == 0xFF)
            return code(ButtonFunction::ScrollDown);
        return std::nullopt;
    case KindDpiUp: return code(ButtonFunction::DpiUp);
    case KindDpiDown: return code(ButtonFunction::DpiDown);
    case KindDpiLevelSwitch: return code(ButtonFunction::DpiLevelSwitch);
    case KindProfileSelect: return code(ButtonFunction::ProfileSelect);
    case KindDoubleClick: return code(ButtonFunction::DoubleClick);
    case KindTripleClick: return code(ButtonFunction::TripleClick);
    case KindSniper: return code(ButtonFunction::SniperSwitch);
    case KindDisabled: return code(ButtonFunction::Disable);
    default: return std::nullopt;
    }
}

std::string_view mouseEventTextFromDevice(std::uint8_t kind, std::uint16_t code)
{
    if (kind == kEventButton) {
        for (std::size_t b = 0; b < 5; ++b)
            if (kMouseEventCodes[b].code == code)
                return CanonicalMouseName[b];
    } else if (code == 1) {
        return CanonicalMouseName[static_cast<std::size_t>(MouseButton::WheelUp)];
    } else if (code == 0xFF) {
        return CanonicalMouseName[static_cast<std::size_t>(MouseButton::WheelDown)];
    }
    return "unknown";
}

void storeEvent(MacroEvent& event, std::string_view kind, std::string_view text, std::string_view action)
{
    storeFieldText(event.kind, kind);
    storeFieldText(event.text, text);
    storeFieldText(event.action, action);
}

// Rebuilds the record in `slot` from a macro read back from the mouse, where
// codes and delays arrive with their bytes in wire order and directions keep
// the wire's +1.
void macroFromDevice(const DeviceMacro& macro, std::size_t slot, MacroRecord& record)
{
    record.number = static_cast<std::int32_t>(slot + 1);
    if (fieldText(record.name).empty())
        storeFieldText(record.name, "MACRO_" + std::to_string(slot + 1));
    std::memset(record.events, 0, sizeof record.events);

    std::size_t entered = 0;
    const std::size_t count = std::min<std::size_t>(macro.eventCount, PELMO_MAX_MACRO_EVENTS);
    for (std::size_t i = 0; i < count && entered < PELMO_MAX_MACRO_EVENTS; ++i) {
        const DeviceMacroEvent& event = macro.events[i];
        const std::uint16_t code = swapBytes(event.code);
        std::string_view kind;
        std::string text;
        if (event.kind == kEventKey) {
            auto key = findKeyByUsage(code);
            kind = "k";
            text = key ? std::string(keyName(*key)) : "unknown";
        } else if (event.kind == kEventButton || event.kind == kEventWheel) {
            kind = "m";
            text = mouseEventTextFromDevice(event.kind, code);
        } else {
            break;
        }
        const std::string_view action = event.direction == 1 ? "down" : event.direction == 2 ? "up" : "unknown";
        storeEvent(record.events[entered++], kind, text, action);

        const std::uint32_t delay = ((event.delay & 0xFF) << 16) | (event.delay & 0xFF00) | ((event.delay >> 16) & 0xFF);
        if (delay != 0 && entered < PELMO_MAX_MACRO_EVENTS)
            storeEvent(record.events[entered++], "t", delaySecondsText(delay), "");
    }
    record.eventCount = static_cast<std::int32_t>(entered);
}

} // namespace

int clampLevel(std::int32_t level)
{
    if (level > 10)
        return 9;
    if (level >= 1)
        return level - 1;
    return 0;
}

std::optional<std::uint32_t> delayMilliseconds(std::string_view text)
{
    std::uint64_t milliseconds = 0;
    std::size_t at = 0;
    bool digits = false;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        milliseconds = std::min<std::uint64_t>(milliseconds * 10 + static_cast<unsigned>(text[at] - '0'), 1ull << 40);
        digits = true;
    }
    milliseconds *= 1000;
    if (at < text.size() && text[at] == '.') {
        ++at;
        std::uint64_t scale = 100;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            milliseconds += static_cast<unsigned>(text[at] - '0') * scale;
            scale /= 10;
            digits = true;
        }
    }
    if (!digits || at != text.size())
        return std::nullopt;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(milliseconds, kMaxDeviceDelayMs));
}

int profilesToDevice(SettingsStore& store, DeviceProfiles& device)
{
    if (store.activeProfile < 1 || store.activeProfile > static_cast<std::int32_t>(kProfileCount))
        store.activeProfile = 1;
    if (store.profiles[store.activeProfile - 1].enabled != 1) {
        for (std::size_t p = 0; p < kProfileCount; ++p) {
            if (store.profiles[p].enabled == 1) {
                store.activeProfile = static_cast<std::int32_t>(p + 1);
                break;
            }
        }
    }

    std::memset(device.data(), 0, sizeof device);
    for (std::size_t p = 0; p < kProfileCount; ++p)
        profileToDevice(store, store.profiles[p], static_cast<std::uint8_t>(p), device[p]);
    return store.activeProfile;
}

void profilesFromDevice(SettingsStore& store, DeviceProfiles& device, int activeProfileNumber,
                        const platform::PointerValues& pointer)
{
    store.activeProfile = activeProfileNumber >= 1 && activeProfileNumber <= 5 ? activeProfileNumber : 1;

    const std::int32_t wheelLevel = static_cast<std::int32_t>(std::clamp<std::uint32_t>(pointer.wheelScrollLines, 1, 10));
    const auto time = static_cast<std::int64_t>(pointer.doubleClickTimeMs);
    const auto clickX = std::max<std::int64_t>(100 - ((time - 150) * 100 / 1500), 10);
    const std::int32_t doubleClickLevel = time <= 150 ? 10 : roundedTenth(static_cast<int>(clickX));
    const auto speedY = std::max<std::int64_t>(static_cast<std::int64_t>(std::min<std::uint32_t>(pointer.pointerSpeed, 20)) * 5, 10);
    const std::int32_t pointerSpeedLevel = roundedTenth(static_cast<int>(speedY));

    // Buttons whose macro number is not one the program keeps are placed in
    // a free slot once the numbered ones have theirs.
    struct Unplaced {
        std::size_t profile, button;
    };
    std::vector<Unplaced> unplaced;

    for (std::size_t p = 0; p < kProfileCount; ++p) {
        DeviceProfile& d = device[p];
        AppProfile& profile = store.profiles[p];
        std::memset(&profile, 0, sizeof profile);
        profile.enabled = d.enabled != 0 ? 1 : 0;
        profile.powerSaveSeconds = d.powerSaving;
        profile.pollingRateHz = pollingRateHz(d.reportRateCode);
        if (d.angleSnapping > 9)
            d.angleSnapping = 9;
        profile.angleSnapLevel = d.angleSnapping + 1;
        profile.liftOffLevel = liftOffLevel(d.liftOff);
        for (std::size_t i = 0; i < 4; ++i) {
            profile.opticalDpi[i] = d.opticalDpi[i] * 400;
            profile.duvoDpi[i] = d.duvoDpi[i] * 400;
            profile.laserDpi[i][0] = d.laserDpi[2 * i] * 90;
            profile.laserDpi[i][1] = d.laserDpi[2 * i + 1] * 90;
        }
        profile.wheelLevel = wheelLevel;
        profile.doubleClickLevel = doubleClickLevel;
        profile.pointerSpeedLevel = pointerSpeedLevel;

        for (std::size_t b = 0; b < kButtonCount; ++b) {
            const DeviceButton& button = d.buttons[b];
            if (button.kind == KindKey) {
                profile.buttonFunction[b] = code(ButtonFunction::SingleKey);
                if (auto key = findKeyByUsage(button.value))
                    profile.buttonParam[b] = KeyTable[*key].vk;
            } else if (button.kind == KindMacro) {
                profile.buttonFunction[b] = code(ButtonFunction::Macro);
                profile.macroRepeat[b] = button.value;
                if (button.macroNumber > kMacrosInUseLimit) {
                    unplaced.push_back({p, b});
                    continue;
                }
                const std::size_t slot = button.macroNumber == 0 ? 0 : button.macroNumber - 1u;
                profile.buttonParam[b] = button.macroNumber;
                macroFromDevice(d.macros[b], slot, store.macros[slot]);
            } else if (auto function = functionFromDevice(button.kind, button.value)) {
                profile.buttonFunction[b] = *function;
            }
        }
    }

    for (const Unplaced& entry : unplaced) {
        AppProfile& profile = store.profiles[entry.profile];
        std::size_t slot = 0;
        while (slot < kMacrosInUseLimit && store.macros[slot].number != 0)
            ++slot;
        if (slot == kMacrosInUseLimit) {
            // No room left: the button keeps a function it can perform.
            profile.buttonFunction[entry.button] = code(ButtonDefaultTable[entry.button]);
            profile.macroRepeat[entry.button] = 0;
            continue;
        }
        std::memset(store.macros[slot].name, 0, sizeof store.macros[slot].name);
        macroFromDevice(device[entry.profile].macros[entry.button], slot, store.macros[slot]);
        profile.buttonParam[entry.button] = static_cast<std::int32_t>(slot + 1);
    }
}

void compactMacros(SettingsStore& store)
{
    std::size_t listed[kMacrosInUseLimit];
    std::size_t count = 0;
    for (std::size_t p = 1; p <= kMacrosInUseLimit; ++p)
        if (store.macros[p - 1].number != 0)
            listed[count++] = p;

    for (std::size_t q = 1; q <= count; ++q) {
        const std::size_t p = listed[q - 1];
        MacroRecord& target = store.macros[q - 1];
        if (p != q) {
            MacroRecord& source = store.macros[p - 1];
            const std::int32_t oldNumber = source.number;
            std::memcpy(&target, &source, sizeof target);
            for (AppProfile& profile : store.profiles)
                for (std::size_t b = 0; b < kButtonCount; ++b)
                    if (profile.buttonFunction[b] == code(ButtonFunction::Macro) && profile.buttonParam[b] == oldNumber)
                        profile.buttonParam[b] = static_cast<std::int32_t>(q);
            std::memset(&source, 0, sizeof source);
        }
        target.number = static_cast<std::int32_t>(q);
    }
    store.macroCount = static_cast<std::int32_t>(count);
}

} // namespace pelmo::app
