// MATLAB discovery against real MathWorks keys (64-bit view) and real MATLAB root folders.
#include "discovery/matlab_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using test::ScopedRegistryKey;

// Writes a value that outlives the call (the fixture's MathWorks key removes it).
[[nodiscard]] bool SetMachineString(const std::wstring& path, const std::wstring& name,
                                    const std::wstring& value, REGSAM view = KEY_WOW64_64KEY) {
    return test::WriteRegistryText(HKEY_LOCAL_MACHINE, path, name, value, view);
}

class MatlabRoots : public ::testing::Test {
  protected:
    // A root with its matlab.exe, registered under the key; removed when the test ends.
    std::wstring AddRoot(const std::wstring& key, const std::wstring& subkey,
                         const std::wstring& root, const std::wstring& valueName = L"MATLABROOT") {
        roots_.trees.push_back(root);
        EXPECT_TRUE(test::WriteFileBytes(root + L"\\bin\\matlab.exe", "MZ")) << root;
        EXPECT_TRUE(
            SetMachineString(L"Software\\MathWorks\\" + key + L"\\" + subkey, valueName, root))
            << root;
        return root;
    }
    static std::vector<std::wstring> Releases(const std::vector<MatlabInstallation>& list) {
        std::vector<std::wstring> releases;
        for (const auto& m : list)
            releases.push_back(m.release);
        return releases;
    }
    ScopedRegistryKey mathWorks_{HKEY_LOCAL_MACHINE, L"Software\\MathWorks"};
    ScopedRegistryKey mathWorks32_{HKEY_LOCAL_MACHINE, L"Software\\MathWorks", KEY_WOW64_32KEY};
    test::RemoveOnExit roots_;
};

TEST_F(MatlabRoots, ReleaseFromFolderNameThenVersionFileThenSetupScript) {
    AddRoot(L"MATLAB", L"9.0", L"D:\\MATLAB\\R2016a");
    // The version file is not consulted when the folder name already gives a release.
    ASSERT_TRUE(
        test::WriteFileBytes(L"D:\\MATLAB\\R2016a\\bin\\util\\mex\\version.txt", "R2019a\n"));
    const std::wstring named = AddRoot(L"MATLAB", L"9.9", L"D:\\Apps\\MATLAB");
    ASSERT_TRUE(test::WriteFileBytes(named + L"\\bin\\util\\mex\\version.txt", "R2020b\n"));
    const std::wstring scripted = AddRoot(L"MATLAB", L"9.3", L"E:\\M1");
    ASSERT_TRUE(test::WriteFileBytes(scripted + L"\\bin\\util\\mex\\version.txt", "R2012a\n"));
    ASSERT_TRUE(test::WriteFileBytes(scripted + L"\\extern\\engines\\python\\setup.py",
                                     "setup(version=\"R2017b\")\n"));
    const std::wstring spaced = AddRoot(L"MATLAB", L"9.4", L"E:\\M2/");
    ASSERT_TRUE(test::WriteFileBytes(L"E:\\M2\\extern\\engines\\python\\setup.py",
                                     "\n    Version = \"R2018a\",\n"));
    const auto found = FindMatlabInstallations();
    EXPECT_EQ(Releases(found), (std::vector<std::wstring>{L"2016a", L"2017b", L"2018a", L"2020b"}));
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[3].root, L"D:\\Apps\\MATLAB");
    EXPECT_EQ(found[2].root, L"E:\\M2"); // trailing separator gone, "/" turned into "\"
}

TEST_F(MatlabRoots, UnsupportedOrIncompleteRootsAreSkipped) {
    AddRoot(L"MATLAB", L"8.2", L"D:\\R2013b");
    AddRoot(L"MATLAB", L"9.12", L"D:\\R2022a");
    AddRoot(L"MATLAB", L"9.10", L"D:\\R2021a");
    roots_.trees.push_back(L"D:\\R2019b");
    ASSERT_TRUE(test::WriteFileBytes(L"D:\\R2019b\\bin\\matlab.exe.txt", "not the program"));
    ASSERT_TRUE(
        SetMachineString(L"Software\\MathWorks\\MATLAB\\9.7", L"MATLABROOT", L"D:\\R2019b"));
    ASSERT_TRUE(SetMachineString(L"Software\\MathWorks\\MATLAB\\9.8", L"OTHERROOT", L"D:\\R2021a"));
    EXPECT_EQ(Releases(FindMatlabInstallations()), std::vector<std::wstring>{L"2021a"});
}

TEST_F(MatlabRoots, RootUnderBothKeysIsListedTwiceMatlabFirst) {
    AddRoot(L"Polyspace", L"9.6", L"D:\\R2019a", L"POLYSPACEROOT");
    ASSERT_TRUE(
        SetMachineString(L"Software\\MathWorks\\MATLAB\\9.6", L"MATLABROOT", L"D:\\R2019a"));
    AddRoot(L"MATLAB", L"9.5", L"E:\\R2018b");
    const auto found = FindMatlabInstallations();
    ASSERT_EQ(found.size(), 3u);
    // Subkeys come in the registry's order (9.5 before 9.6); Polyspace's come last.
    EXPECT_EQ(found[0].root, L"E:\\R2018b");
    EXPECT_EQ(found[1].root, L"D:\\R2019a");
    EXPECT_EQ(found[2].root, L"D:\\R2019a");
}

TEST_F(MatlabRoots, SubkeyNamesLongerThanNineCharactersAreSkipped) {
    AddRoot(L"MATLAB", L"123456789", L"D:\\R2015a");
    AddRoot(L"MATLAB", L"1234567890", L"D:\\R2015b");
    EXPECT_EQ(Releases(FindMatlabInstallations()), std::vector<std::wstring>{L"2015a"});
}

TEST_F(MatlabRoots, KeyInThe32BitViewIsNotReadOnWindows64) {
    ASSERT_TRUE(test::RunsInWin64Prefix())
        << "32-bit Windows has one registry view: registered for 64-bit only";
    roots_.trees.push_back(L"D:\\R2017a");
    ASSERT_TRUE(test::WriteFileBytes(L"D:\\R2017a\\bin\\matlab.exe", "MZ"));
    ASSERT_TRUE(SetMachineString(L"Software\\MathWorks\\MATLAB\\9.2", L"MATLABROOT", L"D:\\R2017a",
                                 KEY_WOW64_32KEY));
    EXPECT_TRUE(FindMatlabInstallations().empty());
    ASSERT_TRUE(SetMachineString(L"Software\\MathWorks\\MATLAB\\9.2", L"MATLABROOT", L"D:\\R2017a",
                                 KEY_WOW64_64KEY));
    EXPECT_EQ(Releases(FindMatlabInstallations()), std::vector<std::wstring>{L"2017a"});
}

TEST_F(MatlabRoots, OddReleaseFilesGiveNoCrash) {
    const std::wstring root = AddRoot(L"MATLAB", L"9.0", L"D:\\M");
    const std::wstring version = root + L"\\bin\\util\\mex\\version.txt";
    const std::wstring setup = root + L"\\extern\\engines\\python\\setup.py";
    struct Case {
        std::string version, setup;
        bool found;
    };
    for (const Case& c :
         std::vector<Case>{{"", "", false},
                           {std::string("\0\xff\x80R2019a", 9), std::string("\x01\x02", 2), false},
                           {std::string(2 << 20, ' ') + "R2019a", "", false},
                           {"R20", std::string(2 << 20, 'x') + "version=\"R2020a\"", false},
                           {"", std::string(1000, 'x') + "version=\"R2020a\"", true}}) {
        ASSERT_TRUE(test::WriteFileBytes(version, c.version));
        ASSERT_TRUE(test::WriteFileBytes(setup, c.setup));
        EXPECT_EQ(FindMatlabInstallations().size(), c.found ? 1u : 0u)
            << c.version.size() << " " << c.setup.size();
    }
    // A folder where the version file should be: the setup script still gives the release.
    ASSERT_TRUE(test::RemoveTree(version));
    ASSERT_TRUE(test::MakeFolders(version));
    EXPECT_EQ(Releases(FindMatlabInstallations()), std::vector<std::wstring>{L"2020a"});
}

TEST_F(MatlabRoots, RootValueOfAnotherTypeIsReadAsItsText) {
    roots_.trees.push_back(L"D:\\R2020a");
    ASSERT_TRUE(test::WriteFileBytes(L"D:\\R2020a\\bin\\matlab.exe", "MZ"));
    ScopedRegistryKey entry(HKEY_LOCAL_MACHINE, L"Software\\MathWorks\\MATLAB\\9.8");
    const DWORD number = 7;
    ASSERT_TRUE(entry.SetRaw(L"MATLABROOT", REG_DWORD, &number, sizeof number));
    EXPECT_TRUE(FindMatlabInstallations().empty());
    const wchar_t multi[] = L"D:\\R2020a\0other\0";
    ASSERT_TRUE(entry.SetRaw(L"MATLABROOT", REG_MULTI_SZ, multi, sizeof multi));
    EXPECT_EQ(Releases(FindMatlabInstallations()), std::vector<std::wstring>{L"2020a"});
}

} // namespace
} // namespace qv
