// The Intel Fortran check against real Intel keys (32-bit view of the registry) and real
// compiler and integration files.
#include "launch/couplings/fortran_compilers.h"
#include "launch/couplings/fortran_compilers_win.h"
#include "launch/couplings/fortran_requirements_win.h"
#include "tests/support/test_support_win.h"
#include "tests/win/coupling_support_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr wchar_t Ia32[] = L"IA32";
constexpr wchar_t Em64t[] = L"EM64T_NATIVE";

class FortranRequirements : public ::testing::Test {
  public:
    // A build's key with its product folder (written with a trailing separator).
    std::wstring Install(const std::wstring& build, REGSAM view = KEY_WOW64_32KEY) {
        const std::wstring key = std::wstring(FortranCompilersKeyPath) + L"\\" + build;
        EXPECT_TRUE(test::WriteRegistryText(HKEY_LOCAL_MACHINE, key, L"ProductDir",
                                            products_ / build + L"\\", view));
        return key;
    }
    // The target's compiler: its CompilerInfo value and, unless told otherwise, ifconsol.lib.
    void Compiler(const std::wstring& build, const wchar_t* target, bool library = true,
                  REGSAM view = KEY_WOW64_32KEY) {
        const std::wstring key = Install(build, view);
        EXPECT_TRUE(test::WriteRegistryText(HKEY_LOCAL_MACHINE, key + L"\\" + target,
                                            L"CompilerInfo", L"Intel(R) Visual Fortran", view));
        const wchar_t* lib = target == std::wstring(Ia32) ? L"ia32" : L"intel64";
        if (library) {
            EXPECT_TRUE(test::WriteFileBytes(
                products_ / build + L"\\compiler\\lib\\" + lib + L"\\ifconsol.lib", "lib"));
        }
    }
    void Integrate(const std::wstring& build, const wchar_t* target, const wchar_t* slot) {
        const std::wstring key = Install(build);
        EXPECT_TRUE(test::WriteRegistryText(HKEY_LOCAL_MACHINE, key + L"\\" + target + L"\\" + slot,
                                            L"LibDir", L"$(IFORT_COMPILER19)compiler\\lib",
                                            KEY_WOW64_32KEY));
    }
    // Integration files in place for every Visual Studio version.
    void IntegrateTemplates() {
        ASSERT_TRUE(
            test::WriteFileBytes(products_ / L"VS\\Intel Fortran\\VFPackages\\VFProj.dll", "dll"));
        for (const wchar_t* n : {L"15", L"16"})
            ASSERT_TRUE(
                test::WriteFileBytes(products_ / L"Intel\\shared files\\VS Integration\\VS" + n +
                                         L"\\Intel Fortran\\VFPackages\\VFProj.dll",
                                     "dll"));
        ASSERT_TRUE(redist_.Set(products_ / L"Intel\\Shared Libraries\\"));
    }

  protected:
    bool Check(const std::wstring& year, bool fluent64) {
        return CheckIntelFortranRequirements({year, fluent64, tools_}, owner_);
    }
    void Reset() {
        ASSERT_TRUE(
            test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, L"Software\\Intel", KEY_WOW64_32KEY));
        ASSERT_TRUE(test::RemoveTree(products_.Path()) && test::MakeFolders(products_.Path()));
        prompts_.messages.clear();
    }

    test::ScopedLanguage english_{InterfaceLanguage::English};
    test::ScopedRegistryKey intel32_{HKEY_LOCAL_MACHINE, L"Software\\Intel", KEY_WOW64_32KEY};
    test::ScopedRegistryKey intel64_{HKEY_LOCAL_MACHINE, L"Software\\Intel", KEY_WOW64_64KEY};
    test::TempFolder products_;
    const std::wstring tools_ = products_ / L"VS\\Common7\\Tools\\";
    test::ScopedVariable redist_{L"INTEL_DEV_REDIST"};
    const HWND owner_ = ::GetDesktopWindow();
    test::ScriptedPrompts prompts_;
};

std::wstring CompilerMissing(const wchar_t* year, int bits) {
    const std::wstring range = std::wstring(year) == L"2010"   ? L"2011~2016"
                               : std::wstring(year) == L"2012" ? L"2013~2017"
                               : std::wstring(year) == L"2013" ? L"2013SP1 update1~2019"
                               : std::wstring(year) == L"2015" ? L"2015 update4~2019"
                               : std::wstring(year) == L"2017" ? L"2017 update4~2020"
                                                               : L"2019 update4~2020";
    return L"Intel Fortran " + range + L" " + std::to_wstring(bits) +
           L"bit compiler not found for VS" + year + L".";
}

TEST_F(FortranRequirements, CompilerMustFitVisualStudioAndFluentsBitness) {
    using Setup = std::function<void(FortranRequirements&)>;
    struct Case {
        const char* name;
        const wchar_t* year;
        bool fluent64;
        Setup setup;
        const wchar_t* missing; // the year of the message, or nullptr when the check passes
    };
    const std::vector<Case> cases = {
        {"19.0 recorded VSNet16 only for 32-bit and VSNet15 for 64-bit", L"2019", true,
         [](FortranRequirements& t) {
             t.Compiler(L"190.166", Em64t);
             t.Integrate(L"190.166", Em64t, L"VSNet15");
             t.Integrate(L"190.166", Ia32, L"VSNet16");
         },
         L"2019"},
        {"19.0 with VSNet16 for 64-bit", L"2019", true,
         [](FortranRequirements& t) {
             t.Compiler(L"190.166", Em64t);
             t.Integrate(L"190.166", Em64t, L"VSNet16");
         },
         nullptr},
        {"19.1 needs no integration record", L"2019", true,
         [](FortranRequirements& t) { t.Compiler(L"191.000", Em64t); }, nullptr},
        {"14.0 without VSNet2013 under IA32", L"2013", false,
         [](FortranRequirements& t) {
             t.Compiler(L"140.237", Ia32);
             t.Integrate(L"140.237", Em64t, L"VSNet2013");
         },
         L"2013"},
        {"14.0 with VSNet2013 under IA32", L"2013", false,
         [](FortranRequirements& t) {
             t.Compiler(L"140.237", Ia32);
             t.Integrate(L"140.237", Ia32, L"VSNet2013");
         },
         nullptr},
        {"17.0 is too new for 2010, 64-bit", L"2010", true,
         [](FortranRequirements& t) { t.Compiler(L"170.050", Em64t); }, L"2010"},
        {"17.0 is too new for 2010, 32-bit", L"2010", false,
         [](FortranRequirements& t) { t.Compiler(L"170.050", Ia32); }, L"2010"},
        {"16.1 fits 2010", L"2010", false,
         [](FortranRequirements& t) { t.Compiler(L"161.000", Ia32); }, nullptr},
        {"CompilerInfo without ifconsol.lib", L"2019", true,
         [](FortranRequirements& t) { t.Compiler(L"191.000", Em64t, false); }, L"2019"},
        {"a 32-bit compiler for a 64-bit Fluent", L"2017", true,
         [](FortranRequirements& t) { t.Compiler(L"180.100", Ia32); }, L"2017"},
        {"a 64-bit compiler for a 32-bit Fluent", L"2017", false,
         [](FortranRequirements& t) { t.Compiler(L"180.100", Em64t); }, L"2017"},
        {"builds above 400 and majors outside 12 to 19", L"2015", true,
         [](FortranRequirements& t) {
             for (const wchar_t* build : {L"191.401", L"201.000", L"111.000", L"190.0166"})
                 t.Compiler(build, Em64t);
         },
         L"2015"},
        {"build 400 is the last one probed", L"2015", true,
         [](FortranRequirements& t) { t.Compiler(L"190.400", Em64t); }, nullptr},
        {"one build with the compiler, another with the record", L"2015", false,
         [](FortranRequirements& t) {
             t.Compiler(L"150.001", Ia32);
             t.Integrate(L"150.300", Ia32, L"VSNet14");
         },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        IntegrateTemplates();
        c.setup(*this);
        EXPECT_EQ(Check(c.year, c.fluent64), c.missing == nullptr);
        EXPECT_EQ(prompts_.ErrorTexts(owner_),
                  c.missing
                      ? std::vector<std::wstring>{CompilerMissing(c.missing, c.fluent64 ? 64 : 32)}
                      : std::vector<std::wstring>{});
    }
}

TEST_F(FortranRequirements, ChineseMessageNamesVisualStudioAndBitness) {
    const test::ScopedLanguage chinese(InterfaceLanguage::Chinese);
    Compiler(L"191.000", Ia32);
    EXPECT_FALSE(Check(L"2019", true));
    EXPECT_EQ(prompts_.messages.at(0).caption, L"错误");
    EXPECT_EQ(prompts_.messages.at(0).text,
              L"配合VS2019需要64位Intel Fortran 2019 update4~2020编译器，但没有找到。");
}

TEST_F(FortranRequirements, KeysOfThe64BitViewAreNotReadOnWindows64) {
    ASSERT_TRUE(test::RunsInWin64Prefix());
    IntegrateTemplates();
    Compiler(L"191.000", Em64t, true, KEY_WOW64_64KEY);
    EXPECT_FALSE(Check(L"2019", true));
    Compiler(L"191.000", Em64t, true, KEY_WOW64_32KEY);
    EXPECT_TRUE(Check(L"2019", true));
}

const wchar_t* const NotIntegrated2017 =
    L"Fortran template is not integrated in Visual Studio 2017.\nPlease re-install Intel Fortran "
    L"and check the integration option.";

TEST_F(FortranRequirements, TemplatesOf2017And2019AreLookedForWhereIntelDevRedistPoints) {
    test::RemoveOnExit trees;
    // 32-bit Windows has no such folder: it goes again with everything below it.
    const std::wstring programFiles = L"C:\\Program Files (x86)";
    const std::wstring shared = programFiles + L"\\Common Files\\Intel";
    trees.trees.push_back(test::IsFolder(programFiles) ? shared : programFiles);
    trees.trees.push_back(L"D:\\Program Files (x86)");
    Compiler(L"180.100", Em64t);
    const std::wstring file =
        L"\\shared files\\VS Integration\\VS15\\Intel Fortran\\VFPackages\\VFProj.dll";
    ASSERT_TRUE(test::WriteFileBytes(shared + file, "dll"));
    // Pointing elsewhere: the default folder on C: is not consulted.
    ASSERT_TRUE(redist_.Set(products_ / L"Intel\\Shared Libraries\\"));
    EXPECT_FALSE(Check(L"2017", true));
    EXPECT_EQ(prompts_.ErrorTexts(owner_), std::vector<std::wstring>{NotIntegrated2017});
    ASSERT_TRUE(redist_.Remove());
    EXPECT_TRUE(Check(L"2017", true));
    // On another drive only: every drive is tried.
    ASSERT_TRUE(test::RemoveTree(shared));
    EXPECT_FALSE(Check(L"2017", true));
    ASSERT_TRUE(
        test::WriteFileBytes(L"D:\\Program Files (x86)\\Common Files\\Intel" + file, "dll"));
    EXPECT_TRUE(Check(L"2017", true));
    EXPECT_EQ(prompts_.messages.size(), 2u);
}

TEST_F(FortranRequirements, TemplatesOf2010To2015AreLookedForBesideTheToolsFolder) {
    Compiler(L"160.000", Ia32);
    EXPECT_FALSE(CheckIntelFortranRequirements({L"2015", false, L""}, owner_));
    EXPECT_FALSE(Check(L"2015", false));
    ASSERT_TRUE(
        test::WriteFileBytes(products_ / L"VS\\Intel Fortran\\VFPackages\\VFProj.dll", "dll"));
    EXPECT_TRUE(Check(L"2015", false));
    const std::wstring text =
        L"Fortran template is not integrated in Visual Studio 2015.\nPlease re-install Intel "
        L"Fortran and check the integration option.";
    EXPECT_EQ(prompts_.ErrorTexts(owner_), (std::vector<std::wstring>{text, text}));
}

// Reading the Fortran key once finds the very table that trying all 6,416 possible keys finds.
TEST_F(FortranRequirements, EnumeratedKeysGiveTheTableOfEveryProbe) {
    const auto probeAll = [] { return ReadFortranCompilers(AllFortranBuilds()); };
    const auto states = std::vector<std::function<void()>>{
        [] {},
        [] {
            ASSERT_TRUE(test::WriteRegistryText(HKEY_LOCAL_MACHINE, FortranCompilersKeyPath,
                                                L"Note", L"no builds", KEY_WOW64_32KEY));
        },
        [this] {
            Compiler(L"120.000", Ia32);
            Compiler(L"121.400", Em64t);
            Compiler(L"190.166", Em64t);
            Integrate(L"190.166", Em64t, L"VSNet16");
            Integrate(L"190.200", Ia32, L"VSNet2010");
            Compiler(L"191.100", Ia32, false);
            Install(L"171.050");
            // Names that are no build of a known version, or not quite.
            for (const wchar_t* name :
                 {L"191.401", L"201.000", L"111.000", L"192.000", L"190.0166", L"19.166", L"190.16",
                  L"abc", L"190.166 x", L"190,166", L"\xff11\xff19\x30.166"})
                Compiler(name, Em64t);
            Compiler(std::wstring(255, L'9'), Em64t, false);
            // A build's name as a value instead of a key.
            ASSERT_TRUE(test::WriteRegistryText(HKEY_LOCAL_MACHINE, FortranCompilersKeyPath,
                                                L"180.100", products_.Path(), KEY_WOW64_32KEY));
        },
    };
    for (std::size_t i = 0; i < states.size(); ++i) {
        SCOPED_TRACE(i);
        Reset();
        states[i]();
        const FortranCompilerTable probed = probeAll();
        EXPECT_EQ(FindIntelFortranCompilers(), probed);
        if (i + 1 == states.size()) {
            // The comparison had something to compare.
            EXPECT_TRUE(probed[FortranVersionIndex({12, 0})].found32);
            EXPECT_TRUE(probed[FortranVersionIndex({12, 1})].found64);
            EXPECT_TRUE(probed[FortranVersionIndex({19, 0})].integrated64[5]);
            EXPECT_TRUE(probed[FortranVersionIndex({19, 0})].integrated32[0]);
            EXPECT_FALSE(probed[FortranVersionIndex({19, 1})].found32);
            EXPECT_FALSE(probed[FortranVersionIndex({19, 1})].found64);
        }
    }
}

} // namespace
} // namespace qv
