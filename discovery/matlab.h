// MATLAB releases 2014 to 2021: how a release text is normalised and judged, and where the
// python engine's setup script names it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct MatlabInstallation {
    std::wstring root;    // holds bin\matlab.exe
    std::wstring release; // lower case without a leading "r", e.g. 2019b
};

// Trimmed (line ends included), lower-cased, without a leading "r": R2019b gives 2019b.
std::wstring NormaliseMatlabRelease(std::wstring_view text);
// Only the leading year counts: 2019b_update3 is accepted as it is, 9.11 is refused.
bool IsSupportedMatlabRelease(std::wstring_view release);
// The text between the quotes after the first "version=" (or "version =") of the lower-cased
// script; nothing when the script names no quoted version.
std::optional<std::wstring> SetupScriptRelease(std::wstring_view script);

int RememberedMatlabIndex(const std::vector<MatlabInstallation>& installations,
                          std::wstring_view remembered);

} // namespace qv
