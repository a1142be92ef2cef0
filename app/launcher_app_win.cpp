#include "app/launcher_app_win.h"

#include "app/language_decision.h"
#include "base/environment_broadcast_win.h"
#include "base/launch_log_win.h"
#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/startup_file/startup_file_win.h"
#include "texts/main_dialog_texts.h"
#include "ui/launcher_dlg_win.h"
#include "ui/launcher_prompts_win.h"
#include "update/release.h"

#include <commctrl.h>

namespace qv {

namespace {

void DecideStartLanguage() {
    const LANGID systemLanguage = ::GetSystemDefaultLangID();
    const LanguageDecision decision =
        DecideInterfaceLanguage(ReadSetting(settings::EnglishInterface), systemLanguage);
    SetInterfaceLanguage(decision.language);
    wchar_t systemId[8];
    ::wsprintfW(systemId, L"0x%04X", systemLanguage);
    // First, so that whatever follows (the write below may fail) belongs to this run.
    LogRunStart(
        FormatText(L"Quorvex launcher %s (%s-bit) on Windows %s (%s-bit); language %s, %s",
                   {ProductRelease, sizeof(void*) == 8 ? L"64" : L"32", WindowsVersionText(),
                    IsWindows64Bit() ? L"64" : L"32",
                    decision.language == InterfaceLanguage::English ? L"English" : L"Chinese",
                    decision.valueToStore ? L"from the system language " + std::wstring(systemId)
                                          : std::wstring(L"as stored")}));
    if (decision.valueToStore) WriteSetting(settings::EnglishInterface, *decision.valueToStore);
}

// Support needs to know whether a DLL planted beside the program could still be loaded by name.
void LogLibrarySearch(DWORD error) {
    if (error == 0)
        Log(L"library search: the system folder only");
    else
        LogFailure(L"library search: limit it to the system folder", L"SetDefaultDllDirectories",
                   error);
}

} // namespace

bool CLauncherApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    DecideStartLanguage();
    LogLibrarySearch(librarySearchError_);
    // The launcher's own dialogs among its questions: the Workbench tip. Never destroyed: the
    // update check's thread, which nobody waits for, may still be putting its question when this
    // thread returns.
    static LauncherPrompts* const prompts = new LauncherPrompts;
    SetPrompts(prompts);
    CLauncherDlg dialog;
    if (dialog.RunModal() == -1) {
        LogFailure(L"open the main window", L"dialog template " + std::to_wstring(IDD_LAUNCHER),
                   ::GetLastError());
        ShowMessage(nullptr, main_dialog_texts::WindowCannotOpen, captions::Error,
                    MB_OK | MB_ICONERROR);
        NoteRunEndingAfterMessage();
        exitCode_ = 1;
    }
    // Its log entries belong before the end line.
    dialog.ConcludeLaunch();
    LogStartupFileLeftReplaced(dialog.HomeFolder());
    // Bounded: a window that hangs is given up after 2 s by the broadcast itself.
    if (!FinishEnvironmentBroadcasts(5000))
        Log(LogLevel::Warning, L"the environment change was still being told to the windows");
    LogRunEnd(exitCode_);
    return false;
}

} // namespace qv
