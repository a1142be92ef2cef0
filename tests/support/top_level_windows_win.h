// The windows other programs show, as tests and stand-ins look for them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qv::test {

// Visible top-level windows of a process, in z order.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::wstring ClassNameOf(HWND window);
// Asked of the window itself (WM_GETTEXT), so it also reads controls of other processes.
std::wstring TextOf(HWND window);
// The entries of a drop-down list, in its order; also of another process's list.
std::vector<std::wstring> ComboTexts(HWND combo);

} // namespace qv::test
