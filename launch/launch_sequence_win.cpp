#include "launch/launch_sequence_win.h"

#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/registry_win.h"
#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "discovery/fluent_folder_messages.h"
#include "discovery/fluent_folders_win.h"
#include "discovery/path_text.h"
#include "base/executable_image_win.h"
#include "launch/command_line/fluent_command_line.h"
#include "launch/couplings/fortran_requirements_win.h"
#include "launch/command_line/launch_environment_win.h"
#include "launch/couplings/matlab_requirements_win.h"
#include "launch/command_line/start_folder_win.h"
#include "launch/requirements/settle_product_folder_win.h"
#include "launch/startup_file/startup_file_win.h"
#include "launch/requirements/visual_studio_requirements_win.h"
#include "texts/launch_texts.h"

#include <optional>

namespace qv {

namespace {

namespace texts = launch_texts;

// The parallel run that is asked about first.
constexpr std::uint32_t ManyProcesses = 50;

// The facts behind the message go to the log before it; the message follows them.
LaunchStep Stop(const LaunchContext& context, std::wstring_view facts, const Message& message,
                LaunchStep step, std::initializer_list<std::wstring_view> values = {}) {
    Log(LogLevel::Error, facts);
    ShowMessage(context.dialog, message, captions::Error, MB_OK | MB_ICONERROR, values);
    return step;
}

const wchar_t* Bits(bool is64) {
    return is64 ? L"64-bit" : L"32-bit";
}

// What the Fluent and Visual Studio checks settle.
struct Chosen {
    std::wstring folder;     // the listed Fluent folder
    std::wstring remembered; // the list's folders as stored, the chosen one first
    FluentFolderResolution release;
    bool fluent64 = false;
    std::wstring workbench; // runwb2.exe, for a Workbench start
};

// Fluent's folder, release, bitness and, for a Workbench start, Workbench.
LaunchStep ChooseFluent(const LaunchContext& context, Chosen& chosen) {
    const auto& entries = context.fluent.Entries();
    if (context.fluentIndex < 0 || static_cast<std::size_t>(context.fluentIndex) >= entries.size())
        return Stop(context,
                    L"no Fluent folder is chosen: the Fluent list holds " +
                        std::to_wstring(entries.size()) + L" folders",
                    texts::NoFluentFolder, LaunchStep::StaysOpen);
    chosen.folder = entries[static_cast<std::size_t>(context.fluentIndex)].folder;
    chosen.remembered = context.fluent.RememberedFluentPaths(context.fluentIndex);
    chosen.release = ResolveFluentFolder(chosen.folder);
    if (const Message* problem = FluentFolderProblem(chosen.release, FluentFolderAsker::Launch)) {
        Log(LogLevel::Error, DescribeFluentFolder(chosen.folder));
        ShowMessage(context.dialog, problem->key,
                    FluentFolderProblemText(chosen.release, FluentFolderAsker::Launch),
                    captions::Error, MB_OK | MB_ICONERROR);
        return LaunchStep::Closes;
    }
    // The reading logs why it failed.
    const ExecutableBitness bitness = ReadExecutableBitness(chosen.release.executable);
    if (bitness == ExecutableBitness::Unreadable) {
        ShowMessage(context.dialog, texts::ExecutableUnreadable, captions::Error,
                    MB_OK | MB_ICONERROR, {chosen.release.executable});
        return LaunchStep::Closes;
    }
    chosen.fluent64 = bitness == ExecutableBitness::Bits64;
    const bool windows64 = IsWindows64Bit();
    if (windows64 != chosen.fluent64)
        return Stop(context,
                    FormatText(L"the Fluent program %s is %s and Windows is %s",
                               {chosen.release.executable, Bits(chosen.fluent64), Bits(windows64)}),
                    windows64 ? texts::Fluent32OnWindows64 : texts::Fluent64OnWindows32,
                    LaunchStep::Closes);
    if (context.options.startByWorkbench) {
        const std::wstring folder =
            FormatText(L"%s\\Framework\\bin\\%s",
                       {StripPathLevels(chosen.folder, 1), chosen.fluent64 ? L"Win64" : L"Win32"});
        chosen.workbench = folder + L"\\runwb2.exe";
        if (!FileExists(chosen.workbench))
            return Stop(context,
                        FormatText(L"Workbench program %s: %s; its folder: %s",
                                   {chosen.workbench, DescribePath(chosen.workbench),
                                    DescribePath(folder)}),
                        texts::NoWorkbench, LaunchStep::Closes);
    }
    return LaunchStep::Continue;
}

// Intel Fortran and MATLAB, when their couplings are chosen.
LaunchStep CheckCouplings(const LaunchContext& context, const Chosen& chosen,
                          const VisualStudioForLaunch& vs) {
    const LaunchOptions& o = context.options;
    if (o.callIntelFortran &&
        !CheckIntelFortranRequirements({vs.year, chosen.fluent64, vs.toolsFolder}, context.dialog))
        return LaunchStep::Closes;
    if (!o.callMatlab) return LaunchStep::Continue;
    MatlabCheckInputs matlab;
    matlab.installations = &context.matlabs;
    matlab.selectedIndex = context.matlabIndex;
    matlab.selectedRelease = context.matlabText;
    matlab.linkMode = o.linkMode;
    matlab.visualStudioYear = vs.year;
    matlab.visualStudioCount = context.visualStudios.size();
    matlab.fluentFolder = chosen.folder;
    matlab.releaseName = chosen.release.releaseName;
    matlab.fluent64 = chosen.fluent64;
    return CheckMatlabRequirements(matlab, context.dialog);
}

bool ConfirmManyProcesses(const LaunchContext& context) {
    const LaunchOptions& o = context.options;
    if (o.processingMode != ProcessingMode::Parallel || o.processCount <= ManyProcesses)
        return true;
    return ShowMessage(context.dialog, texts::ManyProcesses, captions::Warning,
                       MB_YESNO | MB_ICONWARNING) == IDYES;
}

// What Fluent inherits and what the launcher remembers, then the folder it starts in.
void Prepare(const LaunchContext& context, const Chosen& chosen, const VisualStudioForLaunch& vs,
             double version) {
    LaunchEnvironmentInputs environment;
    environment.fluentFolder = chosen.folder;
    environment.releaseName = chosen.release.releaseName;
    environment.visualStudioVersion = vs.number;
    environment.version = version;
    environment.options = context.options;
    environment.chineseFluent = context.chineseFluent;
    environment.launcherWindow = WindowHandleValue(context.dialog);
    PrepareLaunchEnvironment(environment);
    WriteRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, settings::FluentFoldersUsed,
                        chosen.remembered);
    WriteRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, settings::VisualStudioUsed, vs.number);
    SetStartFolder(context.homeFolder);
}

} // namespace

LaunchStep RunLaunchSequence(LaunchContext& context) {
    const LaunchOptions& o = context.options;
    // The exchange has shown the range message; only a parallel run needs the count.
    if (o.processingMode == ProcessingMode::Parallel && !IsProcessCountInRange(o.processCount))
        return LaunchStep::StaysOpen;
    if (context.visualStudios.empty())
        return Stop(context, L"discovery found no Visual Studio 2010 to 2019",
                    texts::NoVisualStudio, LaunchStep::Closes);
    Chosen chosen;
    if (const LaunchStep step = ChooseFluent(context, chosen); step != LaunchStep::Continue)
        return step;
    const VisualStudioForLaunch vs = CheckVisualStudioForLaunch(
        context.visualStudios, context.visualStudioText, chosen.fluent64, context.dialog);
    if (vs.step != LaunchStep::Continue) return vs.step;
    if (const LaunchStep step = CheckCouplings(context, chosen, vs); step != LaunchStep::Continue)
        return step;
    if (!ConfirmManyProcesses(context)) return LaunchStep::StaysOpen;
    const std::optional<std::wstring> product =
        SettleProductFolder(chosen.release.versionText, vs.year, context.dialog);
    if (!product) return LaunchStep::StaysOpen;
    const double version = chosen.release.versionNumber;
    Prepare(context, chosen, vs, version);
    const bool workbench = o.startByWorkbench != 0;
    if (const LaunchStep step = PrepareStartupFile(workbench, version, context.homeFolder,
                                                   context.state, context.dialog);
        step != LaunchStep::Continue)
        return step;
    StartRequest start;
    const std::wstring& executable = workbench ? chosen.workbench : chosen.release.executable;
    start.program = FluentStartProgram(workbench, executable, version, *product, o);
    start.commandLine = ComposeFluentCommandLine(workbench, executable, version, *product, o);
    start.startByWorkbench = workbench;
    start.version = version;
    start.productFolder = *product;
    start.options = o;
    start.stopControl = context.stopControl;
    return StartAndSupervise(start, context.dialog, context.state, context.times);
}

} // namespace qv
