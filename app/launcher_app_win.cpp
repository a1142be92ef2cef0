#include "app/launcher_app_win.h"

#include "app/language_decision.h"
#include "base/settings_store_win.h"
#include "base/user_prompts_win.h"
#include "texts/main_dialog_texts.h"
#include "ui/launcher_dlg_win.h"
#include "ui/launcher_prompts_win.h"

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
    // The launcher's own dialogs among its questions: the Workbench tip.
    LauncherPrompts prompts;
    SetPrompts(&prompts);
    CLauncherDlg dialog;
    if (dialog.RunModal() == -1) {
        Prompts().ShowMessage(nullptr, Pick(main_dialog_texts::WindowCannotOpen),
                              Pick(captions::Error), MB_OK | MB_ICONERROR);
        exitCode_ = 1;
    }
    SetPrompts(nullptr);
    return false;
}

} // namespace qv
