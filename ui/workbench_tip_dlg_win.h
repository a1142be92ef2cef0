// The tip shown before a start through Workbench: why Workbench's serial Fluent is parallel, an
// illustration of Workbench's settings, and a check box that switches the tip off.
#pragma once

#include "ui/dialog_win.h"

namespace qv {

class CWorbenchWarningDlg : public Dialog {
  public:
    explicit CWorbenchWarningDlg(HWND parent);

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

} // namespace qv
