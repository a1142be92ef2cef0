// The launcher's exit code when its main dialog cannot be created: the real exe, copied without
// its dialog template, against the unchanged exe.
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using e2e::LauncherRun;

class LauncherExit : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(test::IsFile(exe_)); }

    const std::wstring exe_ = e2e::LauncherExe();
    test::ScopedRegistryKey settings_{HKEY_CURRENT_USER, SettingsKeyPath};
};

// Every resource of a module, copied out: a name or type given as text is kept as text.
struct Resource {
    std::wstring typeText, nameText;
    ULONG_PTR typeId = 0, nameId = 0;
    WORD language = 0;
    std::vector<char> data;
    LPCWSTR Type() const { return typeId ? MAKEINTRESOURCEW(typeId) : typeText.c_str(); }
    LPCWSTR Name() const { return nameId ? MAKEINTRESOURCEW(nameId) : nameText.c_str(); }
};

BOOL CALLBACK AddLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language,
                          LONG_PTR list) {
    Resource resource;
    if (IS_INTRESOURCE(type))
        resource.typeId = reinterpret_cast<ULONG_PTR>(type);
    else
        resource.typeText = type;
    if (IS_INTRESOURCE(name))
        resource.nameId = reinterpret_cast<ULONG_PTR>(name);
    else
        resource.nameText = name;
    resource.language = language;
    HRSRC found = ::FindResourceExW(module, type, name, language);
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    if (bytes) resource.data.assign(bytes, bytes + ::SizeofResource(module, found));
    reinterpret_cast<std::vector<Resource>*>(list)->push_back(std::move(resource));
    return TRUE;
}
BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR list) {
    return ::EnumResourceLanguagesW(module, type, name, AddLanguage, list);
}
BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR list) {
    return ::EnumResourceNamesW(module, type, AddName, list);
}

// Rewrites the program's resources without one dialog template. (Wine's UpdateResourceW does
// not delete a single resource, so all are written anew.)
bool DropDialogTemplate(const std::wstring& program, int templateId) {
    std::vector<Resource> resources;
    HMODULE image = ::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image) return false;
    ::EnumResourceTypesW(image, AddType, reinterpret_cast<LONG_PTR>(&resources));
    ::FreeLibrary(image);
    HANDLE update = ::BeginUpdateResourceW(program.c_str(), TRUE);
    if (!update) return false;
    for (Resource& resource : resources) {
        if (resource.typeId == reinterpret_cast<ULONG_PTR>(RT_DIALOG) &&
            resource.nameId == static_cast<ULONG_PTR>(templateId))
            continue;
        if (!::UpdateResourceW(update, resource.Type(), resource.Name(), resource.language,
                               resource.data.data(), static_cast<DWORD>(resource.data.size()))) {
            ::EndUpdateResourceW(update, TRUE);
            return false;
        }
    }
    return ::EndUpdateResourceW(update, FALSE) != FALSE;
}

TEST_F(LauncherExit, ClosedMainDialogEndsWithZero) {
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_TRUE(run.Close());
    EXPECT_EQ(run.ExitCode(), 0u);
}

TEST_F(LauncherExit, MainDialogThatCannotOpenIsReportedAndEndsWithNonZero) {
    test::TempFolder folder;
    const std::wstring copy = folder / L"QuorvexLauncher.exe";
    ASSERT_TRUE(::CopyFileW(exe_.c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(DropDialogTemplate(copy, IDD_LAUNCHER));
    // The copy keeps every other resource.
    HMODULE image = ::LoadLibraryExW(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(::FindResourceW(image, MAKEINTRESOURCEW(IDD_LAUNCHER), RT_DIALOG), nullptr);
    EXPECT_NE(::FindResourceW(image, MAKEINTRESOURCEW(IDR_MENU_ENGLISH), RT_MENU), nullptr);
    ::FreeLibrary(image);

    LauncherRun run({}, e2e::FirstWindow::Message, copy);
    HWND box = run.WaitForOtherDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(::GetDlgItem(box, IDC_FLUENT_LIST), nullptr);
    EXPECT_EQ(test::TextOf(box), L"Error");
    EXPECT_EQ(e2e::MessageText(box), L"The launcher's window could not be opened.");
    e2e::Press(box, IDOK);
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 1u);
}

} // namespace
} // namespace qv
