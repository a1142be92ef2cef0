#include "tests/support/test_support_win.h"

#include "base/launch_log_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace qv::test {

std::wstring PathFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? WindowsPathFromUnix(value) : L"";
}

bool RunsInWin64Prefix() {
    const char* arch = std::getenv("QV_WINE_ARCH");
    return !arch || std::string_view(arch) != "win32";
}

UniqueHandle CreateNamedEvent(const std::wstring& name) {
    UniqueHandle event(::CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
    if (!event) {
        const DWORD error = ::GetLastError();
        ADD_FAILURE() << "cannot create the event " << name << ": error " << error << ": "
                      << SystemErrorText(error);
    }
    return event;
}

int ScriptedPrompts::ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                                 UINT style) {
    messages.push_back({owner, std::wstring(text), std::wstring(caption), style});
    if (whileShown) whileShown();
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<std::wstring> ScriptedPrompts::ErrorTexts(HWND owner) const {
    std::vector<std::wstring> texts;
    for (const Message& m : messages) {
        EXPECT_EQ(m.owner, owner);
        EXPECT_EQ(m.caption, L"Error");
        EXPECT_EQ(m.style, UINT{MB_OK | MB_ICONERROR});
        texts.push_back(m.text);
    }
    return texts;
}

FolderChoice ScriptedPrompts::ChooseFolder(HWND owner, std::wstring_view title,
                                           FolderPicker picker) {
    folderRequests.push_back({owner, std::wstring(title), picker});
    if (folders.empty()) return {};
    FolderChoice choice = folders.front();
    folders.pop_front();
    return choice;
}

INT_PTR ScriptedPrompts::ShowWorkbenchTip(HWND owner) {
    tipOwners.push_back(owner);
    if (tipAnswers.empty()) return IDOK;
    const INT_PTR answer = tipAnswers.front();
    tipAnswers.pop_front();
    return answer;
}

ScopedRegistryKey::ScopedRegistryKey(HKEY hive, std::wstring path, REGSAM view)
    : hive_(hive), path_(std::move(path)), view_(view) {
    EXPECT_TRUE(DeleteRegistryTree(hive_, path_, view_)) << "cannot clear the key " << path_;
}

ScopedRegistryKey::~ScopedRegistryKey() {
    EXPECT_TRUE(DeleteRegistryTree(hive_, path_, view_)) << "cannot remove the key " << path_;
}

bool ScopedRegistryKey::SetRaw(const std::wstring& name, DWORD type, const void* data,
                               DWORD size) const {
    return WriteRegistryValue(hive_, path_, name, type, data, size, view_);
}

bool ScopedRegistryKey::SetString(const std::wstring& name, std::wstring_view text) const {
    return WriteRegistryText(hive_, path_, name, text, view_);
}

ScopedRegistryValue::ScopedRegistryValue(HKEY hive, std::wstring path, std::wstring name,
                                         REGSAM view)
    : hive_(hive), path_(std::move(path)), name_(std::move(name)), view_(view) {
    EXPECT_TRUE(DeleteRegistryValue(hive_, path_, name_, view_))
        << "cannot clear " << path_ << "\\" << name_;
}

ScopedRegistryValue::~ScopedRegistryValue() {
    EXPECT_TRUE(DeleteRegistryValue(hive_, path_, name_, view_))
        << "cannot remove " << path_ << "\\" << name_;
}

bool ScopedRegistryValue::SetString(std::wstring_view text) const {
    return WriteRegistryText(hive_, path_, name_, text, view_);
}

TempFolder::TempFolder(std::wstring_view parent) {
    std::wstring base(parent);
    if (base.empty()) {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        base = temp;
    }
    while (!base.empty() && (base.back() == L'\\' || base.back() == L'/'))
        base.pop_back();
    static unsigned counter = 0;
    for (;;) {
        path_ = base + L"\\qvtest" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                std::to_wstring(++counter);
        if (::CreateDirectoryW(path_.c_str(), nullptr)) return;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    ADD_FAILURE() << "cannot make a folder in " << base;
}

namespace {

// Under Wine a program that a test has just ended may hold its image a moment longer; a handle
// that stays open still fails the test.
void ExpectRemoved(const std::wstring& tree) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!RemoveTree(tree)) {
        if (std::chrono::steady_clock::now() >= end) {
            ADD_FAILURE() << "cannot remove " << tree;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace

TempFolder::~TempFolder() {
    ExpectRemoved(path_);
}

RemoveOnExit::~RemoveOnExit() {
    for (const auto& tree : trees)
        ExpectRemoved(tree);
}

} // namespace qv::test
