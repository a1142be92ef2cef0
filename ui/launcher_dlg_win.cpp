#include "ui/launcher_dlg_win.h"

#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/profile_folder_win.h"
#include "base/setting_names.h"
#include "base/text.h"
#include "base/settings_store_win.h"
#include "base/user_prompts_win.h"
#include "discovery/fluent_discovery_win.h"
#include "discovery/fluent_folders_win.h"
#include "launch/supervision/close_signal.h"
#include "launch/supervision/started_process_win.h"
#include "resources/resource.h"
#include "texts/discovery_texts.h"
#include "texts/main_dialog_texts.h"
#include "ui/main_dialog_rules.h"
#include "ui/picture_painting_win.h"
#include "ui/tutorial_win.h"

#include <commctrl.h>

#include <cwchar>
#include <string>

namespace qv {

namespace texts = main_dialog_texts;

CLauncherDlg::CLauncherDlg(HWND parent)
    : Dialog(IDD_LAUNCHER, parent),
      fluentList_(view_.Combo(IDC_FLUENT_LIST),
                  [](std::wstring_view folder) { return ListReleaseFolders(folder); }) {}

CLauncherDlg::~CLauncherDlg() = default;

bool CLauncherDlg::ExchangeLaunchOptions(ExchangeDirection direction) {
    return qv::ExchangeLaunchOptions(*this, options_, direction);
}

bool CLauncherDlg::RefusesCommands() const {
    return launchBusy_ || IsStartedProcessAlive(launchState_.startedProcess.get());
}

// The window is made with the menu of the language it opens in.
int CLauncherDlg::TemplateMenu() const {
    return MenuResource(CurrentInterfaceLanguage());
}

bool CLauncherDlg::OnInitDialog() {
    SetWindowIcon();
    SetBrowseIcon();
    AllowCloseSignalThroughFilter();
    view_.Attach();
    ExchangeLaunchOptions(ExchangeDirection::ToControls);
    view_.SetTitle(Pick(texts::Title));
    // The template brought the menu, unless its copy could not be made.
    if (::GetMenu(Window()))
        view_.KeepTemplateClientHeight();
    else
        view_.ShowMenu(CurrentInterfaceLanguage());
    RefreshDialogTexts(CurrentInterfaceLanguage());
    ApplyInitialControlStates(view_, options_.processCount);

    // Discovery and the profile folder are found here: on threads of their own the window
    // showed later, a thread's start costing more than the overlap gained (the window server
    // serves one request at a time, and loading the shell holds up the icons).
    const MachineDiscovery found = DiscoverMachine();
    FillFluentList(fluentList_, found.fluent);
    ApplyFluentVersionRule(0);
    // Before any question that depends on it.
    LogDiscovery(found);
    const bool visualStudioListed = FillVisualStudioList(found.visualStudio);
    if (visualStudioListed) FillMatlabList(found.matlab);
    if (!visualStudioListed) return true;
    if (!LocateHomeFolder()) {
        Log(LogLevel::Error,
            L"the user's profile folder \"" + homeFolder_ + L"\": " + DescribePath(homeFolder_));
        ShowMessage(Window(), texts::HomeFolderMissing, captions::Error, MB_OK | MB_ICONERROR);
        NoteRunEndingAfterMessage();
        End(IDCANCEL);
        return true;
    }
    // The update check is decided now, from the option as it is now, and started after the first
    // paint, so that its WinINet does not load beside the dialog's own libraries (a timer's
    // message comes only when no window of this thread waits for its paint), and a moment
    // more: its thread's start and loading would otherwise take the processor from the window
    // system while it draws the window.
    if (UpdateCheckWantedAtStart())
        ::SetTimer(Window(), UpdateCheckTimer, UpdateCheckDelay, nullptr);
    return true;
}

// Shared icons (LoadIconW, LR_SHARED) belong to the system, not to us.
void CLauncherDlg::SetWindowIcon() {
    ::SendMessageW(Window(), WM_SETICON, ICON_BIG,
                   reinterpret_cast<LPARAM>(
                       ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_LAUNCHER))));
}

// The folder at the size of a small icon on this screen: the icon holds the sizes of 96, 120, 144
// and 192 DPI, so none is scaled. Not shared: a shared icon keeps the size it was first loaded at.
void CLauncherDlg::SetBrowseIcon() {
    browseIcon_.reset(static_cast<HICON>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BROWSE), IMAGE_ICON,
        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    ::SendMessageW(Item(IDC_BROWSE), BM_SETIMAGE, IMAGE_ICON,
                   reinterpret_cast<LPARAM>(browseIcon_.get()));
}

// Run as administrator (as its messages may ask), the launcher would not hear a Fluent that is
// not: Windows drops messages above WM_USER that come from a lower integrity level. The close
// signal is the only message the add-on sends, and its handler checks what it gets; the rest of
// the dialog's messages come from its own process or are system messages the filter lets pass.
void CLauncherDlg::AllowCloseSignalThroughFilter() {
    const std::wstring message = L"message " + std::to_wstring(CloseSignal);
    CHANGEFILTERSTRUCT status{sizeof(status), 0};
    if (::ChangeWindowMessageFilterEx(Window(), CloseSignal, MSGFLT_ALLOW, &status))
        Log(L"the close signal (" + message +
            L") passes the message filter of any integrity level");
    else
        LogFailure(L"let the close signal through the message filter", message, ::GetLastError(),
                   LogLevel::Warning);
}

bool CLauncherDlg::FillVisualStudioList(const VisualStudioDiscovery& found) {
    visualStudios_ = found.installations;
    ComboBoxList& box = view_.Combo(IDC_VS_LIST);
    for (const auto& vs : visualStudios_)
        box.Append(vs.year);
    if (found.toolsetFileMissing) {
        // Discovery's line named the installation and the file.
        ShowMessage(Window(), VcToolsFileMissing, captions::Error, MB_OK | MB_ICONERROR);
        NoteRunEndingAfterMessage();
        End(IDCANCEL);
        return false;
    }
    if (visualStudios_.empty()) {
        box.Append(Pick(placeholders::VisualStudioNotFound));
        box.Select(0);
    } else {
        box.Select(
            RememberedVisualStudioIndex(visualStudios_, ReadSetting(settings::VisualStudioUsed)));
    }
    return true;
}

void CLauncherDlg::FillMatlabList(const std::vector<MatlabInstallation>& found) {
    matlabs_ = found;
    ComboBoxList& box = view_.Combo(IDC_MATLAB_LIST);
    if (matlabs_.empty()) {
        box.Append(Pick(placeholders::MatlabNotFound));
        box.Select(0);
        return;
    }
    for (const auto& matlab : matlabs_)
        box.Append(matlab.release);
    box.Select(RememberedMatlabIndex(matlabs_, ReadSetting(settings::MatlabUsed)));
}

// What support needs to know of this machine: every installation found, one a line.
void CLauncherDlg::LogDiscovery(const MachineDiscovery& found) {
    const auto yes = [](bool has) { return has ? L"yes" : L"no"; };
    const std::vector<FluentInstallation>& fluent = fluentList_.Entries();
    const std::vector<VisualStudioInstallation>& visualStudios = found.visualStudio.installations;
    wchar_t took[32];
    ::swprintf(took, 32, L"%.1f", found.milliseconds);
    std::wstring text =
        FormatText(L"discovery in %s ms: Fluent folders %s, Visual Studio %s, "
                   L"MATLAB %s",
                   {took, std::to_wstring(fluent.size()), std::to_wstring(visualStudios.size()),
                    std::to_wstring(found.matlab.size())});
    for (const FluentInstallation& entry : fluent)
        text += L"\nFluent folder " + entry.folder;
    for (const VisualStudioInstallation& vs : visualStudios) {
        text += L"\nVisual Studio " + vs.year + L" in " + vs.root;
        if (!vs.toolset.empty()) text += L", toolset " + vs.toolset;
        text += FormatText(L": 32-bit compiler %s, 64-bit compiler %s, MFC %s",
                           {yes(vs.hasCompiler32), yes(vs.hasCompiler64), yes(vs.hasMfc)});
        if (vs.year == L"2010") text += std::wstring(L", Visual C# ") + yes(vs.hasCSharp);
    }
    for (const MatlabInstallation& matlab : found.matlab)
        text += L"\nMATLAB " + matlab.release + L" in " + matlab.root;
    Log(text);
    if (found.visualStudio.toolsetFileMissing) {
        const VisualStudioInstallation& vs = found.visualStudio.withoutToolsetFile;
        const std::wstring file = VcToolsVersionFile(vs.root);
        Log(LogLevel::Error, L"Visual Studio " + vs.year + L" in " + vs.root +
                                 L": its toolset version file " + file + L": " +
                                 DescribePath(file) + L"; discovery stopped there");
    }
}

bool CLauncherDlg::LocateHomeFolder() {
    homeFolder_ = ProfileFolder();
    return !ExistingFolderName(homeFolder_).empty();
}

void CLauncherDlg::ApplyFluentVersionRule(int index) {
    qv::ApplyFluentVersionRule(view_, index, options_.processingMode);
}

void CLauncherDlg::RefreshDialogTexts(InterfaceLanguage language) {
    qv::RefreshDialogTexts(view_, language);
}

void CLauncherDlg::SwitchInterfaceLanguage(InterfaceLanguage language) {
    if (RefusesCommands()) return;
    ShowInterfaceLanguage(view_, language);
    WriteSetting(settings::EnglishInterface, StoredLanguageValue(language));
}

bool CLauncherDlg::OnCommand(int id, int notification, HWND control) {
    switch (id) {
    case IDC_CANCEL:
        OnCancel();
        return true;
    case IDC_SERIAL:
    case IDC_PARALLEL:
        if (notification == BN_CLICKED) ApplyModeRule(view_, id == IDC_PARALLEL);
        return true;
    case IDC_START_BY_WORKBENCH:
        if (notification == BN_CLICKED) {
            ExchangeLaunchOptions(ExchangeDirection::FromControls);
            ApplyWorkbenchRule(view_);
        }
        return true;
    case IDC_CALL_MATLAB:
        if (notification == BN_CLICKED) ApplyMatlabRule(view_);
        return true;
    case IDC_FLUENT_LIST:
        if (notification == CBN_SELCHANGE)
            ApplyFluentVersionRule(view_.Combo(IDC_FLUENT_LIST).Selection());
        return true;
    case IDC_PROCESS_COUNT:
        if (notification == EN_CHANGE) OnProcessCountEdited();
        return true;
    case IDC_BROWSE:
        if (notification == BN_CLICKED) BrowseFluentFolder();
        return true;
    case ID_TUTORIAL:
        if (!RefusesCommands()) OpenTutorial(Window());
        return true;
    case ID_ABOUT:
        OnAbout();
        return true;
    case ID_LANGUAGE_ENGLISH:
    case ID_LANGUAGE_CHINESE:
        SwitchInterfaceLanguage(id == ID_LANGUAGE_ENGLISH ? InterfaceLanguage::English
                                                          : InterfaceLanguage::Chinese);
        return true;
    default:
        return Dialog::OnCommand(id, notification, control);
    }
}

// The spin moves the count; the edit shows it. The spin's final notice changes nothing.
void CLauncherDlg::OnSpinScrolled(int request, int position) {
    if (request == SB_ENDSCROLL) return;
    options_.processCount = static_cast<std::uint32_t>(position);
    SetItemText(IDC_PROCESS_COUNT, std::to_wstring(position));
}

// The spin follows what is typed, unclamped: the exchange judges the count.
void CLauncherDlg::OnProcessCountEdited() {
    const int value = static_cast<int>(::GetDlgItemInt(Window(), IDC_PROCESS_COUNT, nullptr, TRUE));
    ::SendMessageW(Item(IDC_PROCESS_SPIN), UDM_SETPOS, 0,
                   MAKELPARAM(static_cast<WORD>(value & 0xFFFF), 0));
}

bool CLauncherDlg::DrawPicture(const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_BANNER) {
        DrawArtwork(item.hDC, item.rcItem, BannerArt);
        return true;
    }
    if (item.CtlID != IDC_LOGO) return false;
    // The logo blends over the dialog's face, never over an earlier drawing of itself.
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    DrawArtwork(item.hDC, item.rcItem, LogoArt);
    return true;
}

bool CLauncherDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case CloseSignal:
        return OnCloseSignal(wParam);
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) != Item(IDC_PROCESS_SPIN)) return false;
        OnSpinScrolled(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return false; // the default handling follows
    case WM_DRAWITEM:
        result = TRUE;
        return DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_PAINT:
        if (!::IsIconic(Window())) return false;
        PaintMinimisedIcon(
            Window(), reinterpret_cast<HICON>(::SendMessageW(Window(), WM_GETICON, ICON_BIG, 0)));
        return true;
    case WM_TIMER:
        if (wParam != UpdateCheckTimer) return false;
        ::KillTimer(Window(), UpdateCheckTimer);
        StartUpdateCheckAtStart();
        return true;
    case WM_SETCURSOR:
        // A control asks its parent first: the pointer has come over Browse.
        if (reinterpret_cast<HWND>(wParam) == Item(IDC_BROWSE)) view_.MakeBrowseTooltip();
        return false; // the default handling follows
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(::SendMessageW(Window(), WM_GETICON, ICON_BIG, 0));
        return true;
    case WM_DESTROY:
        view_.DestroyTooltip();
        return false;
    default:
        return false;
    }
}

} // namespace qv
