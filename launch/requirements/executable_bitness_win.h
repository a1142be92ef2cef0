// The bitness of a program file on disk.
#pragma once

#include "launch/requirements/executable_bitness.h"

#include <string_view>

namespace qv {

// Unreadable when the file cannot be opened or is too short for the headers it points to.
ExecutableBitness ReadExecutableBitness(std::wstring_view path);

} // namespace qv
