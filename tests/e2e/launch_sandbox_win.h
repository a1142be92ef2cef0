// What the launches by the real exe share: simulated Fluent, Visual Studio 2019 and product folder
// where the launcher finds them.
#pragma once

#include "base/settings_store_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qv::e2e {

// Simulated installations where the launcher finds them, the product folder in QUORVEX_PATH,
// a C:\Program.exe that a blank in an unquoted path would start, and the launcher's settings.
// The user's profile folder, where Fluent's start-up file lives.
std::wstring ProfileFolder();

// The user's own .fluent in the profile folder with no backup beside it; both removed at the end.
struct UsersStartupFile {
    UsersStartupFile();
    std::wstring startup, backup;
    const std::string text = "(display \"the user's own\")\r\n";
    test::RemoveOnExit cleanup;
    bool ok = false;
};

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

} // namespace qv::e2e
