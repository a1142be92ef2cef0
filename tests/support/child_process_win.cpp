#include "tests/support/child_process_win.h"

#include "base/text.h"
#include "tests/support/process_environment_win.h"

#include <tlhelp32.h>

#include <cstdint>
#include <map>
#include <string_view>

namespace qv::test {
namespace {

// This process's environment with the changes applied, as a sorted block.
std::wstring EnvironmentBlock(const std::vector<std::wstring>& changes) {
    std::map<std::wstring, std::wstring> variables;
    for (const std::wstring& entry : EnvironmentEntries()) {
        // Names of the hidden per-drive variables ("=C:") begin with "=": look past it.
        const std::size_t equals = entry.find(L'=', 1);
        if (equals != std::wstring::npos)
            variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    for (const auto& change : changes) {
        const std::size_t equals = change.find(L'=');
        const std::wstring name = change.substr(0, equals);
        const std::wstring value = equals == std::wstring::npos ? L"" : change.substr(equals + 1);
        if (value.empty())
            variables.erase(name);
        else
            variables[name] = value;
    }
    std::wstring result;
    for (const auto& [name, value] : variables)
        result += name + L"=" + value + L'\0';
    return result + L'\0';
}

// Each process whose image lies below the folder, opened to be queried, ended and waited for.
template <typename Visit> void ForEachProgramBelow(const std::wstring& folder, Visit visit) {
    const std::wstring below = ToLower(folder) + L"\\";
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{sizeof(entry)};
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        UniqueHandle process(
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE,
                          FALSE, entry.th32ProcessID));
        wchar_t image[MAX_PATH * 2] = {};
        DWORD size = MAX_PATH * 2;
        if (process && ::QueryFullProcessImageNameW(process.get(), 0, image, &size) &&
            StartsWith(ToLower(image), below))
            visit(process.get());
    }
}

// Whether the file begins as a Windows program does: "MZ", and "PE\0\0" where it points. Wine
// starts any other program as a Unix one and then fills in no handles, so that the caller would
// adopt, and close, whatever happened to be in them.
bool IsWindowsProgram(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    const auto readAt = [&file](LONG offset, void* into, DWORD size) {
        DWORD read = 0;
        return ::SetFilePointer(file.get(), offset, nullptr, FILE_BEGIN) !=
                   INVALID_SET_FILE_POINTER &&
               ::ReadFile(file.get(), into, size, &read, nullptr) && read == size;
    };
    char mz[2] = {}, pe[4] = {};
    std::uint32_t peAt = 0;
    return readAt(0, mz, 2) && mz[0] == 'M' && mz[1] == 'Z' && readAt(0x3C, &peAt, 4) &&
           peAt < 0x10000000 && readAt(static_cast<LONG>(peAt), pe, 4) &&
           std::string_view(pe, 4) == std::string_view("PE\0\0", 4);
}

} // namespace

ProcessHandles StartProgram(const std::wstring& exe, std::wstring commandLine,
                            const StartOptions& options) {
    ProcessHandles handles;
    if (!IsWindowsProgram(exe)) {
        handles.error = ERROR_BAD_EXE_FORMAT;
        return handles;
    }
    std::wstring environment;
    if (!options.environmentChanges.empty())
        environment = EnvironmentBlock(options.environmentChanges);
    STARTUPINFOW startup{sizeof(startup)};
    if (options.hidden) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    PROCESS_INFORMATION info{};
    const DWORD flags = (environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT) |
                        (options.detached ? DETACHED_PROCESS : 0);
    // CreateProcessW may write into the command line: it gets this private copy.
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                          environment.empty() ? nullptr : environment.data(),
                          options.currentFolder.empty() ? nullptr : options.currentFolder.c_str(),
                          &startup, &info)) {
        handles.error = ::GetLastError();
        return handles;
    }
    // Adopted only when they are the started process's: never close a handle of another owner.
    if (!info.hProcess || ::GetProcessId(info.hProcess) != info.dwProcessId || !info.dwProcessId) {
        handles.error = ERROR_INVALID_HANDLE;
        return handles;
    }
    handles.process.reset(info.hProcess);
    handles.thread.reset(info.hThread);
    handles.processId = info.dwProcessId;
    return handles;
}

void EndProgramsBelow(const std::wstring& folder) {
    ForEachProgramBelow(folder, [](HANDLE process) {
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, 5000);
    });
}

int ProgramsRunningBelow(const std::wstring& folder) {
    int count = 0;
    ForEachProgramBelow(folder, [&count](HANDLE process) {
        if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) ++count;
    });
    return count;
}

} // namespace qv::test
