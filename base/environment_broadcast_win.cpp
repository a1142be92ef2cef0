#include "base/environment_broadcast_win.h"

#include "base/handles_win.h"
#include "base/launch_log_win.h"

#include <mutex>
#include <string>
#include <vector>

namespace qv {

namespace {

constexpr UINT WindowAnswerMs = 2000;

struct Broadcasts {
    std::mutex lock;
    std::vector<UniqueHandle> threads;
};

// Never destroyed: a broadcast may still run while the process ends.
Broadcasts& TheBroadcasts() {
    static Broadcasts* const broadcasts = new Broadcasts;
    return *broadcasts;
}

DWORD WINAPI Broadcast(void*) {
    const ULONGLONG began = ::GetTickCount64();
    DWORD_PTR result = 0;
    const bool sent = ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                                            reinterpret_cast<LPARAM>(L"Environment"),
                                            SMTO_ABORTIFHUNG, WindowAnswerMs, &result) != 0;
    const DWORD error = sent ? 0 : ::GetLastError();
    const std::wstring took = std::to_wstring(::GetTickCount64() - began) + L" ms";
    if (sent)
        Log(L"environment change told to the top-level windows in " + took);
    else
        LogFailure(L"tell the top-level windows of the environment change (" + took + L")",
                   L"WM_SETTINGCHANGE", error, LogLevel::Warning);
    return 0;
}

} // namespace

void BroadcastEnvironmentChange() {
    UniqueHandle thread(::CreateThread(nullptr, 0, &Broadcast, nullptr, 0, nullptr));
    if (!thread) {
        // Without a thread of its own it is still sent: later than hoped beats never.
        Broadcast(nullptr);
        return;
    }
    Broadcasts& broadcasts = TheBroadcasts();
    const std::lock_guard<std::mutex> held(broadcasts.lock);
    broadcasts.threads.push_back(std::move(thread));
}

bool FinishEnvironmentBroadcasts(DWORD milliseconds) {
    std::vector<HANDLE> threads;
    Broadcasts& broadcasts = TheBroadcasts();
    {
        const std::lock_guard<std::mutex> held(broadcasts.lock);
        for (const UniqueHandle& thread : broadcasts.threads)
            threads.push_back(thread.get());
    }
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (HANDLE thread : threads) {
        for (;;) {
            const ULONGLONG now = ::GetTickCount64();
            const DWORD left = now < end ? static_cast<DWORD>(end - now) : 0;
            const DWORD waited = ::MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_ALLINPUT);
            if (waited == WAIT_OBJECT_0) break;
            if (waited != WAIT_OBJECT_0 + 1) return false;
            // Windows of this thread may be among those the broadcast waits for.
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
    }
    return true;
}

} // namespace qv
