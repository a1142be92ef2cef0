#include "base/held_file.h"

#include <array>

namespace qv {

namespace {

// The system's numbers (winerror.h), which this file does not include.
constexpr std::uint32_t ErrorAccessDenied = 5;
constexpr std::uint32_t ErrorSharingViolation = 32;
constexpr std::uint32_t ErrorLockViolation = 33;

// Short first, as most holds are; 2.3 s in all.
constexpr std::array<std::uint32_t, 5> Pauses{100, 200, 400, 800, 800};

} // namespace

bool IsPassingHold(std::uint32_t error, FileWork work) {
    return error == ErrorSharingViolation || error == ErrorLockViolation ||
           (error == ErrorAccessDenied && work == FileWork::DeleteOrReplace);
}

std::optional<std::uint32_t> HoldPause(int pausesTaken) {
    if (pausesTaken < 0 || static_cast<std::size_t>(pausesTaken) >= Pauses.size())
        return std::nullopt;
    return Pauses[static_cast<std::size_t>(pausesTaken)];
}

} // namespace qv
