// Checks the add-on's product folder before anything is prepared for Fluent.
#pragma once

#include <windows.h>

#include <string_view>

namespace qv {

// True when every required item exists. Otherwise shows, owned by the given window, the error
// naming the first missing item and returns false.
[[nodiscard]] bool VerifyProductFolder(std::wstring_view productFolder,
                                       std::wstring_view visualStudioYear,
                                       std::wstring_view fluentVersionText, HWND owner);

} // namespace qv
