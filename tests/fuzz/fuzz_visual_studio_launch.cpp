// The Visual Studio list's text and the tools variable, as discovery and the environment give
// them, judged for a launch.
#include "base/text.h"
#include "fuzz_input.h"
#include "launch/requirements/visual_studio_requirements.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    std::vector<qv::VisualStudioInstallation> list(1);
    list[0].year = input.Text();
    list[0].hasCompiler32 = flags & 1;
    list[0].hasCompiler64 = flags & 2;
    list[0].hasMfc = flags & 4;
    list[0].hasCSharp = flags & 8;
    const std::wstring selected = input.Text();
    const qv::VisualStudioJudgement judgement = qv::JudgeVisualStudio(list, selected, flags & 16);
    if (judgement.problem != qv::VisualStudioProblem::UnsupportedYear) {
        QV_FUZZ_CHECK(judgement.installation == &list[0]);
        QV_FUZZ_CHECK(list[0].year == selected);
    }

    const std::wstring variable = input.Text();
    const std::wstring tools = qv::ToolsFolderFromVariable(variable);
    QV_FUZZ_CHECK(tools.empty() || (!qv::IsBlank(tools.front()) && !qv::IsBlank(tools.back())));
    // The tool heads its command line in quotes, whatever blanks its folder holds.
    const std::wstring tool = qv::SettingsToolPath(tools);
    QV_FUZZ_CHECK(qv::SettingsToolCommandLine(tool).rfind(qv::Quoted(tool) + L" set ", 0) == 0);
    return 0;
}
