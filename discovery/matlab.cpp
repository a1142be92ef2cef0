#include "discovery/matlab.h"

#include "base/text.h"
#include "discovery/remembered_index.h"

namespace qv {

std::wstring NormaliseMatlabRelease(std::wstring_view text) {
    std::wstring release = ToLower(Trim(TrimTrailing(Trim(text), L"\n\t\r\v")));
    if (StartsWith(release, L"r")) release.erase(0, 1);
    return release;
}

bool IsSupportedMatlabRelease(std::wstring_view release) {
    const long year = ReadLeadingInt(TrimTrailing(release, L"ab"));
    return year >= 2014 && year <= 2021;
}

std::optional<std::wstring> SetupScriptRelease(std::wstring_view script) {
    const std::wstring text = ToLower(script);
    std::size_t at = text.find(L"version=");
    if (at == std::wstring::npos) at = text.find(L"version =");
    if (at == std::wstring::npos) return std::nullopt;
    const std::size_t open = text.find(L'"', at);
    if (open == std::wstring::npos) return std::nullopt;
    const std::size_t close = text.find(L'"', open + 1);
    if (close == std::wstring::npos) return std::nullopt;
    return text.substr(open + 1, close - open - 1);
}

int RememberedMatlabIndex(const std::vector<MatlabInstallation>& installations,
                          std::wstring_view remembered) {
    return RememberedIndex(installations, &MatlabInstallation::release, remembered);
}

} // namespace qv
