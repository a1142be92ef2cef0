#include "base/environment_win.h"
#include "base/files_win.h"
#include "base/system_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Files, FileExistsOnlyForFiles) {
    test::TempFolder folder;
    ASSERT_TRUE(test::WriteFileBytes(folder / L"a.txt", "x"));
    ASSERT_TRUE(test::MakeFolders(folder / L"sub"));
    EXPECT_TRUE(FileExists(folder / L"a.txt"));
    EXPECT_TRUE(FileExists(folder / L"A.TXT"));
    EXPECT_FALSE(FileExists(folder / L"sub"));
    EXPECT_FALSE(FileExists(folder / L"missing.txt"));
    EXPECT_FALSE(FileExists(L""));
}

TEST(Files, ExistingFolderNameGivesTheStoredName) {
    test::TempFolder folder;
    ASSERT_TRUE(test::MakeFolders(folder / L"Fluent19.3.0"));
    ASSERT_TRUE(test::WriteFileBytes(folder / L"file", "x"));
    EXPECT_EQ(ExistingFolderName(folder / L"fluent19.3.0"), L"Fluent19.3.0");
    EXPECT_EQ(ExistingFolderName(folder / L"fluent19.3.0\\/"), L"Fluent19.3.0");
    EXPECT_EQ(ExistingFolderName(folder / L"file"), L"");
    EXPECT_EQ(ExistingFolderName(folder / L"missing"), L"");
    EXPECT_EQ(ExistingFolderName(L"\\/"), L"");
}

TEST(Files, BareDriveExistsWhenMapped) {
    // The test runner maps D: to a folder; Q: is never mapped.
    EXPECT_EQ(ExistingFolderName(L"D:"), L"D:");
    EXPECT_EQ(ExistingFolderName(L"D:\\"), L"D:");
    EXPECT_EQ(ExistingFolderName(L"Q:"), L"");
}

TEST(System, WindowsBitnessFollowsThePrefix) {
    EXPECT_EQ(IsWindows64Bit(), test::RunsInWin64Prefix());
}

TEST(System, AdministratorCheckAnswersWithoutFailing) {
    // Wine's default user belongs to the Administrators group.
    EXPECT_TRUE(IsUserAdministrator());
}

TEST(Environment, UnsetAndEmptyAreToldApart) {
    test::ScopedVariable empty(L"QV_TEST_EMPTY"), unset(L"QV_TEST_UNSET"),
        longValue(L"QV_TEST_LONG");
    ASSERT_TRUE(SetEnvironmentVariableText(L"QV_TEST_EMPTY", L""));
    ASSERT_TRUE(RemoveEnvironmentVariable(L"QV_TEST_UNSET"));
    ASSERT_TRUE(SetEnvironmentVariableText(L"QV_TEST_LONG", std::wstring(5000, L'x')));
    EXPECT_EQ(FindEnvironmentVariable(L"QV_TEST_EMPTY"), std::wstring());
    EXPECT_FALSE(FindEnvironmentVariable(L"QV_TEST_UNSET").has_value());
    EXPECT_EQ(ReadEnvironmentVariable(L"QV_TEST_LONG"), std::wstring(5000, L'x'));
    // A name too long for the launcher's short copy of it.
    const std::wstring longName = L"QV_TEST_" + std::wstring(70, L'N');
    test::ScopedVariable longNamed(longName);
    ASSERT_TRUE(SetEnvironmentVariableText(longName, L"found"));
    EXPECT_EQ(ReadEnvironmentVariable(longName), L"found");
    // Around the length read at once.
    for (std::size_t length : {259u, 260u, 261u}) {
        ASSERT_TRUE(SetEnvironmentVariableText(L"QV_TEST_LONG", std::wstring(length, L'y')));
        EXPECT_EQ(ReadEnvironmentVariable(L"QV_TEST_LONG"), std::wstring(length, L'y')) << length;
    }
}

} // namespace
} // namespace qv
