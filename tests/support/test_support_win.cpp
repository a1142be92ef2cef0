#include "tests/support/test_support_win.h"

#include <cstdlib>
#include <map>
#include <thread>

namespace qv::test {

std::wstring WindowsPathFromUnix(std::string_view unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::wstring PathFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? WindowsPathFromUnix(value) : L"";
}

bool RunsInWin64Prefix() {
    const char* arch = std::getenv("QV_WINE_ARCH");
    return !arch || std::string_view(arch) != "win32";
}

int ScriptedPrompts::ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) {
    messages.push_back({owner, std::wstring(text), std::wstring(caption), style});
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

ScopedRegistryKey::ScopedRegistryKey(HKEY hive, std::wstring path, REGSAM view)
    : hive_(hive), path_(std::move(path)), view_(view) {
    Delete();
}

ScopedRegistryKey::~ScopedRegistryKey() { Delete(); }

void ScopedRegistryKey::Delete() const {
    UniqueKey key;
    if (::RegOpenKeyExW(hive_, path_.c_str(), 0, KEY_ALL_ACCESS | view_, key.put()) == ERROR_SUCCESS) {
        ::RegDeleteTreeW(key.get(), nullptr);
        key.reset();
        ::RegDeleteKeyExW(hive_, path_.c_str(), view_, 0);
    }
}

void ScopedRegistryKey::SetRaw(std::wstring_view name, DWORD type, const void* data, DWORD size) const {
    UniqueKey key;
    ::RegCreateKeyExW(hive_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, key.put(), nullptr);
    ::RegSetValueExW(key.get(), std::wstring(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

void ScopedRegistryKey::SetString(std::wstring_view name, std::wstring_view text) const {
    const std::wstring value(text);
    SetRaw(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

ScopedRegistryValue::ScopedRegistryValue(HKEY hive, std::wstring path, std::wstring name, REGSAM view)
    : hive_(hive), path_(std::move(path)), name_(std::move(name)), view_(view) {
    UniqueKey key;
    if (::RegOpenKeyExW(hive_, path_.c_str(), 0, KEY_SET_VALUE | view_, key.put()) == ERROR_SUCCESS)
        ::RegDeleteValueW(key.get(), name_.c_str());
}

ScopedRegistryValue::~ScopedRegistryValue() {
    UniqueKey key;
    if (::RegOpenKeyExW(hive_, path_.c_str(), 0, KEY_SET_VALUE | view_, key.put()) == ERROR_SUCCESS)
        ::RegDeleteValueW(key.get(), name_.c_str());
}

void ScopedRegistryValue::SetString(std::wstring_view text) const {
    UniqueKey key;
    ::RegCreateKeyExW(hive_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, key.put(), nullptr);
    const std::wstring value(text);
    ::RegSetValueExW(key.get(), name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

RawValue ReadRawValue(HKEY hive, std::wstring_view path, std::wstring_view name, REGSAM view) {
    RawValue value;
    UniqueKey key;
    if (::RegOpenKeyExW(hive, std::wstring(path).c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    const std::wstring valueName(name);
    if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.data.resize(size);
    ::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &value.type, value.data.data(), &size);
    value.exists = true;
    return value;
}

TempFolder::TempFolder(std::wstring_view parent) {
    std::wstring base(parent);
    if (base.empty()) {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        base = temp;
    }
    while (!base.empty() && (base.back() == L'\\' || base.back() == L'/')) base.pop_back();
    static unsigned counter = 0;
    for (;;) {
        path_ = base + L"\\qvtest" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
        if (::CreateDirectoryW(path_.c_str(), nullptr)) break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW((path + L"\\*").c_str(), &entry));
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(find.get(), &entry));
    }
    find.reset();
    ::RemoveDirectoryW(path.c_str());
}

bool FileExistsForTest(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFolders(const std::wstring& path) {
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') ::CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) MakeFolders(path.substr(0, slash));
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void PumpMessages(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    do {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        PumpMessages(std::chrono::milliseconds(20));
    }
    return true;
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ::IsWindowVisible(window)) search->windows.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    WindowSearch search{processId, {}};
    ::EnumWindows(&CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    const auto length = ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

namespace {

// The current environment with the changes applied, as a sorted block.
std::wstring EnvironmentBlock(const std::vector<std::wstring>& changes) {
    std::map<std::wstring, std::wstring> variables;
    wchar_t* block = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        const std::size_t equals = text.find(L'=', 1);
        if (equals != std::wstring::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    ::FreeEnvironmentStringsW(block);
    for (const auto& change : changes) {
        const std::size_t equals = change.find(L'=');
        const std::wstring name = change.substr(0, equals);
        const std::wstring value = change.substr(equals + 1);
        if (value.empty()) variables.erase(name); else variables[name] = value;
    }
    std::wstring result;
    for (const auto& [name, value] : variables) result += name + L"=" + value + L'\0';
    return result + L'\0';
}

} // namespace

ProcessHandles StartProgram(const std::wstring& exe, const std::wstring& arguments,
                            const std::vector<std::wstring>& environmentChanges) {
    ProcessHandles handles;
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    std::wstring environment = EnvironmentBlock(environmentChanges);
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                         environment.data(), nullptr, &startup, &info)) {
        handles.process.reset(info.hProcess);
        handles.thread.reset(info.hThread);
        handles.processId = info.dwProcessId;
    }
    return handles;
}

} // namespace qv::test
