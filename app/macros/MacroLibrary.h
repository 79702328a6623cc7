#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "app/macros/MacroEvent.h"
#include "app/settings/ReadResult.h"
#include "app/settings/SettingsStore.h"

namespace pelmo::app {

// Which slots a name is compared with.
enum class NameScope { InUse, AllFifteen };

enum class MacroDeletion {
    Refused,  // no such macro in use; nothing changed
    Saved,    // deleted, and the macro store file written
    NotSaved, // deleted in the store, but the macro store file could not be written
};

// The user's macros in the settings store: up to fifteen named lists of key,
// mouse and delay events, the edits the recorder and the macro page make to
// them, and the macro files (profile/Macros and the .zrm files the user
// imports and exports). Slots and positions are 0-based; -1 means nothing
// selected. The store may hold any bytes a file brought: counts are bounded
// (`macroCount` to 0..15, `eventCount` to 0..256) wherever they are used, so
// no stored value leads outside a record.
class MacroLibrary {
public:
    // `macroStorePath` is profile/Macros of the data folder.
    MacroLibrary(SettingsStore& store, std::string macroStorePath);

    std::size_t macrosInUse() const;
    std::size_t eventCount(int slot) const;
    // The slot's name as stored (possibly not UTF-8); empty for no such slot.
    std::string_view name(int slot) const;

    // Gives the free slot `macrosInUse()` the name "Macro_N" (N = slot + 1),
    // or "Macro_N*" when a macro in use has that name. None when fifteen
    // macros are in use.
    std::optional<int> createMacro();

    // An empty text clears the name. Otherwise the text (cut to 255 bytes at a
    // character boundary) gets one "*" for as long as another of the fifteen
    // slots has the same name, at most fifteen times; the stars replace the
    // name's last characters when it has no room left.
    bool renameMacro(int slot, std::string_view text);

    // Another slot in the scope has exactly this slot's name.
    bool isDuplicateName(int slot, NameScope scope) const;

    // Removes a macro in use: buttons of all five profiles that played it get
    // their default function, buttons that played a later macro follow it
    // down one slot, the later macros move down, and the macro store file is
    // written.
    MacroDeletion deleteMacro(int slot);

    // Event edits. An empty `text` changes nothing (the page rebuilds its
    // list this way); so does a slot outside 0..14. A full macro (256 events)
    // takes no more; inserting at `eventCount` appends, beyond it nothing.
    bool appendEvent(int slot, MacroEventKind kind, std::string_view text);
    bool insertEvent(int slot, MacroEventKind kind, std::string_view text, int position);
    bool deleteEvent(int slot, int position);
    // Changes a delay event only, and only to a delay of at least 1 ms.
    bool setDelay(int slot, int position, std::int64_t milliseconds);
    // Empties the macro before recording into it.
    bool clearEvents(int slot);

    // Macro files: an empty path means the macro store file. Reading replaces
    // all macros and then tells the replaced handler; a file whose macro count
    // is outside 0..15 is refused as Unusable and changes nothing.
    ReadResult readMacroStore(const std::string& path = {});
    bool writeMacroStore(const std::string& path = {});
    // The reading rules on bytes already read (shared with the fuzzers).
    ReadResult loadMacroFile(std::span<const std::uint8_t> bytes);

    // Called whenever the macros were replaced as a whole, so that the macro
    // page rebuilds its lists from the records.
    void setReplacedHandler(std::function<void()> handler) { replacedHandler_ = std::move(handler); }
    void notifyReplaced() const;

    const std::string& macroStorePath() const { return macroStorePath_; }
    // Why the last failing file operation failed, for diagnostics.
    const std::string& lastError() const { return lastError_; }

private:
    MacroRecord* editable(int slot);
    bool nameTakenByOtherSlot(std::string_view name, int slot) const;
    void writeEvent(MacroEvent& event, MacroEventKind kind, std::string_view text);

    SettingsStore& store_;
    std::string macroStorePath_;
    std::function<void()> replacedHandler_;
    std::string lastError_;
};

} // namespace pelmo::app
