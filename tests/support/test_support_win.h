// The tests' side of the Win32 helpers: what the test runner hands in, the scripted answers to
// the launcher's questions, and owners of folders and registry keys that fail the running test
// when they cannot do their part.
#pragma once

#include "base/user_prompts_win.h"
#include "tests/support/child_process_win.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/launch_log_reading_win.h"
#include "tests/support/message_wait_win.h"
#include "tests/support/process_environment_win.h"
#include "tests/support/registry_edit_win.h"
#include "tests/support/top_level_windows_win.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

// A path handed in by the test runner as a Unix path in an environment variable.
std::wstring PathFromEnvironment(const char* name);
// QV_WINE_ARCH: true in the 64-bit prefix.
bool RunsInWin64Prefix();
// A manual-reset event of that name, not set; a failure fails the test with the system's error.
UniqueHandle CreateNamedEvent(const std::wstring& name);

// Answers the launcher's questions from a script and remembers what was asked.
class ScriptedPrompts final : public UserPrompts {
  public:
    struct Message {
        HWND owner;
        std::wstring text;
        std::wstring caption;
        UINT style;
    };
    ScriptedPrompts() { SetPrompts(this); }
    ~ScriptedPrompts() override { SetPrompts(nullptr); }
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                    UINT style) override;
    FolderChoice ChooseFolder(HWND owner, std::wstring_view title, FolderPicker picker) override;
    INT_PTR ShowWorkbenchTip(HWND owner) override;

    std::deque<int> answers;          // button ids returned in order; IDOK once empty
    std::function<void()> whileShown; // what happens while a message is on the screen
    std::vector<Message> messages;
    // The texts of the messages so far, each expected to be an error with an OK button that
    // the owner owns.
    std::vector<std::wstring> ErrorTexts(HWND owner) const;

    struct FolderRequest {
        HWND owner;
        std::wstring title;
        FolderPicker picker;
    };
    std::deque<FolderChoice> folders; // picker results in order; Cancelled once empty
    std::vector<FolderRequest> folderRequests;

    std::deque<INT_PTR> tipAnswers; // IDOK once empty
    std::vector<HWND> tipOwners;
};

// A registry key deleted (with its subkeys) before and after the test.
class ScopedRegistryKey {
  public:
    ScopedRegistryKey(HKEY hive, std::wstring path, REGSAM view = KEY_WOW64_64KEY);
    ~ScopedRegistryKey();
    ScopedRegistryKey(const ScopedRegistryKey&) = delete;
    ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

    const std::wstring& Path() const { return path_; }
    // Stores raw data of any type, exactly these bytes.
    [[nodiscard]] bool SetRaw(const std::wstring& name, DWORD type, const void* data,
                              DWORD size) const;
    [[nodiscard]] bool SetString(const std::wstring& name,
                                 std::wstring_view text) const; // with its NUL

  private:
    HKEY hive_;
    std::wstring path_;
    REGSAM view_;
};

// One value of a key that exists anyway (such as the system environment key), removed before
// and after the test.
class ScopedRegistryValue {
  public:
    ScopedRegistryValue(HKEY hive, std::wstring path, std::wstring name,
                        REGSAM view = KEY_WOW64_64KEY);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;
    [[nodiscard]] bool SetString(std::wstring_view text) const;

  private:
    HKEY hive_;
    std::wstring path_, name_;
    REGSAM view_;
};

// A fresh folder, removed with everything in it afterwards.
class TempFolder {
  public:
    explicit TempFolder(std::wstring_view parent = L"");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view relative) const {
        return path_ + L"\\" + std::wstring(relative);
    }

  private:
    std::wstring path_;
};

// Folder trees a test lays out at fixed places (a drive's root, Program Files), removed at its end.
struct RemoveOnExit {
    std::vector<std::wstring> trees;
    ~RemoveOnExit();
};

} // namespace qv::test
