// A launcher's surroundings for tests that start the Fluent and Workbench stand-ins as the
// launcher does: a window in the launcher dialog's place named in the environment, records
// collected in a folder, simulated installations on C: and on the mapped drive D:, and a home
// folder to start in. Every process a test starts ends with the test.
#pragma once

#include "tests/fakes/fake_record.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <optional>
#include <functional>
#include <string>
#include <vector>

namespace qv::test {

// A top-level window in the launcher dialog's place: it keeps the started process's id as its
// user data and collects the first parameter of every close signal it receives.
class LauncherWindow {
  public:
    LauncherWindow();
    HWND get() const { return window_.get(); }
    std::wstring Decimal() const { return std::to_wstring(reinterpret_cast<ULONG_PTR>(get())); }
    void SetUserData(DWORD processId) const {
        ::SetWindowLongPtrW(get(), GWLP_USERDATA, processId);
    }
    const std::vector<WPARAM>& Signals() const { return signals_; }
    // Called at each close signal, as the dialog answers it.
    std::function<void()> onSignal;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::vector<WPARAM> signals_;
    UniqueWindow window_;
};

struct SolverFound {
    HWND window = nullptr;
    DWORD processId = 0;
};

class FakesTest : public ::testing::Test {
  protected:
    ~FakesTest() override;
    void SetUp() override;

    struct Installation {
        SimulatedFluent fluent;
        SimulatedProduct product;
    };
    // Fluent on C: below folders with blanks and the product folder "Q uorvex" on D:, or the
    // other way round.
    Installation LayOut(const std::wstring& release, const std::wstring& versionText, bool is64Bit,
                        bool fluentOnD = false);

    // Starts the program as the launcher should: its path as the application name, so that a blank
    // in an unquoted path cannot start another program; hidden; the home folder as current folder.
    ProcessHandles Start(const std::wstring& exe, const std::wstring& commandLine);
    // The first visible top-level window that looks like Fluent's main window, as the launcher
    // looks for it; its process then ends with the test.
    SolverFound FindSolver();
    bool WaitForSignal();
    std::optional<FakeRecord> SolverRecord(DWORD processId) const;

    FakeProgramFolders fakes_ = FakeProgramFoldersFromEnvironment();
    TempFolder records_;
    TempFolder cDrive_;
    TempFolder dDrive_{L"D:\\"};
    TempFolder home_;
    LauncherWindow launcher_;
    ScopedVariable recordFolder_{fake::RecordDirVariable};
    ScopedVariable launcherVariable_{fake::LauncherWindowVariable};
    ScopedVariable lifetime_{fake::LifetimeVariable};

  private:
    void EndWithTest(DWORD processId);
    std::vector<UniqueHandle> toEnd_;
};

bool HasEnded(const ProcessHandles& process);

} // namespace qv::test
