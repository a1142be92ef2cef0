#include "launch/requirements/visual_studio_requirements_win.h"

#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "base/program_start_win.h"
#include "launch/requirements/visual_studio_requirements.h"
#include "texts/launch_texts.h"

namespace qv {

namespace {

namespace texts = launch_texts;

const Message* ProblemText(VisualStudioProblem problem) {
    switch (problem) {
    case VisualStudioProblem::UnsupportedYear:
        return &texts::VisualStudioUnsupported;
    case VisualStudioProblem::CSharpMissing:
        return &texts::CSharpMissing;
    case VisualStudioProblem::Compiler64Missing:
        return &texts::Compiler64Missing;
    case VisualStudioProblem::Compiler32Missing:
        return &texts::Compiler32Missing;
    case VisualStudioProblem::MfcMissing:
        return &texts::MfcMissing;
    case VisualStudioProblem::None:
        break;
    }
    return nullptr;
}

std::wstring Described(std::wstring_view what, const std::wstring& path) {
    return std::wstring(what) + L" " + path + L": " + DescribePath(path);
}

// Which files the check found missing, where it looked for them.
std::wstring ProblemFacts(const VisualStudioJudgement& judgement,
                          const std::vector<VisualStudioInstallation>& installations,
                          std::wstring_view selectedText) {
    const VisualStudioInstallation* vs = judgement.installation;
    if (!vs) {
        std::wstring found;
        for (const VisualStudioInstallation& installation : installations)
            found += L" " + installation.year;
        return L"Visual Studio \"" + std::wstring(selectedText) +
               L"\" is not one that discovery found; found:" + (found.empty() ? L" none" : found);
    }
    const VisualStudioComponentFiles files = ComponentFiles(*vs, IsWindows64Bit());
    std::wstring facts = L"Visual Studio " + vs->year + L" in " + vs->root + L": ";
    switch (judgement.problem) {
    case VisualStudioProblem::CSharpMissing:
        return facts + Described(L"Visual C#", files.csharp);
    case VisualStudioProblem::Compiler64Missing:
        return facts + Described(L"64-bit compiler", files.compiler64);
    case VisualStudioProblem::Compiler32Missing:
        return facts + Described(L"32-bit compiler", files.compiler32);
    case VisualStudioProblem::MfcMissing:
        return facts + Described(L"MFC header", files.mfcHeader) + L"; " +
               Described(L"MFC library", files.mfcLibrary);
    default:
        return facts + L"usable";
    }
}

VisualStudioForLaunch Fail(std::wstring_view facts, const Message& message, std::wstring_view year,
                           HWND owner) {
    Log(LogLevel::Error, facts);
    ShowMessage(owner, message, captions::Error, MB_OK | MB_ICONERROR, {year});
    return {};
}

// Its start and its outcome do not matter to the launch.
void StartSettingsTool(const std::wstring& toolsFolder) {
    const std::wstring tool = SettingsToolPath(toolsFolder);
    if (FileExists(tool))
        static_cast<void>(StartProcess({tool, SettingsToolCommandLine(tool), SW_HIDE, true}));
}

} // namespace

VisualStudioForLaunch
CheckVisualStudioForLaunch(const std::vector<VisualStudioInstallation>& installations,
                           std::wstring_view selectedText, bool fluent64, HWND owner) {
    const VisualStudioJudgement judgement =
        JudgeVisualStudio(installations, selectedText, fluent64);
    if (const Message* problem = ProblemText(judgement.problem))
        return Fail(ProblemFacts(judgement, installations, selectedText), *problem, selectedText,
                    owner);
    VisualStudioForLaunch result;
    result.year = judgement.installation->year;
    result.number = judgement.installation->number;
    result.toolsFolder =
        ToolsFolderFromVariable(ReadEnvironmentVariable(ToolsVariableName(result.number)));
    if (NeedsQuorvexExtension(result.year) && !FileExists(QuorvexExtensionPath(result.toolsFolder)))
        return Fail(
            L"Visual Studio " + result.year + L": " +
                Described(L"the add-on's extension", QuorvexExtensionPath(result.toolsFolder)) +
                L" (below " + ToolsVariableName(result.number) + L")",
            texts::ExtensionMissing, result.year, owner);
    if (result.year == L"2019") StartSettingsTool(result.toolsFolder);
    result.step = LaunchStep::Continue;
    return result;
}

} // namespace qv
