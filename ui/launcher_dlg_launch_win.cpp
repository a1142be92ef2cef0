// The main dialog's part in a launch: OK runs it, closing waits for it, and the add-on's close
// signal ends the dialog.
#include "ui/launcher_dlg_win.h"

#include "base/launch_log_win.h"
#include "base/text.h"
#include "ui/launch_press_text.h"
#include "launch/supervision/closing_win.h"
#include "launch/launch_sequence_win.h"
#include "resources/resource.h"

#include <cstdint>

namespace qv {

namespace {

// The choices of one press of OK, as support asks for them, in the dialog's own terms.
void LogPress(const LaunchContext& context, const std::wstring& fluentEntry) {
    LaunchPress press;
    press.options = context.options;
    press.chineseFluent = context.chineseFluent;
    press.fluentEntry = fluentEntry;
    const auto& fluent = context.fluent.Entries();
    if (context.fluentIndex >= 0 && static_cast<std::size_t>(context.fluentIndex) < fluent.size())
        press.fluentFolder = fluent[static_cast<std::size_t>(context.fluentIndex)].folder;
    press.visualStudio = context.visualStudioText;
    press.matlab = context.matlabText;
    Log(LaunchPressLogText(press));
}

} // namespace

void CLauncherDlg::OnOK() {
    if (RefusesCommands()) return;
    const bool read = ExchangeLaunchOptions(ExchangeDirection::FromControls);
    // In Parallel mode a count that is no number stops the reading before the mode and the
    // couplings, which would keep the values of an earlier OK: a launch never goes on with
    // choices the user did not see.
    std::uint32_t count = 0;
    if (!read && !ParseUnsigned(ItemText(IDC_PROCESS_COUNT), count)) return;

    LaunchContext context{launchState_, Fluent(), VisualStudios(), Matlabs()};
    context.dialog = Window();
    context.stopControl = Item(IDC_CANCEL);
    context.options = Options();
    context.chineseFluent = IsItemChecked(IDC_CHINESE_FLUENT);
    context.fluentIndex = view_.Combo(IDC_FLUENT_LIST).Selection();
    const ComboBoxList& visualStudios = view_.Combo(IDC_VS_LIST);
    context.visualStudioText = visualStudios.Text(visualStudios.Selection());
    context.matlabIndex = view_.Combo(IDC_MATLAB_LIST).Selection();
    context.matlabText = view_.Combo(IDC_MATLAB_LIST).Text(context.matlabIndex);
    context.homeFolder = homeFolder_;
    LogPress(context, view_.Combo(IDC_FLUENT_LIST).Text(context.fluentIndex));

    launchBusy_ = true;
    const LaunchStep outcome = RunLaunchSequence(context);
    launchBusy_ = false;
    if (outcome == LaunchStep::Closes && !launchState_.closeSignalled) NoteRunEndingAfterMessage();
    if (outcome == LaunchStep::Closes || launchState_.closeSignalled) End(IDCANCEL);
}

// While OK waits for Fluent, Cancel, Esc and the close box ask whether to stop waiting: the wait
// then ends as at the limit's No, and the started programs go on. The rest of a launch keeps the
// user in its own questions; a request sent by another program then is not one to act on.
void CLauncherDlg::OnCancel() {
    if (AsksToStopWaiting()) return;
    if (!MayCloseNow()) return;
    NoteRunEnding(L"cancelled by the user (Cancel or Esc)");
    End(IDCANCEL);
}

void CLauncherDlg::OnClose() {
    if (AsksToStopWaiting()) return;
    if (!MayCloseNow()) return;
    NoteRunEnding(L"closed by the user (the window's close box)");
    End(IDCANCEL);
}

void CLauncherDlg::ConcludeLaunch() {
    if (launchState_.aftercare) launchState_.aftercare->Conclude();
}

// Putting .fluent back may wait for a file another program holds, with the dialog answering: a
// second close meanwhile is no second restore.
bool CLauncherDlg::MayCloseNow() {
    if (launchBusy_ || closing_) return false;
    closing_ = true;
    const bool may = MayClose(launchState_, Window(), homeFolder_);
    closing_ = false;
    return may;
}

bool CLauncherDlg::AsksToStopWaiting() {
    if (!launchState_.waitingForFluent) return false;
    if (!launchState_.stopWaiting && AskToStopWaiting(Window())) launchState_.stopWaiting = true;
    return true;
}

bool CLauncherDlg::OnCloseSignal(WPARAM wParam) {
    if (reinterpret_cast<HWND>(wParam) != Window()) return false;
    CloseShownQuestion(Window());
    Log(L"close signal: the add-on's menu is loaded");
    NoteRunEnding(launchState_.startedProcessId != 0
                      ? L"launched; closed on the add-on's signal (process " +
                            std::to_wstring(launchState_.startedProcessId) + L" recorded)"
                      : std::wstring(L"closed on the add-on's signal"));
    // The dialog ends at once, also while a launch waits for Fluent: the wait ends when it is
    // next asked, and nothing it leaves needs the window. A launch in another step, among its
    // questions, is never cut short half-way: it starts nothing more, and the dialog ends once it
    // is through.
    launchState_.closeSignalled = true;
    if (!launchBusy_ || launchState_.waitingForFluent) End(IDCANCEL);
    return false;
}

} // namespace qv
