// The launcher's own process environment, which every process it starts inherits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The value of a variable, or nothing when the variable does not exist (an existing variable
// may have an empty value).
[[nodiscard]] std::optional<std::wstring> FindEnvironmentVariable(std::wstring_view name);
// The value, or "" when the variable does not exist.
std::wstring ReadEnvironmentVariable(std::wstring_view name);
[[nodiscard]] bool SetEnvironmentVariableText(std::wstring_view name, std::wstring_view value);
[[nodiscard]] bool RemoveEnvironmentVariable(std::wstring_view name);

} // namespace qv
