#include "launch/requirements/visual_studio_requirements_win.h"

#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "base/program_start_win.h"
#include "launch/requirements/visual_studio_requirements.h"
#include "texts/launch_texts.h"

namespace qv {

namespace {

namespace texts = launch_texts;

const TextPair* ProblemText(VisualStudioProblem problem) {
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

VisualStudioForLaunch Fail(const TextPair& text, std::wstring_view year, HWND owner) {
    Prompts().ShowMessage(owner, FormatText(Pick(text), {year}), Pick(captions::Error),
                          MB_OK | MB_ICONERROR);
    return {};
}

// Its start and its outcome do not matter to the launch.
void StartSettingsTool(const std::wstring& toolsFolder) {
    const std::wstring tool = SettingsToolPath(toolsFolder);
    if (FileExists(tool)) static_cast<void>(StartProcess({tool, SettingsToolCommandLine(tool)}));
}

} // namespace

VisualStudioForLaunch
CheckVisualStudioForLaunch(const std::vector<VisualStudioInstallation>& installations,
                           std::wstring_view selectedText, bool fluent64, HWND owner) {
    const VisualStudioJudgement judgement =
        JudgeVisualStudio(installations, selectedText, fluent64);
    if (const TextPair* problem = ProblemText(judgement.problem))
        return Fail(*problem, selectedText, owner);
    VisualStudioForLaunch result;
    result.year = judgement.installation->year;
    result.number = judgement.installation->number;
    result.toolsFolder =
        ToolsFolderFromVariable(ReadEnvironmentVariable(ToolsVariableName(result.number)));
    if (NeedsQuorvexExtension(result.year) && !FileExists(QuorvexExtensionPath(result.toolsFolder)))
        return Fail(texts::ExtensionMissing, result.year, owner);
    if (result.year == L"2019") StartSettingsTool(result.toolsFolder);
    result.step = LaunchStep::Continue;
    return result;
}

} // namespace qv
