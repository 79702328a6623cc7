#include "app/macros/MacroLibrary.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "app/keys/ButtonFunction.h"
#include "app/macros/MacroEventText.h"
#include "app/settings/StoredText.h"
#include "platform/files/AtomicFile.h"

namespace pelmo::app {

namespace {

constexpr std::size_t kNameBytes = sizeof(MacroRecord::name) - 1;

std::size_t bounded(std::int32_t count, std::size_t limit)
{
    if (count < 0)
        return 0;
    return static_cast<std::size_t>(count) < limit ? static_cast<std::size_t>(count) : limit;
}

bool isEditableSlot(int slot)
{
    return slot >= 0 && slot < static_cast<int>(kMacrosInUseLimit);
}

std::string starred(std::string_view base, std::size_t stars)
{
    return std::string(truncateUtf8(base, kNameBytes - stars)) + std::string(stars, '*');
}

} // namespace

MacroLibrary::MacroLibrary(SettingsStore& store, std::string macroStorePath)
    : store_(store), macroStorePath_(std::move(macroStorePath))
{
}

std::size_t MacroLibrary::macrosInUse() const
{
    return bounded(store_.macroCount, kMacrosInUseLimit);
}

std::size_t MacroLibrary::eventCount(int slot) const
{
    if (slot < 0 || slot >= static_cast<int>(kMacroSlots))
        return 0;
    return bounded(store_.macros[slot].eventCount, kEventsPerMacro);
}

std::string_view MacroLibrary::name(int slot) const
{
    if (slot < 0 || slot >= static_cast<int>(kMacroSlots))
        return {};
    return fieldText(store_.macros[slot].name);
}

MacroRecord* MacroLibrary::editable(int slot)
{
    return isEditableSlot(slot) ? &store_.macros[slot] : nullptr;
}

bool MacroLibrary::nameTakenByOtherSlot(std::string_view candidate, int slot) const
{
    for (int other = 0; other < static_cast<int>(kMacrosInUseLimit); ++other)
        if (other != slot && name(other) == candidate)
            return true;
    return false;
}

std::optional<int> MacroLibrary::createMacro()
{
    const std::size_t inUse = macrosInUse();
    if (inUse >= kMacrosInUseLimit)
        return std::nullopt;
    const std::string plain = "Macro_" + std::to_string(inUse + 1);
    bool taken = false;
    for (std::size_t slot = 0; slot < inUse; ++slot)
        taken = taken || name(static_cast<int>(slot)) == plain;
    // One star only, without a further check: the name is the user's to change.
    storeFieldText(store_.macros[inUse].name, taken ? plain + "*" : plain);
    store_.macroCount = static_cast<std::int32_t>(inUse + 1);
    return static_cast<int>(inUse);
}

bool MacroLibrary::renameMacro(int slot, std::string_view text)
{
    MacroRecord* record = editable(slot);
    if (!record)
        return false;
    text = text.substr(0, text.find('\0'));
    if (text.empty()) {
        std::memset(record->name, 0, sizeof record->name);
        return true;
    }
    const std::string base = replaceInvalidUtf8(text, "?");
    std::size_t stars = 0;
    while (stars < kMacrosInUseLimit && nameTakenByOtherSlot(starred(base, stars), slot))
        ++stars;
    storeFieldText(record->name, starred(base, stars));
    return true;
}

bool MacroLibrary::isDuplicateName(int slot, NameScope scope) const
{
    if (!isEditableSlot(slot))
        return false;
    const std::size_t limit = scope == NameScope::InUse ? macrosInUse() : kMacrosInUseLimit;
    for (std::size_t other = 0; other < limit; ++other)
        if (static_cast<int>(other) != slot && name(static_cast<int>(other)) == name(slot))
            return true;
    return false;
}

MacroDeletion MacroLibrary::deleteMacro(int slot)
{
    const std::size_t inUse = macrosInUse();
    if (slot < 0 || static_cast<std::size_t>(slot) >= inUse)
        return MacroDeletion::Refused;

    for (AppProfile& profile : store_.profiles) {
        for (std::size_t button = 0; button < kButtonCount; ++button) {
            const std::int64_t reference = profile.buttonParam[button];
            if (profile.buttonFunction[button] != code(ButtonFunction::Macro) || reference < 1)
                continue;
            if (reference - 1 > slot) {
                profile.buttonParam[button] = static_cast<std::int32_t>(reference - 1);
            } else if (reference - 1 == slot) {
                profile.buttonFunction[button] = code(ButtonDefaultTable[button]);
                profile.buttonParam[button] = 0;
            }
        }
    }

    if (inUse == 1) {
        std::memset(static_cast<void*>(store_.macros), 0, sizeof store_.macros);
        store_.macroCount = 0;
    } else {
        // Slot 14 takes slot 15, which the program never fills.
        for (std::size_t i = static_cast<std::size_t>(slot); i < kMacrosInUseLimit; ++i)
            store_.macros[i] = store_.macros[i + 1];
        store_.macroCount = static_cast<std::int32_t>(inUse - 1);
    }
    return writeMacroStore() ? MacroDeletion::Saved : MacroDeletion::NotSaved;
}

void MacroLibrary::writeEvent(MacroEvent& event, MacroEventKind kind, std::string_view text)
{
    storeFieldText(event.kind, kindText(kind));
    storeFieldText(event.text, text);
    storeFieldText(event.action, actionText(kind));
}

bool MacroLibrary::appendEvent(int slot, MacroEventKind kind, std::string_view text)
{
    return insertEvent(slot, kind, text, static_cast<int>(eventCount(slot)));
}

bool MacroLibrary::insertEvent(int slot, MacroEventKind kind, std::string_view text, int position)
{
    MacroRecord* record = editable(slot);
    const std::size_t count = eventCount(slot);
    if (!record || text.empty() || position < 0 || static_cast<std::size_t>(position) > count ||
        count == kEventsPerMacro)
        return false;
    const auto at = static_cast<std::size_t>(position);
    std::memmove(static_cast<void*>(&record->events[at + 1]), &record->events[at], (count - at) * sizeof(MacroEvent));
    writeEvent(record->events[at], kind, text);
    record->eventCount = static_cast<std::int32_t>(count + 1);
    return true;
}

bool MacroLibrary::deleteEvent(int slot, int position)
{
    MacroRecord* record = editable(slot);
    const std::size_t count = eventCount(slot);
    if (!record || position < 0 || static_cast<std::size_t>(position) >= count)
        return false;
    if (count == 1) {
        std::memset(static_cast<void*>(record->events), 0, sizeof record->events);
        record->eventCount = 0;
        return true;
    }
    const auto at = static_cast<std::size_t>(position);
    std::memmove(static_cast<void*>(&record->events[at]), &record->events[at + 1],
                 (count - 1 - at) * sizeof(MacroEvent));
    // No stale copy of the last event stays behind in the record or its files.
    std::memset(static_cast<void*>(&record->events[count - 1]), 0, sizeof(MacroEvent));
    record->eventCount = static_cast<std::int32_t>(count - 1);
    return true;
}

bool MacroLibrary::setDelay(int slot, int position, std::int64_t milliseconds)
{
    MacroRecord* record = editable(slot);
    if (!record || milliseconds < 1 || position < 0 || static_cast<std::size_t>(position) >= eventCount(slot))
        return false;
    MacroEvent& event = record->events[position];
    if (fieldText(event.kind) != kindText(MacroEventKind::EventDelay))
        return false;
    storeFieldText(event.text, delaySecondsText(milliseconds));
    storeFieldText(event.action, "");
    return true;
}

bool MacroLibrary::clearEvents(int slot)
{
    MacroRecord* record = editable(slot);
    if (!record)
        return false;
    record->eventCount = 0;
    std::memset(record->events[0].kind, 0, sizeof record->events[0].kind);
    return true;
}

ReadResult MacroLibrary::readMacroStore(const std::string& path)
{
    const std::string source = path.empty() ? macroStorePath_ : path;
    auto bytes = platform::readWholeFile(source, kMacroFileSize);
    if (!bytes) {
        lastError_ = "cannot read " + source + ": " + std::strerror(errno);
        return ReadResult::NotOpened;
    }
    ReadResult result = loadMacroFile(*bytes);
    if (result != ReadResult::Ok)
        lastError_ = source + ": " + lastError_;
    return result;
}

ReadResult MacroLibrary::loadMacroFile(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty()) {
        lastError_ = "the file is empty";
        return ReadResult::Unusable;
    }
    // The count's missing bytes in a file shorter than four bytes are zero.
    std::uint8_t countBytes[4] = {};
    std::memcpy(countBytes, bytes.data(), bytes.size() < 4 ? bytes.size() : 4);
    std::int32_t count;
    std::memcpy(&count, countBytes, sizeof count);
    if (count < 0 || count > static_cast<std::int32_t>(kMacrosInUseLimit)) {
        // Not a macro file this program could have written: taking it would
        // bring a count that every page has to second-guess.
        lastError_ = "the file holds " + std::to_string(count) + " macros; at most 15 can be loaded";
        return ReadResult::Unusable;
    }
    loadFileImage(macroFileBytes(store_), bytes);
    notifyReplaced();
    return ReadResult::Ok;
}

bool MacroLibrary::writeMacroStore(const std::string& path)
{
    const std::string target = path.empty() ? macroStorePath_ : path;
    return platform::writeFileAtomically(target, macroFileBytes(store_), &lastError_);
}

void MacroLibrary::notifyReplaced() const
{
    if (replacedHandler_)
        replacedHandler_();
}

} // namespace pelmo::app
