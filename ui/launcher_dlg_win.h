// The launcher's main window.
#pragma once

#include "discovery/fluent_discovery.h"
#include "discovery/matlab.h"
#include "discovery/visual_studio.h"
#include "texts/language.h"
#include "ui/combo_box_win.h"
#include "ui/dialog_win.h"
#include "ui/launch_options_exchange_win.h"

#include <atomic>
#include <memory>
#include <vector>

namespace qv {

class CLauncherDlg : public Dialog {
  public:
    explicit CLauncherDlg(HWND parent = nullptr);

    bool ExchangeLaunchOptions(ExchangeDirection direction);
    const LaunchOptions& Options() const { return options_; }

    // Applies one language to every text of the dialog.
    void RefreshDialogTexts(InterfaceLanguage language);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notification, HWND control) override;
    void OnOK() override;

    const FluentList& Fluent() const { return fluentList_; }
    const std::vector<VisualStudioInstallation>& VisualStudios() const { return visualStudios_; }
    const std::vector<MatlabInstallation>& Matlabs() const { return matlabs_; }

  private:
    void ApplyMenu(InterfaceLanguage language);
    // The three lists, in this order; false when the launcher cannot go on.
    bool FillVisualStudioList();
    void FillMatlabList();
    // Update check and About command (launcher_dlg_about_win.cpp).
    void StartUpdateCheckAtStart();
    void BeginUpdateCheck();
    void OnAbout();

    LaunchOptions options_;
    ComboBoxList fluentBox_, visualStudioBox_, matlabBox_;
    FluentList fluentList_;
    std::vector<VisualStudioInstallation> visualStudios_;
    std::vector<MatlabInstallation> matlabs_;
    // Set by the update check once it has read a release file. Shared with the check's thread,
    // which nobody waits for and which may outlive the dialog.
    std::shared_ptr<std::atomic<bool>> releaseFetched = std::make_shared<std::atomic<bool>>(false);
};

} // namespace qv
