// The registry pair and the sub-key enumeration against the real registry.
#include "base/registry_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr wchar_t KeyPath[] = L"Software\\QuorvexTest\\RawSizes";

// RegSetValueExW counts a terminating NUL when the character after the data happens to be 0;
// the launcher's values must be stored with exactly their own characters.
TEST(RegistryWrite, StoresTwoBytesPerCharacterWhateverFollowsTheText) {
    test::ScopedRegistryKey key(HKEY_CURRENT_USER, KeyPath);
    test::ScriptedPrompts prompts;
    // 259 to 261 characters lie around the size read at once.
    for (std::size_t length :
         {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 15u, 16u, 17u, 100u, 259u, 260u, 261u}) {
        // The text lies in a zeroed buffer, so a 0 follows it.
        std::vector<wchar_t> buffer(length + 8, L'\0');
        for (std::size_t i = 0; i < length; ++i)
            buffer[i] = static_cast<wchar_t>(L'a' + i % 26);
        const std::wstring_view text(buffer.data(), length);
        const std::wstring name = L"Length" + std::to_wstring(length);
        ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, KeyPath, name, text)) << length;
        const test::RawValue raw = test::ReadRawValue(HKEY_CURRENT_USER, KeyPath, name);
        ASSERT_TRUE(raw.exists) << length;
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ)) << length;
        EXPECT_EQ(raw.data.size(), 2 * length) << length;
        EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, KeyPath, name, ReadView64), text) << length;
    }
    for (const wchar_t* text : {L"true", L"false", L"仿真"}) {
        ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, KeyPath, L"Word", text));
        EXPECT_EQ(test::ReadRawValue(HKEY_CURRENT_USER, KeyPath, L"Word").data.size(),
                  2 * std::wstring_view(text).size())
            << text;
    }
    EXPECT_TRUE(prompts.messages.empty());
}

// MATLAB's release keys are read into ten characters, the Uninstall entries into fifty.
TEST(RegistrySubkeys, NamesLongerThanTheBufferAreSkipped) {
    constexpr wchar_t Parent[] = L"Software\\QuorvexTest\\Subkeys";
    test::ScopedRegistryKey key(HKEY_CURRENT_USER, Parent);
    EXPECT_TRUE(RegistrySubkeyNames(HKEY_CURRENT_USER, Parent, ReadView64, 10).empty());
    for (const wchar_t* name : {L"9.8", L"nine_char", L"ten__chars", L"R2020a"}) {
        const std::wstring path = std::wstring(Parent) + L"\\" + name;
        ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, path, L"Root", L"C:\\x")) << name;
    }
    auto sorted = [](std::vector<std::wstring> names) {
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(sorted(RegistrySubkeyNames(HKEY_CURRENT_USER, Parent, ReadView64, 10)),
              (std::vector<std::wstring>{L"9.8", L"R2020a", L"nine_char"}));
    EXPECT_EQ(sorted(RegistrySubkeyNames(HKEY_CURRENT_USER, Parent, ReadView64, 11)),
              (std::vector<std::wstring>{L"9.8", L"R2020a", L"nine_char", L"ten__chars"}));
    const std::wstring leaf = std::wstring(Parent) + L"\\9.8";
    EXPECT_TRUE(RegistrySubkeyNames(HKEY_CURRENT_USER, leaf, ReadView64, 10).empty());
}

} // namespace
} // namespace qv
