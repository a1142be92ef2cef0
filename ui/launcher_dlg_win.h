// The launcher's main window.
#pragma once

#include "app/interface_language.h"
#include "app/launch_options_win.h"
#include "base/handles_win.h"
#include "ui/dialog_win.h"

#include <atomic>

namespace qv {

class CLauncherDlg final : public Dialog {
public:
    explicit CLauncherDlg(HWND parent = nullptr);

    bool ExchangeLaunchOptions(ExchangeDirection direction);
    const LaunchOptions& Options() const { return options_; }

    // Applies one language to every text of the dialog.
    void RefreshDialogTexts(InterfaceLanguage language);

    // Set by the update thread once a release file could be opened.
    std::atomic<bool> releaseFetched{false};

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int notification, HWND control) override;
    void OnOK() override;

private:
    void ApplyMenu(InterfaceLanguage language);

    LaunchOptions options_;
    UniqueMenu menu_;
};

} // namespace qv
