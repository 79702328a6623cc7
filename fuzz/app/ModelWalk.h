// What the program may do with a store after loading a file: read every
// field the pages and the device link read, and make the macro page's edits.
// Shared by the model's fuzzers; each finding is a read or write outside a
// field or a record, reported by the sanitizers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "app/keys/KeyTable.h"
#include "app/keys/MouseEventNames.h"
#include "app/macros/MacroEventText.h"
#include "app/macros/MacroLibrary.h"
#include "app/settings/StoredText.h"

namespace pelmo::fuzz {

// A fuzz input is either a file's bytes as they stand, or, when it starts
// with 'P', a list of patches (4-byte offset, 1-byte length, bytes) over an
// all-zero file of `fileSize` bytes. Patches reach the far end of the large
// files, which inputs of a few kilobytes cannot.
inline bool isPatchList(const std::uint8_t* data, std::size_t size)
{
    return size > 0 && data[0] == 'P';
}

// Writes the patches' bytes that fall inside `target`, the front of the file.
inline void applyPatches(const std::uint8_t* data, std::size_t size, std::size_t fileSize,
                         std::span<std::uint8_t> target)
{
    for (std::size_t at = 1; at + 5 <= size;) {
        std::uint32_t offset;
        std::memcpy(&offset, data + at, 4);
        offset %= static_cast<std::uint32_t>(fileSize);
        std::size_t length = std::min<std::size_t>(data[at + 4], size - at - 5);
        at += 5;
        for (std::size_t i = 0; i < length && offset + i < target.size(); ++i)
            target[offset + i] = data[at + i];
        at += length;
    }
}

inline void readEveryField(const app::SettingsStore& store, const app::MacroLibrary& library,
                           std::uint8_t languageIndex)
{
    volatile std::size_t sink = 0;
    for (const app::AppProfile& profile : store.profiles) {
        sink = sink + app::displayText(app::fieldText(profile.fileName)).size();
        for (std::size_t button = 0; button < app::kButtonCount; ++button) {
            const std::int32_t function = profile.buttonFunction[button];
            const std::int32_t param = profile.buttonParam[button];
            if (function == app::code(app::ButtonFunction::SingleKey))
                if (auto key = app::findKeyByVirtualKey(param))
                    sink = sink + app::keyButtonLabel(*key).size();
            if (function == app::code(app::ButtonFunction::Macro) && param >= 1)
                sink = sink + app::displayText(library.name(param - 1)).size();
        }
    }
    for (int slot = 0; slot < static_cast<int>(app::kMacroSlots); ++slot) {
        sink = sink + app::displayText(library.name(slot)).size();
        if (slot < static_cast<int>(app::kMacrosInUseLimit))
            sink = sink + library.isDuplicateName(slot, app::NameScope::InUse) +
                   library.isDuplicateName(slot, app::NameScope::AllFifteen);
        for (std::size_t i = 0; i < library.eventCount(slot); ++i) {
            const app::MacroEvent& event = store.macros[slot].events[i];
            if (auto text = app::eventListText(event, languageIndex))
                sink = sink + text->size();
            if (app::storedEventKind(event) == app::MacroEventKind::EventKeyDown ||
                app::storedEventKind(event) == app::MacroEventKind::EventKeyUp)
                sink = sink + app::findKeyByName(app::fieldText(event.text)).has_value();
        }
    }
    sink = sink + app::displayText(app::fieldText(store.appVersion)).size() +
           app::displayText(app::fieldText(store.firmwareVersion)).size();
}

inline void editMacros(app::MacroLibrary& library, std::uint8_t seed)
{
    const int slot = seed % 16;
    library.createMacro();
    library.renameMacro(slot, "Macro_1");
    library.insertEvent(slot, app::MacroEventKind::EventKeyDown, " A ", seed % 5);
    library.appendEvent(slot, app::MacroEventKind::EventDelay, app::delaySecondsText(seed));
    library.setDelay(slot, seed % 7, 1 + seed);
    library.deleteEvent(slot, seed % 9);
    library.deleteMacro(seed % 3); // its save goes to a folder that does not exist
    library.clearEvents(slot);
}

} // namespace pelmo::fuzz
