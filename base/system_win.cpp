#include "base/system_win.h"

#include "base/handles_win.h"

namespace qv {

std::wstring SystemFolderFile(std::wstring_view name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder, length) + L"\\" + std::wstring(name);
}

std::wstring WindowsVersionText() {
    // GetVersionExW answers what the manifest promises; ntdll tells the truth and is always
    // loaded.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion = reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info{sizeof(info)};
    if (!getVersion || getVersion(&info) != 0) return L"(unknown)";
    return std::to_wstring(info.dwMajorVersion) + L"." + std::to_wstring(info.dwMinorVersion) +
           L"." + std::to_wstring(info.dwBuildNumber);
}

// Asked once: for a 32-bit process the answer is a round trip to the system each time.
bool IsWindows64Bit() {
    static const bool windows64 = [] {
        SYSTEM_INFO info{};
        ::GetNativeSystemInfo(&info);
        return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
               info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
    }();
    return windows64;
}

bool IsUserAdministrator() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    UniqueSid administrators;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                    DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                    administrators.put()))
        return false;
    BOOL member = FALSE;
    if (!::CheckTokenMembership(nullptr, administrators.get(), &member)) return false;
    return member != FALSE;
}

} // namespace qv
