// The About box: the release, links to the product's web sites and whether the update check
// runs at start. The About command reads that setting before and stores it after.
#pragma once

#include "ui/dialog_win.h"
#include "ui/hyperlink_win.h"

namespace qv {

class CAboutDlg : public Dialog {
  public:
    CAboutDlg(HWND parent, bool autoCheck);

    // The check box as it stood when OK closed the box; the initial state otherwise.
    bool AutoCheck() const { return autoCheck_; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    bool autoCheck_;
    UniqueIcon icon_; // shown by the icon control, which goes first
    CHyperLink siteLink_;
    CHyperLink chinaLink_;
};

} // namespace qv
