// Texts read from other products' installations: MATLAB's release (registry or VersionInfo),
// the setup script of its python engine, and Visual Studio's toolset version file.
#include "base/text.h"
#include "discovery/matlab.h"
#include "discovery/visual_studio.h"
#include "fuzz_input.h"

namespace {

bool IsPrefix(const std::wstring& part, std::wstring_view whole) {
    return whole.substr(0, part.size()) == part;
}

void CheckMatlabRelease(const std::wstring& text) {
    const std::wstring release = qv::NormaliseMatlabRelease(text);
    QV_FUZZ_CHECK(release.size() <= text.size());
    if (!qv::IsSupportedMatlabRelease(release)) return;
    // Only a year from 2014 to 2021 at the start is accepted.
    const long year = qv::ReadLeadingInt(release);
    QV_FUZZ_CHECK(year >= 2014 && year <= 2021);
}

void CheckSetupScript(const std::wstring& script) {
    const std::optional<std::wstring> release = qv::SetupScriptRelease(script);
    if (!release) return;
    QV_FUZZ_CHECK(release->find(L'"') == std::wstring::npos);
    QV_FUZZ_CHECK(qv::Contains(qv::ToLower(script), L"\"" + *release + L"\""));
}

void CheckToolsetVersion(const std::wstring& text) {
    const std::wstring toolset = qv::TrimToolsetVersion(text);
    QV_FUZZ_CHECK(IsPrefix(toolset, text));
    QV_FUZZ_CHECK(toolset.empty() || (toolset.back() != L'\r' && toolset.back() != L'\v'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::wstring text = input.Text();
    CheckMatlabRelease(text);
    CheckSetupScript(text);
    CheckToolsetVersion(text);
    return 0;
}
