// The main dialog's About command and the starts of the update check.
#include "base/settings_store_win.h"
#include "base/setting_names.h"
#include "base/text.h"
#include "ui/about_dlg_win.h"
#include "ui/launcher_dlg_win.h"
#include "ui/update_dlg_win.h"
#include "update/update_check_win.h"

#include <string>

namespace qv {

namespace {

// Absent or empty counts as on.
bool IsSwitchedOff(const std::wstring& value) {
    return EqualsNoCase(value, L"false");
}

} // namespace

bool CLauncherDlg::UpdateCheckWantedAtStart() const {
    return !releaseFetched->load() && !IsSwitchedOff(ReadSetting(settings::AutomaticUpdateCheck));
}

// As decided at the initialisation: an About box that turned the option off since does not stop
// it, and a check it started that has read the release file does.
void CLauncherDlg::StartUpdateCheckAtStart() {
    if (!releaseFetched->load()) BeginUpdateCheck();
}

void CLauncherDlg::BeginUpdateCheck() {
    // A check that cannot start fails as silently as one that finds nothing.
    static_cast<void>(
        StartUpdateCheck({UpdateSourcesInForce(), Window(), &ShowUpdateDialog, releaseFetched}));
}

void CLauncherDlg::OnAbout() {
    if (RefusesCommands()) return;
    const bool wasOff = IsSwitchedOff(ReadSetting(settings::AutomaticUpdateCheck));
    CAboutDlg about(Window(), !wasOff);
    if (about.RunModal() != IDOK) return;
    WriteSetting(settings::AutomaticUpdateCheck, about.AutoCheck() ? L"true" : L"false");
    if (!releaseFetched->load() && wasOff && about.AutoCheck()) BeginUpdateCheck();
}

} // namespace qv
