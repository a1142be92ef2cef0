// Fluent release folder names as found on disk, their versions and labels, and the judgement
// on a listed folder.
#include "base/text.h"
#include "discovery/fluent_versions.h"
#include "fuzz_input.h"

#include <algorithm>

namespace {

bool IsReleaseLabel(const std::wstring& label) {
    return std::any_of(qv::FluentReleaseLabels.begin(), qv::FluentReleaseLabels.end(),
                       [&](const wchar_t* known) { return label == known; });
}

void CheckRelease(const std::wstring& name) {
    (void)qv::IsReleaseFolderName(name);
    const std::wstring version = qv::ReleaseVersion(name);
    const double number = qv::FluentVersionNumber(version);
    const std::wstring label = qv::ReleaseLabel(name);
    if (!qv::IsSupportedFluentVersion(version)) return;
    // Every supported release gets a label: a named one from 19.3 on, its full version before.
    QV_FUZZ_CHECK(!label.empty());
    QV_FUZZ_CHECK(number >= 19.3 ? IsReleaseLabel(label) : label == qv::RemoveAll(name, L"fluent"));
}

void CheckResolution(qv::fuzz::FuzzInput& input) {
    const std::wstring folder = input.Text();
    std::vector<std::wstring> releases(input.Byte() % 3), executables(input.Byte() % 3);
    for (std::wstring& release : releases)
        release = input.Text();
    for (std::wstring& executable : executables)
        executable = input.Text();

    const qv::FluentFolderResolution r =
        qv::ResolveListedFluentFolder(folder, releases, executables);
    QV_FUZZ_CHECK(r.folder == folder);
    if (releases.size() != 1 || executables.size() != 1) {
        QV_FUZZ_CHECK(r.status == qv::FluentFolderStatus::NotExactlyOne);
        return;
    }
    QV_FUZZ_CHECK(r.releaseName == releases[0]);
    QV_FUZZ_CHECK(r.versionText == qv::ReleaseVersion(releases[0]));
    if (r.status != qv::FluentFolderStatus::Resolved) {
        QV_FUZZ_CHECK(r.status == qv::FluentFolderStatus::UnsupportedVersion);
        return;
    }
    // A resolved folder runs a version of the table, with the executable found.
    QV_FUZZ_CHECK(qv::IsSupportedFluentVersion(r.versionText));
    QV_FUZZ_CHECK(r.versionNumber >= 6.3 && r.versionNumber <= 25.2);
    QV_FUZZ_CHECK(r.executable == executables[0]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const bool resolution = input.Byte() & 1;
    if (resolution) {
        CheckResolution(input);
    } else {
        for (const std::wstring& name : input.Texts())
            CheckRelease(name);
    }
    return 0;
}
