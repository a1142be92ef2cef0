// The MATLAB check at launch against a simulated MATLAB root whose matlab.exe records how it was
// started, the real settings key and the launcher's own environment.
#include "base/environment_win.h"
#include "base/settings_store_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "launch/couplings/matlab_requirements_win.h"
#include "tests/fakes/fake_record.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"
#include "tests/win/coupling_support_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

using namespace std::chrono_literals;

const wchar_t NoMatlabFound[] =
    L"No Matlab found on this machine. Please install Matlab (2014a ~ 2021b) first.";
const wchar_t MatlabCoderMissing[] =
    L"Matlab Coder component is not found on this computer.\nPlease check this "
    L"item when installing Matlab 2020a.";
const wchar_t MatlabCompilerMissing[] =
    L"Matlab Compiler component is not found on this computer.\nPlease check "
    L"this item when installing Matlab 2020a.";
const wchar_t MatlabEnvironmentNeedsAdministrator[] =
    L"Please open this program with administrator\nright to first-time change "
    L"Matlab running environment.";
const wchar_t MatlabServerEnvironmentFailed[] =
    L"Failed in setting Matlab server running environment.";
const wchar_t StaticMatlabWithVs2019Question[] =
    L"Static linking Mablat using VS2019 may cause \"incompatible with C99 (ISO) language "
    L"standard\" warning when converting Matlab code to C++ in Visual Studio. Please install lower "
    L"version of Visual Studio (2010~2017) if this warning occurs. Whether uninstalling VS2019 or "
    L"not doesn't matter. Continue starting FLUENT process or not? ";

class MatlabRequirements : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(IsUserAdministrator()) << "the tests start as an administrator";
        for (const auto& [root, release] :
             {std::pair{base_ / L"MATLAB\\R2020a", L"2020a"}, {base_ / L"R2019b", L"2019b"}}) {
            ASSERT_TRUE(test::LayOutMatlab(fakes_, root, fluent64_).complete);
            installations_.push_back({root, release});
        }
        for (const std::wstring& root : {Root(0), Root(1)})
            for (const wchar_t* file :
                 {L"\\toolbox\\coder\\matlabcoder\\codegen.p", L"\\extern\\include\\mclmcrrt.h",
                  L"\\extern\\lib\\win32\\microsoft\\mclmcrrt.lib",
                  L"\\extern\\lib\\win64\\microsoft\\mclmcrrt.lib"})
                ASSERT_TRUE(test::WriteFileBytes(root + file, "simulated"));
        ASSERT_TRUE(records_.Set(recordsFolder_.Path()));
        ASSERT_TRUE(path_.Set(L"C:\\Tools\\;"));
    }

    const std::wstring& Root(std::size_t i) const { return installations_[i].root; }
    MatlabCheckInputs Inputs(int linkMode, std::size_t index = 0) const {
        MatlabCheckInputs inputs;
        inputs.installations = &installations_;
        inputs.selectedIndex = static_cast<int>(index);
        inputs.selectedRelease = installations_[index].release;
        inputs.linkMode = static_cast<MatlabLink>(linkMode); // any other than 0 links dynamically
        inputs.visualStudioYear = L"2017";
        inputs.visualStudioCount = 1;
        inputs.fluentFolder = base_ / L"fluent";
        inputs.releaseName = L"fluent20.1.0";
        inputs.fluent64 = fluent64_;
        return inputs;
    }
    LaunchStep Check(const MatlabCheckInputs& inputs) {
        return CheckMatlabRequirements(inputs, owner_);
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const auto& m : prompts_.messages) {
            EXPECT_EQ(m.owner, owner_);
            texts.push_back(m.text);
        }
        return texts;
    }
    // The registrations started so far, once every one has ended.
    std::vector<test::FakeRecord> Registrations() const {
        EXPECT_TRUE(test::WaitUntil([] { return test::ProcessesNamed(L"matlab.exe") == 0; }, 30s))
            << "a registration does not end";
        return test::ReadFakeRecords(recordsFolder_.Path(), L"matlab");
    }
    std::wstring Arch() const { return fluent64_ ? L"win64" : L"win32"; }
    std::wstring RegistrationCommandLine(std::size_t i) const {
        return L"\"" + Root(i) + L"\\bin\\" + Arch() +
               L"\\matlab.exe\" -nojvm -nosplash -nodesktop -r \"regmatlabserver;exit\"";
    }

    // A 64-bit Fluent where Windows is 64-bit: the stand-ins then run as 64-bit programs.
    const bool fluent64_ = test::RunsInWin64Prefix();
    const test::FakeProgramFolders fakes_ = test::FakeProgramFoldersFromEnvironment();
    test::ScopedLanguage english_{InterfaceLanguage::English};
    test::TempFolder base_;
    test::TempFolder recordsFolder_;
    std::vector<MatlabInstallation> installations_;
    test::ScopedVariable records_{fake::RecordDirVariable};
    test::ScopedVariable path_{L"PATH"};
    test::ScopedVariable matlabPath_{L"__SharedMatlabPathUsed__"};
    test::ScopedRegistryValue remembered_{HKEY_CURRENT_USER, SettingsKeyPath, L"MatlabVerUsed"};
    const HWND owner_ = ::GetDesktopWindow();
    test::ScriptedPrompts prompts_;
};

TEST_F(MatlabRequirements, WithoutAnInstallationTheLauncherCloses) {
    const std::vector<MatlabInstallation> none;
    MatlabCheckInputs inputs = Inputs(1);
    inputs.installations = &none;
    inputs.selectedIndex = 0;
    EXPECT_EQ(Check(inputs), LaunchStep::Closes);
    // A selection outside the list addresses no installation either.
    inputs = Inputs(1);
    inputs.selectedIndex = 2;
    EXPECT_EQ(Check(inputs), LaunchStep::Closes);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{NoMatlabFound, NoMatlabFound}));
    EXPECT_EQ(prompts_.messages[0].caption, L"Error");
    EXPECT_EQ(prompts_.messages[0].style, UINT{MB_OK | MB_ICONERROR});
    EXPECT_EQ(ReadSetting(L"MatlabVerUsed"), L"");
    EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), L"C:\\Tools\\;");
}

TEST_F(MatlabRequirements, LinkModeDecidesTheComponentAndTheVisualStudio2019Question) {
    struct Case {
        const char* name;
        int linkMode;
        const wchar_t* missing; // a file removed from the root first
        const wchar_t* visualStudioYear;
        std::size_t visualStudioCount;
        int answer;
        LaunchStep step;
        std::vector<std::wstring> messages;
    };
    const std::wstring arch = Arch();
    const std::wstring otherLib = L"\\extern\\lib\\" +
                                  std::wstring(fluent64_ ? L"win64" : L"win32") +
                                  L"\\microsoft\\mclmcrrt.lib";
    const std::vector<Case> cases = {
        {"static without MATLAB Coder",
         0,
         L"\\toolbox\\coder\\matlabcoder\\codegen.p",
         L"2017",
         1,
         IDYES,
         LaunchStep::Closes,
         {MatlabCoderMissing}},
        {"static with 2019 as the only Visual Studio, declined",
         0,
         nullptr,
         L"2019",
         1,
         IDNO,
         LaunchStep::StaysOpen,
         {StaticMatlabWithVs2019Question}},
        {"static with 2019 as the only Visual Studio, accepted",
         0,
         nullptr,
         L"2019",
         1,
         IDYES,
         LaunchStep::Continue,
         {StaticMatlabWithVs2019Question}},
        {"static with 2019 beside another Visual Studio",
         0,
         nullptr,
         L"2019",
         2,
         IDNO,
         LaunchStep::Continue,
         {}},
        {"static with 2017", 0, nullptr, L"2017", 1, IDNO, LaunchStep::Continue, {}},
        {"dynamic without the Compiler's header",
         1,
         L"\\extern\\include\\mclmcrrt.h",
         L"2019",
         1,
         IDNO,
         LaunchStep::Closes,
         {MatlabCompilerMissing}},
        {"dynamic without the Compiler's library for Fluent's bitness",
         1,
         otherLib.c_str(),
         L"2019",
         1,
         IDNO,
         LaunchStep::Closes,
         {MatlabCompilerMissing}},
        {"dynamic never asks", 7, nullptr, L"2019", 1, IDNO, LaunchStep::Continue, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The release is remembered in another case: no registration, no rights needed.
        ASSERT_TRUE(remembered_.SetString(L"2020A"));
        ASSERT_TRUE(path_.Set(L"C:\\Tools"));
        const std::wstring removed = c.missing ? Root(0) + c.missing : L"";
        if (c.missing) {
            ASSERT_TRUE(test::RemoveTree(removed));
        }
        prompts_.messages.clear();
        prompts_.answers = {c.answer};
        MatlabCheckInputs inputs = Inputs(c.linkMode);
        inputs.visualStudioYear = c.visualStudioYear;
        inputs.visualStudioCount = c.visualStudioCount;
        EXPECT_EQ(Check(inputs), c.step);
        EXPECT_EQ(Texts(), c.messages);
        if (!prompts_.messages.empty()) {
            const UINT style = c.messages[0] == StaticMatlabWithVs2019Question
                                   ? UINT{MB_YESNO | MB_ICONWARNING}
                                   : UINT{MB_OK | MB_ICONERROR};
            EXPECT_EQ(prompts_.messages[0].style, style);
            EXPECT_EQ(prompts_.messages[0].caption,
                      c.messages[0] == StaticMatlabWithVs2019Question ? L"Warning" : L"Error");
        }
        // Only a launch that goes on touches the setting and the environment.
        const bool goesOn = c.step == LaunchStep::Continue;
        EXPECT_EQ(ReadSetting(L"MatlabVerUsed"), goesOn ? L"2020a" : L"2020A");
        EXPECT_EQ(FindEnvironmentVariable(L"__SharedMatlabPathUsed__"),
                  goesOn ? std::optional<std::wstring>(Root(0)) : std::nullopt);
        EXPECT_EQ(ReadEnvironmentVariable(L"PATH").find(L"C:\\Tools") == 0, !goesOn);
        ASSERT_TRUE(matlabPath_.Remove());
        if (c.missing) {
            ASSERT_TRUE(test::WriteFileBytes(removed, "simulated"));
        }
    }
    EXPECT_TRUE(Registrations().empty());
}

TEST_F(MatlabRequirements, RegistrationStartsHiddenOncePerReleaseAndIsNotAwaited) {
    {
        // MATLAB takes its time to register: the launch goes on meanwhile.
        test::ScopedVariable lifetime(fake::RecorderLifetimeVariable);
        ASSERT_TRUE(lifetime.Set(L"60000"));
        ASSERT_EQ(Check(Inputs(0)), LaunchStep::Continue);
        EXPECT_EQ(test::ProcessesNamed(L"matlab.exe"), 1);
        EXPECT_TRUE(test::WaitUntil(
            [this] { return !test::ReadFakeRecords(recordsFolder_.Path(), L"matlab").empty(); }));
        EXPECT_TRUE(test::EndProcessesNamed(L"matlab.exe"));
    }
    EXPECT_EQ(ReadSetting(L"MatlabVerUsed"), L"2020a");
    // The same release in another case, then another release.
    installations_[0].release = L"2020A";
    ASSERT_EQ(Check(Inputs(0)), LaunchStep::Continue);
    ASSERT_EQ(Check(Inputs(0, 1)), LaunchStep::Continue);
    EXPECT_EQ(ReadSetting(L"MatlabVerUsed"), L"2019b");
    EXPECT_TRUE(prompts_.messages.empty());

    const std::vector<test::FakeRecord> started = Registrations();
    ASSERT_EQ(started.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::wstring exe = Root(i) + L"\\bin\\" + Arch() + L"\\matlab.exe";
        const auto record = std::find_if(started.begin(), started.end(), [&](const auto& r) {
            return EqualsNoCase(r.Value(fake::key::Module), exe);
        });
        ASSERT_NE(record, started.end()) << "no registration for " << Root(i);
        EXPECT_EQ(record->Value(fake::key::CommandLine), RegistrationCommandLine(i));
        EXPECT_EQ(record->Value(fake::key::ShowWindow), std::to_wstring(SW_HIDE));
    }
}

TEST_F(MatlabRequirements, ANewReleaseNeedsAdministratorRightsTheSameReleaseDoesNot) {
    ASSERT_TRUE(remembered_.SetString(L"2019b"));
    {
        test::ScopedNonAdministrator user;
        ASSERT_TRUE(user.Active());
        EXPECT_EQ(Check(Inputs(0)), LaunchStep::Closes);
        EXPECT_EQ(ReadSetting(L"MatlabVerUsed"), L"2019b");
        EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), L"C:\\Tools\\;");
        EXPECT_EQ(Check(Inputs(0, 1)), LaunchStep::Continue);
    }
    EXPECT_EQ(Texts(), std::vector<std::wstring>{MatlabEnvironmentNeedsAdministrator});
    EXPECT_EQ(ReadEnvironmentVariable(L"__SharedMatlabPathUsed__"), Root(1));
    EXPECT_TRUE(Registrations().empty());
}

TEST_F(MatlabRequirements, RegistrationThatCannotStartClosesAndStoresNothing) {
    ASSERT_TRUE(test::RemoveTree(Root(0) + L"\\bin\\" + Arch() + L"\\matlab.exe"));
    EXPECT_EQ(Check(Inputs(0)), LaunchStep::Closes);
    EXPECT_EQ(Texts(), std::vector<std::wstring>{MatlabServerEnvironmentFailed});
    EXPECT_EQ(ReadSetting(L"MatlabVerUsed"), L"");
    EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), L"C:\\Tools\\;");
}

TEST_F(MatlabRequirements, SearchPathBeginsWithMatlabsFoldersForFluentsBitness) {
    ASSERT_TRUE(remembered_.SetString(L"2020a"));
    for (bool fluent64 : {false, true}) {
        const std::wstring arch = fluent64 ? L"win64" : L"win32";
        const std::wstring front = Root(0) + L"\\runtime\\" + arch + L";" + Root(0) + L"\\bin;" +
                                   Root(0) + L"\\bin\\" + arch;
        for (const std::optional<std::wstring>& old :
             {std::optional<std::wstring>(L"C:\\Tools\\;"),
              std::optional<std::wstring>(L"C:\\A;D:\\B/;"), std::optional<std::wstring>()}) {
            if (old) {
                ASSERT_TRUE(path_.Set(*old));
            } else {
                ASSERT_TRUE(path_.Remove());
            }
            MatlabCheckInputs inputs = Inputs(0);
            inputs.fluent64 = fluent64;
            ASSERT_EQ(Check(inputs), LaunchStep::Continue);
            const std::wstring rest = !old                      ? L""
                                      : *old == L"C:\\Tools\\;" ? L";C:\\Tools"
                                                                : L";C:\\A;D:\\B";
            EXPECT_EQ(ReadEnvironmentVariable(L"PATH"), front + rest);
            EXPECT_EQ(ReadEnvironmentVariable(L"__SharedMatlabPathUsed__"), Root(0));
        }
    }
}

// Dynamic linking through the whole step: the first launch changes the libraries as an
// administrator, the next one needs no rights and changes nothing.
TEST_F(MatlabRequirements, DynamicLinkRenamesTheLibrariesOnTheFirstLaunchOnly) {
    const std::wstring matlabBin = Root(0) + L"\\bin\\" + Arch();
    const std::wstring fluentBin = base_ / L"fluent\\ntbin\\win64";
    for (const auto& [path, bytes] : std::vector<std::pair<std::wstring, std::string>>{
             {matlabBin + L"\\hdf5.dll", "hdf5"},
             {matlabBin + L"\\xerces-c_3_2.dll", "xerces"},
             {matlabBin + L"\\libmat.dll", "loads hdf5.dll"},
             {base_ / L"fluent\\fluent20.1.0\\addons\\afd\\win64\\hdf5.dll", "hdf5"},
             {fluentBin + L"\\xerces-c_3_2.dll", "xerces"},
             {fluentBin + L"\\libansysfluidscffinterface.dll", "loads xerces-c_3_2.dll"}})
        ASSERT_TRUE(test::WriteFileBytes(path, bytes));
    {
        test::ScopedNonAdministrator user;
        ASSERT_TRUE(remembered_.SetString(L"2020a"));
        EXPECT_EQ(Check(Inputs(1)), LaunchStep::Closes);
        EXPECT_EQ(test::ReadFileBytes(matlabBin + L"\\libmat.dll"), "loads hdf5.dll");
    }
    EXPECT_EQ(Check(Inputs(1)), LaunchStep::Continue);
    EXPECT_EQ(test::ReadFileBytes(matlabBin + L"\\libmat.dll"), "loads hdf_.dll");
    EXPECT_EQ(test::ReadFileBytes(fluentBin + L"\\libansysfluidscffinterface.dll"),
              "loads xerces_c_3_2.dll");
    {
        test::ScopedNonAdministrator user;
        EXPECT_EQ(Check(Inputs(1)), LaunchStep::Continue);
    }
    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"Please open this program with "
                                                 L"administrator\nright to first-time change "
                                                 L"compatible Fluent/Matlab environment."});
}

} // namespace
} // namespace qv
