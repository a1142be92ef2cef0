#include "discovery/fluent_versions.h"

#include "base/text.h"

#include <algorithm>

namespace qv {

namespace {

constexpr std::wstring_view FirstLabelledVersion = L"19.3";

// Position of the version at or after the given row, or the table size.
std::size_t FindVersionRow(std::wstring_view versionText, std::size_t from = 0) {
    for (std::size_t row = from; row < FluentVersionTable.size(); ++row) {
        if (EqualsNoCase(FluentVersionTable[row].versionText, versionText)) return row;
    }
    return FluentVersionTable.size();
}

} // namespace

std::wstring NormaliseFolderPath(std::wstring_view path) {
    // Blanks and separators go together: "C:\\F \\" must lose the blank its separator hid, or
    // the result would change when normalised again and one folder could be listed twice.
    std::wstring folder = Trim(path);
    while (!folder.empty() &&
           (IsBlank(folder.back()) || folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    return ReplaceAll(folder, L"/", L"\\");
}

bool IsNormalisedFolderPath(std::wstring_view path) {
    if (path.empty()) return true;
    const wchar_t last = path.back();
    return !IsBlank(path.front()) && !IsBlank(last) && last != L'\\' &&
           path.find(L'/') == std::wstring_view::npos;
}

bool IsReleaseFolderName(std::wstring_view name) {
    constexpr std::wstring_view prefix = L"fluent";
    if (name.size() < prefix.size() || !EqualsNoCase(name.substr(0, prefix.size()), prefix))
        return false;
    const std::wstring_view rest = name.substr(prefix.size());
    return std::count(rest.begin(), rest.end(), L'.') >= 2;
}

std::wstring ReleaseVersion(std::wstring_view releaseName) {
    const std::wstring rest = RemoveAll(releaseName, L"fluent");
    const std::size_t lastDot = rest.rfind(L'.');
    return lastDot == std::wstring::npos ? std::wstring() : rest.substr(0, lastDot);
}

double FluentVersionNumber(std::wstring_view versionText) {
    return ReadLeadingDouble(versionText);
}

bool IsSupportedFluentVersion(std::wstring_view versionText) {
    return FindVersionRow(versionText) < FluentVersionTable.size();
}

std::wstring ReleaseLabel(std::wstring_view releaseName) {
    const std::wstring version = ReleaseVersion(releaseName);
    const std::wstring fullVersion = RemoveAll(releaseName, L"fluent");
    if (FluentVersionNumber(version) < FluentVersionNumber(FirstLabelledVersion))
        return fullVersion;
    const std::size_t first = FindVersionRow(FirstLabelledVersion);
    const std::size_t row = FindVersionRow(version, first);
    // Callers ask only for supported versions; an unknown one keeps its full version rather
    // than reading past the labels.
    if (row >= FluentVersionTable.size()) return fullVersion;
    return FluentReleaseLabels[row - first];
}

FluentFolderResolution ResolveListedFluentFolder(std::wstring_view normalisedFolder,
                                                 const std::vector<std::wstring>& releaseFolders,
                                                 const std::vector<std::wstring>& executables) {
    FluentFolderResolution result;
    result.folder = std::wstring(normalisedFolder);
    if (releaseFolders.size() != 1 || executables.size() != 1) {
        result.status = FluentFolderStatus::NotExactlyOne;
        return result;
    }
    result.releaseName = releaseFolders.front();
    result.versionText = ReleaseVersion(result.releaseName);
    if (!IsSupportedFluentVersion(result.versionText)) {
        result.status = FluentFolderStatus::UnsupportedVersion;
        return result;
    }
    result.status = FluentFolderStatus::Resolved;
    result.versionNumber = FluentVersionNumber(result.versionText);
    result.executable = executables.front();
    return result;
}

} // namespace qv
