#include "ui/update_dlg_win.h"

#include "base/setting_names.h"
#include "base/settings_store_win.h"
#include "base/text.h"
#include "resources/resource.h"
#include "texts/update_texts.h"

#include <utility>

namespace qv {

namespace texts = update_texts;

namespace {

std::wstring NewReleaseMessage(const ReleaseNumber& published, InterfaceLanguage language) {
    const std::wstring year = std::to_wstring(published.year);
    const std::wstring revision = std::to_wstring(published.revision);
    if (published.servicePack == 0)
        return FormatText(Pick(texts::NewRelease, language), {year, revision});
    return FormatText(Pick(texts::NewServicePack, language),
                      {year, revision, std::to_wstring(published.servicePack)});
}

} // namespace

CUpdateDlg::CUpdateDlg(const ReleaseNumber& published, std::wstring site, HWND owner)
    : Dialog(IDD_UPDATE, owner), release_(published), site_(std::move(site)),
      ownerWasEnabled_(owner && ::IsWindowEnabled(owner)) {}

bool CUpdateDlg::OnInitDialog() {
    // News, shown from a thread of its own: the main dialog keeps answering, Cancel included,
    // which is the way out of a wait for Fluent. An owner the main dialog's own box has disabled
    // stays so.
    if (ownerWasEnabled_) ::EnableWindow(::GetWindow(Window(), GW_OWNER), TRUE);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // A shared icon belongs to the system.
    ::SendMessageW(
        Window(), WM_SETICON, ICON_BIG,
        reinterpret_cast<LPARAM>(::LoadIconW(instance, MAKEINTRESOURCEW(IDI_UPDATE_WINDOW))));
    icon_ = ShowIconAtItemSize(IDC_DIALOG_ICON, IDI_UPDATE_FOUND);

    const InterfaceLanguage language = CurrentInterfaceLanguage();
    ::SetWindowTextW(Window(), Pick(texts::Title, language));
    SetItemText(IDC_DOWNLOAD_LINK, Pick(texts::DownloadLink, language));
    SetItemText(IDC_AUTO_CHECK, Pick(texts::AutoCheck, language));
    SetItemText(IDC_RELEASE_MESSAGE, NewReleaseMessage(release_, language));
    CheckItem(IDC_AUTO_CHECK, true);
    downloadLink_.AttachHyperlink(instance, language, Window(), IDC_DOWNLOAD_LINK,
                                  FormatText(Pick(texts::DownloadPage, language), {site_}));
    // OK comes last in the order of reading, but Enter and Esc should close the dialog at once.
    FocusItem(IDOK);
    return false;
}

void CUpdateDlg::OnOK() {
    if (!IsItemChecked(IDC_AUTO_CHECK)) WriteSetting(settings::AutomaticUpdateCheck, L"false");
    End(IDOK);
}

void ShowUpdateDialog(const ReleaseNumber& published, const std::wstring& site, HWND owner) {
    CUpdateDlg dialog(published, site, owner);
    dialog.RunModal();
}

} // namespace qv
