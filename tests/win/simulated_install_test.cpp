// Simulated installations are what the launcher's own checks accept: one supported release and
// one start program of the chosen bitness, Workbench where the launch looks for it, and a
// product folder that passes its verification.
#include "base/text.h"
#include "discovery/fluent_folders_win.h"
#include "base/executable_image_win.h"
#include "launch/requirements/product_folder_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

struct FluentCase {
    const char* name;
    const wchar_t* release;
    const wchar_t* versionText;
    bool is64Bit;
    bool udfHeaderInSubfolder;
};

void PrintTo(const FluentCase& c, std::ostream* os) {
    *os << c.name;
}

class SimulatedFluentLayout : public ::testing::TestWithParam<FluentCase> {};

TEST_P(SimulatedFluentLayout, ResolvesToItsStartProgramOfTheChosenBitness) {
    const FluentCase& c = GetParam();
    TempFolder root;
    const std::wstring folder = root / L"ANSYS Inc\\v1\\fluent";
    const SimulatedFluent fluent = LayOutFluent(FakeProgramFoldersFromEnvironment(), folder,
                                                c.release, c.is64Bit, {c.udfHeaderInSubfolder});
    ASSERT_TRUE(fluent.complete);

    const FluentFolderResolution resolved = ResolveFluentFolder(folder);
    EXPECT_EQ(resolved.status, FluentFolderStatus::Resolved);
    EXPECT_EQ(resolved.versionText, c.versionText);
    EXPECT_TRUE(EqualsNoCase(resolved.executable, fluent.startProgram));
    const ExecutableBitness bits =
        c.is64Bit ? ExecutableBitness::Bits64 : ExecutableBitness::Bits32;
    EXPECT_EQ(ReadExecutableBitness(fluent.startProgram), bits);
    EXPECT_EQ(ReadExecutableBitness(fluent.solver), bits);
    EXPECT_EQ(ReadExecutableBitness(fluent.workbench), bits);
    EXPECT_EQ(fluent.workbench,
              root / (c.is64Bit ? L"ANSYS Inc\\v1\\Framework\\bin\\Win64\\runwb2.exe"
                                : L"ANSYS Inc\\v1\\Framework\\bin\\Win32\\runwb2.exe"));
    EXPECT_TRUE(IsFile(folder + L"\\README.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Fakes, SimulatedFluentLayout,
    ::testing::Values(FluentCase{"Fluent193Of64Bit", L"fluent19.3.0", L"19.3", true, false},
                      FluentCase{"Fluent63UdfHeaderInSubfolder", L"fluent6.3.26", L"6.3", false,
                                 true},
                      FluentCase{"Fluent252Of32Bit", L"fluent25.2.0", L"25.2", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimulatedProductLayout, PassesVerificationForEveryVersionLaidOut) {
    TempFolder root;
    const SimulatedProduct product = LayOutProductFolder(
        FakeProgramFoldersFromEnvironment(), root / L"Q uorvex", {L"6.3", L"19.3", L"24.2"});
    ASSERT_TRUE(product.complete);
    ScriptedPrompts prompts;
    for (const wchar_t* version : {L"6.3", L"19.3", L"24.2"}) {
        EXPECT_TRUE(VerifyProductFolder(product.folder, L"2010", version, nullptr)) << version;
    }
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(ReadExecutableBitness(product.serialStartProgram), ExecutableBitness::Bits64);
}

TEST(SimulatedProductLayout, IsIncompleteWithoutTheStandIns) {
    TempFolder root;
    EXPECT_FALSE(LayOutProductFolder(FakeProgramFolders{}, root / L"P", {L"19.3"}).complete);
    EXPECT_FALSE(
        LayOutFluent(FakeProgramFolders{}, root / L"fluent", L"fluent19.3.0", true).complete);
    // The same layouts with the stand-ins at hand are complete.
    EXPECT_TRUE(
        LayOutProductFolder(FakeProgramFoldersFromEnvironment(), root / L"P", {L"19.3"}).complete);
    EXPECT_TRUE(
        LayOutFluent(FakeProgramFoldersFromEnvironment(), root / L"fluent", L"fluent19.3.0", true)
            .complete);
}

} // namespace
} // namespace qv::test
