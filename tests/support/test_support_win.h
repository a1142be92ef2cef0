// Helpers for tests that run under Wine against the real registry, files, processes and windows.
#pragma once

#include "base/handles_win.h"
#include "base/user_prompts_win.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

// The Windows form of a Unix path (Wine maps / to Z:).
std::wstring WindowsPathFromUnix(std::string_view unixPath);
// A path handed in by the test runner as a Unix path in an environment variable.
std::wstring PathFromEnvironment(const char* name);
// QV_WINE_ARCH: true in the 64-bit prefix.
bool RunsInWin64Prefix();

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

    int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) override;

    std::deque<int> answers; // button ids returned in order; IDOK once empty
    std::vector<Message> messages;
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
    void SetRaw(std::wstring_view name, DWORD type, const void* data, DWORD size) const;
    void SetString(std::wstring_view name, std::wstring_view text) const; // with its NUL
    void Delete() const;

private:
    HKEY hive_;
    std::wstring path_;
    REGSAM view_;
};

// One value of a key that exists anyway (such as the system environment key), removed before
// and after the test.
class ScopedRegistryValue {
public:
    ScopedRegistryValue(HKEY hive, std::wstring path, std::wstring name, REGSAM view = KEY_WOW64_64KEY);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;
    void SetString(std::wstring_view text) const;

private:
    HKEY hive_;
    std::wstring path_, name_;
    REGSAM view_;
};

// Raw data and type of a value as stored.
struct RawValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
};
RawValue ReadRawValue(HKEY hive, std::wstring_view path, std::wstring_view name,
                      REGSAM view = KEY_WOW64_64KEY);

// A fresh folder, removed with everything in it afterwards.
class TempFolder {
public:
    explicit TempFolder(std::wstring_view parent = L"");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view relative) const { return path_ + L"\\" + std::wstring(relative); }

private:
    std::wstring path_;
};

void RemoveTree(const std::wstring& path);
bool FileExistsForTest(const std::wstring& path);
// Creates the folders of the path's parent and writes the file.
void WriteFileBytes(const std::wstring& path, std::string_view bytes);
void MakeFolders(const std::wstring& path);

// Processes the calling thread's messages for a while (windows of the test's own process).
void PumpMessages(std::chrono::milliseconds duration);
// Waits, pumping messages, until the condition holds or the time runs out.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

// Visible top-level windows of a process, in z order.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::wstring ClassNameOf(HWND window);
std::wstring TextOf(HWND window);

// Starts a program with extra or removed environment variables ("NAME=value" or "NAME=" to
// remove), with the program given as the application name.
ProcessHandles StartProgram(const std::wstring& exe, const std::wstring& arguments,
                            const std::vector<std::wstring>& environmentChanges = {});

} // namespace qv::test
