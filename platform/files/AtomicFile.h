#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pelmo::platform {

// Replaces `path` with `bytes` so that a reader sees either the old file or
// the new one, never a mixture: the data goes to a temporary file in the same
// folder, is flushed to disk, and is renamed over the old file. On failure the
// old file is untouched and `error` (when given) says why.
//
// User data is always Synced. Scratch state that only has to be whole, not
// survive a power cut (the emulated mouse's), may skip the flushes.
enum class Durability { Synced, Unsynced };
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error = nullptr, Durability durability = Durability::Synced);

// The whole file, or nothing when it cannot be opened or read. Reads at most
// `limit` bytes, so a huge or endless file cannot exhaust memory.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                        std::size_t limit = 64u << 20);

} // namespace pelmo::platform
