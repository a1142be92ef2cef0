// The main dialog's part in a launch: OK runs it, closing waits for it, and the add-on's close
// signal ends the dialog.
#include "ui/launcher_dlg_win.h"

#include "base/text.h"
#include "launch/closing_win.h"
#include "launch/launch_sequence_win.h"
#include "resources/resource.h"

#include <cstdint>

namespace qv {

void CLauncherDlg::OnOK() {
    if (RefusesCommands()) return;
    const bool read = ExchangeLaunchOptions(ExchangeDirection::FromControls);
    // A count that is no number stops the reading before the mode and the couplings, which would
    // keep the values of an earlier OK: a launch never goes on with choices the user did not see.
    std::uint32_t count = 0;
    if (!read && !ParseUnsigned(ItemText(IDC_PROCESS_COUNT), count)) return;

    LaunchContext context{launchState_, Fluent(), VisualStudios(), Matlabs()};
    context.dialog = Window();
    context.options = Options();
    context.chineseFluent = IsItemChecked(IDC_CHINESE_FLUENT);
    context.fluentIndex = view_.Combo(IDC_FLUENT_LIST).Selection();
    const ComboBoxList& visualStudios = view_.Combo(IDC_VS_LIST);
    context.visualStudioText = visualStudios.Text(visualStudios.Selection());
    context.matlabIndex = view_.Combo(IDC_MATLAB_LIST).Selection();
    context.matlabText = view_.Combo(IDC_MATLAB_LIST).Text(context.matlabIndex);
    context.homeFolder = homeFolder_;

    launchBusy_ = true;
    const LaunchStep outcome = RunLaunchSequence(context);
    launchBusy_ = false;
    if (outcome == LaunchStep::Closes || closeSignalled_) End(IDCANCEL);
}

// While OK is at work the user cannot reach Cancel or the close box; a request sent by another
// program then is not one to act on.
void CLauncherDlg::OnCancel() {
    if (!launchBusy_ && MayClose(launchState_, Window(), homeFolder_)) End(IDCANCEL);
}

void CLauncherDlg::OnClose() {
    OnCancel();
}

bool CLauncherDlg::OnCloseSignal(WPARAM wParam) {
    if (reinterpret_cast<HWND>(wParam) != Window()) return false;
    CloseShownQuestion(Window());
    // A launch at work is never cut short half-way (the process recorded, the console's command
    // entered, the user's clipboard put back): the dialog ends once it is through.
    if (launchBusy_)
        closeSignalled_ = true;
    else
        End(IDCANCEL);
    return false;
}

} // namespace qv
