#include "tests/e2e/launch_sandbox_win.h"

#include "base/registry_win.h"
#include "base/text.h"
#include "resources/resource.h"
#include "tests/fakes/fake_record.h"

namespace qv::e2e {

using namespace std::chrono_literals;

std::wstring StaticText(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (test::ClassNameOf(child) == L"Static" && !test::TextOf(child).empty())
            return test::TextOf(child);
    return L"";
}

Sandbox::Sandbox(const std::wstring& release, const std::wstring& version, bool fluent64) {
    const bool windows64 = test::RunsInWin64Prefix();
    fluent = test::LayOutFluent(fakes, fluentRoot + L"\\v" + RemoveAll(version, L".") + L"\\fluent",
                                release, fluent64);
    product = test::LayOutProductFolder(fakes, productRoot.Path() + L"\\Q uorvex", {version});
    const test::SimulatedVisualStudio vs =
        test::LayOutVisualStudio2019(fakes, visualStudio, windows64);
    ok = fluent.complete && product.complete && vs.complete &&
         test::PlaceFakeProgram(fakes, L"VsRegEdit.exe", false, L"C:\\Program.exe") &&
         settings.SetString(L"FluentPathsUsed", fluent.fluentFolder) &&
         settings.SetString(L"FluentStartPath", startFolder.Path());
    settingsTool = vs.settingsTool;
    toolsFolder = visualStudio + L"\\Common7\\Tools";
}

Sandbox::~Sandbox() {
    for (const std::wstring& folder : {fluentRoot, visualStudio, productRoot.Path()})
        test::EndProgramsBelow(folder);
}

std::vector<std::wstring> Sandbox::Environment(std::vector<std::wstring> more) const {
    more.push_back(L"QUORVEX_PATH=" + product.folder);
    more.push_back(std::wstring(fake::RecordDirVariable) + L"=" + records.Path());
    more.push_back(std::wstring(fake::LifetimeVariable) + L"=30000");
    more.push_back(std::wstring(fake::SignalGateVariable) + L"=" + Gate());
    return more;
}

bool Sandbox::OpenGate() const {
    return test::WriteFileBytes(Gate(), "open");
}

Launcher::Launcher(const std::vector<std::wstring>& environment) {
    const std::wstring exe = test::PathFromEnvironment("QV_LAUNCHER_EXE");
    test::StartOptions options;
    options.environmentChanges = environment;
    handles_ = test::StartProgram(exe, L"\"" + exe + L"\"", options);
    test::WaitUntil([this] { return (dialog_ = FindDialog()) != nullptr || HasExited(); });
}

Launcher::~Launcher() {
    if (!HasExited()) ::TerminateProcess(handles_.process.get(), 1);
    ::WaitForSingleObject(handles_.process.get(), 10000);
}

bool Launcher::HasExited() const {
    return ::WaitForSingleObject(handles_.process.get(), 0) == WAIT_OBJECT_0;
}

bool Launcher::WaitForExit() {
    return test::WaitUntil([this] { return HasExited(); }, 30s);
}

DWORD Launcher::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(handles_.process.get(), &code);
    return code;
}

void Launcher::Press(HWND window, int id) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
}

HWND Launcher::WaitForSecondDialog() const {
    HWND found = nullptr;
    test::WaitUntil([&] {
        for (HWND window : test::TopLevelWindowsOf(handles_.processId))
            if (window != dialog_ && test::ClassNameOf(window) == L"#32770")
                return (found = window) != nullptr;
        return false;
    });
    return found;
}

bool Launcher::ShowsSecondDialog() const {
    for (HWND window : test::TopLevelWindowsOf(handles_.processId))
        if (window != dialog_ && test::ClassNameOf(window) == L"#32770") return true;
    return false;
}

DWORD Launcher::WaitForRecordedProcess() const {
    DWORD id = 0;
    test::WaitUntil([&] {
        id = static_cast<DWORD>(::GetWindowLongPtrW(dialog_, GWLP_USERDATA));
        return id != 0 || HasExited();
    });
    return id;
}

HWND Launcher::FindDialog() const {
    for (HWND window : test::TopLevelWindowsOf(handles_.processId))
        if (test::ClassNameOf(window) == L"#32770" && ::GetDlgItem(window, IDC_FLUENT_LIST))
            return window;
    return nullptr;
}

} // namespace qv::e2e
