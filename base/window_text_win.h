// The text of a window or control, whatever its length.
#pragma once

#include <windows.h>

#include <string>

namespace qv {

std::wstring WindowText(HWND window);

} // namespace qv
