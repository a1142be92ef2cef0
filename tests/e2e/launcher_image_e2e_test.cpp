// What Explorer's Details tab, installers and inventory tools read from the exe's version
// resource.
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

std::wstring VersionText(const std::vector<char>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    if (!::VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return L"";
    return std::wstring(static_cast<const wchar_t*>(value));
}

TEST(LauncherImage, TheVersionResourceNamesTheProductItsMakerAndItsRights) {
    const std::wstring exe = e2e::LauncherExe();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource in " << exe << ": error " << ::GetLastError();
    std::vector<char> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } expected[] = {
        {L"CompanyName", L"Quorvex"},
        {L"LegalCopyright", L"Copyright (C) 2025 Quorvex. All rights reserved."},
        {L"ProductName", L"Quorvex"},
        {L"ProductVersion", L"2025-R2"},
        {L"FileDescription", L"Quorvex Fluent Launcher"},
        {L"OriginalFilename", L"QuorvexLauncher.exe"},
    };
    for (const auto& field : expected)
        EXPECT_EQ(VersionText(info, field.name), field.value) << field.name;
}

} // namespace
} // namespace qv
