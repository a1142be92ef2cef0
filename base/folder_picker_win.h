// The two folder pickers the launcher offers.
#pragma once

#include "base/user_prompts_win.h"

#include <windows.h>

#include <string_view>

namespace qv {

// Windows 6.0 (Vista) or later, service pack 0.0, all compared as "at least".
bool IsVistaOrLater();

// The system's folder dialog: no initial folder, its default title.
FolderChoice PickFolderModern(HWND owner);

// SHBrowseForFolderW over the whole name space, file-system folders only, with a title.
// An item without a file-system path gives NoPath.
FolderChoice PickFolderLegacy(HWND owner, std::wstring_view title);

} // namespace qv
