// What the launches by the real exe share: simulated Fluent, Visual Studio 2019 and product folder
// where the launcher finds them, and one run of the launcher driven through its windows.
#pragma once

#include "base/settings_store_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qv::e2e {

// The text of a message box.
std::wstring StaticText(HWND box);

// Simulated installations where the launcher finds them, the product folder in QUORVEX_PATH,
// a C:\Program.exe that a blank in an unquoted path would start, and the launcher's settings.
class Sandbox {
  public:
    Sandbox(const std::wstring& release, const std::wstring& version, bool fluent64);
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // What the launcher starts with; the stand-ins it starts inherit it.
    std::vector<std::wstring> Environment(std::vector<std::wstring> more = {}) const;
    std::wstring Gate() const { return records / L"gate"; }
    bool OpenGate() const;
    std::vector<test::FakeRecord> Records(const wchar_t* program) const {
        return test::ReadFakeRecords(records.Path(), program);
    }

    test::FakeProgramFolders fakes = test::FakeProgramFoldersFromEnvironment();
    const std::wstring programs32 =
        test::RunsInWin64Prefix() ? L"C:\\Program Files (x86)" : L"C:\\Program Files";
    const std::wstring visualStudio = programs32 + L"\\Microsoft Visual Studio\\2019\\Community";
    const std::wstring fluentRoot = L"C:\\Program Files\\ANSYS Inc";
    test::RemoveOnExit cleanup{{fluentRoot, visualStudio, L"C:\\Program.exe"}};
    test::TempFolder productRoot{L"D:\\"};
    test::TempFolder records;
    test::TempFolder startFolder;
    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
    test::ScopedRegistryValue storedProduct{HKEY_CURRENT_USER, EnvironmentKeyPath, L"QUORVEX_PATH"};
    test::SimulatedFluent fluent;
    test::SimulatedProduct product;
    std::wstring settingsTool, toolsFolder;
    bool ok = false;
};

// One run of the launcher with its environment; ended by the test if it has not ended.
class Launcher {
  public:
    explicit Launcher(const std::vector<std::wstring>& environment);
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
    bool HasExited() const;
    bool WaitForExit();
    DWORD ExitCode() const;
    // Clicks a check box or radio button: the control and the dialog's handler react at once.
    void Click(int id) const { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    // Presses a button through a posted command: what it starts may run a loop of its own.
    static void Press(HWND window, int id);
    // A second visible dialog of the launcher (a message box or the tip), waited for.
    HWND WaitForSecondDialog() const;
    bool ShowsSecondDialog() const;
    // The process the launcher recorded, as the add-on's module reads it.
    DWORD WaitForRecordedProcess() const;

  private:
    HWND FindDialog() const;
    ProcessHandles handles_;
    HWND dialog_ = nullptr;
};

} // namespace qv::e2e
