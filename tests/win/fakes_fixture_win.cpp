#include "tests/win/fakes_fixture_win.h"

#include "base/environment_win.h"
#include "base/text.h"

namespace qv::test {

using namespace std::chrono_literals;

ScopedVariable::ScopedVariable(std::wstring name, std::wstring_view value)
    : name_(std::move(name)), saved_(FindEnvironmentVariable(name_)) {
    SetEnvironmentVariableText(name_, value);
}

ScopedVariable::~ScopedVariable() {
    if (saved_) SetEnvironmentVariableText(name_, *saved_);
    else RemoveEnvironmentVariable(name_);
}

namespace {

ATOM RegisterLauncherClass(WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = sizeof(LONG_PTR); // the owner: user data belongs to the contract
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QvLauncherStandIn";
    return ::RegisterClassW(&windowClass);
}

BOOL CALLBACK MatchFluentWindow(HWND window, LPARAM parameter) {
    if (!::IsWindowVisible(window) || !Contains(ClassNameOf(window), fake::SolverWindowClass) ||
        !Contains(ToLower(TextOf(window)), L"fluent"))
        return TRUE;
    auto* found = reinterpret_cast<SolverFound*>(parameter);
    found->window = window;
    ::GetWindowThreadProcessId(window, &found->processId);
    return FALSE;
}

} // namespace

LauncherWindow::LauncherWindow() {
    static const ATOM windowClass = RegisterLauncherClass(&Procedure);
    window_.reset(::CreateWindowExW(0, MAKEINTATOM(windowClass), L"Launcher stand-in", WS_OVERLAPPED, 0, 0, 200,
                                    100, nullptr, nullptr, ::GetModuleHandleW(nullptr), this));
}

LRESULT CALLBACK LauncherWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == fake::CloseSignal) {
        if (auto* self = reinterpret_cast<LauncherWindow*>(::GetWindowLongPtrW(window, 0)))
            self->signals_.push_back(wParam);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

FakesTest::~FakesTest() {
    for (const auto& process : toEnd_) {
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 5000);
    }
}

FakesTest::Installation FakesTest::LayOut(const std::wstring& release, const std::wstring& versionText,
                                          bool is64Bit, bool fluentOnD) {
    const std::wstring ansys = (fluentOnD ? dDrive_ : cDrive_) / L"Program Files\\ANSYS Inc\\v";
    const std::wstring product = (fluentOnD ? cDrive_ : dDrive_) / L"Q uorvex";
    return {LayOutFluent(fakes_, ansys + RemoveAll(versionText, L".") + L"\\fluent", release, is64Bit),
            LayOutProductFolder(fakes_, product, {versionText})};
}

ProcessHandles FakesTest::Start(const std::wstring& exe, const std::wstring& commandLine) {
    ProcessHandles handles;
    std::wstring writable = commandLine;
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(exe.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, home_.Path().c_str(),
                         &startup, &info)) {
        handles.process.reset(info.hProcess);
        handles.thread.reset(info.hThread);
        handles.processId = info.dwProcessId;
        EndWithTest(info.dwProcessId);
    }
    return handles;
}

SolverFound FakesTest::FindSolver() {
    SolverFound found;
    WaitUntil(
        [&] {
            ::EnumWindows(&MatchFluentWindow, reinterpret_cast<LPARAM>(&found));
            return found.window != nullptr;
        },
        20s);
    if (found.processId) EndWithTest(found.processId);
    return found;
}

bool FakesTest::WaitForSignal() {
    return WaitUntil([&] { return !launcher_.Signals().empty(); }, 20s);
}

std::optional<FakeRecord> FakesTest::SolverRecord(DWORD processId) const {
    return WaitForFakeRecord(records_.Path(), L"fl2520s", processId);
}

void FakesTest::EndWithTest(DWORD processId) {
    UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (process) toEnd_.push_back(std::move(process));
}

bool HasEnded(const ProcessHandles& process) {
    return ::WaitForSingleObject(process.process.get(), 0) == WAIT_OBJECT_0;
}

} // namespace qv::test
