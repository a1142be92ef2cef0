#include "base/profile_folder_win.h"

#include "base/shell_and_com_win.h"

#include <shlobj.h>

namespace qv {

std::wstring ProfileFolder() {
    std::wstring profile(1000, L'\0');
    if (!shell::SHGetSpecialFolderPathW(nullptr, profile.data(), CSIDL_PROFILE, FALSE)) return L"";
    return profile.c_str();
}

} // namespace qv
