#include "launch/couplings/fortran_requirements_win.h"

#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/couplings/fortran_compatibility.h"
#include "launch/couplings/fortran_compilers_win.h"
#include "texts/fortran_texts.h"

#include <algorithm>

namespace qv {

namespace {

bool ShowError(HWND owner, std::wstring_view facts, std::string_view key,
               const std::wstring& text) {
    Log(LogLevel::Error, facts);
    ShowMessage(owner, key, text, captions::Error, MB_OK | MB_ICONERROR);
    return false;
}

std::wstring CompilerMissingText(std::wstring_view visualStudioYear, bool fluent64) {
    for (const FortranCompilerMissingTexts& texts : FortranCompilerMissing)
        if (visualStudioYear == texts.visualStudioYear)
            return Pick(fluent64 ? texts.bits64 : texts.bits32);
    return L"";
}

// Every compiler found, with its targets and the Visual Studio versions it is integrated with.
std::wstring DescribeCompilers(const FortranCompilerTable& table) {
    std::wstring text;
    for (int index = 0; index < FortranVersionCount; ++index) {
        const FortranCompilerFlags& flags = table[static_cast<std::size_t>(index)];
        if (!flags.found32 && !flags.found64) continue;
        text += L" " + std::to_wstring(FortranFirstMajor + index / 2) + L"." +
                std::to_wstring(index % 2) + L" (" +
                (flags.found32 ? (flags.found64 ? L"32- and 64-bit" : L"32-bit") : L"64-bit");
        for (int slot = 0; slot < IntegrationSlotCount; ++slot) {
            const std::size_t s = static_cast<std::size_t>(slot);
            if (flags.integrated32[s] || flags.integrated64[s])
                text += std::wstring(L", in VS") + IntegrationSlots[s].visualStudioYear;
        }
        text += L")";
    }
    return text.empty() ? L" none" : text;
}

} // namespace

bool CheckIntelFortranRequirements(const FortranCheckInputs& inputs, HWND owner) {
    const FortranCompilerTable compilers = FindIntelFortranCompilers();
    if (!FortranCompilerFits(compilers, inputs.visualStudioYear, inputs.fluent64))
        return ShowError(owner,
                         L"no Intel Fortran compiler fits Visual Studio " +
                             inputs.visualStudioYear +
                             (inputs.fluent64 ? L" and 64-bit" : L" and 32-bit") +
                             L" Fluent; found:" + DescribeCompilers(compilers),
                         FortranCompilerMissingKey,
                         CompilerMissingText(inputs.visualStudioYear, inputs.fluent64));
    const std::vector<std::wstring> files = FortranIntegrationFiles(
        inputs.visualStudioYear, inputs.toolsFolder, FindEnvironmentVariable(L"INTEL_DEV_REDIST"));
    if (files.empty() || std::any_of(files.begin(), files.end(),
                                     [](const std::wstring& file) { return FileExists(file); }))
        return true;
    std::wstring looked;
    for (const std::wstring& file : files)
        looked += L" " + file + L" (" + DescribePath(file) + L")";
    return ShowError(owner,
                     L"Visual Studio " + inputs.visualStudioYear +
                         L": none of the Intel Fortran integration files is there:" + looked,
                     FortranTemplateNotIntegratedText.key,
                     FormatText(Pick(FortranTemplateNotIntegratedText), {inputs.visualStudioYear}));
}

} // namespace qv
