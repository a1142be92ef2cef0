#include "discovery/visual_studio.h"

#include "base/text.h"
#include "discovery/remembered_index.h"

#include <iterator>

namespace qv {

VisualStudioLayout LayoutOf(std::wstring_view number) {
    for (const auto& version : VisualStudioVersions)
        if (std::to_wstring(version.number) == number) return version.layout;
    return VisualStudioLayout::Classic;
}

VisualStudioComponentFiles ComponentFiles(const VisualStudioInstallation& vs, bool windows64) {
    const std::wstring& r = vs.root;
    if (LayoutOf(vs.number) == VisualStudioLayout::Classic) {
        return {r + L"\\VC\\bin\\cl.exe", r + L"\\VC\\bin\\amd64\\cl.exe",
                r + L"\\VC\\atlmfc\\include\\afxwin.h", r + L"\\VC\\atlmfc\\lib\\uafxcw.lib",
                vs.number == L"10" ? r + L"\\VC#\\VCSPackages\\csproj.dll" : L""};
    }
    const std::wstring tools = r + L"\\VC\\Tools\\MSVC\\" + vs.toolset;
    return {tools + L"\\bin\\Hostx86\\x86\\cl.exe", tools + L"\\bin\\Hostx86\\x64\\cl.exe",
            tools + L"\\atlmfc\\include\\afxwin.h",
            tools + L"\\atlmfc\\lib\\" + (windows64 ? L"x64" : L"x86") + L"\\uafxcw.lib", L""};
}

std::wstring TrimToolsetVersion(std::wstring_view text) {
    return TrimTrailing(TrimTrailing(text, L"\n\t"), L"\r\v");
}

std::wstring ToolsVariableName(std::wstring_view number) {
    return FormatText(L"VS%d0COMNTOOLS", {number});
}

std::vector<std::wstring> VisualStudioDriveRoots(int number, bool windows64) {
    std::vector<std::wstring> roots;
    VisitVisualStudioDriveRoots(number, windows64, [&](std::wstring_view root) {
        roots.emplace_back(root);
        return true;
    });
    return roots;
}

void VisitVisualStudioDriveRoots(int number, bool windows64, const RootVisitor& visit) {
    const VisualStudioVersion* version = nullptr;
    for (const auto& candidate : VisualStudioVersions)
        if (candidate.number == number) version = &candidate;
    if (!version) return;
    // A drive's roots, written for C: and given each drive's letter in turn; each is made once,
    // in one piece, as discovery scans six versions.
    std::vector<std::wstring> driveRoots;
    driveRoots.reserve(6);
    const std::wstring dotted = std::to_wstring(number) + L".0";
    // 32-bit Windows has no "Program Files (x86)", the first.
    const wchar_t* const programFolders[] = {L"Program Files (x86)", L"Program Files"};
    for (std::size_t i = windows64 ? 0 : 1; i < std::size(programFolders); ++i) {
        const std::wstring_view programs = programFolders[i];
        if (version->layout == VisualStudioLayout::Classic) {
            driveRoots.push_back(
                FormatText(L"C:\\%s\\Microsoft Visual Studio %s", {programs, dotted}));
            continue;
        }
        for (const wchar_t* edition : {L"Community", L"Professional", L"Enterprise"})
            driveRoots.push_back(FormatText(L"C:\\%s\\Microsoft Visual Studio\\%s\\%s",
                                            {programs, version->year, edition}));
    }
    for (wchar_t drive = L'C'; drive <= L'Z'; ++drive)
        for (std::wstring& root : driveRoots) {
            root[0] = drive;
            if (!visit(root)) return;
        }
}

int RememberedVisualStudioIndex(const std::vector<VisualStudioInstallation>& installations,
                                std::wstring_view remembered) {
    return RememberedIndex(installations, &VisualStudioInstallation::number, remembered);
}

} // namespace qv
