// The launch environment from outside texts: the release folder's name (its full version is
// split for RELEASE_*), the chosen folder and the PATH the launcher inherited.
#include "base/text.h"
#include "fuzz_input.h"
#include "launch/command_line/launch_environment.h"

#include <algorithm>

namespace {

void CheckSplit(const std::wstring& fullVersion) {
    // The three parts put back with their dots give the text again.
    const qv::ReleaseParts parts = qv::SplitFullVersion(fullVersion);
    std::wstring joined = parts.major;
    const std::size_t dots = std::count(fullVersion.begin(), fullVersion.end(), L'.');
    if (dots >= 1) joined += L"." + parts.minor;
    if (dots >= 2) joined += L"." + parts.revision;
    QV_FUZZ_CHECK(joined == fullVersion);
    QV_FUZZ_CHECK(parts.major.find(L'.') == std::wstring::npos);
    QV_FUZZ_CHECK(parts.minor.find(L'.') == std::wstring::npos);
}

void CheckPathTrim(const std::wstring& path) {
    const std::wstring trimmed = qv::TrimPathForPrepending(path);
    QV_FUZZ_CHECK(path.compare(0, trimmed.size(), trimmed) == 0);
    QV_FUZZ_CHECK(trimmed.empty() || (trimmed.back() != L';' && trimmed.back() != L'\\'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    qv::LaunchEnvironmentInputs in;
    in.version = 20.0 + (flags & 7) * 0.5; // on both sides of 21.1 and 21.2
    in.options.processingMode = static_cast<qv::ProcessingMode>((flags >> 3) & 1);
    in.chineseFluent = (flags >> 4) & 1;
    in.releaseName = input.Text();
    in.fluentFolder = input.Text();
    std::optional<std::wstring> path;
    if (!input.Empty()) path = input.Text();

    CheckSplit(qv::RemoveAll(in.releaseName, L"fluent"));
    if (path) CheckPathTrim(*path);
    for (const qv::EnvironmentChange& change : qv::ComputeLaunchEnvironment(in, path)) {
        QV_FUZZ_CHECK(!change.name.empty());
        // The inherited PATH stays at the end of the new one.
        if (change.name == L"PATH" && path) {
            const std::wstring old = qv::TrimPathForPrepending(*path);
            QV_FUZZ_CHECK(
                change.value && change.value->size() >= old.size() &&
                change.value->compare(change.value->size() - old.size(), old.size(), old) == 0);
        }
    }
    return 0;
}
