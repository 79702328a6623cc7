#pragma once

namespace pelmo::app {

// What reading one of the program's files gave. The values are the ones the
// program has always reported, so callers may compare them with 0, 1 and 2.
enum class ReadResult : int {
    Ok = 0,        // the file was read into the store
    NotOpened = 1, // missing or unreadable; nothing changed
    Unusable = 2,  // empty, or (a macro file) holding an impossible macro count; nothing changed
};

} // namespace pelmo::app
