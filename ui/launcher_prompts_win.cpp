#include "ui/launcher_prompts_win.h"

#include "ui/workbench_tip_dlg_win.h"

namespace qv {

INT_PTR LauncherPrompts::ShowWorkbenchTip(HWND owner) {
    CWorbenchWarningDlg tip(owner);
    // A tip that cannot open is no agreement to go on.
    const INT_PTR result = tip.RunModal();
    return result == IDOK ? IDOK : IDCANCEL;
}

} // namespace qv
