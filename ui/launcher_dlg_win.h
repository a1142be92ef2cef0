// The launcher's main window.
#pragma once

#include "discovery/fluent_discovery.h"
#include "discovery/matlab.h"
#include "discovery/visual_studio.h"
#include "launch/launch_state.h"
#include "texts/language.h"
#include "ui/combo_box_win.h"
#include "ui/dialog_win.h"
#include "ui/launch_options_exchange_win.h"

#include <string>
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
    void OnCancel() override;
    void OnClose() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    const FluentList& Fluent() const { return fluentList_; }
    const std::vector<VisualStudioInstallation>& VisualStudios() const { return visualStudios_; }
    const std::vector<MatlabInstallation>& Matlabs() const { return matlabs_; }

    // OK, Browse and the menu commands do nothing while a launch is at work or its process runs.
    bool RefusesCommands() const;

  private:
    // The add-on module's signal that its menu is loaded in Fluent (launcher_dlg_launch_win.cpp).
    bool OnCloseSignal(WPARAM wParam);

    void ApplyMenu(InterfaceLanguage language);
    // The three lists, in this order; false when the launcher cannot go on.
    bool FillVisualStudioList();
    void FillMatlabList();

    LaunchOptions options_;
    ComboBoxList fluentBox_, visualStudioBox_, matlabBox_;
    FluentList fluentList_;
    std::vector<VisualStudioInstallation> visualStudios_;
    std::vector<MatlabInstallation> matlabs_;
    LaunchState launchState_;
    std::wstring homeFolder_;
    bool launchBusy_ = false;     // OK's launch is at work: its questions, the start, the wait
    bool closeSignalled_ = false; // the close signal came meanwhile; the dialog ends after it
};

} // namespace qv
