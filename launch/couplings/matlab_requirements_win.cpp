#include "launch/couplings/matlab_requirements_win.h"

#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/program_start_win.h"
#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/command_line/launch_environment_win.h"
#include "launch/couplings/library_patch.h"
#include "launch/couplings/library_patch_win.h"
#include "launch/couplings/matlab_launch.h"
#include "texts/matlab_texts.h"

#include <string>

namespace qv {

namespace {

LaunchStep Close(HWND owner, const std::wstring& text) {
    Prompts().ShowMessage(owner, text, Pick(captions::Error), MB_OK | MB_ICONERROR);
    return LaunchStep::Closes;
}

// Started hidden and not waited for: MATLAB registers itself in the background.
bool StartRegistration(const std::wstring& root, const std::wstring& arch) {
    const ProcessHandles started =
        StartProcess({MatlabProgram(root, arch), MatlabRegistrationCommandLine(root, arch)});
    return static_cast<bool>(started.process);
}

// Static linking needs MATLAB Coder; with Visual Studio 2019 as the only one, the user hears of
// its C99 warning first and may stop here.
LaunchStep CheckStaticLink(const MatlabCheckInputs& inputs, const std::wstring& root, HWND owner) {
    if (!FileExists(MatlabCoderFile(root)))
        return Close(owner, FormatText(Pick(MatlabCoderMissingText), {inputs.selectedRelease}));
    if (inputs.visualStudioYear == L"2019" && inputs.visualStudioCount == 1 &&
        Prompts().ShowMessage(owner, Pick(MatlabStaticLinkWithVs2019Question),
                              Pick(captions::Warning), MB_YESNO | MB_ICONWARNING) != IDYES)
        return LaunchStep::StaysOpen;
    return LaunchStep::Continue;
}

// Dynamic linking needs MATLAB Compiler, and MATLAB's and Fluent's libraries made to coexist.
LaunchStep CheckDynamicLink(const MatlabCheckInputs& inputs, const std::wstring& root,
                            const std::wstring& arch, HWND owner) {
    for (const std::wstring& file : MatlabCompilerFiles(root, arch))
        if (!FileExists(file))
            return Close(owner,
                         FormatText(Pick(MatlabCompilerMissingText), {inputs.selectedRelease}));
    if (!PatchLibraryNames(LibraryPatchPairs(root, arch, inputs.fluentFolder, inputs.releaseName),
                           owner))
        return LaunchStep::Closes;
    return LaunchStep::Continue;
}

} // namespace

LaunchStep CheckMatlabRequirements(const MatlabCheckInputs& inputs, HWND owner) {
    // A selection outside the list cannot address an installation: as good as none.
    if (!inputs.installations || inputs.selectedIndex < 0 ||
        static_cast<std::size_t>(inputs.selectedIndex) >= inputs.installations->size())
        return Close(owner, Pick(MatlabNotFoundText));
    const std::wstring& root =
        (*inputs.installations)[static_cast<std::size_t>(inputs.selectedIndex)].root;
    const std::wstring arch = MatlabArch(inputs.fluent64);

    const LaunchStep linked = inputs.linkMode == MatlabLink::Static
                                  ? CheckStaticLink(inputs, root, owner)
                                  : CheckDynamicLink(inputs, root, arch, owner);
    if (linked != LaunchStep::Continue) return linked;

    // The automation server is registered once per release.
    if (!EqualsNoCase(inputs.selectedRelease, ReadSetting(settings::MatlabUsed))) {
        if (!IsUserAdministrator()) return Close(owner, Pick(MatlabNeedsAdministratorText));
        if (!StartRegistration(root, arch)) return Close(owner, Pick(MatlabServerFailedText));
    }
    WriteSetting(settings::MatlabUsed, inputs.selectedRelease);

    ApplyEnvironmentChange(
        {L"PATH", MatlabSearchPath(root, arch, FindEnvironmentVariable(L"PATH"))});
    ApplyEnvironmentChange({L"__SharedMatlabPathUsed__", root});
    return LaunchStep::Continue;
}

} // namespace qv
