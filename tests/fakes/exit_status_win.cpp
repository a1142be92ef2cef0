// Ends with a known exit code, so that the test run can check that Wine hands a program's exit
// code to the script that started it.
//   exit_status exit N   returns N at once.
//   exit_status windows  works with another process's window, as the demo's hand on OK does:
//                        starts a copy of itself that shows a window, finds that window, sends
//                        it a message and waits for the copy to end; 0 when all of that worked,
//                        10 and up at the step that failed.
//   exit_status window   the copy: shows the window and ends with 0 once it got the message.
//   exit_status tell     finds that window, shown by a program started apart, and sends it the
//                        message; 0 when it answered.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t WindowClass[] = L"QvExitStatusWindow";
constexpr UINT EndMessage = WM_APP + 7;
constexpr LRESULT EndAnswer = 0x5157;
constexpr DWORD WaitMs = 60000;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EndMessage) {
        ::PostQuitMessage(0);
        return EndAnswer;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

int ShowWindowUntilTold() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = WindowClass;
    if (!::RegisterClassW(&windowClass)) return 20;
    HWND window = ::CreateWindowW(WindowClass, L"exit status", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                  0, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 21;
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&message);
    return 0;
}

// 0 once the window of another process got the message, 12 when none showed, 13 when it did
// not answer.
int TellWindowToEnd() {
    HWND window = nullptr;
    const ULONGLONG end = ::GetTickCount64() + WaitMs;
    while (!(window = ::FindWindowW(WindowClass, nullptr)) && ::GetTickCount64() < end)
        ::Sleep(50);
    if (!window) return 12;
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, EndMessage, 0, 0, SMTO_ABORTIFHUNG, WaitMs, &answer) ||
        answer != EndAnswer)
        return 13;
    return 0;
}

int WorkWithAnotherProcessWindow() {
    wchar_t self[MAX_PATH] = {};
    if (!::GetModuleFileNameW(nullptr, self, MAX_PATH)) return 10;
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" window";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION child{};
    if (!::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &child))
        return 11;
    ::CloseHandle(child.hThread);
    int result = TellWindowToEnd();
    DWORD childCode = 1;
    if (::WaitForSingleObject(child.hProcess, WaitMs) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(child.hProcess, &childCode))
        result = result ? result : 14;
    else if (childCode != 0)
        result = result ? result : 15;
    ::CloseHandle(child.hProcess);
    return result;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"exit" && argc > 2) return std::wcstol(argv[2], nullptr, 10);
    if (mode == L"windows") return WorkWithAnotherProcessWindow();
    if (mode == L"window") return ShowWindowUntilTold();
    if (mode == L"tell") return TellWindowToEnd();
    return 2;
}
