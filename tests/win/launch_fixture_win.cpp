#include "tests/win/launch_fixture_win.h"

#include "base/environment_win.h"
#include "base/text.h"

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

void LaunchTest::EndStartedPrograms() {
    for (const TempFolder* folder : {&cDrive_, &dDrive_, &visualStudioRoot_})
        EndProgramsBelow(folder->Path());
}

} // namespace qv::test
