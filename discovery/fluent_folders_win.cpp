#include "discovery/fluent_folders_win.h"

#include "base/files_win.h"
#include "base/handles_win.h"
#include "base/terminated_text.h"
#include "base/text.h"

namespace qv {

namespace {

// Names of the sub-folders matching the pattern; the platform's wildcard matching ignores case.
std::vector<std::wstring> MatchingSubfolders(std::wstring_view folder, std::wstring_view pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW(TerminatedText({folder, L"\\", pattern}).c_str(), &entry));
    if (!find) return names;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.emplace_back(entry.cFileName);
    } while (::FindNextFileW(find.get(), &entry));
    return names;
}

bool HoldsUdfHeader(const std::wstring& releaseFolder) {
    const std::wstring source = releaseFolder + L"\\src";
    if (ExistingFolderName(source).empty()) return false;
    return FileExists(source + L"\\udf.h") || FileExists(source + L"\\udf\\udf.h");
}

} // namespace

std::vector<std::wstring> ListReleaseFolders(std::wstring_view folder) {
    // Discovery's candidates are normalised already: only another text is copied.
    std::wstring copy;
    std::wstring_view normalised = folder;
    if (!IsNormalisedFolderPath(folder)) normalised = copy = NormaliseFolderPath(folder);
    std::vector<std::wstring> releases;
    // An empty folder would turn the searches into ones of the current drive's root.
    if (normalised.empty()) return releases;
    for (std::wstring& name : MatchingSubfolders(normalised, L"fluent*.*.*")) {
        if (IsReleaseFolderName(name) &&
            HoldsUdfHeader(std::wstring(normalised).append(L"\\").append(name)))
            releases.push_back(std::move(name));
    }
    return releases;
}

std::vector<std::wstring> ListFluentExecutables(std::wstring_view folder) {
    const std::wstring normalised = NormaliseFolderPath(folder);
    std::vector<std::wstring> executables;
    if (normalised.empty()) return executables; // as above
    for (const wchar_t* platform : {L"ntx86", L"win64"}) {
        const std::wstring platformFolder = normalised + L"\\ntbin\\" + platform;
        const std::wstring executable = platformFolder + L"\\fluent.exe";
        if (!ExistingFolderName(platformFolder).empty() && FileExists(executable))
            executables.push_back(executable);
    }
    return executables;
}

FluentFolderResolution ResolveFluentFolder(std::wstring_view folder) {
    return ResolveListedFluentFolder(NormaliseFolderPath(folder), ListReleaseFolders(folder),
                                     ListFluentExecutables(folder));
}

std::wstring DescribeFluentFolder(std::wstring_view folder) {
    const auto joined = [](const std::vector<std::wstring>& names) {
        std::wstring text;
        for (const std::wstring& name : names)
            text += (text.empty() ? L"" : L", ") + name;
        return text.empty() ? std::wstring(L"none") : text;
    };
    const std::wstring normalised = NormaliseFolderPath(folder);
    return FormatText(L"Fluent folder %s: %s; release folders (fluent*.*.* with src\\udf.h or "
                      L"src\\udf\\udf.h): %s; Fluent programs (ntbin\\ntx86\\fluent.exe, "
                      L"ntbin\\win64\\fluent.exe): %s",
                      {normalised, DescribePath(normalised), joined(ListReleaseFolders(folder)),
                       joined(ListFluentExecutables(folder))});
}

} // namespace qv
