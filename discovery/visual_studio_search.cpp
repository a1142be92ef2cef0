#include "discovery/visual_studio_search.h"

#include "base/text.h"

namespace qv {

namespace {

// Where each source is, as support finds it with regedit or in the system's settings.
std::wstring SourceText(VisualStudioSource source, const VisualStudioVersion& version) {
    const std::wstring number = std::to_wstring(version.number);
    const std::wstring environment =
        L" (HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment)";
    switch (source) {
    case VisualStudioSource::SideBySide:
        return L"HKLM\\Software\\Microsoft\\VisualStudio\\SxS\\VS7 value " + number + L".0";
    case VisualStudioSource::InstallDir:
        return L"HKLM\\Software\\Microsoft\\VisualStudio\\" + number + L".0 value InstallDir";
    case VisualStudioSource::ToolsVariable:
        return L"the system variable " + ToolsVariableName(number) + environment;
    case VisualStudioSource::InstallDirVariable:
        return L"the system variable VS" + std::wstring(version.year) + L"INSTALLDIR" + environment;
    case VisualStudioSource::UninstallEntry:
        return L"the Uninstall entries (HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\"
               L"Uninstall)";
    case VisualStudioSource::DriveScan:
        return L"the default folders";
    }
    return L"an unknown source";
}

std::wstring DevenvText(const VisualStudioSourceAnswer& answer) {
    return answer.devenvFound ? L"devenv.exe found at " + answer.devenv
                              : L"no devenv.exe at " + answer.devenv;
}

std::wstring DriveScanText(const VisualStudioSourceAnswer& answer,
                           const VisualStudioVersion& version, bool windows64) {
    const std::wstring programs =
        windows64 ? L"Program Files (x86) and Program Files" : L"Program Files";
    const std::wstring below =
        version.layout == VisualStudioLayout::Classic
            ? L"Microsoft Visual Studio " + std::to_wstring(version.number) + L".0"
            : L"Microsoft Visual Studio\\" + std::wstring(version.year) +
                  L"\\Community, Professional or Enterprise";
    const std::wstring where =
        L"the default folders (" + below + L" in " + programs + L" on drives C: to Z:)";
    if (answer.devenvFound) return where + L": devenv.exe found at " + answer.devenv;
    return where + L": no devenv.exe";
}

std::wstring AnswerText(const VisualStudioSourceAnswer& answer, const VisualStudioVersion& version,
                        bool windows64) {
    if (answer.source == VisualStudioSource::DriveScan)
        return DriveScanText(answer, version, windows64);
    const std::wstring source = SourceText(answer.source, version);
    if (answer.source == VisualStudioSource::UninstallEntry) {
        if (answer.entry.empty())
            return source + L": none names the devenv.exe of version " +
                   std::to_wstring(version.number);
        const std::wstring entry = source + L": entry " + answer.entry;
        if (answer.named.empty()) return entry + L" has no InstallLocation";
        return entry + L" names " + answer.named + L": " + DevenvText(answer);
    }
    if (answer.named.empty()) return source + L" not set";
    return source + L" names " + answer.named + L": " + DevenvText(answer);
}

// Each missing component with the file that was not there. Of MFC's two files the library is
// looked at only when the header is there.
std::wstring MissingComponents(const VisualStudioInstallation& vs, bool windows64) {
    const VisualStudioComponentFiles files = ComponentFiles(vs, windows64);
    std::vector<std::wstring> missing;
    if (!vs.hasCompiler32) missing.push_back(L"no 32-bit compiler " + files.compiler32);
    if (!vs.hasCompiler64) missing.push_back(L"no 64-bit compiler " + files.compiler64);
    if (!vs.hasMfc)
        missing.push_back(vs.hasMfcHeader ? L"no MFC library " + files.mfcLibrary
                                          : L"no MFC header " + files.mfcHeader);
    if (!files.csharp.empty() && !vs.hasCSharp) missing.push_back(L"no Visual C# " + files.csharp);
    if (missing.empty()) return L"complete";
    std::wstring text = L"incomplete: ";
    for (std::size_t i = 0; i < missing.size(); ++i)
        text += (i ? L", " : L"") + missing[i];
    return text;
}

} // namespace

std::wstring VisualStudioSearchLogText(const VisualStudioSearch& search,
                                       const VisualStudioInstallation* installation,
                                       bool windows64) {
    const bool found = !search.answers.empty() && search.answers.back().devenvFound;
    std::wstring text =
        L"Visual Studio " + std::wstring(search.version.year) + (found ? L" found" : L" not found");
    if (found && installation) text += L", " + MissingComponents(*installation, windows64);
    text += L"; asked (registry in its 32-bit view): ";
    for (std::size_t i = 0; i < search.answers.size(); ++i)
        text += (i ? L"; " : L"") + AnswerText(search.answers[i], search.version, windows64);
    return text;
}

} // namespace qv
