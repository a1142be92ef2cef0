#include "ui/launcher_dlg_win.h"

#include "base/settings_store_win.h"
#include "base/user_prompts_win.h"
#include "discovery/fluent_discovery_win.h"
#include "discovery/fluent_folders_win.h"
#include "discovery/matlab_win.h"
#include "discovery/visual_studio_win.h"
#include "resources/resource.h"
#include "texts/discovery_texts.h"
#include "texts/main_dialog_texts.h"

#include <commctrl.h>

#include <string>

namespace qv {

namespace texts = main_dialog_texts;

CLauncherDlg::CLauncherDlg(HWND parent)
    : Dialog(IDD_LAUNCHER, parent),
      fluentList_(fluentBox_, [](std::wstring_view folder) { return ListReleaseFolders(folder); }) {
}

bool CLauncherDlg::ExchangeLaunchOptions(ExchangeDirection direction) {
    return qv::ExchangeLaunchOptions(Window(), options_, direction);
}

bool CLauncherDlg::OnInitDialog() {
    ExchangeLaunchOptions(ExchangeDirection::ToControls);

    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // Shared icons from LoadIconW are owned by the system, not by us.
    ::SendMessageW(Window(), WM_SETICON, ICON_BIG,
                   reinterpret_cast<LPARAM>(::LoadIconW(instance, MAKEINTRESOURCEW(IDI_LAUNCHER))));
    StartUpdateCheckAtStart();
    ::SetWindowTextW(Window(), Pick(texts::Title));
    ApplyMenu(CurrentInterfaceLanguage());
    auto* browseIcon = static_cast<HICON>(::LoadImageW(
        instance, MAKEINTRESOURCEW(IDI_BROWSE), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR | LR_SHARED));
    ::SendMessageW(Item(IDC_BROWSE), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(browseIcon));
    RefreshDialogTexts(CurrentInterfaceLanguage());

    CheckItem(IDC_DOUBLE_PRECISION, false);
    CheckItem(IDC_SERIAL, true);
    for (int id : {IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        EnableItem(id, false);
    SetItemText(IDC_PROCESS_COUNT, std::to_wstring(options_.processCount));
    for (int id : {IDC_START_BY_WORKBENCH, IDC_DOUBLE_PRECISION, IDC_PARALLEL})
        EnableItem(id, true);
    ::SendMessageW(Item(IDC_PROCESS_SPIN), UDM_SETRANGE, 0,
                   MAKELPARAM(MaxProcessCount, MinProcessCount));
    EnableItem(IDC_PROCESS_SPIN, false);
    EnableItem(IDC_PROCESS_COUNT, false);

    fluentBox_.Attach(Item(IDC_FLUENT_LIST));
    visualStudioBox_.Attach(Item(IDC_VS_LIST));
    matlabBox_.Attach(Item(IDC_MATLAB_LIST));
    DiscoverFluentInstallations(fluentList_);
    if (!FillVisualStudioList()) return true;
    FillMatlabList();
    return true;
}

bool CLauncherDlg::FillVisualStudioList() {
    VisualStudioDiscovery found = DiscoverVisualStudio();
    visualStudios_ = std::move(found.installations);
    for (const auto& vs : visualStudios_)
        visualStudioBox_.Append(vs.year);
    if (found.toolsetFileMissing) {
        Prompts().ShowMessage(Window(), Pick(VcToolsFileMissing), Pick(captions::Error),
                              MB_OK | MB_ICONERROR);
        End(IDCANCEL);
        return false;
    }
    if (visualStudios_.empty()) {
        visualStudioBox_.Append(Pick(placeholders::VisualStudioNotFound));
        visualStudioBox_.Select(0);
    } else {
        visualStudioBox_.Select(
            RememberedVisualStudioIndex(visualStudios_, ReadSetting(L"VcVerUsed")));
    }
    return true;
}

void CLauncherDlg::FillMatlabList() {
    matlabs_ = FindMatlabInstallations();
    if (matlabs_.empty()) {
        matlabBox_.Append(Pick(placeholders::MatlabNotFound));
        matlabBox_.Select(0);
        return;
    }
    for (const auto& matlab : matlabs_)
        matlabBox_.Append(matlab.release);
    matlabBox_.Select(RememberedMatlabIndex(matlabs_, ReadSetting(L"MatlabVerUsed")));
}

void CLauncherDlg::ApplyMenu(InterfaceLanguage language) {
    const int id = language == InterfaceLanguage::English ? IDR_MENU_ENGLISH : IDR_MENU_CHINESE;
    UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
    RECT before{};
    ::GetClientRect(Window(), &before);
    if (!ReplaceMenu(std::move(menu))) return;
    ::DrawMenuBar(Window());
    // A menu bar takes its height from the client area; grow the window instead, or the OK and
    // Cancel buttons at the bottom of the template would be cut off.
    RECT after{}, frame{};
    ::GetClientRect(Window(), &after);
    ::GetWindowRect(Window(), &frame);
    const int lost = (before.bottom - before.top) - (after.bottom - after.top);
    if (lost > 0)
        ::SetWindowPos(Window(), nullptr, 0, 0, frame.right - frame.left,
                       frame.bottom - frame.top + lost, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLauncherDlg::RefreshDialogTexts(InterfaceLanguage language) {
    SetItemText(IDC_DIMENSION_GROUP,
                Pick(IsItemChecked(IDC_START_BY_WORKBENCH) ? texts::DimensionSetInWorkbench
                                                           : texts::Dimension,
                     language));
    SetItemText(IDC_SERIAL, Pick(texts::Serial, language));
    for (const auto& control : texts::FixedControlTexts)
        SetItemText(control.id, Pick(control.text, language));
}

bool CLauncherDlg::OnCommand(int id, int notification, HWND control) {
    if (id == IDC_CANCEL) {
        OnCancel();
        return true;
    }
    if (id == ID_ABOUT) {
        OnAbout();
        return true;
    }
    return Dialog::OnCommand(id, notification, control);
}

void CLauncherDlg::OnOK() {
    // The launch itself comes with the launch sequence; for now OK reads the options.
    ExchangeLaunchOptions(ExchangeDirection::FromControls);
}

} // namespace qv
