// A launch run for real in this process: simulated Fluent and product folder on disk, Visual
// Studio 2019 as discovery would record it, the settings key and the launcher's environment
// owned by the test, scripted answers, and the stand-ins' launcher window as the dialog.
#pragma once

#include "base/settings_store_win.h"
#include "discovery/fluent_discovery.h"
#include "discovery/fluent_folders_win.h"
#include "launch/launch_sequence_win.h"
#include "tests/support/memory_list_box.h"
#include "tests/win/fakes_fixture_win.h"
#include "texts/language.h"

#include <string>
#include <vector>

namespace qv::test {

// Its parts are open to the cases of a table, which change them.
class LaunchTest : public FakesTest {
  public:
    void SetUp() override;
    void TearDown() override;

    // Fluent 2025 R2 of this Windows' bitness (or of the one asked for), the product folder and
    // QUORVEX_PATH naming it.
    void LayOutLaunchable(const std::wstring& release = L"fluent25.2.0",
                          const std::wstring& version = L"25.2",
                          bool is64Bit = RunsInWin64Prefix());
    // Visual Studio 2019 with everything, its tools folder in VS160COMNTOOLS beside the add-on's
    // extension.
    void AddVisualStudio2019();
    // A context for the fixture's lists, or for another Fluent list.
    LaunchContext Context(const FluentList* fluent = nullptr);
    std::vector<std::wstring> MessageTexts() const;
    // Ends every program the launch started from below the test's folders.
    void EndStartedPrograms();

    ScopedEnvironment environment_;
    ScopedCurrentFolder currentFolder_;
    ScopedRegistryKey settings_{HKEY_CURRENT_USER, SettingsKeyPath};
    ScopedRegistryValue storedProduct_{HKEY_CURRENT_USER, EnvironmentKeyPath, L"QUORVEX_PATH"};
    ScriptedPrompts prompts_;
    MemoryListBox box_;
    FluentList fluent_{box_, [](std::wstring_view folder) { return ListReleaseFolders(folder); }};
    std::vector<VisualStudioInstallation> visualStudios_;
    std::vector<MatlabInstallation> matlabs_;
    LaunchState state_;
    LaunchOptions options_;
    Installation installation_;
    TempFolder visualStudioRoot_;

  private:
    InterfaceLanguage language_ = CurrentInterfaceLanguage();
};

} // namespace qv::test
