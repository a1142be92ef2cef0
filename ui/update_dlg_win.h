// The update dialog: names the newer release, links to the download page of the site that
// answered and lets the user turn the check at start off. It runs on the update thread.
#pragma once

#include "ui/dialog_win.h"
#include "ui/hyperlink_win.h"
#include "update/release.h"

#include <string>

namespace qv {

class CUpdateDlg : public Dialog {
  public:
    CUpdateDlg(const ReleaseNumber& published, std::wstring site, HWND owner);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    ReleaseNumber release_;
    std::wstring site_;
    bool ownerWasEnabled_; // before the dialog manager disabled it
    UniqueIcon icon_;      // shown by the icon control, which goes first
    CHyperLink downloadLink_;
};

// Runs the update dialog modally on the calling thread: what the update check shows.
void ShowUpdateDialog(const ReleaseNumber& published, const std::wstring& site, HWND owner);

} // namespace qv
