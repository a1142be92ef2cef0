// The update check, the update dialog and the About box of the real exe. The exe asks a web
// server on 127.0.0.1 that the test starts and names to it through QV_TEST_UPDATE_SOURCES.
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/test_support_win.h"
#include "tests/support/web_server_win.h"
#include "update/update_check_win.h"
#include "update/update_sources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using e2e::LauncherRun;

// The launcher's environment that has it ask the server's three sites.
std::vector<std::wstring> AskingServer(const test::LoopbackWebServer& server) {
    return {std::wstring(LoopbackSourcesVariable) + L"=" + server.Address("/product") + L";" +
            server.Address("/china") + L";" + server.Address("/mirror")};
}

HWND OpenAboutBox(const LauncherRun& run) {
    run.Command(ID_ABOUT);
    return run.WaitForDialogWith(IDC_PRODUCT_LINE);
}

// The launcher stores the option once the About box has gone: waiting for the box alone would
// read the setting before that.
bool CloseAboutBox(const LauncherRun& run, HWND about, int id) {
    return e2e::CloseWith(about, id) && run.WaitForPostedCommands();
}

std::wstring Text(HWND dialog, int id) {
    return test::TextOf(::GetDlgItem(dialog, id));
}

bool IsChecked(HWND dialog, int id) {
    return ::SendMessageW(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(HWND dialog, int id, bool checked) {
    ::SendMessageW(::GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// What the About box and the update dialog show in one language.
struct DialogTexts {
    const wchar_t* aboutTitle;
    const wchar_t* productLine;
    const wchar_t* globalLabel;
    const wchar_t* chinaLabel;
    const wchar_t* autoCheck;
    const wchar_t* updateTitle;
    const wchar_t* downloadLink;
};
const DialogTexts English{L"About",
                          L"Fluent launcher module for\nQuorvex 2025R2.",
                          L"Global:",
                          L"China(in building):",
                          L"Auto check for update on startup",
                          L"Check Update",
                          L"Offical download"};
const DialogTexts Chinese{L"关于",          L"Fluent启动器模块\nQuorvex 2025R2", L"国际:",
                          L"中国(建设中):", L"启动本软件时自动检查新版本",       L"检查更新",
                          L"官网下载"};

void ExpectAboutBox(HWND about, const DialogTexts& texts) {
    EXPECT_EQ(test::TextOf(about), texts.aboutTitle);
    EXPECT_EQ(Text(about, IDC_PRODUCT_LINE), texts.productLine);
    EXPECT_EQ(Text(about, IDC_SITE_LABEL), texts.globalLabel);
    EXPECT_EQ(Text(about, IDC_CHINA_LABEL), texts.chinaLabel);
    EXPECT_EQ(Text(about, IDC_AUTO_CHECK), texts.autoCheck);
    EXPECT_EQ(Text(about, IDC_SITE_LINK), ProductSite);
    EXPECT_EQ(Text(about, IDC_CHINA_LINK), ChinaSite);
    EXPECT_EQ(Text(about, IDOK), L"OK");
}

void ExpectUpdateDialog(HWND update, const DialogTexts& texts, const std::wstring& message) {
    EXPECT_EQ(test::TextOf(update), texts.updateTitle);
    EXPECT_EQ(Text(update, IDC_RELEASE_MESSAGE), message);
    EXPECT_EQ(Text(update, IDC_DOWNLOAD_LINK), texts.downloadLink);
    EXPECT_EQ(Text(update, IDC_AUTO_CHECK), texts.autoCheck);
    EXPECT_TRUE(IsChecked(update, IDC_AUTO_CHECK));
    EXPECT_EQ(Text(update, IDOK), L"OK");
}

class UpdateExe : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(test::IsFile(e2e::LauncherExe())); }
    test::RawValue AutoUpdate() const {
        return test::ReadRawValue(HKEY_CURRENT_USER, SettingsKeyPath, L"AutoUpdateEnabled");
    }
    std::wstring AutoUpdateText() const {
        const test::RawValue raw = AutoUpdate();
        return std::wstring(reinterpret_cast<const wchar_t*>(raw.data.data()), raw.data.size() / 2);
    }
    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
};

// The site's answer is held back until the About box is open: the main dialog does not wait
// for it, and the update dialog comes up owned by the About box.
TEST_F(UpdateExe, SlowSiteDelaysNothingAndTheUpdateDialogIsOwnedByTheOpenAboutBox) {
    test::LoopbackWebServer server(
        {{"/product/download/version.txt", 200, "2025-R3-SP1\r\n", /*held=*/true}});
    ASSERT_TRUE(server.Running());
    LauncherRun run(AskingServer(server));
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(server.WaitForRequests(1));
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/product/download/version.txt"});

    const HWND about = OpenAboutBox(run);
    ASSERT_NE(about, nullptr);
    ExpectAboutBox(about, English);
    EXPECT_TRUE(IsChecked(about, IDC_AUTO_CHECK));
    ASSERT_TRUE(server.ReleaseHeldAnswers());
    const HWND update = run.WaitForDialogWith(IDC_DOWNLOAD_LINK);
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(::GetWindow(update, GW_OWNER), about);
    ExpectUpdateDialog(update, English,
                       L"New version found:\n===============\n2025R3 SP1\n===============");

    // Cleared and OK: the check at start is off from now on.
    SetCheck(update, IDC_AUTO_CHECK, false);
    ASSERT_TRUE(e2e::CloseWith(update, IDOK));
    EXPECT_EQ(AutoUpdateText(), L"false");
    // The About box closed with Esc stores nothing, even with its box toggled.
    SetCheck(about, IDC_AUTO_CHECK, false);
    ASSERT_TRUE(CloseAboutBox(run, about, IDCANCEL));
    EXPECT_EQ(AutoUpdateText(), L"false");
    EXPECT_TRUE(run.Close());
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(UpdateExe, ChineseUpdateDialogFromTheMirrorOwnedByTheMainDialog) {
    ASSERT_TRUE(settings.SetString(L"IsUsingEnglishLanguage", L"false"));
    test::LoopbackWebServer server({{"/mirror/download/version.txt", 200, "2026-R1"}});
    ASSERT_TRUE(server.Running());
    LauncherRun run(AskingServer(server));
    ASSERT_NE(run.Dialog(), nullptr);
    const HWND update = run.WaitForDialogWith(IDC_DOWNLOAD_LINK);
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(::GetWindow(update, GW_OWNER), run.Dialog());
    ExpectUpdateDialog(update, Chinese,
                       L"发现如下新版本:\n===============\n2026R1\n===============");
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/product/download/version.txt",
                                                           "/china/download/version.txt",
                                                           "/mirror/download/version.txt"}));
    // Cleared, then Esc: nothing stored.
    SetCheck(update, IDC_AUTO_CHECK, false);
    ASSERT_TRUE(e2e::CloseWith(update, IDCANCEL));
    EXPECT_FALSE(AutoUpdate().exists);

    const HWND about = OpenAboutBox(run);
    ASSERT_NE(about, nullptr);
    ExpectAboutBox(about, Chinese);
    EXPECT_TRUE(IsChecked(about, IDC_AUTO_CHECK));
    ASSERT_TRUE(CloseAboutBox(run, about, IDOK));
    EXPECT_EQ(AutoUpdateText(), L"true");
    // The option was on already: no second check.
    EXPECT_TRUE(run.Close());
    EXPECT_EQ(server.Requests().size(), 3u);
}

// With the option off, the About box is where it comes back on; turning it on starts a check,
// until a release file has been read.
TEST_F(UpdateExe, AboutBoxStoresTheOptionOnOkAndStartsACheckOnlyWhenItTurnsOn) {
    // Without a terminating NUL, as the launcher stores its values (the "!" keeps the registry
    // from counting one).
    const wchar_t stored[] = L"FALSE!";
    ASSERT_TRUE(settings.SetRaw(L"AutoUpdateEnabled", REG_SZ, stored, 5 * sizeof(wchar_t)));
    test::LoopbackWebServer server({{"/product/download/version.txt", 200, "2025-R3"}});
    ASSERT_TRUE(server.Running());
    LauncherRun run(AskingServer(server));
    ASSERT_NE(run.Dialog(), nullptr);

    HWND about = OpenAboutBox(run);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsChecked(about, IDC_AUTO_CHECK));
    SetCheck(about, IDC_AUTO_CHECK, true);
    ASSERT_TRUE(CloseAboutBox(run, about, IDCANCEL));
    EXPECT_EQ(AutoUpdateText(), L"FALSE");
    // No check at start, none after Esc; the OK below shows that a check's request arrives.
    EXPECT_EQ(server.Requests(), std::vector<std::string>{});

    about = OpenAboutBox(run);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsChecked(about, IDC_AUTO_CHECK));
    SetCheck(about, IDC_AUTO_CHECK, true);
    ASSERT_TRUE(CloseAboutBox(run, about, IDOK));
    EXPECT_EQ(AutoUpdateText(), L"true");
    // The check it started read the release file by the time its dialog shows.
    const HWND update = run.WaitForDialogWith(IDC_DOWNLOAD_LINK);
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/product/download/version.txt"});
    ASSERT_TRUE(e2e::CloseWith(update, IDCANCEL));

    about = OpenAboutBox(run);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(IsChecked(about, IDC_AUTO_CHECK));
    SetCheck(about, IDC_AUTO_CHECK, false);
    ASSERT_TRUE(CloseAboutBox(run, about, IDOK));
    EXPECT_EQ(AutoUpdateText(), L"false");

    about = OpenAboutBox(run);
    ASSERT_NE(about, nullptr);
    SetCheck(about, IDC_AUTO_CHECK, true);
    ASSERT_TRUE(CloseAboutBox(run, about, IDOK));
    EXPECT_EQ(AutoUpdateText(), L"true");
    EXPECT_TRUE(run.Close());
    // One check in all: none at start, none after the release file was read.
    EXPECT_EQ(server.Requests().size(), 1u);
}

} // namespace
} // namespace qv
