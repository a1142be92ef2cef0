// Files that another program holds for a moment: a virus scanner, an indexer or a backup program
// opens a file for a fraction of a second, and a launch should not end on it.
#pragma once

#include <cstdint>
#include <optional>

namespace qv {

enum class FileWork {
    ReadOrWrite,
    // Deleting the file, or putting another in its place: a file that is being deleted answers
    // "access denied" until the last program that has it open closes it.
    DeleteOrReplace,
};

// Whether a failure with this system error may end by itself: a sharing or lock violation, and,
// for work that deletes or replaces the file, access denied.
bool IsPassingHold(std::uint32_t error, FileWork work);

// The pause in milliseconds before the next try, after pausesTaken pauses; nothing once they are
// spent. The pauses grow, and come to between 1.5 and 3 seconds in all.
std::optional<std::uint32_t> HoldPause(int pausesTaken);

} // namespace qv
