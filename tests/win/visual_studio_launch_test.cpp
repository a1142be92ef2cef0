// The Visual Studio checks of a launch as the user reads them: every message names the chosen
// year, in both languages; 2010 needs no extension and starts no settings tool.
#include "base/environment_win.h"
#include "launch/requirements/visual_studio_requirements_win.h"
#include "tests/support/test_support_win.h"
#include "texts/language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv::test {
namespace {

class VisualStudioLaunch : public ::testing::Test {
  protected:
    void TearDown() override { SetInterfaceLanguage(language_); }
    VisualStudioInstallation Complete(const wchar_t* year, const wchar_t* number) const {
        VisualStudioInstallation vs{year, number, tools_.Path()};
        vs.hasCompiler32 = vs.hasCompiler64 = vs.hasMfc = vs.hasCSharp = true;
        return vs;
    }

    ScriptedPrompts prompts_;
    TempFolder tools_;
    ScopedVariable tools2010_{L"VS100COMNTOOLS"}, tools2015_{L"VS140COMNTOOLS"};

  private:
    InterfaceLanguage language_ = CurrentInterfaceLanguage();
};

TEST_F(VisualStudioLaunch, EachMessageNamesTheYearInTheInterfaceLanguage) {
    struct Case {
        InterfaceLanguage language;
        VisualStudioInstallation vs;
        const wchar_t* selected;
        bool fluent64;
        std::wstring text;
    };
    VisualStudioInstallation noCSharp = Complete(L"2010", L"10");
    noCSharp.hasCSharp = false;
    VisualStudioInstallation noMfc = Complete(L"2015", L"14");
    noMfc.hasMfc = false;
    VisualStudioInstallation no32 = Complete(L"2013", L"12");
    no32.hasCompiler32 = false;
    const InterfaceLanguage en = InterfaceLanguage::English, zh = InterfaceLanguage::Chinese;
    const std::vector<Case> cases{
        {en, noCSharp, L"2010", true, L"Please install Visual C# for Visual Studio 2010 first."},
        {zh, noCSharp, L"2010", true, L"请先为Visual Studio 2010安装Visual C#"},
        {en, noMfc, L"2015", false,
         L"Please install MFC components first for VS2015. Reference to this software tutorial "
         L"for details."},
        {zh, noMfc, L"2015", false, L"请先为VS2015安装MFC组件，具体可参考本软件教程手册"},
        {en, no32, L"2013", false,
         L"Please install 32 bit C++ compiler for Visual Studio 2013 first."},
        {zh, no32, L"2013", false, L"请先为Visual Studio 2013安装32位C++编译器"},
        {en, Complete(L"2015", L"14"), L"need 2010~2019", true,
         L"Only Visual Studio 2010~2019 supported in this version."},
        {zh, Complete(L"2015", L"14"), L"need 2010~2019", true,
         L"本版本只支持Visual Studio 2010~2019"},
        // No extension beside the tools folder of 2015.
        {en, Complete(L"2015", L"14"), L"2015", true,
         L"\"Quorvex\" extension menu not installed for Visual Studio 2015. Please assure that "
         L"Visual Studio has been installed before installing this software. If Visual Studio "
         L"exists, you can run this software installer again to fix this issue."},
    };
    ASSERT_TRUE(tools2015_.Set(tools_.Path() + L"\\"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetInterfaceLanguage(c.language);
        prompts_.messages.clear();
        const VisualStudioForLaunch result =
            CheckVisualStudioForLaunch({c.vs}, c.selected, c.fluent64, nullptr);
        EXPECT_EQ(result.step, LaunchStep::Closes);
        ASSERT_EQ(prompts_.messages.size(), 1u);
        EXPECT_EQ(prompts_.messages[0].text, c.text);
        EXPECT_EQ(prompts_.messages[0].caption, c.language == en ? L"Error" : L"错误");
        EXPECT_EQ(prompts_.messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    }
}

TEST_F(VisualStudioLaunch, Complete2010NeedsNoExtensionAndStartsNoTool) {
    // Its tools folder holds neither the extension nor a settings tool.
    ASSERT_TRUE(tools2010_.Set(L" " + tools_.Path() + L"\\/ "));
    const VisualStudioForLaunch result =
        CheckVisualStudioForLaunch({Complete(L"2010", L"10")}, L"2010", true, nullptr);
    EXPECT_EQ(result.step, LaunchStep::Continue);
    EXPECT_EQ(result.year, L"2010");
    EXPECT_EQ(result.number, L"10");
    EXPECT_EQ(result.toolsFolder, tools_.Path() + L"\\/"); // separators, then blanks, trimmed
    EXPECT_TRUE(prompts_.messages.empty());
}

} // namespace
} // namespace qv::test
