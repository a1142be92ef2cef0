#include "launch/couplings/fortran_requirements_win.h"

#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/couplings/fortran_compatibility.h"
#include "launch/couplings/fortran_compilers_win.h"
#include "texts/fortran_texts.h"

#include <algorithm>

namespace qv {

namespace {

bool ShowError(HWND owner, const std::wstring& text) {
    Prompts().ShowMessage(owner, text, Pick(captions::Error), MB_OK | MB_ICONERROR);
    return false;
}

std::wstring CompilerMissingText(std::wstring_view visualStudioYear, bool fluent64) {
    for (const FortranCompilerMissingTexts& texts : FortranCompilerMissing)
        if (visualStudioYear == texts.visualStudioYear)
            return Pick(fluent64 ? texts.bits64 : texts.bits32);
    return L"";
}

} // namespace

bool CheckIntelFortranRequirements(const FortranCheckInputs& inputs, HWND owner) {
    if (!FortranCompilerFits(FindIntelFortranCompilers(), inputs.visualStudioYear, inputs.fluent64))
        return ShowError(owner, CompilerMissingText(inputs.visualStudioYear, inputs.fluent64));
    const std::vector<std::wstring> files = FortranIntegrationFiles(
        inputs.visualStudioYear, inputs.toolsFolder, FindEnvironmentVariable(L"INTEL_DEV_REDIST"));
    if (files.empty() || std::any_of(files.begin(), files.end(),
                                     [](const std::wstring& file) { return FileExists(file); }))
        return true;
    return ShowError(owner,
                     FormatText(Pick(FortranTemplateNotIntegratedText), {inputs.visualStudioYear}));
}

} // namespace qv
