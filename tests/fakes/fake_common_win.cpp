#include "tests/fakes/fake_common_win.h"

#include "base/environment_win.h"
#include "base/text.h"
#include "resources/resource.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/process_environment_win.h"
#include "tests/support/top_level_windows_win.h"

#include <cstdlib>
#include <cwchar>
#include <cwctype>

namespace qv::fake {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ProgramName() {
    const std::wstring path = ModulePath();
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(std::towlower(c));
    return name;
}

DWORD ReadMilliseconds(const wchar_t* name, DWORD fallback) {
    const std::wstring text = ReadEnvironmentVariable(name);
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text.c_str(), &end, 10);
    return text.empty() || *end != L'\0' ? fallback : static_cast<DWORD>(value);
}

std::vector<std::wstring> CrtArguments() {
    std::vector<std::wstring> arguments;
    if (__wargv) {
        for (int i = 0; i < __argc; ++i)
            arguments.emplace_back(__wargv[i]);
    }
    return arguments;
}

namespace {

bool IsArgumentGap(std::wstring_view text, std::size_t at) {
    return at == text.size() || text[at] == L' ' || text[at] == L'\t';
}

// Length of the unquoted module path (with or without ".exe") at the head of the command line.
std::size_t UnquotedModulePathLength(std::wstring_view commandLine, std::wstring_view modulePath) {
    std::wstring_view names[] = {modulePath, modulePath};
    if (modulePath.size() > 4 && EqualsNoCase(modulePath.substr(modulePath.size() - 4), L".exe"))
        names[1] = modulePath.substr(0, modulePath.size() - 4);
    for (const auto name : names) {
        if (commandLine.size() >= name.size() &&
            EqualsNoCase(commandLine.substr(0, name.size()), name) &&
            IsArgumentGap(commandLine, name.size()))
            return name.size();
    }
    return 0;
}

} // namespace

std::wstring_view ArgumentsOf(std::wstring_view commandLine, std::wstring_view modulePath) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else if (const std::size_t length = UnquotedModulePathLength(commandLine, modulePath)) {
        end = length;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring_view::npos) end = commandLine.size();
    }
    return commandLine.substr(end);
}

namespace {

std::string Utf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    return bytes;
}

} // namespace

Record::Record() {
    Add(key::Program, ProgramName());
    Add(key::Module, ModulePath());
    Add(key::ProcessId, std::to_wstring(::GetCurrentProcessId()));
    Add(key::Bits, std::to_wstring(sizeof(void*) * 8));
    Add(key::CommandLine, ::GetCommandLineW());
    for (const auto& argument : CrtArguments())
        Add(key::Argv, argument);
    Add(key::CurrentFolder, test::CurrentFolder());
    for (const auto& entry : test::EnvironmentEntries())
        Add(key::Environment, entry);
    STARTUPINFOW startup{sizeof startup};
    ::GetStartupInfoW(&startup);
    Add(key::ShowWindow, (startup.dwFlags & STARTF_USESHOWWINDOW) != 0
                             ? std::to_wstring(startup.wShowWindow)
                             : std::wstring(L"default"));
}

void Record::Add(std::wstring_view key, std::wstring_view value) {
    entries_.emplace_back(std::wstring(key), std::wstring(value));
}

bool Record::Write() const {
    const std::wstring folder = ReadEnvironmentVariable(RecordDirVariable);
    if (folder.empty()) return false;
    std::wstring text;
    for (const auto& [name, value] : entries_)
        text += name + L"=" + EscapeRecordValue(value) + L"\n";
    const std::wstring base =
        folder + L"\\" + ProgramName() + L"-" + std::to_wstring(::GetCurrentProcessId());
    // Readers poll for the final name: it must never name a half-written file.
    const std::wstring temporary = base + L".tmp";
    return test::WriteFileBytes(temporary, Utf8(text)) &&
           ::MoveFileExW(temporary.c_str(), (base + L".txt").c_str(), MOVEFILE_REPLACE_EXISTING);
}

DWORD Deadline::Remaining() const {
    const ULONGLONG now = ::GetTickCount64();
    return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
}

std::wstring FindSolverIn(std::wstring_view folder) {
    const std::wstring base(folder);
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW((base + L"\\fl*s.exe").c_str(), &entry));
    if (!find) return L"";
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return base + L"\\" + entry.cFileName;
    } while (::FindNextFileW(find.get(), &entry));
    return L"";
}

std::wstring SolverWindowClassInForce() {
    const std::wstring chosen = ReadEnvironmentVariable(WindowClassVariable);
    return chosen.empty() ? SolverWindowClass : chosen;
}

HWND WaitForSolverWindow(const ProcessHandles& process, DWORD timeoutMs) {
    const Deadline deadline(timeoutMs);
    const std::wstring windowClass = SolverWindowClassInForce();
    for (;;) {
        for (HWND window : test::TopLevelWindowsOf(process.processId))
            if (test::ClassNameOf(window) == windowClass) return window;
        if (deadline.Passed()) return nullptr;
        // Doubles as the pause between rounds: a solver that ends will never show its window.
        if (::WaitForSingleObject(process.process.get(), 20) == WAIT_OBJECT_0) return nullptr;
    }
}

namespace {

BOOL CALLBACK FindLauncher(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wcscmp(className, L"#32770") != 0 || !::GetDlgItem(window, IDC_FLUENT_LIST))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

} // namespace

HWND WaitForLauncherDialog(const Deadline& deadline) {
    for (;;) {
        HWND found = nullptr;
        ::EnumWindows(&FindLauncher, reinterpret_cast<LPARAM>(&found));
        if (found || deadline.Passed()) return found;
        ::Sleep(100);
    }
}

} // namespace qv::fake
