#include "base/held_file_win.h"

#include "base/launch_log_win.h"
#include "base/message_wait_win.h"
#include "base/system_library_win.h"

#include <restartmanager.h>

#include <string>
#include <vector>

namespace qv {

namespace {

// Restart Manager is needed only when a file is held: loaded then, from the system folder.
#define QV_RESTART_MANAGER(name)                                                                   \
    static const auto name = SystemFunction<decltype(&::name)>(L"rstrtmgr.dll", #name)

// A Restart Manager session, ended with the object.
class RestartManagerSession {
  public:
    RestartManagerSession() {
        QV_RESTART_MANAGER(RmStartSession);
        WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
        started_ = RmStartSession && RmStartSession(&handle_, 0, key) == ERROR_SUCCESS;
    }
    ~RestartManagerSession() {
        QV_RESTART_MANAGER(RmEndSession);
        if (started_ && RmEndSession) RmEndSession(handle_);
    }
    RestartManagerSession(const RestartManagerSession&) = delete;
    RestartManagerSession& operator=(const RestartManagerSession&) = delete;
    bool Started() const { return started_; }
    DWORD Handle() const { return handle_; }

  private:
    DWORD handle_ = 0;
    bool started_ = false;
};

std::vector<RM_PROCESS_INFO> HoldingProcesses(const std::wstring& path) {
    QV_RESTART_MANAGER(RmRegisterResources);
    QV_RESTART_MANAGER(RmGetList);
    const RestartManagerSession session;
    LPCWSTR files[] = {path.c_str()};
    if (!session.Started() || !RmRegisterResources || !RmGetList ||
        RmRegisterResources(session.Handle(), 1, files, 0, nullptr, 0, nullptr) != ERROR_SUCCESS)
        return {};
    // The list may grow between the two calls: asked again with the size it then needs.
    std::vector<RM_PROCESS_INFO> processes;
    for (int round = 0; round < 3; ++round) {
        UINT needed = 0;
        UINT count = static_cast<UINT>(processes.size());
        DWORD reasons = 0;
        const DWORD result =
            RmGetList(session.Handle(), &needed, &count, processes.data(), &reasons);
        if (result == ERROR_SUCCESS) {
            processes.resize(count);
            return processes;
        }
        if (result != ERROR_MORE_DATA) return {};
        processes.resize(needed);
    }
    return {};
}

std::wstring WaitedText(ULONGLONG waitedMs, std::wstring_view path) {
    return L"waited " + std::to_wstring(waitedMs) + L" ms for " + std::wstring(path) +
           L", held by another program";
}

std::wstring HoldersText(std::wstring_view path) {
    const std::wstring holders = FileHolders(path);
    return holders.empty() ? L"" : L" (" + holders + L")";
}

} // namespace

std::wstring FileHolders(std::wstring_view path) {
    std::wstring text;
    for (const RM_PROCESS_INFO& process : HoldingProcesses(std::wstring(path))) {
        if (!text.empty()) text += L", ";
        text += std::wstring(process.strAppName) + L" (" +
                std::to_wstring(process.Process.dwProcessId) + L")";
    }
    return text;
}

bool HeldFileWait::Attempt(std::wstring_view path, FileWork work,
                           const std::function<bool()>& attempt) {
    const ULONGLONG started = ::GetTickCount64();
    std::wstring holders;
    bool waited = false;
    for (;;) {
        if (attempt()) break;
        const DWORD error = ::GetLastError();
        const bool passing = IsPassingHold(error, work);
        const std::optional<std::uint32_t> pause = passing ? HoldPause(pausesTaken_) : std::nullopt;
        // Asked while the file is still held: afterwards its holder may be gone.
        if (passing && holders.empty()) holders = HoldersText(path);
        // A quit on the way belongs to the loop outside: no more waiting.
        if (!pause || WaitHandlingMessages(nullptr, *pause) == WaitEnd::Quit) {
            if (waited)
                Log(LogLevel::Warning,
                    WaitedText(::GetTickCount64() - started, path) + holders + L", in vain");
            ::SetLastError(error);
            return false;
        }
        ++pausesTaken_;
        waited = true;
    }
    if (waited) Log(WaitedText(::GetTickCount64() - started, path) + holders);
    return true;
}

} // namespace qv
