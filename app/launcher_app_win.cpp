#include "app/launcher_app_win.h"

#include "app/interface_language.h"
#include "app/settings_store_win.h"
#include "ui/launcher_dlg_win.h"

#include <commctrl.h>

namespace qv {

namespace {

void DecideStartLanguage() {
    const LanguageDecision decision =
        DecideInterfaceLanguage(ReadSetting(L"IsUsingEnglishLanguage"), ::GetSystemDefaultLangID());
    SetInterfaceLanguage(decision.language);
    if (decision.valueToStore) WriteSetting(L"IsUsingEnglishLanguage", *decision.valueToStore);
}

} // namespace

bool CLauncherApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    DecideStartLanguage();
    CLauncherDlg dialog;
    dialog.RunModal();
    return false;
}

} // namespace qv
