#include "tests/win/launch_fixture_win.h"

#include "base/environment_win.h"
#include "base/handles_win.h"
#include "base/text.h"

#include <tlhelp32.h>

namespace qv::test {

void LaunchTest::SetUp() {
    FakesTest::SetUp();
    SetInterfaceLanguage(InterfaceLanguage::English);
}

void LaunchTest::TearDown() {
    EndStartedPrograms();
    SetInterfaceLanguage(language_);
}

void LaunchTest::LayOutLaunchable(const std::wstring& release, const std::wstring& version,
                                  bool is64Bit) {
    installation_ = LayOut(release, version, is64Bit);
    ASSERT_TRUE(installation_.fluent.complete && installation_.product.complete);
    if (fluent_.Entries().empty()) fluent_.AddFluentFolder(true, installation_.fluent.fluentFolder);
    ASSERT_EQ(fluent_.Entries().size(), 1u);
    ASSERT_TRUE(SetEnvironmentVariableText(L"QUORVEX_PATH", installation_.product.folder));
}

void LaunchTest::AddVisualStudio2019() {
    VisualStudioInstallation vs{L"2019", L"16", visualStudioRoot_.Path()};
    vs.hasCompiler32 = vs.hasCompiler64 = vs.hasMfc = true;
    visualStudios_.push_back(vs);
    ASSERT_TRUE(WriteFileBytes(
        visualStudioRoot_ / L"Common7\\IDE\\Extensions\\Quorvex\\Quorvex.dll", "simulated"));
    ASSERT_TRUE(MakeFolders(visualStudioRoot_ / L"Common7\\Tools"));
    ASSERT_TRUE(
        SetEnvironmentVariableText(L"VS160COMNTOOLS", visualStudioRoot_ / L"Common7\\Tools\\"));
}

LaunchContext LaunchTest::Context(const FluentList* fluent) {
    const FluentList& list = fluent ? *fluent : fluent_;
    LaunchContext context{state_, list, visualStudios_, matlabs_};
    context.dialog = launcher_.get();
    context.options = options_;
    context.fluentIndex = list.Entries().empty() ? -1 : 0;
    context.visualStudioText = visualStudios_.empty() ? L"need 2010~2019" : L"2019";
    context.homeFolder = home_.Path();
    return context;
}

std::vector<std::wstring> LaunchTest::MessageTexts() const {
    std::vector<std::wstring> texts;
    for (const auto& message : prompts_.messages)
        texts.push_back(message.text);
    return texts;
}

void EndProgramsBelow(const std::wstring& folder) {
    const std::wstring below = ToLower(folder) + L"\\";
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{sizeof(entry)};
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        UniqueHandle process(
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE,
                          FALSE, entry.th32ProcessID));
        wchar_t image[MAX_PATH * 2] = {};
        DWORD size = MAX_PATH * 2;
        if (!process || !::QueryFullProcessImageNameW(process.get(), 0, image, &size) ||
            !StartsWith(ToLower(image), below))
            continue;
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 5000);
    }
}

void LaunchTest::EndStartedPrograms() {
    for (const TempFolder* folder : {&cDrive_, &dDrive_, &visualStudioRoot_})
        EndProgramsBelow(folder->Path());
}

} // namespace qv::test
