#include "launch/couplings/matlab_requirements_win.h"

#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/launch_log_win.h"
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

// The facts behind the message go to the log before it.
LaunchStep Close(HWND owner, std::wstring_view facts, const Message& message,
                 std::initializer_list<std::wstring_view> values = {}) {
    Log(LogLevel::Error, facts);
    ShowMessage(owner, message, captions::Error, MB_OK | MB_ICONERROR, values);
    return LaunchStep::Closes;
}

std::wstring Described(std::wstring_view what, const std::wstring& path) {
    return std::wstring(what) + L" " + path + L": " + DescribePath(path);
}

// Started hidden and not waited for: MATLAB registers itself in the background.
bool StartRegistration(const std::wstring& root, const std::wstring& arch) {
    const ProcessHandles started = StartProcess(
        {MatlabProgram(root, arch), MatlabRegistrationCommandLine(root, arch), SW_HIDE, true});
    return static_cast<bool>(started.process);
}

// Static linking needs MATLAB Coder; with Visual Studio 2019 as the only one, the user hears of
// its C99 warning first and may stop here.
LaunchStep CheckStaticLink(const MatlabCheckInputs& inputs, const std::wstring& root, HWND owner) {
    if (!FileExists(MatlabCoderFile(root)))
        return Close(owner,
                     Described(L"MATLAB " + inputs.selectedRelease + L": MATLAB Coder",
                               MatlabCoderFile(root)),
                     MatlabCoderMissingText, {inputs.selectedRelease});
    if (inputs.visualStudioYear == L"2019" && inputs.visualStudioCount == 1 &&
        ShowMessage(owner, MatlabStaticLinkWithVs2019Question, captions::Warning,
                    MB_YESNO | MB_ICONWARNING) != IDYES)
        return LaunchStep::StaysOpen;
    return LaunchStep::Continue;
}

// Dynamic linking needs MATLAB Compiler, and MATLAB's and Fluent's libraries made to coexist.
LaunchStep CheckDynamicLink(const MatlabCheckInputs& inputs, const std::wstring& root,
                            const std::wstring& arch, HWND owner) {
    for (const std::wstring& file : MatlabCompilerFiles(root, arch))
        if (!FileExists(file))
            return Close(
                owner, Described(L"MATLAB " + inputs.selectedRelease + L": MATLAB Compiler", file),
                MatlabCompilerMissingText, {inputs.selectedRelease});
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
        return Close(owner,
                     L"MATLAB \"" + inputs.selectedRelease + L"\" is not one that discovery found",
                     MatlabNotFoundText);
    const std::wstring& root =
        (*inputs.installations)[static_cast<std::size_t>(inputs.selectedIndex)].root;
    const std::wstring arch = MatlabArch(inputs.fluent64);

    const LaunchStep linked = inputs.linkMode == MatlabLink::Static
                                  ? CheckStaticLink(inputs, root, owner)
                                  : CheckDynamicLink(inputs, root, arch, owner);
    if (linked != LaunchStep::Continue) return linked;

    // The automation server is registered once per release.
    if (!EqualsNoCase(inputs.selectedRelease, ReadSetting(settings::MatlabUsed))) {
        const std::wstring first = L"MATLAB " + inputs.selectedRelease +
                                   L" is used for the first time and registers its automation "
                                   L"server";
        if (!IsUserAdministrator())
            return Close(owner, first + L": the launcher does not run as an administrator",
                         MatlabNeedsAdministratorText);
        // The start logs why it failed.
        if (!StartRegistration(root, arch))
            return Close(owner, first + L": its start failed", MatlabServerFailedText);
    }
    WriteSetting(settings::MatlabUsed, inputs.selectedRelease);

    ApplyEnvironmentChange(
        {L"PATH", MatlabSearchPath(root, arch, FindEnvironmentVariable(L"PATH"))});
    ApplyEnvironmentChange({L"__SharedMatlabPathUsed__", root});
    return LaunchStep::Continue;
}

} // namespace qv
