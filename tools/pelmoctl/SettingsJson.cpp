#include "SettingsJson.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <limits>
#include <optional>

#include "app/keys/KeyTable.h"
#include "app/settings/StoredText.h"

namespace pelmo::tools {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

constexpr const char* kFormat = "pelmo-settings";
constexpr int kFormatVersion = 1;

// The stored function codes by the names the program's menus give them.
constexpr std::array<const char*, 17> kFunctionNames = {
    "Left Click",   "Right Click", "Scroll Wheel Click", "Browser Forward", "Browser Backward", "Scroll Up",
    "Scroll Down",  "DPI Up",      "DPI Down",           "DPI Level Switch", "Profile Select",  "Double Click",
    "Triple Click", "Sniper Switch", "Macro",            "Single Key",      "Disable",
};
constexpr std::int32_t kMacroFunction = 15;
constexpr std::int32_t kSingleKeyFunction = 16;

const char* kindName(SettingsKind kind)
{
    switch (kind) {
    case SettingsKind::Profile:
        return "profile";
    case SettingsKind::Macros:
        return "macros";
    default:
        return "settings";
    }
}

// --- export -------------------------------------------------------------

// A field's value. Record fields are packed and may be unaligned; the json
// library takes values by reference, which must never bind to such a field.
template <typename T>
T valueOf(T field)
{
    return field;
}

ordered_json textValue(std::string_view text)
{
    if (app::replaceInvalidUtf8(text, "?") == text)
        return std::string(text);
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : text) {
        hex.push_back(digits[c >> 4]);
        hex.push_back(digits[c & 15]);
    }
    return ordered_json{{"hex", hex}};
}

template <std::size_t N>
ordered_json textOf(const char (&field)[N])
{
    return textValue(app::fieldText(field));
}

ordered_json exportButton(const app::AppProfile& profile, std::size_t b)
{
    ordered_json button;
    const std::int32_t function = profile.buttonFunction[b];
    const std::int32_t param = profile.buttonParam[b];
    if (function >= 1 && function <= static_cast<std::int32_t>(kFunctionNames.size()))
        button["function"] = kFunctionNames[static_cast<std::size_t>(function - 1)];
    else
        button["function"] = function;
    auto key = function == kSingleKeyFunction ? app::findKeyByVirtualKey(param) : std::nullopt;
    if (key)
        button["key"] = textValue(app::keyName(*key));
    else if (function == kMacroFunction)
        button["macro"] = param;
    else if (param != 0 || function == kSingleKeyFunction)
        button["param"] = param;
    if (const std::int32_t repeat = profile.macroRepeat[b]; repeat != 0)
        button["repeat"] = repeat;
    return button;
}

ordered_json exportProfile(const app::AppProfile& p)
{
    ordered_json profile;
    profile["enabled"] = valueOf(p.enabled);
    profile["fileName"] = textOf(p.fileName);
    ordered_json buttons = ordered_json::array();
    for (std::size_t b = 0; b < app::kButtonCount; ++b)
        buttons.push_back(exportButton(p, b));
    profile["buttons"] = buttons;
    profile["pollingRateHz"] = valueOf(p.pollingRateHz);
    profile["wheelLevel"] = valueOf(p.wheelLevel);
    profile["doubleClickLevel"] = valueOf(p.doubleClickLevel);
    profile["pointerSpeedLevel"] = valueOf(p.pointerSpeedLevel);
    profile["powerSaveSeconds"] = valueOf(p.powerSaveSeconds);
    profile["liftOffLevel"] = valueOf(p.liftOffLevel);
    profile["angleSnapLevel"] = valueOf(p.angleSnapLevel);
    ordered_json optical = ordered_json::array(), duvo = ordered_json::array(), laser = ordered_json::array();
    for (std::size_t i = 0; i < 4; ++i) {
        optical.push_back(valueOf(p.opticalDpi[i]));
        duvo.push_back(valueOf(p.duvoDpi[i]));
        laser.push_back({valueOf(p.laserDpi[i][0]), valueOf(p.laserDpi[i][1])});
    }
    profile["optical"] = {{"chosen", valueOf(p.opticalChosen)}, {"dpi", optical}};
    profile["duvo"] = {{"chosen", valueOf(p.duvoChosen)}, {"dpi", duvo}};
    profile["laser"] = {{"chosen", valueOf(p.laserChosen)}, {"dpi", laser}};
    profile["signedAdjust"] = valueOf(p.signedAdjust);
    return profile;
}

ordered_json exportEvent(const app::MacroEvent& event)
{
    const std::string_view kind = app::fieldText(event.kind);
    const std::string_view action = app::fieldText(event.action);
    ordered_json out;
    if (kind == "k" || kind == "m") {
        out[kind == "k" ? "key" : "mouse"] = textOf(event.text);
        out["action"] = textValue(action);
    } else if (kind == "t") {
        out["delay"] = textOf(event.text);
        if (!action.empty())
            out["action"] = textValue(action);
    } else {
        out["kind"] = textValue(kind);
        out["text"] = textOf(event.text);
        out["action"] = textValue(action);
    }
    return out;
}

bool slotInUse(const app::MacroRecord& record)
{
    return record.number != 0 || !app::fieldText(record.name).empty() || record.eventCount != 0;
}

ordered_json exportMacros(const app::SettingsStore& store)
{
    ordered_json macros = ordered_json::array();
    for (std::size_t slot = 0; slot < app::kMacroSlots; ++slot) {
        const app::MacroRecord& record = store.macros[slot];
        if (!slotInUse(record))
            continue;
        ordered_json macro;
        macro["slot"] = slot;
        macro["number"] = valueOf(record.number);
        macro["name"] = textOf(record.name);
        const std::int32_t eventCount = record.eventCount;
        const auto listed = static_cast<std::size_t>(std::clamp<std::int32_t>(eventCount, 0, app::kEventsPerMacro));
        if (static_cast<std::int32_t>(listed) != eventCount)
            macro["eventCount"] = eventCount;
        ordered_json events = ordered_json::array();
        for (std::size_t i = 0; i < listed; ++i)
            events.push_back(exportEvent(record.events[i]));
        macro["events"] = events;
        macros.push_back(macro);
    }
    return macros;
}

// --- import -------------------------------------------------------------

std::string join(const std::string& where, const char* name)
{
    return where.empty() ? std::string(name) : where + "." + name;
}

class Importer {
public:
    explicit Importer(std::vector<std::string>& errors) : errors_(errors) {}

    void fail(const std::string& where, const std::string& what) { errors_.push_back(where + ": " + what); }

    const json* member(const json& object, const std::string& where, const char* name, bool required = true)
    {
        if (!object.is_object()) {
            fail(where, "must be an object");
            return nullptr;
        }
        auto found = object.find(name);
        if (found == object.end()) {
            if (required)
                fail(join(where, name), "is missing");
            return nullptr;
        }
        return &*found;
    }

    // Record fields are packed and may be unaligned, so values are stored
    // through memcpy and never through a reference.
    template <typename Integer>
    void integer(const json& object, const std::string& where, const char* name, Integer* out, bool required = true)
    {
        const json* value = member(object, where, name, required);
        if (value)
            integerValue(*value, join(where, name), out);
    }

    template <typename Integer>
    void integerValue(const json& value, const std::string& where, Integer* out)
    {
        if (!value.is_number_integer()) {
            fail(where, "must be a whole number");
            return;
        }
        const auto number = value.get<std::int64_t>();
        if (number < std::numeric_limits<Integer>::min() || number > std::numeric_limits<Integer>::max()) {
            fail(where, "must be between " + std::to_string(std::numeric_limits<Integer>::min()) + " and "
                     + std::to_string(std::numeric_limits<Integer>::max()));
            return;
        }
        const auto converted = static_cast<Integer>(number);
        std::memcpy(out, &converted, sizeof converted);
    }

    std::optional<std::string> textValue(const json& value, const std::string& where, std::size_t fieldSize)
    {
        std::string bytes;
        if (value.is_string()) {
            bytes = value.get<std::string>();
        } else if (value.is_object() && value.contains("hex") && value["hex"].is_string()) {
            const std::string hex = value["hex"].get<std::string>();
            if (hex.size() % 2 != 0 || !std::all_of(hex.begin(), hex.end(), [](unsigned char c) { return std::isxdigit(c); })) {
                fail(where, "hex must be pairs of hexadecimal digits");
                return std::nullopt;
            }
            for (std::size_t i = 0; i < hex.size(); i += 2)
                bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        } else {
            fail(where, "must be a text or {\"hex\": \"...\"}");
            return std::nullopt;
        }
        if (bytes.find('\0') != std::string::npos) {
            fail(where, "must not contain a zero byte");
            return std::nullopt;
        }
        if (bytes.size() >= fieldSize) {
            fail(where, "is " + std::to_string(bytes.size()) + " bytes long; at most " + std::to_string(fieldSize - 1)
                     + " fit");
            return std::nullopt;
        }
        return bytes;
    }

    template <std::size_t N>
    void text(const json& object, const std::string& where, const char* name, char (&field)[N], bool required = true)
    {
        const json* value = member(object, where, name, required);
        if (!value)
            return;
        if (auto bytes = textValue(*value, join(where, name), N))
            std::memcpy(field, bytes->data(), bytes->size());
    }

    const json* array(const json& object, const std::string& where, const char* name, std::size_t minimum,
                      std::size_t maximum)
    {
        const json* value = member(object, where, name);
        if (!value)
            return nullptr;
        if (!value->is_array() || value->size() < minimum || value->size() > maximum) {
            fail(join(where, name), minimum == maximum ? "must be a list of " + std::to_string(minimum)
                                                        : "must be a list of at most " + std::to_string(maximum));
            return nullptr;
        }
        return value;
    }

    void button(const json& value, const std::string& where, app::AppProfile& p, std::size_t b)
    {
        if (const json* function = member(value, where, "function")) {
            if (function->is_string()) {
                const std::string name = function->get<std::string>();
                auto found = std::find(kFunctionNames.begin(), kFunctionNames.end(), name);
                if (found == kFunctionNames.end())
                    fail(where + ".function", "unknown function \"" + name + "\"");
                else
                    p.buttonFunction[b] = static_cast<std::int32_t>(found - kFunctionNames.begin() + 1);
            } else {
                integerValue(*function, where + ".function", &p.buttonFunction[b]);
            }
        }
        const int parameters = int(value.contains("key")) + int(value.contains("macro")) + int(value.contains("param"));
        if (parameters > 1)
            fail(where, "takes only one of key, macro and param");
        if (const json* key = member(value, where, "key", false)) {
            if (auto name = textValue(*key, where + ".key", 256)) {
                if (auto row = app::findKeyByName(*name))
                    p.buttonParam[b] = app::KeyTable[*row].vk;
                else
                    fail(where + ".key", "unknown key \"" + *name + "\"");
            }
        }
        integer(value, where, "macro", &p.buttonParam[b], false);
        integer(value, where, "param", &p.buttonParam[b], false);
        integer(value, where, "repeat", &p.macroRepeat[b], false);
    }

    void profile(const json& value, const std::string& where, app::AppProfile& p)
    {
        integer(value, where, "enabled", &p.enabled);
        text(value, where, "fileName", p.fileName);
        if (const json* buttons = array(value, where, "buttons", app::kButtonCount, app::kButtonCount))
            for (std::size_t b = 0; b < app::kButtonCount; ++b)
                button((*buttons)[b], where + ".buttons[" + std::to_string(b) + "]", p, b);
        integer(value, where, "pollingRateHz", &p.pollingRateHz);
        integer(value, where, "wheelLevel", &p.wheelLevel);
        integer(value, where, "doubleClickLevel", &p.doubleClickLevel);
        integer(value, where, "pointerSpeedLevel", &p.pointerSpeedLevel);
        integer(value, where, "powerSaveSeconds", &p.powerSaveSeconds);
        integer(value, where, "liftOffLevel", &p.liftOffLevel);
        integer(value, where, "angleSnapLevel", &p.angleSnapLevel);
        sensor(value, where, "optical", &p.opticalChosen, &p.opticalDpi[0]);
        sensor(value, where, "duvo", &p.duvoChosen, &p.duvoDpi[0]);
        if (const json* laser = member(value, where, "laser")) {
            const std::string at = where + ".laser";
            integer(*laser, at, "chosen", &p.laserChosen);
            if (const json* levels = array(*laser, at, "dpi", 4, 4)) {
                for (std::size_t i = 0; i < 4; ++i) {
                    const std::string level = at + ".dpi[" + std::to_string(i) + "]";
                    const json& pair = (*levels)[i];
                    if (!pair.is_array() || pair.size() != 2) {
                        fail(level, "must be a pair [x, y]");
                        continue;
                    }
                    integerValue(pair[0], level + "[0]", &p.laserDpi[i][0]);
                    integerValue(pair[1], level + "[1]", &p.laserDpi[i][1]);
                }
            }
        }
        integer(value, where, "signedAdjust", &p.signedAdjust);
    }

    void sensor(const json& value, const std::string& where, const char* name, std::uint8_t* chosen,
                std::int32_t* dpi)
    {
        const json* sensorValue = member(value, where, name);
        if (!sensorValue)
            return;
        const std::string at = join(where, name);
        integer(*sensorValue, at, "chosen", chosen);
        if (const json* levels = array(*sensorValue, at, "dpi", 4, 4))
            for (std::size_t i = 0; i < 4; ++i)
                integerValue((*levels)[i], at + ".dpi[" + std::to_string(i) + "]", dpi + i);
    }

    void event(const json& value, const std::string& where, app::MacroEvent& e)
    {
        if (!value.is_object()) {
            fail(where, "must be an object");
            return;
        }
        const char* kind = value.contains("key") ? "k" : value.contains("mouse") ? "m" : value.contains("delay") ? "t" : nullptr;
        if (kind) {
            std::memcpy(e.kind, kind, 1);
            text(value, where, *kind == 'k' ? "key" : *kind == 'm' ? "mouse" : "delay", e.text);
            text(value, where, "action", e.action, *kind != 't');
        } else if (value.contains("kind")) {
            text(value, where, "kind", e.kind);
            text(value, where, "text", e.text);
            text(value, where, "action", e.action);
        } else {
            fail(where, "must name a key, a mouse button, a delay or a kind");
        }
    }

    void macros(const json& value, const std::string& where, app::SettingsStore& store)
    {
        const json* list = array(value, where, "macros", 0, app::kMacroSlots);
        if (!list)
            return;
        std::array<bool, app::kMacroSlots> taken{};
        for (std::size_t i = 0; i < list->size(); ++i) {
            const std::string at = where + "macros[" + std::to_string(i) + "]";
            const json& macro = (*list)[i];
            std::int32_t slotNumber = -1;
            integer(macro, at, "slot", &slotNumber);
            if (slotNumber < 0 || slotNumber >= static_cast<std::int32_t>(app::kMacroSlots)) {
                if (macro.is_object() && macro.contains("slot"))
                    fail(at + ".slot", "must be between 0 and " + std::to_string(app::kMacroSlots - 1));
                continue;
            }
            const auto slot = static_cast<std::size_t>(slotNumber);
            if (taken[slot]) {
                fail(at + ".slot", "slot " + std::to_string(slot) + " is given twice");
                continue;
            }
            taken[slot] = true;
            app::MacroRecord& record = store.macros[slot];
            integer(macro, at, "number", &record.number);
            text(macro, at, "name", record.name);
            if (const json* events = array(macro, at, "events", 0, app::kEventsPerMacro)) {
                record.eventCount = static_cast<std::int32_t>(events->size());
                for (std::size_t e = 0; e < events->size(); ++e)
                    event((*events)[e], at + ".events[" + std::to_string(e) + "]", record.events[e]);
            }
            integer(macro, at, "eventCount", &record.eventCount, false);
        }
    }

private:
    std::vector<std::string>& errors_;
};

} // namespace

SettingsKind settingsKindOfPath(const std::string& path)
{
    std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : "";
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".zrp")
        return SettingsKind::Profile;
    if (extension == ".zrm")
        return SettingsKind::Macros;
    return SettingsKind::Store;
}

ordered_json exportSettings(const app::SettingsStore& store, SettingsKind kind)
{
    ordered_json out;
    out["format"] = kFormat;
    out["version"] = kFormatVersion;
    out["kind"] = kindName(kind);
    switch (kind) {
    case SettingsKind::Profile:
        out["profile"] = exportProfile(store.profiles[0]);
        break;
    case SettingsKind::Macros:
        out["macroCount"] = valueOf(store.macroCount);
        out["macros"] = exportMacros(store);
        break;
    case SettingsKind::Store: {
        out["activeProfile"] = valueOf(store.activeProfile);
        out["lightsOn"] = valueOf(store.lightsOn);
        out["appVersion"] = textOf(store.appVersion);
        out["firmwareVersion"] = textOf(store.firmwareVersion);
        ordered_json profiles = ordered_json::array();
        for (const app::AppProfile& profile : store.profiles)
            profiles.push_back(exportProfile(profile));
        out["profiles"] = profiles;
        out["macroCount"] = valueOf(store.macroCount);
        out["macros"] = exportMacros(store);
        break;
    }
    }
    return out;
}

std::optional<SettingsKind> importSettings(const json& in, app::SettingsStore& store, std::vector<std::string>& errors)
{
    Importer importer(errors);
    if (!in.is_object() || in.value("format", "") != kFormat) {
        importer.fail("format", std::string("must be \"") + kFormat + "\"");
        return std::nullopt;
    }
    if (in.value("version", 0) != kFormatVersion) {
        importer.fail("version", "must be " + std::to_string(kFormatVersion));
        return std::nullopt;
    }
    const std::string kind = in.value("kind", "");
    std::optional<SettingsKind> result;
    if (kind == "profile") {
        if (const json* profile = importer.member(in, "", "profile"))
            importer.profile(*profile, "profile", store.profiles[0]);
        result = SettingsKind::Profile;
    } else if (kind == "macros") {
        importer.integer(in, "", "macroCount", &store.macroCount);
        if (store.macroCount < 0 || store.macroCount > static_cast<std::int32_t>(app::kMacrosInUseLimit))
            importer.fail("macroCount", "must be between 0 and 15");
        importer.macros(in, "", store);
        result = SettingsKind::Macros;
    } else if (kind == "settings") {
        importer.integer(in, "", "activeProfile", &store.activeProfile);
        importer.integer(in, "", "lightsOn", &store.lightsOn);
        importer.text(in, "", "appVersion", store.appVersion);
        importer.text(in, "", "firmwareVersion", store.firmwareVersion);
        if (const json* profiles = importer.array(in, "", "profiles", app::kProfileCount, app::kProfileCount))
            for (std::size_t p = 0; p < app::kProfileCount; ++p)
                importer.profile((*profiles)[p], "profiles[" + std::to_string(p) + "]", store.profiles[p]);
        importer.integer(in, "", "macroCount", &store.macroCount);
        importer.macros(in, "", store);
        result = SettingsKind::Store;
    } else {
        importer.fail("kind", "must be \"settings\", \"profile\" or \"macros\"");
    }
    if (!errors.empty())
        return std::nullopt;
    return result;
}

} // namespace pelmo::tools
