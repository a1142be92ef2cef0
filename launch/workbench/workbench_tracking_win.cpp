#include "launch/workbench/workbench_tracking_win.h"

#include "base/folder_picker_win.h"
#include "base/handles_win.h"
#include "base/launch_log_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "texts/launch_texts.h"

#include <tlhelp32.h>

#include <vector>

namespace qv {

namespace {

using NtStatus = LONG;
constexpr int BasicInformationClass = 0;
constexpr int MemoryBasicInformationClass = 0;

using QueryInformation32 = NtStatus(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
using ReadMemory32 = NtStatus(NTAPI*)(HANDLE, void*, void*, SIZE_T, SIZE_T*);
using QueryMemory32 = NtStatus(NTAPI*)(HANDLE, void*, int, void*, SIZE_T, SIZE_T*);
using QueryInformation64 = NtStatus(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
using ReadMemory64 = NtStatus(NTAPI*)(HANDLE, ULONGLONG, void*, ULONGLONG, ULONGLONG*);
using QueryMemory64 = NtStatus(NTAPI*)(HANDLE, ULONGLONG, int, void*, ULONGLONG, ULONGLONG*);

template <typename Function> Function Lookup(const char* name) {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(ntdll, name)))
               : nullptr;
}

// The ordinary functions, for 32-bit Windows.
class Memory32 final : public RemoteMemory {
  public:
    explicit Memory32(HANDLE process) : process_(process) {}
    bool Complete(bool queryRegion) const {
        return query_ && read_ && (queryMemory_ || !queryRegion);
    }
    bool BasicInformation(std::uint8_t* buffer, std::size_t size) {
        return query_(process_, BasicInformationClass, buffer, static_cast<ULONG>(size), nullptr) ==
               0;
    }
    bool Read(std::uint64_t address, std::uint8_t* buffer, std::size_t size) override {
        if (address > 0xFFFFFFFFu) return false;
        SIZE_T read = 0;
        return read_(process_, reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)),
                     buffer, size, &read) == 0 &&
               read == size;
    }
    bool Query(std::uint64_t address, std::uint8_t* buffer, std::size_t size) override {
        if (address > 0xFFFFFFFFu) return false;
        return queryMemory_(process_, reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)),
                            MemoryBasicInformationClass, buffer, size, nullptr) == 0;
    }

  private:
    HANDLE process_;
    QueryInformation32 query_ = Lookup<QueryInformation32>("NtQueryInformationProcess");
    ReadMemory32 read_ = Lookup<ReadMemory32>("NtReadVirtualMemory");
    QueryMemory32 queryMemory_ = Lookup<QueryMemory32>("NtQueryVirtualMemory");
};

// The functions with which a 32-bit program reads a 64-bit address space. Some platforms lack
// them (Wine's 32-bit ntdll among them): the reading then fails as a whole.
class Memory64 final : public RemoteMemory {
  public:
    explicit Memory64(HANDLE process) : process_(process) {}
    // The region query is used only where the environment's size is not recorded (before
    // Vista): a system without it still reads every other way.
    bool Complete(bool queryRegion) const {
        return query_ && read_ && (queryMemory_ || !queryRegion);
    }
    bool BasicInformation(std::uint8_t* buffer, std::size_t size) {
        return query_(process_, BasicInformationClass, buffer, static_cast<ULONG>(size), nullptr) ==
               0;
    }
    bool Read(std::uint64_t address, std::uint8_t* buffer, std::size_t size) override {
        ULONGLONG read = 0;
        return read_(process_, address, buffer, size, &read) == 0 && read == size;
    }
    bool Query(std::uint64_t address, std::uint8_t* buffer, std::size_t size) override {
        return queryMemory_(process_, address, MemoryBasicInformationClass, buffer, size,
                            nullptr) == 0;
    }

  private:
    HANDLE process_;
    QueryInformation64 query_ = Lookup<QueryInformation64>("NtWow64QueryInformationProcess64");
    ReadMemory64 read_ = Lookup<ReadMemory64>("NtWow64ReadVirtualMemory64");
    QueryMemory64 queryMemory_ = Lookup<QueryMemory64>("NtWow64QueryVirtualMemory64");
};

template <typename Memory>
RemoteVariable ReadWith(Memory& memory, const ProcessLayout& layout, std::wstring_view name,
                        bool queryRegion) {
    EnvironmentReading reading;
    reading.recordedSize = IsVistaOrLater();
    reading.queryRegion = queryRegion || !reading.recordedSize;
    if (!memory.Complete(reading.queryRegion)) return {};
    std::vector<std::uint8_t> basic(layout.basicInformationSize);
    if (!memory.BasicInformation(basic.data(), basic.size())) return {};
    return ReadRemoteVariable(layout, basic.data(), basic.size(), memory, name, reading);
}

} // namespace

RemoteVariable ReadRemoteEnvironmentVariable(bool windows64, HWND owner, std::uint32_t processId,
                                             std::wstring_view name) {
    UniqueHandle process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) {
        LogFailure(L"open Workbench's process to read its environment", std::to_wstring(processId),
                   ::GetLastError());
        ShowMessage(owner, launch_texts::RemoteProcessUnreadable,
                    launch_texts::RemoteProcessCaption, MB_OK | MB_ICONERROR | MB_TOPMOST);
        return {};
    }
    if (windows64) {
        Memory64 memory(process.get());
        return ReadWith(memory, Layout64, name, false);
    }
    Memory32 memory(process.get());
    return ReadWith(memory, Layout32, name, true);
}

bool IsWorkbenchRunningForLauncher(HWND owner) {
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    const DWORD self = ::GetCurrentProcessId();
    const bool windows64 = IsWindows64Bit();
    PROCESSENTRY32W entry{sizeof(entry)};
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (!EqualsNoCase(entry.szExeFile, L"RunWB2.exe") || entry.th32ProcessID == self) continue;
        if (ReadRemoteEnvironmentVariable(windows64, owner, entry.th32ProcessID,
                                          L"__SharedLauncherWnd__")
                .result != 0)
            return true;
    }
    return false;
}

} // namespace qv
