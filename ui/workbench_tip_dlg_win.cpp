#include "ui/workbench_tip_dlg_win.h"

#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "texts/workbench_tip_texts.h"
#include "ui/picture_painting_win.h"

namespace qv {

namespace texts = workbench_tip_texts;

CWorbenchWarningDlg::CWorbenchWarningDlg(HWND parent) : Dialog(IDD_WORKBENCH_TIP, parent) {}

bool CWorbenchWarningDlg::OnInitDialog() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // Shared icons from LoadIconW are owned by the system, not by us.
    ::SendMessageW(
        Window(), WM_SETICON, ICON_BIG,
        reinterpret_cast<LPARAM>(::LoadIconW(instance, MAKEINTRESOURCEW(IDI_WORKBENCH_TIP))));
    CheckItem(IDC_TIP_DO_NOT_SHOW, false);
    ::SetWindowTextW(Window(), Pick(texts::Title));
    SetItemText(IDC_TIP_DO_NOT_SHOW, Pick(texts::DoNotShowAgain));
    SetItemText(IDC_TIP_TEXT, Pick(texts::Tip));
    return true;
}

void CWorbenchWarningDlg::OnOK() {
    WriteSetting(settings::ShowWorkbenchTip,
                 IsItemChecked(IDC_TIP_DO_NOT_SHOW) ? L"false" : L"true");
    End(IDOK);
}

// The illustration fills the picture control; it stays blank without its bitmaps.
bool CWorbenchWarningDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM || wParam != IDC_TIP_PICTURE) return false;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    DrawArtwork(item.hDC, item.rcItem, WorkbenchSettingsArt);
    result = TRUE;
    return true;
}

} // namespace qv
