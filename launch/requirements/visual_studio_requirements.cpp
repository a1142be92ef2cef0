#include "launch/requirements/visual_studio_requirements.h"

#include "base/text.h"

namespace qv {

namespace {

bool IsSupportedYear(std::wstring_view text) {
    for (const VisualStudioVersion& version : VisualStudioVersions)
        if (text == version.year) return true;
    return false;
}

} // namespace

VisualStudioJudgement JudgeVisualStudio(const std::vector<VisualStudioInstallation>& installations,
                                        std::wstring_view selectedText, bool fluent64) {
    VisualStudioJudgement judgement;
    if (!IsSupportedYear(selectedText)) return judgement;
    for (const VisualStudioInstallation& installation : installations)
        if (installation.year == selectedText) {
            judgement.installation = &installation;
            break;
        }
    const VisualStudioInstallation* vs = judgement.installation;
    if (!vs) return judgement; // a year the list shows but discovery did not find
    if (vs->year == L"2010" && !vs->hasCSharp)
        judgement.problem = VisualStudioProblem::CSharpMissing;
    else if (fluent64 && !vs->hasCompiler64)
        judgement.problem = VisualStudioProblem::Compiler64Missing;
    else if (!fluent64 && !vs->hasCompiler32)
        judgement.problem = VisualStudioProblem::Compiler32Missing;
    else if (!vs->hasMfc)
        judgement.problem = VisualStudioProblem::MfcMissing;
    else
        judgement.problem = VisualStudioProblem::None;
    return judgement;
}

std::wstring ToolsFolderFromVariable(std::wstring_view value) {
    return Trim(TrimTrailingSeparators(value));
}

bool NeedsQuorvexExtension(std::wstring_view year) {
    return year != L"2010";
}

std::wstring QuorvexExtensionPath(std::wstring_view toolsFolder) {
    return FormatText(L"%s\\..\\IDE\\Extensions\\Quorvex\\Quorvex.dll", {toolsFolder});
}

std::wstring SettingsToolPath(std::wstring_view toolsFolder) {
    return FormatText(L"%s\\..\\IDE\\VsRegEdit.exe", {toolsFolder});
}

std::wstring SettingsToolCommandLine(std::wstring_view settingsTool) {
    return FormatText(
        L"\"%s\" set local HKCU ApplicationPrivateSettings\\Microsoft\\VisualStudio\\IDE "
        L"OnEnvironmentStartup_Dev16 string 0*System.Int64*10",
        {settingsTool});
}

} // namespace qv
