// The add-on's product folder for a launch, from QUORVEX_PATH or, when that is missing, from
// the user.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The product folder verified for this Fluent version and Visual Studio year; nothing when the
// user cancelled the picker or the folder failed verification (its message shown): the dialog stays
// for another try. A picked folder, or a variable that ended in a separator, is stored: in the
// per-user environment key, in the launcher's environment, and announced to running programs.
[[nodiscard]] std::optional<std::wstring> SettleProductFolder(std::wstring_view fluentVersionText,
                                                              std::wstring_view visualStudioYear,
                                                              HWND owner);

} // namespace qv
