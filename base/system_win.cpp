#include "base/system_win.h"

#include "base/handles_win.h"

namespace qv {

bool IsWindows64Bit() {
    SYSTEM_INFO info{};
    ::GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
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
