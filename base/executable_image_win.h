// The bitness and subsystem of a program file on disk.
#pragma once

#include "base/executable_image.h"

#include <string_view>

namespace qv {

// Unreadable when the file cannot be opened or is too short for the headers it points to.
ExecutableBitness ReadExecutableBitness(std::wstring_view path);
// Unreadable, too, when its optional header is cut short or of no known kind.
ExecutableSubsystem ReadExecutableSubsystem(std::wstring_view path);

} // namespace qv
