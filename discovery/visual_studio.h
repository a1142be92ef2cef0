// Visual Studio 2010 to 2019: the supported versions, one found installation, and the files
// that tell which of its build components are installed.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum class VisualStudioLayout { Classic, Toolset };

struct VisualStudioVersion {
    const wchar_t* year;
    int number;
    VisualStudioLayout layout;
};

// In discovery order; the internal numbers skip 13.
inline constexpr VisualStudioVersion VisualStudioVersions[] = {
    {L"2010", 10, VisualStudioLayout::Classic}, {L"2012", 11, VisualStudioLayout::Classic},
    {L"2013", 12, VisualStudioLayout::Classic}, {L"2015", 14, VisualStudioLayout::Classic},
    {L"2017", 15, VisualStudioLayout::Toolset}, {L"2019", 16, VisualStudioLayout::Toolset},
};

struct VisualStudioInstallation {
    std::wstring year;    // shown in the list
    std::wstring number;  // "10" .. "16", remembered as VcVerUsed
    std::wstring root;    // holds Common7 and VC
    std::wstring toolset; // MSVC toolset version of the toolset layout
    bool hasCompiler32 = false;
    bool hasCompiler64 = false;
    bool hasMfc = false;
    bool hasCSharp = false;    // 2010 only
    bool hasMfcHeader = false; // of MFC's two files, the one probed first
};

VisualStudioLayout LayoutOf(std::wstring_view number);

struct VisualStudioComponentFiles {
    std::wstring compiler32, compiler64, mfcHeader, mfcLibrary;
    std::wstring csharp; // empty where not tested
};
// The MFC library's folder follows the bitness of Windows, not that of Fluent.
VisualStudioComponentFiles ComponentFiles(const VisualStudioInstallation& installation,
                                          bool windows64);

// The toolset version file's text without its trailing line ends: first line feeds and tabs,
// then carriage returns and vertical tabs. Spaces stay.
std::wstring TrimToolsetVersion(std::wstring_view text);

// "VS160COMNTOOLS" for number 16.
std::wstring ToolsVariableName(std::wstring_view number);

// Every root the drive scan of the default install folders tries for a version, in order. For each
// drive C to Z, on 64-bit Windows first below "Program Files (x86)", then below "Program Files";
// one root per program folder for the classic layout, one per edition (Community, Professional,
// Enterprise) for the toolset layout. None for a number that is not supported.
std::vector<std::wstring> VisualStudioDriveRoots(int number, bool windows64);
// The same roots handed to visit in turn, until it returns false, without a list. A root's text
// lasts only until its visit returns.
using RootVisitor = std::function<bool(std::wstring_view root)>;
void VisitVisualStudioDriveRoots(int number, bool windows64, const RootVisitor& visit);

// The index to preselect: the first installation whose number equals the remembered one.
int RememberedVisualStudioIndex(const std::vector<VisualStudioInstallation>& installations,
                                std::wstring_view remembered);

} // namespace qv
