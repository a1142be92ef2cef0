#include "tests/e2e/launch_sandbox_win.h"

#include "base/registry_win.h"
#include "base/text.h"
#include "tests/fakes/fake_record.h"

#include <shlobj.h>

namespace qv::e2e {

std::wstring ProfileFolder() {
    wchar_t folder[MAX_PATH] = {};
    return SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, 0, folder)) ? folder : L"";
}

UsersStartupFile::UsersStartupFile() {
    const std::wstring home = ProfileFolder();
    if (home.empty()) return;
    startup = home + L"\\.fluent";
    backup = home + L"\\.fluent(Quorvex).backup";
    cleanup.trees = {startup, backup};
    ok = test::WriteFileBytes(startup, text) && test::RemoveTree(backup);
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
    // The launch log then holds this launch alone.
    test::ClearLaunchLog();
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

} // namespace qv::e2e
