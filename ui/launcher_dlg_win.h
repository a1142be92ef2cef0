// The launcher's main window.
#pragma once

#include "base/handles_win.h"
#include "discovery/fluent_discovery.h"
#include "discovery/machine_discovery_win.h"
#include "launch/record/launch_state_win.h"
#include "texts/language.h"
#include "ui/dialog_window_view_win.h"
#include "ui/dialog_win.h"
#include "ui/launch_options_exchange_win.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace qv {

class CLauncherDlg : public Dialog {
  public:
    explicit CLauncherDlg(HWND parent = nullptr);
    ~CLauncherDlg() override;

    bool ExchangeLaunchOptions(ExchangeDirection direction);
    const LaunchOptions& Options() const { return options_; }
    // The user's profile folder, once initialisation found it; "" before.
    const std::wstring& HomeFolder() const { return homeFolder_; }

    // Chinese Fluent, Workbench and the mode label for the Fluent entry at index.
    void ApplyFluentVersionRule(int index);
    // Applies one language to every text of the dialog.
    void RefreshDialogTexts(InterfaceLanguage language);
    // The Language commands: the language of the process, shown and stored.
    void SwitchInterfaceLanguage(InterfaceLanguage language);
    // Button 1025: adds a Fluent folder the user picks, selects it and remembers it at once.
    void BrowseFluentFolder();
    // True while OK's launch is at work or the process of the last launch runs: OK, Browse and
    // the menu commands then do nothing.
    bool RefusesCommands() const;
    // What the last launch left going is brought to its end, once the window has gone.
    void ConcludeLaunch();

  protected:
    int TemplateMenu() const override;
    bool OnInitDialog() override;
    bool OnCommand(int id, int notification, HWND control) override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    const FluentList& Fluent() const { return fluentList_; }
    const std::vector<VisualStudioInstallation>& VisualStudios() const { return visualStudios_; }
    const std::vector<MatlabInstallation>& Matlabs() const { return matlabs_; }
    DialogWindowView& View() { return view_; }

    LaunchState launchState_;
    std::wstring homeFolder_; // the user's profile folder, where the .fluent file lives

  private:
    void SetWindowIcon();
    void SetBrowseIcon();
    void AllowCloseSignalThroughFilter();
    // The three lists, in this order; false when the launcher cannot go on.
    bool FillVisualStudioList(const VisualStudioDiscovery& found);
    void FillMatlabList(const std::vector<MatlabInstallation>& found);
    // Update check and About command (launcher_dlg_about_win.cpp).
    bool UpdateCheckWantedAtStart() const;
    void StartUpdateCheckAtStart();
    void BeginUpdateCheck();
    void OnAbout();
    bool LocateHomeFolder();
    void LogDiscovery(const MachineDiscovery& found);
    void OnSpinScrolled(int request, int position);
    void OnProcessCountEdited();
    bool DrawPicture(const DRAWITEMSTRUCT& item);
    // The add-on module's signal that its menu is loaded in Fluent (launcher_dlg_launch_win.cpp).
    bool OnCloseSignal(WPARAM wParam);
    // While a launch waits for Fluent, Cancel, Esc and the close box ask whether to stop waiting
    // instead: true then.
    bool AsksToStopWaiting();
    bool MayCloseNow();

    LaunchOptions options_;
    DialogWindowView view_{*this};
    FluentList fluentList_;
    std::vector<VisualStudioInstallation> visualStudios_;
    std::vector<MatlabInstallation> matlabs_;
    // Set by the update check once it has read a release file. Shared with the check's thread,
    // which nobody waits for and which may outlive the dialog.
    std::shared_ptr<std::atomic<bool>> releaseFetched = std::make_shared<std::atomic<bool>>(false);
    UniqueIcon browseIcon_;                         // the Browse button's picture
    static constexpr UINT_PTR UpdateCheckTimer = 1; // fires once, after the first paint
    static constexpr UINT UpdateCheckDelay = 300;   // ms after the initialisation, at the least
    bool launchBusy_ = false; // OK's launch is at work: its questions, the start, the wait
    bool closing_ = false;    // a close is checking whether it may, and putting .fluent back
};

} // namespace qv
