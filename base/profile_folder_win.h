// The user's profile folder as the shell names it.
#pragma once

#include <string>

namespace qv {

// Empty when the shell names none. Loads the shell library on first use.
std::wstring ProfileFolder();

} // namespace qv
