#include "tests/win/coupling_support_win.h"

#include "base/launch_log_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <algorithm>

namespace qv::test {

namespace {

UniqueHandle RestrictedImpersonationToken() {
    UniqueHandle process;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, process.put())) return {};
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    UniqueSid administrators;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                    DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                    administrators.put()))
        return {};
    SID_AND_ATTRIBUTES denyOnly{administrators.get(), 0};
    UniqueHandle restricted;
    if (!::CreateRestrictedToken(process.get(), 0, 1, &denyOnly, 0, nullptr, 0, nullptr,
                                 restricted.put()))
        return {};
    UniqueHandle impersonation;
    if (!::DuplicateToken(restricted.get(), SecurityImpersonation, impersonation.put())) return {};
    return impersonation;
}

} // namespace

ScopedNonAdministrator::ScopedNonAdministrator() {
    const UniqueHandle token = RestrictedImpersonationToken();
    active_ = token && ::SetThreadToken(nullptr, token.get());
    EXPECT_TRUE(active_) << "cannot act without the Administrators group";
}

ScopedNonAdministrator::~ScopedNonAdministrator() {
    if (active_) {
        EXPECT_TRUE(::RevertToSelf());
    }
}

HeldFile::HeldFile(const std::wstring& how, const std::wstring& path, DWORD letGoAfterMs) {
    static unsigned counter = 0;
    const std::wstring eventName = L"qv-held-file-" + std::to_wstring(::GetCurrentProcessId()) +
                                   L"-" + std::to_wstring(++counter);
    const UniqueHandle ready = CreateNamedEvent(eventName);
    if (!ready) return;
    const std::wstring exe = FakeProgramFoldersFromEnvironment().Runnable() + L"\\FileHolder.exe";
    const std::wstring lifetime = letGoAfterMs ? L" " + std::to_wstring(letGoAfterMs) : L"";
    holder_ = StartProgram(
        exe, L"FileHolder.exe " + how + L" \"" + path + L"\" " + eventName + lifetime, {});
    if (!holder_.process) {
        ADD_FAILURE() << "cannot start " << exe << ": error " << holder_.error << ": "
                      << SystemErrorText(holder_.error);
        return;
    }
    const HANDLE waits[] = {ready.get(), holder_.process.get()};
    holds_ = ::WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
    EXPECT_TRUE(holds_) << "the holder did not get hold of " << path;
}

HeldFile::~HeldFile() {
    if (!holder_.process) return;
    ::TerminateProcess(holder_.process.get(), 0);
    EXPECT_EQ(::WaitForSingleObject(holder_.process.get(), 20000), WAIT_OBJECT_0);
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find.get(), &entry));
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

std::vector<DWORD> ProcessIdsNamed(const std::wstring& exeName) {
    std::vector<DWORD> ids;
    const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{sizeof entry};
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry))
        if (::lstrcmpiW(entry.szExeFile, exeName.c_str()) == 0) ids.push_back(entry.th32ProcessID);
    return ids;
}

} // namespace

int ProcessesNamed(const std::wstring& exeName) {
    return static_cast<int>(ProcessIdsNamed(exeName).size());
}

bool EndProcessesNamed(const std::wstring& exeName) {
    const std::vector<DWORD> ids = ProcessIdsNamed(exeName);
    for (DWORD id : ids) {
        const UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (process && ::TerminateProcess(process.get(), 0))
            ::WaitForSingleObject(process.get(), 20000);
    }
    return !ids.empty();
}

ULONGLONG LastWriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

} // namespace qv::test
