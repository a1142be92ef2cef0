#include "tests/win/fakes_fixture_win.h"

#include "base/text.h"

#include <cstdio>

namespace qv::test {

using namespace std::chrono_literals;

namespace {

ATOM RegisterLauncherClass(WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = sizeof(LONG_PTR); // the owner: user data belongs to the contract
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW); // as a dialog's
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
    window_.reset(::CreateWindowExW(0, MAKEINTATOM(windowClass), L"Launcher stand-in",
                                    WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), this));
}

LRESULT CALLBACK LauncherWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == fake::CloseSignal) {
        if (auto* self = reinterpret_cast<LauncherWindow*>(::GetWindowLongPtrW(window, 0))) {
            self->signals_.push_back(wParam);
            if (self->onSignal) self->onSignal();
        }
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void FakesTest::SetUp() {
    ASSERT_TRUE(launcher_.get());
    ASSERT_TRUE(recordFolder_.Set(records_.Path()));
    ASSERT_TRUE(launcherVariable_.Set(launcher_.Decimal()));
    ASSERT_TRUE(lifetime_.Set(L"30000"));
}

FakesTest::~FakesTest() {
    for (const auto& process : toEnd_) {
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 5000);
    }
}

FakesTest::Installation FakesTest::LayOut(const std::wstring& release,
                                          const std::wstring& versionText, bool is64Bit,
                                          bool fluentOnD) {
    const std::wstring ansys = (fluentOnD ? dDrive_ : cDrive_) / L"Program Files\\ANSYS Inc\\v";
    const std::wstring product = (fluentOnD ? cDrive_ : dDrive_) / L"Q uorvex";
    return {
        LayOutFluent(fakes_, ansys + RemoveAll(versionText, L".") + L"\\fluent", release, is64Bit),
        LayOutProductFolder(fakes_, product, {versionText})};
}

ProcessHandles FakesTest::Start(const std::wstring& exe, const std::wstring& commandLine) {
    StartOptions options;
    options.currentFolder = home_.Path();
    options.hidden = true;
    ProcessHandles handles = StartProgram(exe, commandLine, options);
    if (handles.process)
        EndWithTest(handles.processId);
    else // told with its error, for the test that then fails on it
        std::fwprintf(stderr, L"cannot start %ls: error %lu\n", exe.c_str(), ::GetLastError());
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
