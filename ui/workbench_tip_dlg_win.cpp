#include "ui/workbench_tip_dlg_win.h"

#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "texts/workbench_tip_texts.h"

namespace qv {

namespace texts = workbench_tip_texts;

CWorbenchWarningDlg::CWorbenchWarningDlg(HWND parent) : Dialog(IDD_WORKBENCH_TIP, parent) {}

bool CWorbenchWarningDlg::OnInitDialog() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // Shared icons from LoadIconW are owned by the system, not by us.
    ::SendMessageW(
        Window(), WM_SETICON, ICON_BIG,
        reinterpret_cast<LPARAM>(::LoadIconW(instance, MAKEINTRESOURCEW(IDI_WORKBENCH_TIP))));
    picture_.reset(::LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_WORKBENCH_SETTINGS)));
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

bool CWorbenchWarningDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM || wParam != IDC_TIP_PICTURE) return false;
    DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

// The illustration stretched over the whole picture control; blank without the bitmap.
void CWorbenchWarningDlg::DrawPicture(const DRAWITEMSTRUCT& item) const {
    BITMAP size{};
    if (!picture_ || !::GetObjectW(picture_.get(), sizeof(size), &size)) return;
    UniqueMemoryDc memory(::CreateCompatibleDC(item.hDC));
    if (!memory) return;
    HGDIOBJ previous = ::SelectObject(memory.get(), picture_.get());
    ::StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
                 item.rcItem.bottom - item.rcItem.top, memory.get(), 0, 0, size.bmWidth,
                 size.bmHeight, SRCCOPY);
    ::SelectObject(memory.get(), previous);
}

} // namespace qv
