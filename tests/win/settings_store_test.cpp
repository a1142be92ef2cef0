#include "base/registry_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using test::ReadRawValue;
using test::ScopedRegistryKey;
using test::ScriptedPrompts;

constexpr wchar_t KeyPath[] = L"Software\\QuorvexTest\\Settings";

std::wstring Read(const wchar_t* name) {
    return ReadRegistryString(HKEY_CURRENT_USER, KeyPath, name, ReadView64);
}

TEST(SettingsStore, WritesTrimmedRegSzWithoutTerminator) {
    ScopedRegistryKey key(HKEY_CURRENT_USER, KeyPath);
    ScriptedPrompts prompts;
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, KeyPath, L"VcVerUsed", L"  16 \r\n"));
    const auto raw = ReadRawValue(HKEY_CURRENT_USER, KeyPath, L"VcVerUsed");
    ASSERT_TRUE(raw.exists);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw.data, (std::vector<std::uint8_t>{'1', 0, '6', 0}));
    EXPECT_EQ(Read(L"VcVerUsed"), L"16");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(SettingsStore, EmptyTextIsAValueWithNoDataAndReadsLikeAMissingOne) {
    ScopedRegistryKey key(HKEY_CURRENT_USER, KeyPath);
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, KeyPath, L"MatlabVerUsed", L"   "));
    const auto raw = ReadRawValue(HKEY_CURRENT_USER, KeyPath, L"MatlabVerUsed");
    ASSERT_TRUE(raw.exists);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(raw.data.empty());
    EXPECT_EQ(Read(L"MatlabVerUsed"), L"");
    EXPECT_EQ(Read(L"NeverWritten"), L"");
    EXPECT_EQ(
        ReadRegistryString(HKEY_CURRENT_USER, L"Software\\QuorvexTest\\Missing", L"X", ReadView64),
        L"");
}

TEST(SettingsStore, ChineseTextRoundTrips) {
    ScopedRegistryKey key(HKEY_CURRENT_USER, KeyPath);
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, KeyPath, L"FluentPathsUsed",
                                    L"D:\\仿真\\fluent;C:\\x"));
    EXPECT_EQ(Read(L"FluentPathsUsed"), L"D:\\仿真\\fluent;C:\\x");
}

// Values other programs may have left behind.
TEST(SettingsStore, ForeignValuesReadAsTheirLeadingText) {
    ScopedRegistryKey key(HKEY_CURRENT_USER, KeyPath);
    ASSERT_TRUE(key.SetString(L"WithNul", L" True "));
    // RegSetValueExW counts a NUL that happens to follow the data, so the unterminated fixture
    // is cut out of a longer buffer.
    const wchar_t unterminated[] = L"TrueX";
    ASSERT_TRUE(key.SetRaw(L"WithoutNul", REG_SZ, unterminated, 4 * sizeof(wchar_t)));
    const wchar_t oddSource[] = L"abcX";
    ASSERT_TRUE(key.SetRaw(L"OddBytes", REG_SZ, oddSource, 7));
    const DWORD number = 0x00000031; // "1" as UTF-16, then a NUL unit
    ASSERT_TRUE(key.SetRaw(L"Dword", REG_DWORD, &number, sizeof number));
    const std::uint8_t binary[] = {'o', 0, 'k', 0, 0xFF};
    ASSERT_TRUE(key.SetRaw(L"Binary", REG_BINARY, binary, sizeof binary));
    const wchar_t multi[] = L"first\0second\0";
    ASSERT_TRUE(key.SetRaw(L"Multi", REG_MULTI_SZ, multi, sizeof multi));
    ASSERT_TRUE(key.SetRaw(L"OneByte", REG_SZ, "x", 1));

    struct Case {
        const wchar_t* name;
        const wchar_t* text;
    };
    for (const Case& c : std::vector<Case>{{L"WithNul", L"True"},
                                           {L"WithoutNul", L"True"},
                                           {L"OddBytes", L"abc"},
                                           {L"Dword", L"1"},
                                           {L"Binary", L"ok"},
                                           {L"Multi", L"first"},
                                           {L"OneByte", L""}})
        EXPECT_EQ(Read(c.name), c.text) << c.name;
}

TEST(SettingsStore, VeryLongValueIsReadWhole) {
    ScopedRegistryKey key(HKEY_CURRENT_USER, KeyPath);
    std::wstring big(512 * 1024, L'q'); // 1 MiB of data
    big.front() = L'<';
    big.back() = L'>';
    ASSERT_TRUE(
        key.SetRaw(L"Big", REG_SZ, big.data(), static_cast<DWORD>(big.size() * sizeof(wchar_t))));
    EXPECT_EQ(Read(L"Big"), big);
}

TEST(SettingsStore, ReadsOnlyTheRequestedViewOnWindows64) {
    ASSERT_TRUE(test::RunsInWin64Prefix())
        << "32-bit Windows has one registry view: registered for 64-bit only";
    constexpr wchar_t Path[] = L"Software\\QuorvexTestView";
    ScopedRegistryKey only32(HKEY_LOCAL_MACHINE, Path, KEY_WOW64_32KEY);
    ScopedRegistryKey only64(HKEY_LOCAL_MACHINE, Path, KEY_WOW64_64KEY);
    ASSERT_TRUE(only32.SetString(L"Where", L"32"));
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Path, L"Where", ReadView32), L"32");
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Path, L"Where", ReadView64), L"");
}

TEST(SettingsStore, FailedWriteIsReportedOnceInEnglish) {
    ScriptedPrompts prompts;
    const HKEY bogusHive = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
    EXPECT_FALSE(WriteRegistryString(bogusHive, KeyPath, L"VcVerUsed", L"16"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, L"Quorvex Launcher");
    EXPECT_EQ(prompts.messages[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_NE(prompts.messages[0].text.find(L"administrator"), std::wstring::npos);
}

} // namespace
} // namespace qv
