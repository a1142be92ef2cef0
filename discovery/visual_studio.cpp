#include "discovery/visual_studio.h"

#include "base/text.h"

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

int RememberedVisualStudioIndex(const std::vector<VisualStudioInstallation>& installations,
                                std::wstring_view remembered) {
    for (std::size_t i = 0; i < installations.size(); ++i)
        if (EqualsNoCase(installations[i].number, remembered)) return static_cast<int>(i);
    return 0;
}

} // namespace qv
