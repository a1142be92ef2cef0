#include "launch/requirements/visual_studio_requirements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

VisualStudioInstallation Installation(const wchar_t* year, bool c32, bool c64, bool mfc,
                                      bool csharp = false) {
    VisualStudioInstallation vs;
    vs.year = year;
    vs.hasCompiler32 = c32;
    vs.hasCompiler64 = c64;
    vs.hasMfc = mfc;
    vs.hasCSharp = csharp;
    return vs;
}

TEST(VisualStudioRequirements, FirstMissingComponentForFluentsBitness) {
    struct Case {
        VisualStudioInstallation vs;
        bool fluent64;
        VisualStudioProblem expected;
    };
    const std::vector<Case> cases{
        // Only the compiler of Fluent's bitness counts; MFC is not asked before it.
        {Installation(L"2015", true, false, false), true, VisualStudioProblem::Compiler64Missing},
        {Installation(L"2015", true, false, false), false, VisualStudioProblem::MfcMissing},
        {Installation(L"2015", false, true, true), true, VisualStudioProblem::None},
        {Installation(L"2015", false, true, true), false, VisualStudioProblem::Compiler32Missing},
        // 2010 asks for C# before anything else; no other year does.
        {Installation(L"2010", true, true, true, false), true, VisualStudioProblem::CSharpMissing},
        {Installation(L"2010", false, false, false, false), false,
         VisualStudioProblem::CSharpMissing},
        {Installation(L"2010", true, true, true, true), true, VisualStudioProblem::None},
        {Installation(L"2019", true, true, true, false), false, VisualStudioProblem::None},
    };
    for (const Case& c : cases) {
        const std::vector<VisualStudioInstallation> list{Installation(L"2012", 1, 1, 1), c.vs};
        const VisualStudioJudgement judgement = JudgeVisualStudio(list, c.vs.year, c.fluent64);
        EXPECT_EQ(judgement.problem, c.expected) << c.vs.year << " 64-bit Fluent " << c.fluent64;
        EXPECT_EQ(judgement.installation, &list[1]) << "the installation of the year, not entry 0";
    }
}

TEST(VisualStudioRequirements, ListTextMustBeASupportedYearExactly) {
    const std::vector<VisualStudioInstallation> list{Installation(L"2019", true, true, true)};
    for (const wchar_t* text : {L"need 2010~2019", L"2019 ", L"2014", L"", L"2022"}) {
        const VisualStudioJudgement judgement = JudgeVisualStudio(list, text, true);
        EXPECT_EQ(judgement.problem, VisualStudioProblem::UnsupportedYear) << text;
        EXPECT_EQ(judgement.installation, nullptr);
    }
    // A supported year that discovery did not find cannot be used either.
    EXPECT_EQ(JudgeVisualStudio(list, L"2017", true).problem, VisualStudioProblem::UnsupportedYear);
}

TEST(VisualStudioRequirements, ToolsFolderAndWhatLiesBesideIt) {
    EXPECT_EQ(ToolsFolderFromVariable(L"C:\\VS\\Common7\\Tools\\"), L"C:\\VS\\Common7\\Tools");
    // Separators first, then the white space: a blank after the separator keeps the separator.
    EXPECT_EQ(ToolsFolderFromVariable(L" C:\\VS\\Tools\\/ "), L"C:\\VS\\Tools\\/");
    EXPECT_EQ(ToolsFolderFromVariable(L" C:\\VS\\Tools\\/"), L"C:\\VS\\Tools");
    EXPECT_EQ(ToolsFolderFromVariable(L""), L"");

    EXPECT_EQ(QuorvexExtensionPath(L"C:\\VS\\Common7\\Tools"),
              L"C:\\VS\\Common7\\Tools\\..\\IDE\\Extensions\\Quorvex\\Quorvex.dll");
    EXPECT_EQ(QuorvexExtensionPath(L""), L"\\..\\IDE\\Extensions\\Quorvex\\Quorvex.dll");
    EXPECT_FALSE(NeedsQuorvexExtension(L"2010"));
    EXPECT_TRUE(NeedsQuorvexExtension(L"2012"));
    EXPECT_TRUE(NeedsQuorvexExtension(L"2019"));

    const std::wstring tool = SettingsToolPath(L"C:\\Program Files (x86)\\VS\\Common7\\Tools");
    EXPECT_EQ(tool, L"C:\\Program Files (x86)\\VS\\Common7\\Tools\\..\\IDE\\VsRegEdit.exe");
    EXPECT_EQ(SettingsToolCommandLine(tool),
              L"\"" + tool +
                  L"\" set local HKCU ApplicationPrivateSettings\\Microsoft\\VisualStudio\\IDE "
                  L"OnEnvironmentStartup_Dev16 string 0*System.Int64*10");
}

} // namespace
} // namespace qv
