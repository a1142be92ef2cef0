#include "launch/command_line/launch_environment.h"

#include "base/text.h"
#include "launch/record/fluent_releases.h"

namespace qv {

namespace {

bool IsSerial(const LaunchOptions& options) {
    return options.processingMode == ProcessingMode::Serial;
}

void AppendSharedVariables(const LaunchEnvironmentInputs& in,
                           std::vector<EnvironmentChange>& changes) {
    const LaunchOptions& o = in.options;
    changes.push_back({L"__SharedLauncherWnd__", WindowHandleText(in.launcherWindow)});
    changes.push_back({L"__SharedCallCoolProp__", std::to_wstring(o.callCoolProp)});
    changes.push_back({L"__SharedCallFortran__", std::to_wstring(o.callIntelFortran)});
    changes.push_back({L"__SharedCallMatlab__", std::to_wstring(o.callMatlab)});
    changes.push_back(
        {L"__SharedDynamicLinkMatlab__", std::to_wstring(static_cast<int>(o.linkMode))});
    changes.push_back({L"__SharedFluentPathUsed__", in.fluentFolder});
    changes.push_back({L"__SharedQuorvexVsUsed__", in.visualStudioVersion});
}

// Serial runs from 21.1 on find Fluent's add-on and MPI stub libraries through PATH, ahead of
// anything else of the same name.
std::wstring PathWithFluentFolders(const LaunchEnvironmentInputs& in,
                                   const std::wstring& fullVersion,
                                   const std::optional<std::wstring>& currentPath) {
    const std::wstring release = in.fluentFolder + L"\\fluent" + fullVersion;
    const std::wstring addons = release + L"\\addons\\afd\\win64";
    const std::wstring stub = release + L"\\multiport\\mpi_wrapper\\win64\\stub";
    if (!currentPath) return addons + L";" + stub;
    return addons + L";" + stub + L";" + TrimPathForPrepending(*currentPath);
}

} // namespace

std::wstring WindowHandleText(std::uint32_t handleValue) {
    // Two's complement by hand: converting an out-of-range value to int32 is not portable before
    // C++20.
    const std::int64_t value = handleValue < 0x80000000u
                                   ? std::int64_t{handleValue}
                                   : std::int64_t{handleValue} - 0x100000000LL;
    return std::to_wstring(value);
}

std::wstring TrimPathForPrepending(std::wstring_view path) {
    return TrimTrailing(TrimTrailing(path, L";/"), L";\\");
}

ReleaseParts SplitFullVersion(std::wstring_view fullVersion) {
    ReleaseParts parts;
    const std::size_t first = fullVersion.find(L'.');
    parts.major = std::wstring(fullVersion.substr(0, first));
    if (first == std::wstring_view::npos) return parts;
    const std::size_t second = fullVersion.find(L'.', first + 1);
    parts.minor = std::wstring(fullVersion.substr(first + 1, second - first - 1));
    if (second != std::wstring_view::npos)
        parts.revision = std::wstring(fullVersion.substr(second + 1));
    return parts;
}

std::wstring EnvironmentChangeLogText(const EnvironmentChange& change) {
    if (change.value) return L"set " + change.name + L"=" + *change.value;
    std::wstring text = L"removed the variable " + change.name +
                        L" from the environment the started program inherits";
    if (!change.why.empty()) text += L" (" + std::wstring(change.why) + L")";
    return text;
}

std::vector<EnvironmentChange>
ComputeLaunchEnvironment(const LaunchEnvironmentInputs& in,
                         const std::optional<std::wstring>& currentPath) {
    std::vector<EnvironmentChange> changes;
    if (in.chineseFluent)
        changes.push_back({L"lang", L"zh"});
    else
        changes.push_back({L"lang", std::nullopt, L"Chinese Fluent off"});
    AppendSharedVariables(in, changes);
    if (!(in.version > Fluent2021R1 && IsSerial(in.options))) return changes;

    const std::wstring fullVersion = RemoveAll(in.releaseName, L"fluent");
    changes.push_back({L"PATH", PathWithFluentFolders(in, fullVersion, currentPath)});
    if (in.version > Fluent2021R2) {
        const ReleaseParts parts = SplitFullVersion(fullVersion);
        changes.push_back({L"RELEASE_MAJOR", parts.major});
        changes.push_back({L"RELEASE_MINOR", parts.minor});
        changes.push_back({L"RELEASE_REVISION", parts.revision});
    }
    return changes;
}

} // namespace qv
