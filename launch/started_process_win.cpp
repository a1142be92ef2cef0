#include "launch/started_process_win.h"

#include "base/handles_win.h"
#include "base/text.h"

#include <tlhelp32.h>

namespace qv {

bool IsStartedProcessAlive(std::uint32_t id) {
    if (id == 0) return false;
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32W entry{sizeof(entry)};
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == id && Contains(ToLower(entry.szExeFile), L".exe")) return true;
    }
    return false;
}

} // namespace qv
