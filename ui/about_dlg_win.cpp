#include "ui/about_dlg_win.h"

#include "base/text.h"
#include "resources/resource.h"
#include "texts/about_texts.h"
#include "update/release.h"
#include "update/update_sources.h"

namespace qv {

namespace texts = about_texts;

CAboutDlg::CAboutDlg(HWND parent, bool autoCheck)
    : Dialog(IDD_ABOUT, parent), autoCheck_(autoCheck) {}

bool CAboutDlg::OnInitDialog() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    icon_ = ShowIconAtItemSize(IDC_DIALOG_ICON, IDI_LAUNCHER);
    CheckItem(IDC_AUTO_CHECK, autoCheck_);
    SetItemText(IDC_SITE_LINK, ProductSite);
    SetItemText(IDC_CHINA_LINK, ChinaSite);
    const InterfaceLanguage language = CurrentInterfaceLanguage();
    siteLink_.AttachHyperlink(instance, language, Window(), IDC_SITE_LINK, ProductSite);
    chinaLink_.AttachHyperlink(instance, language, Window(), IDC_CHINA_LINK, ChinaSite);

    const std::wstring release = Trim(RemoveAll(ToUpper(ProductRelease), L"-"));
    ::SetWindowTextW(Window(), Pick(texts::Title, language));
    SetItemText(IDC_SITE_LABEL, Pick(texts::GlobalSite, language));
    SetItemText(IDC_CHINA_LABEL, Pick(texts::ChinaSite, language));
    SetItemText(IDC_AUTO_CHECK, Pick(texts::AutoCheck, language));
    SetItemText(IDC_PRODUCT_LINE, FormatText(Pick(texts::ProductLine, language), {release}));
    // OK comes last in the order of reading, but Enter and Esc should close the box at once.
    FocusItem(IDOK);
    return false;
}

void CAboutDlg::OnOK() {
    autoCheck_ = IsItemChecked(IDC_AUTO_CHECK);
    End(IDOK);
}

} // namespace qv
