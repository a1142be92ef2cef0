// Where the launcher loads libraries from. A file planted beside a downloaded launcher must not
// be loaded: once the launcher has started, a library that lies only beside its exe is not found
// by its bare name from inside it, while the same file loads there by its full path, and loads by
// its bare name in a program beside it that does not limit the search.
#include "base/settings_store_win.h"
#include "base/text.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

constexpr wchar_t PlantedName[] = L"QvPlantedLibrary.dll";

// Has the process load a library as its own code would, by LoadLibraryW on a thread of its own:
// nonzero (the low bits of the module handle) when the load succeeded.
DWORD LoadInProcess(HANDLE process, const std::wstring& library) {
    const SIZE_T bytes = (library.size() + 1) * sizeof(wchar_t);
    void* remote =
        ::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return 0;
    DWORD loaded = 0;
    if (::WriteProcessMemory(process, remote, library.c_str(), bytes, nullptr)) {
        // kernel32 lies at the same address in every process of one bitness.
        const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
        const UniqueHandle thread(
            ::CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr));
        if (thread && ::WaitForSingleObject(thread.get(), 10000) == WAIT_OBJECT_0)
            ::GetExitCodeThread(thread.get(), &loaded);
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return loaded;
}

UniqueHandle OpenForLoading(DWORD processId) {
    return UniqueHandle(::OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                          PROCESS_VM_OPERATION | PROCESS_VM_WRITE |
                                          PROCESS_VM_READ | SYNCHRONIZE,
                                      FALSE, processId));
}

class LibrarySearch : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ClearLaunchLog();
        fakes_ = test::FakeProgramFoldersFromEnvironment().Runnable();
        ASSERT_TRUE(::CopyFileW((fakes_ + L"\\" + PlantedName).c_str(), Planted().c_str(), FALSE));
    }
    std::wstring Planted() const { return folder_ / PlantedName; }

    test::TempFolder folder_;
    std::wstring fakes_;
    test::ScopedRegistryKey settings_{HKEY_CURRENT_USER, SettingsKeyPath};
};

TEST_F(LibrarySearch, LauncherDoesNotLoadALibraryBesideItsExeByName) {
    const std::wstring copy = folder_ / L"QuorvexLauncher.exe";
    ASSERT_TRUE(::CopyFileW(e2e::LauncherExe().c_str(), copy.c_str(), FALSE));
    e2e::LauncherRun run({}, e2e::FirstWindow::MainDialog, copy);
    ASSERT_NE(run.Dialog(), nullptr);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(run.Dialog(), &processId);
    const UniqueHandle launcher = OpenForLoading(processId);
    ASSERT_TRUE(launcher);
    EXPECT_EQ(LoadInProcess(launcher.get(), PlantedName), 0u);
    // The file itself loads there: only the search passed it by.
    EXPECT_NE(LoadInProcess(launcher.get(), Planted()), 0u);
    EXPECT_TRUE(run.Close());
    // Support reads whether the search was limited.
    EXPECT_TRUE(Contains(test::ReadLaunchLog(), L"library search: the system folder only"))
        << test::ReadLaunchLog();
}

TEST_F(LibrarySearch, AProgramThatKeepsTheDefaultSearchLoadsTheLibraryBesideItByName) {
    const std::wstring holder = folder_ / L"FileHolder.exe";
    ASSERT_TRUE(::CopyFileW((fakes_ + L"\\FileHolder.exe").c_str(), holder.c_str(), FALSE));
    const std::wstring eventName = L"QvLibrarySearchHolderReady";
    const UniqueHandle ready = test::CreateNamedEvent(eventName);
    ASSERT_TRUE(ready);
    ProcessHandles program = test::StartProgram(holder, L"\"" + holder + L"\" attributes \"" +
                                                            Planted() + L"\" " + eventName);
    ASSERT_TRUE(program.process);
    ASSERT_EQ(::WaitForSingleObject(ready.get(), 20000), WAIT_OBJECT_0);
    EXPECT_NE(LoadInProcess(program.process.get(), PlantedName), 0u);
    ::TerminateProcess(program.process.get(), 0);
    ::WaitForSingleObject(program.process.get(), 10000);
}

} // namespace
} // namespace qv
