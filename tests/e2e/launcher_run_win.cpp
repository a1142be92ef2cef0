#include "tests/e2e/launcher_run_win.h"

#include "resources/resource.h"
#include "tests/support/launch_log_reading_win.h"
#include "tests/support/test_support_win.h"

#include <cstdio>

namespace qv::e2e {

using namespace std::chrono_literals;

namespace {

constexpr wchar_t DialogClass[] = L"#32770";

// The end of a text: the last lines of the log say how far a start that hung came.
std::wstring LastLines(const std::wstring& text, int count) {
    std::size_t from = text.size(); // the text ends with its last line's line break
    for (int line = 0; line <= count; ++line) {
        if (from == 0 || (from = text.rfind(L'\n', from - 1)) == std::wstring::npos) return text;
    }
    return text.substr(from + 1);
}

} // namespace

std::wstring LauncherExe() {
    return test::PathFromEnvironment("QV_LAUNCHER_EXE");
}

std::wstring MessageText(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (test::ClassNameOf(child) == L"Static" && !test::TextOf(child).empty())
            return test::TextOf(child);
    return L"";
}

void Press(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool CloseWith(HWND dialog, int id) {
    Press(dialog, id);
    return test::WaitUntil([dialog] { return !::IsWindow(dialog); });
}

LauncherRun::LauncherRun(std::vector<std::wstring> environment, FirstWindow first,
                         const std::wstring& exe) {
    test::StartOptions options;
    options.environmentChanges = std::move(environment);
    // As started from the desktop, without the tests' console: a console program the launcher
    // starts would otherwise share that console and never show whether it got a window.
    options.detached = true;
    handles_ = test::StartProgram(exe, L"\"" + exe + L"\"", options);
    if (first == FirstWindow::MainDialog)
        test::WaitUntil(
            [this] { return (dialog_ = DialogWith(IDC_FLUENT_LIST)) != nullptr || HasExited(); });
    // A test then stops at its first look at the dialog; this says what the launcher did instead.
    if (first == FirstWindow::MainDialog && !dialog_)
        std::fwprintf(stderr, L"launcher: no main dialog: %ls; the launch log ends:\n%ls\n",
                      Describe().c_str(), LastLines(test::ReadLaunchLog(), 8).c_str());
}

LauncherRun::~LauncherRun() {
    if (!HasExited()) ::TerminateProcess(handles_.process.get(), 1);
    ::WaitForSingleObject(handles_.process.get(), 10000);
}

std::wstring LauncherRun::Text(int id) const {
    return test::TextOf(Item(id));
}

void LauncherRun::SetText(int id, const std::wstring& text) const {
    ::SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool LauncherRun::HasExited() const {
    return ::WaitForSingleObject(handles_.process.get(), 0) == WAIT_OBJECT_0;
}

// Long enough for a launch through the stand-ins to end the launcher.
bool LauncherRun::WaitForExit() const {
    return test::WaitUntil([this] { return HasExited(); }, 30s);
}

DWORD LauncherRun::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(handles_.process.get(), &code);
    return code;
}

bool LauncherRun::Close() const {
    ::PostMessageW(dialog_, WM_CLOSE, 0, 0);
    return WaitForExit();
}

void LauncherRun::Command(int id) const {
    ::PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// A round trip of a sent message does not do: a thread handles the messages sent to it before
// those posted to it. So a marker is posted after them, a flip of the count box's modified flag
// (which the launcher never reads), and put back once it came through.
bool LauncherRun::WaitForPostedCommands() const {
    HWND box = Item(IDC_PROCESS_COUNT);
    auto modified = [box] { return ::SendMessageW(box, EM_GETMODIFY, 0, 0) != 0; };
    const bool before = modified();
    if (!::PostMessageW(box, EM_SETMODIFY, !before, 0)) return false;
    const bool handled =
        test::WaitUntil([&] { return modified() != before || HasExited(); }) && !HasExited();
    ::SendMessageW(box, EM_SETMODIFY, before, 0);
    return handled;
}

HWND LauncherRun::FindOtherDialog() const {
    for (HWND window : test::TopLevelWindowsOf(handles_.processId))
        if (window != dialog_ && test::ClassNameOf(window) == DialogClass) return window;
    return nullptr;
}

HWND LauncherRun::WaitForOtherDialog() const {
    HWND found = nullptr;
    test::WaitUntil([&] { return (found = FindOtherDialog()) != nullptr; });
    return found;
}

bool LauncherRun::ShowsOtherDialog() const {
    return FindOtherDialog() != nullptr || (dialog_ && !::IsWindowEnabled(dialog_));
}

HWND LauncherRun::DialogWith(int controlId) const {
    for (HWND window : test::TopLevelWindowsOf(handles_.processId))
        if (test::ClassNameOf(window) == DialogClass && ::GetDlgItem(window, controlId))
            return window;
    return nullptr;
}

HWND LauncherRun::WaitForDialogWith(int controlId) const {
    HWND found = nullptr;
    test::WaitUntil([&] { return (found = DialogWith(controlId)) != nullptr; });
    return found;
}

DWORD LauncherRun::WaitForRecordedProcess() const {
    DWORD id = 0;
    test::WaitUntil([&] {
        id = static_cast<DWORD>(::GetWindowLongPtrW(dialog_, GWLP_USERDATA));
        return id != 0 || HasExited();
    });
    return id;
}

std::wstring LauncherRun::Describe() const {
    if (HasExited()) return L"the launcher ended with exit code " + std::to_wstring(ExitCode());
    const HWND other = FindOtherDialog();
    if (!other) return L"the launcher shows no other dialog";
    return L"the launcher shows \"" + test::TextOf(other) + L": " + MessageText(other) + L"\"";
}

} // namespace qv::e2e
